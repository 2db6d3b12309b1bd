# The Linux program on a Wayland desktop: build/linux/varnel as an X client of the Xwayland of
# weston, the reference Wayland compositor. Source it with the program's path. It is the Linux
# driver (linux.sh) with the desktop, the input, what is seen and the clipboard changed:
# - weston runs with its X11 back end in the test's private Xvfb (the outer screen), whose
#   keyboard and pointer are its seat and whose screen shows its output: the same size, at the
#   screen's origin, so a point of the output is the same point on the outer screen and on
#   Xwayland's root. The program's DISPLAY is weston's Xwayland, where the windows are looked up.
# - Input goes as a person's does: xdotool presses keys and buttons on the outer screen, into
#   weston's window; weston hands them through its seat to the surface under the pointer or with
#   the keyboard focus, and Xwayland hands them on to the program.
# - What is seen is read from the outer screen: weston's output as it composited it, its pointer
#   included (a rootless Xwayland keeps no picture of its root window).
# - The clipboard is read and written by Wayland clients (wl-paste, wl-copy): every copy and
#   paste crosses weston's bridge between the X clipboard and its own.

source "$E2E_DIR/drivers/linux.sh" "$1" || return 1
for tool in weston Xwayland wl-copy wl-paste; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done

# Xwayland gives each window a surface of its own, which weston composites: what another window
# uncovers is shown again without the program painting it.
UNCOVERED_WINDOWS_KEEP_CONTENT=yes
# weston closes windows from their frames only: it has no key for it, and Alt+F4 goes to the
# program, as any key does.
ALT_F4_CLOSES=no
# weston's X window manager decides where a window stands: it tells the program neither its frame
# (no _NET_FRAME_EXTENTS) nor that it moved a window (no ConfigureNotify), and it puts the frame's
# outer corner, not the client area that static gravity names, where the program asks.
WINDOWS_STAND_WHERE_PLACED=no

# What the desktop leaves behind goes into one folder, removed with the session.
WAYLAND_SESSION_DIR=$(mktemp -d)

start_desktop() { start_x_session start_weston; }
stop_desktop() {
    stop_wayland_offers
    # weston's end takes Xwayland and its own clients with it.
    stop_x_session
    rm -rf "$WAYLAND_SESSION_DIR"
}

# weston's output is the screen of the other drivers.
WESTON_OUTPUT=(1280 1024)

# weston as a window over the outer screen (no window manager there: the window stays at the
# screen's origin, and the keyboard goes to it while the pointer is in it). It is ready once its
# Xwayland runs with weston's X window manager. Each try has a runtime folder of its own (mode
# 0700, as a desktop's is) for weston's socket, and weston's settings: nothing of the desktop the
# tests are run from is used or touched.
start_weston() {
    local runtime display
    OUTER_DISPLAY=$DISPLAY
    runtime=$(mktemp -d -p "$WAYLAND_SESSION_DIR")
    export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-e2e
    unset WAYLAND_SOCKET
    # The screen never blanks, and no fade covers what a test reads: neither the desktop's at
    # start nor a closed window's.
    cat >"$runtime/weston.ini" <<EOF
[core]
idle-time=0
[shell]
startup-animation=none
close-animation=none
EOF
    # Nor does weston see the session bus of the desktop the tests are run from. Its pixman
    # renderer composites on the processor without GL (here Mesa's llvmpipe), at a quarter of
    # the processor time (0.3 s against 1.2 s over wayland_clipboard.sh).
    env -u DBUS_SESSION_BUS_ADDRESS weston --backend=x11-backend.so --use-pixman \
        --width="${WESTON_OUTPUT[0]}" --height="${WESTON_OUTPUT[1]}" \
        --xwayland --socket="$WAYLAND_DISPLAY" --config="$runtime/weston.ini" \
        --log="$runtime/weston.log" >>"$X_SESSION_LOG" 2>&1 &
    DESKTOP_PID=$!
    # weston names the display its Xwayland listens on; Xwayland starts with the first X client.
    display=$(weston_waits 30 "name its Xwayland display" sed -n \
        's/.* xserver listening on display \(:[0-9]*\)$/\1/p' "$runtime/weston.log") ||
        return 1
    export DISPLAY=$display
    weston_waits 30 "run its X window manager on Xwayland $display" eval \
        'timeout 10 xprop -root _NET_SUPPORTING_WM_CHECK | grep "window id"' >/dev/null &&
        weston_follows_pointer
}

# Whether weston draws its pointer where the mouse goes. Now and then (about one start in ten on
# a busy machine) weston misses the pointer's entering its window as it starts, and then keeps
# its pointer at the output's left edge, where it takes every click: such a start is tried
# again. The pointer ends in the output's middle.
weston_follows_pointer() {
    local middle=($((WESTON_OUTPUT[0] / 2)) $((WESTON_OUTPUT[1] / 2))) before tries=0
    local point=($((middle[0] + 200)) $((middle[1] + 150)))
    xdotool mousemove "${middle[@]}"
    before=$(pointer_area "${point[@]}")
    xdotool mousemove "${point[@]}"
    until [ "$(pointer_area "${point[@]}")" != "$before" ]; do
        tries=$((tries + 1))
        [ $tries -lt 30 ] || {
            echo "(weston did not draw its pointer where the mouse went within 3 s)" |
                tee -a "$X_SESSION_LOG" >&2
            return 1
        }
        sleep 0.1
    done
    xdotool mousemove "${middle[@]}"
}
# What weston shows where the pointer's arrow would be drawn, at a point of its output.
pointer_area() { import -window root -crop "16x16+$1+$2" -depth 8 rgb:- 2>/dev/null | md5sum; }

