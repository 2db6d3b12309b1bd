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
# Whether the desktop closes the active window on Alt+F4, as its window manager's close button
# does: a driver whose desktop has no key for it says no.
: "${ALT_F4_CLOSES:=yes}"
# Whether a window stands where the program places it: a driver whose window manager puts windows
# where it likes says no, and where they stand is then reported, not checked (check_place).
: "${WINDOWS_STAND_WHERE_PLACED:=yes}"

# The scale's answers, from the programs' own code (scale_answers.cpp, built with the tests):
# E2E_SCALE_ANSWERS names the helper, as the tests set it; by hand, the linux preset's is taken.
SCALE_ANSWERS=${E2E_SCALE_ANSWERS:-$E2E_DIR/../../build/linux/tests/e2e/scale_answers}
scale_answer() {
    "$SCALE_ANSWERS" "$SCALE_DPI" "$@" ||
        { echo "FAILED: no answer from $SCALE_ANSWERS (build the tests)" >&2; return 1; }
}
# The first device pixel of design pixel P.
device() { scale_answer device "$1"; }
# The design pixel that holds device pixel D.
design() { scale_answer design "$1"; }

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
# The windows' client areas: width and height.
MAIN_CLIENT=(254 184)
PALETTE_CLIENT=(151 258)
ABOUT_CLIENT=(312 172)
# The spectrum's strips, 21 columns each, left to right: whether each carries red, green, blue.
STRIP_CHANNELS=(100 010 001 110 101 011 111)
# Its last column that the palette's picture box shows (the grey strip is cut off).
SPECTRUM_LAST_COLUMN=141

# The first and the last device pixel of design pixel P.
first_device() { device "$1"; }
last_device() { echo $(($(device $(($1 + 1))) - 1)); }

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

