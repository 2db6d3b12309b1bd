# What every end-to-end scenario is written in: the same words for both programs. A scenario
# sources this file with the driver's name and its argument:
#   linux PATH-TO-varnel          the Linux program, driven with xdotool, read with xclip
#   windows WINDOWS-BUILD-DIR     varnel.exe under Wine, read with the probe
# Positions are client-area pixels of the windows' designs (design pixels, 96 to the inch), which
# both programs share. A driver may set SCALE_DPI: the device pixels to the inch the program shows
# them at (the Linux program follows the desktop's scale); 96 otherwise.

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_DIR/x11_session.sh"

DRIVER=$1
source "$E2E_DIR/drivers/$DRIVER.sh" "$2" || exit 1
: "${SCALE_DPI:=96}"

# The first device pixel of design pixel P, rounded down as the program rounds it.
device() {
    local n=$(($1 * SCALE_DPI))
    echo $((n >= 0 ? n / 96 : -((95 - n) / 96)))
}
# The design pixel that holds device pixel D (D from 0 on).
design() { echo $((((${1} + 1) * 96 - 1) / SCALE_DPI)); }

MAIN_TITLE="Varnel v3.0"

# The main window's controls.
PREVIEW_CENTRE=(58 30)
PREVIEW_AREA=(10 10 101 45)  # the preview's drawing area: x y width height
declare -A FIELD=([Text1]="152 36" [Text2]="192 36" [Text3]="232 36" [Text4]="76 76")
RED_UP_ARROW=(152 63)
RED_DOWN_ARROW=(152 137)
RED_TROUGH_BELOW=(152 120)
COPY_BUTTON=(60 104)
PALETTE_BUTTON=(44 132)
BALL_CHECK_BOX=(20 164)
ABOUT_BUTTON=(160 168)
GREY_PANEL=(212 100)  # between the green and the blue bar
LABEL5_BACKGROUND=(37 80)  # the "HEX" label, right of its text
TEXT4_LEFT_EDGE=(40 80)    # the hex field's border, where the label's last column lies beneath
# The About window's Close button, and the palette's spectrum origin in its client area.
ABOUT_CLOSE=(100 156)
SPECTRUM_ORIGIN=(4 2)

# Starts the program; sets PROGRAM_PID and MAIN, the main window's X window.
start_program() {
    start_session || { echo "FAILED: no session"; exit 1; }
    launch_program
    MAIN=$(settled_window "$MAIN_TITLE") || { echo "FAILED: no main window"; exit 1; }
}

# A point of one of the program's windows on the screen, from its design position: prints "X Y".
screen_point() {
    local geometry
    read -r -a geometry <<<"$(client_geometry "$1")"
    echo "$((geometry[0] + $(device "$2"))) $((geometry[1] + $(device "$3")))"
}

# Clicks at a design position of one of the program's windows.
click_in() { click_at "$1" "$(device "$2")" "$(device "$3")" "${@:4}"; }
click_main() { click_in "$MAIN" "$@"; }

# Presses keys one after another, as a person would (KEY_DELAY milliseconds apart).
press() { xdotool key --delay "${KEY_DELAY:-20}" "$@"; }
# Clicks into a field, then waits a moment before the keys a person types next.
click_field() {
    click_main ${FIELD[$1]}
    sleep 0.2
}

# Replaces a field's text as a person would: click, select all from the end, type.
retype_field() {
    local x y
    read -r x y <<<"${FIELD[$1]}"
    retype "$MAIN" "$(device "$x")" "$(device "$y")" "$2"
}

# Pastes a file's text over a field's whole text with Ctrl+V.
paste_into_field() {
    seed_clipboard "$2"
    click_field "$1"
    press End shift+Home ctrl+v
}

# The preview's colour ("R,G,B"), polled until it is the expected one.
preview_is() {
    local x y
    read -r x y <<<"$(screen_point "$MAIN" "${PREVIEW_CENTRE[@]}")"
    wait_for_pixel "$x" "$y" "$1"
}

# The preview's drawing area on the screen: "X Y WIDTH HEIGHT" in device pixels.
preview_area() {
    local x y left=${PREVIEW_AREA[0]} top=${PREVIEW_AREA[1]}
    read -r x y <<<"$(screen_point "$MAIN" "$left" "$top")"
    local width=$(($(device $((left + PREVIEW_AREA[2]))) - $(device "$left")))
    local height=$(($(device $((top + PREVIEW_AREA[3]))) - $(device "$top")))
    echo "$x $y $width $height"
}

# How many device pixels of the preview's drawing area are white: the ball trail's dots.
white_dots() {
    count_pixels $(preview_area) "255,255,255"
}

# Waits (up to about 5 s) until the trail shows at least N dots.
dots_appear() { wait_until eval "[ \"\$(white_dots)\" -ge ${1:-5} ]"; }
no_dots() { wait_until eval '[ "$(white_dots)" -eq 0 ]'; }

# The colour of a client-area point of the main window.
main_pixel() {
    local x y
    read -r x y <<<"$(screen_point "$MAIN" "$1" "$2")"
    pixel_at "$x" "$y"
}

# The rectangle of a window's frame on the screen, as the window manager draws it:
# "LEFT TOP RIGHT BOTTOM".
frame_rect() {
    local x y w h left right top bottom
    read -r x y w h <<<"$(client_geometry "$1")"
    read -r left right top bottom <<<"$(frame_extents "$1")"
    echo "$((x - left)) $((y - top)) $((x + w + right)) $((y + h + bottom))"
}

# What the window manager draws around a window: "LEFT RIGHT TOP BOTTOM".
frame_extents() {
    xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //; s/,//gp'
}