# Polls every 0.1 s, for up to SECONDS, until a command prints something, and prints it; when
# weston ends or the time runs out, says what was waited for, and writes weston's log to the
# session's log: weston_waits SECONDS WHAT COMMAND ARGS...
weston_waits() {
    local seconds=$1 what=$2 seen
    local deadline=$((SECONDS + seconds))
    shift 2
    while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$DESKTOP_PID" 2>/dev/null; do
        seen=$("$@" 2>/dev/null)
        [ -z "$seen" ] || { echo "$seen"; return 0; }
        sleep 0.1
    done
    if kill -0 "$DESKTOP_PID" 2>/dev/null; then
        echo "(weston did not $what within $seconds s)"
    else
        echo "(weston ended before it could $what)"
    fi | tee -a "$X_SESSION_LOG" >&2
    tail -n 20 "$XDG_RUNTIME_DIR/weston.log" >>"$X_SESSION_LOG" 2>/dev/null
    return 1
}

# Input goes to the outer screen, into weston's window, as a person's would; anything else xdotool
# does (finding windows, reading the focus) is done on Xwayland. A point given in a window's
# client area is taken to the screen; a window is moved as a person moves it, by its title bar.
xdotool() {
    case $1 in
    mousemove | click | mousedown | mouseup | key | keydown | keyup | type)
        local arguments=("$@")
        if [ "$1 $2" = "mousemove --window" ]; then
            local client x y
            client=$(client_geometry "$3") || return 1
            read -r x y _ <<<"$client"
            arguments=(mousemove $((x + $4)) $((y + $5)) "${@:6}")
        fi
        DISPLAY=$OUTER_DISPLAY command xdotool "${arguments[@]}"
        ;;
    windowmove) drag_by_title_bar "$2" "$3" "$4" ;;
    *) command xdotool "$@" ;;
    esac
}

# Drags a window by its title bar until its client area stands at X, Y (as a window manager puts
# a window moved with windowmove whose gravity is static, as the program's are).
drag_by_title_bar() {
    local id=$1 x y left top right
    read -r x y _ <<<"$(client_geometry "$id")"
    read -r left top right _ <<<"$(frame_rect "$id")"
    # Left of the title, which weston centres, and below the panel that may lie over the bar.
    local grab_x=$((left + (right - left) / 4)) grab_y=$(((top + y) / 2 + 2))
    xdotool mousemove "$grab_x" "$grab_y" mousedown 1
    sleep 0.1
    xdotool mousemove $((grab_x + ($2 - x) / 2)) $((grab_y + ($3 - y) / 2))
    sleep 0.1
    xdotool mousemove $((grab_x + $2 - x)) $((grab_y + $3 - y))
    sleep 0.1
    xdotool mouseup 1
}

# What is seen is weston's output, on the outer screen.
import() { DISPLAY=$OUTER_DISPLAY command import "$@"; }

# weston's X window manager makes each window's frame, an X window that is the window's parent,
# at the screen's origin, shows it, and moves it to the window's place once its shell has placed
# the window. The window has settled once its frame has left the origin, or stayed there 2 s.
settled_window() {
    local id tries=0
    id=$(wait_for_window "$1") || return 1
    until [ "$(client_geometry "$(frame_of "$id")" | cut -d ' ' -f 1-2)" != "0 0" ]; do
        [ $tries -lt 20 ] ||
            { echo "($1: its frame stayed at the screen's origin for 2 s, taken as placed)" >&2; break; }
        sleep 0.1
        tries=$((tries + 1))
    done
    echo "$id"
}
frame_of() {
    [ -n "$1" ] && xwininfo -id "$1" -children | sed -n 's/^  Parent window id: \(0x[0-9a-f]*\).*/\1/p'
}

# weston tells no window its frame. The frame's X window has a margin of 32 pixels all round for
# the shadow weston draws (its theme's).
WESTON_SHADOW=32
frame_extents() {
    local client frame x y width height px py pwidth pheight
    client=$(client_geometry "$1") || return 1
    frame=$(client_geometry "$(frame_of "$1")") || return 1
    read -r x y width height <<<"$client"
    read -r px py pwidth pheight <<<"$frame"
    echo "$((x - px - WESTON_SHADOW)) $((px + pwidth - WESTON_SHADOW - x - width))" \
        "$((y - py - WESTON_SHADOW)) $((py + pheight - WESTON_SHADOW - y - height))"
}

clipboard_text() { timeout 5 wl-paste --no-newline 2>/dev/null; }

# A Wayland client copies a file's text: wl-copy offers it until another program copies. It
# returns once an X client can paste it.
seed_clipboard() {
    wl-copy --foreground <"$1" 2>/dev/null &
    WAYLAND_OFFERS+=($!)
    wait_for_output "$(cat "$1")" x_clipboard_text
}
x_clipboard_text() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }

# A Wayland client copies a picture alone.
seed_clipboard_with_picture() {
    local picture
    picture=$(mktemp -p "$WAYLAND_SESSION_DIR" --suffix=.png)
    convert -size 1x1 xc:orange "png:$picture"
    wl-copy --foreground --type image/png <"$picture" 2>/dev/null &
    WAYLAND_OFFERS+=($!)
    wait_for_output picture clipboard_formats
}

# What the clipboard offers a Wayland client, one line each as in linux.sh.
clipboard_formats() { timeout 5 wl-paste --list-types 2>/dev/null | clipboard_format_names; }

stop_wayland_offers() {
    local pid
    for pid in "${WAYLAND_OFFERS[@]}"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    WAYLAND_OFFERS=()
}
WAYLAND_OFFERS=()