# What the window manager draws around a window: "LEFT RIGHT TOP BOTTOM", as it tells the
# program. A driver whose window manager does not tell defines it itself.
declare -F frame_extents >/dev/null ||
    frame_extents() { xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //; s/,//gp'; }

# Whether a window's client area is WIDTH x HEIGHT design pixels at the scale.
client_is() {
    local width height
    read -r _ _ width height <<<"$(client_geometry "$1")"
    echo "(client area $width x $height)"
    [ "$width x $height" = "$(device "$2") x $(device "$3")" ] ||
        { echo "client area $width x $height, expected $(device "$2") x $(device "$3")" >&2; return 1; }
}

# The sizes of the icons a window offers the window manager.
icon_sizes() { xprop -id "$1" _NET_WM_ICON | sed -n 's/^.*Icon (\([0-9]*\) x [0-9]*):.*$/\1/p'; }

# The colour ("R,G,B") the spectrum draws at a column and row of its drawing area.
spectrum_colour() {
    local channels=${STRIP_CHANNELS[$(($1 / 21))]} row=$2
    echo "$((${channels:0:1} * row)),$((${channels:1:1} * row)),$((${channels:2:1} * row))"
}

# Looks at the spectrum's rows FIRST to LAST in the palette's client area (PALETTE) once, for
# the presses that follow: a screenshot costs much more than reading one of its pixels.
look_at_palette() {
    local top bottom
    read -r -a PALETTE_ORIGIN <<<"$(client_geometry "$PALETTE")"
    top=$(first_device $((SPECTRUM_ORIGIN[1] + $1)))
    bottom=$(last_device $((SPECTRUM_ORIGIN[1] + $2)))
    PALETTE_LOOK=$(mktemp)
    screen_pixels "${PALETTE_ORIGIN[2]}" $((bottom - top + 1)) "${PALETTE_ORIGIN[0]}" \
        $((PALETTE_ORIGIN[1] + top)) |
        awk -F '[,:]' -v top="$top" '/^[0-9]/ { $2 += top; print }' OFS=, >"$PALETTE_LOOK"
}

# Whether a device pixel of the palette's client area showed the spectrum's pixel under it when
# looked at, and a press on it picks that colour.
picks_what_it_shows() {
    local x=$1 y=$2 expected seen
    expected=$(spectrum_colour $(($(design "$x") - SPECTRUM_ORIGIN[0])) \
        $(($(design "$y") - SPECTRUM_ORIGIN[1])))
    seen=$(grep -m 1 "^$x,$y," "$PALETTE_LOOK" | sed 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/')
    [ "$seen" = "$expected" ] || { echo "device pixel $x,$y shows $seen, not $expected" >&2; return 1; }
    xdotool mousemove $((PALETTE_ORIGIN[0] + x)) $((PALETTE_ORIGIN[1] + y)) click 1
    preview_is "$expected"
}

# Presses on every device column of these spectrum columns, each one spectrum row further down
# (from row 60, so that every press picks another colour): whether each picks what it shows.
# PRESSED counts the presses.
presses_on_columns_pick_what_they_show() {
    local column x failed_at=
    PRESSED=0
    look_at_palette 60 $((60 + 3 * $#))
    for column in "$@"; do
        for x in $(seq "$(first_device $((SPECTRUM_ORIGIN[0] + column)))" \
            "$(last_device $((SPECTRUM_ORIGIN[0] + column)))"); do
            picks_what_it_shows "$x" "$(first_device $((SPECTRUM_ORIGIN[1] + 60 + PRESSED)))" ||
                failed_at+=" $x"
            PRESSED=$((PRESSED + 1))
        done
    done
    [ -z "$failed_at" ] || { echo "failed at device columns$failed_at" >&2; return 1; }
}

# Presses on every device row of these spectrum rows, in the red and the green strip by turns.
presses_on_rows_pick_what_they_show() {
    local row y failed_at=
    PRESSED=0
    look_at_palette "$1" "${@: -1}"
    for row in "$@"; do
        for y in $(seq "$(first_device $((SPECTRUM_ORIGIN[1] + row)))" \
            "$(last_device $((SPECTRUM_ORIGIN[1] + row)))"); do
            picks_what_it_shows "$(first_device $((SPECTRUM_ORIGIN[0] + (PRESSED % 2 == 0 ? 10 : 30))))" \
                "$y" || failed_at+=" $y"
            PRESSED=$((PRESSED + 1))
        done
    done
    [ -z "$failed_at" ] || { echo "failed at device rows$failed_at" >&2; return 1; }
}

# Checks where a window stands, where the window manager lets it stand where the program places it;
# elsewhere reports whether it does: check_place WHAT COMMAND ARGS...
check_place() {
    [ "$WINDOWS_STAND_WHERE_PLACED" = yes ] && { check "$@"; return; }
    local what=$1
    shift
    if "$@"; then
        echo "as placed, though this desktop need not: $what"
    else
        echo "not as placed (this desktop's window manager decides): $what"
    fi
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
    column=$(screen_pixels "$w" "$h" "$x" "$y" |
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

# Milliseconds on a clock that only moves forward, for timing what the program does.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# A file of text to paste: COUNT times a digit, then a number; made once in the test's folder
# PAYLOADS; prints its path.
payload() {
    local file=${PAYLOADS:?}/$1-$2$3
    [ -f "$file" ] || { head -c "$1" /dev/zero | tr '\0' "$2"; printf %s "$3"; } >"$file"
    echo "$file"
}

# Selects a field's whole text by keyboard.
select_field() {
    click_field "$1"
    press End shift+Home
}

# Waits (up to 20 s by the clock: seconds when the machine is busy) until the preview shows a
# colour after a paste; reports the time from START (now_ms at the paste key, or at the key that
# KEY names) and fails beyond LIMIT ms, if given: timed_preview START COLOUR [LIMIT] [KEY]
timed_preview() {
    local start=$1 colour=$2 limit=${3:-20000} key=${4:-the paste key} elapsed seen
    while true; do
        seen=$(main_pixel "${PREVIEW_CENTRE[@]}")
        elapsed=$(($(now_ms) - start))
        [ "$seen" = "$colour" ] && break
        if [ "$elapsed" -ge 20000 ]; then
            echo "   (the preview showed $seen, not $colour, $elapsed ms after $key)"
            return 1
        fi
        sleep 0.1
    done
    echo "   ($elapsed ms from $key to the preview)"
    [ "$elapsed" -le "$limit" ]
}

# Ends the test when the program is gone: nothing after would say more.
still_running() {
    kill -0 "$PROGRAM_PID" 2>/dev/null && return
    wait "$PROGRAM_PID"
    echo "FAILED: the program has ended (status $?)"
    exit 1
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