# Whether the palette window (PALETTE) stands right of the main window, tops level.
beside_main() {
    local main_rect palette_rect
    read -r -a main_rect <<<"$(window_rect "$MAIN")"
    read -r -a palette_rect <<<"$(window_rect "$PALETTE")"
    [ "${palette_rect[0]}" -eq "${main_rect[2]}" ] && [ "${palette_rect[1]}" -eq "${main_rect[1]}" ] ||
        { echo "main ${main_rect[*]}, palette ${palette_rect[*]}" >&2; return 1; }
}

# Whether a window asks the window manager for a fixed frame: moving and closing, but neither
# resizing, minimizing nor maximizing (the Motif hints' functions), and the window manager
# offers it no resizing or maximizing.
fixed_frame() {
    local hints flags functions offered actions
    hints=$(xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/.*= //; s/,//gp')
    read -r flags functions _ <<<"$hints"
    [ $((flags & 1)) -eq 1 ] || { echo "no Motif functions on $1: '$hints'" >&2; return 1; }
    # With the "all" bit set, the list names what is taken away.
    offered=$functions
    (((functions & 1) == 1)) && offered=$((~functions & 0x3e))
    (((offered & (2 | 8 | 16)) == 0)) || { echo "offers $offered: '$hints'" >&2; return 1; }
    actions=$(xprop -id "$1" _NET_WM_ALLOWED_ACTIONS)
    ! grep -qE '_NET_WM_ACTION_(RESIZE|MAXIMIZE)' <<<"$actions" ||
        { echo "$actions" >&2; return 1; }
}

# Whether a window with this title shows up, or is gone (each waits up to about 10 s).
appears() { wait_for_window "$1" >/dev/null; }
gone() { wait_for_no_window "$1"; }

# Moves a window out of the main window's way (new windows may open over it), as a person
# would: to the right of the main window, with some room between them.
move_aside() {
    local right top
    read -r _ top right _ <<<"$(frame_rect "$MAIN")"
    xdotool windowmove "$1" $((right + 40)) "$top"
    sleep 0.3
}

# Closes a window from its frame: its close button on the title bar.
close_by_frame_button() {
    local id=$1 left top right
    read -r left top right _ <<<"$(frame_rect "$id")"
    local extents
    read -r -a extents <<<"$(frame_extents "$id")"
    # openbox puts the close button at the title bar's right end.
    xdotool mousemove $((right - 10)) $((top + extents[2] / 2)) click 1
}

# Gives a window the focus by a click on its title bar.
focus_window() {
    local left top right
    read -r left top right _ <<<"$(frame_rect "$1")"
    xdotool mousemove $(((left + right) / 2 - 20)) $((top + 5)) click 1
    sleep 0.2
}

# Closes a window with Alt+F4, after giving it the focus.
close_by_keyboard() {
    focus_window "$1"
    press alt+F4
}

# Ends the scenario: reports and sets the exit status.
finish() {
    [ "$FAILURES" -eq 0 ] && echo "all checks passed" || echo "FAILED: $FAILURES check(s)"
    [ "$FAILURES" -eq 0 ]
}

# Whether a window with this title is on screen right now (no waiting).
on_screen() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# The rightmost design column of the preview's drawing area that holds a white dot (-1: none).
rightmost_dot() {
    local x y w h column
    read -r x y w h <<<"$(preview_area)"
    column=$(import -window root -crop "${w}x${h}+${x}+${y}" -depth 8 txt:- 2>/dev/null |
        awk -F'[,:]' 'BEGIN { max = -1 } /\(255,255,255\)/ && $1 > max { max = $1 } END { print max }')
    [ "$column" -ge 0 ] || { echo -1; return; }
    local left=${PREVIEW_AREA[0]}
    echo $(($(design $(($(device "$left") + column))) - left))
}

# Checks Ball, waits for the trail's dots and unchecks it: the dots stay until the preview is
# repainted.
draw_dots() {
    click_main "${BALL_CHECK_BOX[@]}"
    dots_appear 5 || echo "no dots appeared" >&2
    click_main "${BALL_CHECK_BOX[@]}"
    sleep 0.1
}

# Starts another program's window (xlogo) in the screen's bottom right corner, away from the
# program's windows, and clicks into it, so that it has the focus; prints its X window.
OTHER_PROGRAM_PLACE=(1100 850)
other_program() {
    xlogo -geometry "120x120+${OTHER_PROGRAM_PLACE[0]}+${OTHER_PROGRAM_PLACE[1]}" >/dev/null 2>&1 &
    local id
    id=$(wait_for_window xlogo) || return 1
    sleep 0.3
    click_at "$id" 60 60
    echo "$id"
}

# Stalls the program COUNT times: it stops for STOP seconds, then runs for RUN seconds, as a busy
# machine would have it; it is left stopped. Sets MOST_TICKS: how many ticks a timer that never
# ticks twice within 10 ms can give at most while the program ran, by the clock, since SINCE
# (microseconds since the epoch, before the timer started). (read -t waits without starting a
# process, on a pipe nothing writes to.)
stall_program() {
    local stop=$1 run=$2 count=$3 started=$4 pipe i now
    exec {pipe}<> <(:)
    MOST_TICKS=0
    for ((i = 0; i < count; i++)); do
        kill -STOP "$PROGRAM_PID"
        now=${EPOCHREALTIME/./}
        MOST_TICKS=$((MOST_TICKS + 1 + (now - started) / 10000))
        read -r -t "$stop" -u "$pipe"
        started=${EPOCHREALTIME/./}
        kill -CONT "$PROGRAM_PID"
        read -r -t "$run" -u "$pipe"
    done
    kill -STOP "$PROGRAM_PID"
    now=${EPOCHREALTIME/./}
    MOST_TICKS=$((MOST_TICKS + 1 + (now - started) / 10000))
    exec {pipe}>&-
}
