# Shared by the end-to-end tests: a private X session (Xvfb and openbox) and the small tools
# a test needs to look at windows as a person would. Source it; it defines functions, and a way
# to report that stays open whatever a caller does with its own output.

# What a wait says when it gives up goes here, where the test's output goes, even from a command
# whose output the caller takes or drops.
exec {E2E_REPORT}>&2

# Starts Xvfb on a free display and a desktop on it: openbox, or what the function named
# START_DESKTOP starts (it sets DESKTOP_PID and writes what goes wrong to X_SESSION_LOG); exports
# DISPLAY. Both stop when the test's shell exits. On a loaded machine either may die while
# starting (a display taken by a neighbouring test, a window manager that lost its connection),
# so a failed start is tried again from scratch, twice, before the test gives up and shows what
# the two said: start_x_session [START_DESKTOP]
start_x_session() {
    local start_desktop=${1:-start_window_manager} attempt
    X_SESSION_LOG=$(mktemp)
    for attempt in 1 2 3; do
        if start_x_server && "$start_desktop"; then
            trap stop_x_session EXIT
            rm -f "$X_SESSION_LOG"
            return 0
        fi
        stop_x_session
    done
    echo "the X session did not start ($attempt attempts); Xvfb and the desktop said:"
    cat "$X_SESSION_LOG"
    rm -f "$X_SESSION_LOG"
    return 1
}

start_x_server() {
    local fd_file tries=0
    fd_file=$(mktemp)
    Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$fd_file" 2>>"$X_SESSION_LOG" &
    XVFB_PID=$!
    while [ ! -s "$fd_file" ] && [ $tries -lt 400 ] && kill -0 "$XVFB_PID" 2>/dev/null; do
        sleep 0.05
        tries=$((tries + 1))
    done
    export DISPLAY=":$(head -n 1 "$fd_file")"
    rm -f "$fd_file"
    [ "$DISPLAY" != ":" ] || { echo "Xvfb did not start" >>"$X_SESSION_LOG"; return 1; }
}

# openbox is ready once it has claimed the window manager selection.
start_window_manager() {
    local tries=0
    openbox --sm-disable >>"$X_SESSION_LOG" 2>&1 &
    DESKTOP_PID=$!
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        kill -0 "$DESKTOP_PID" 2>/dev/null || { echo "(openbox ended)" >>"$X_SESSION_LOG"; return 1; }
        kill -0 "$XVFB_PID" 2>/dev/null || { echo "(Xvfb ended)" >>"$X_SESSION_LOG"; return 1; }
        sleep 0.05
        tries=$((tries + 1))
        [ $tries -lt 400 ] || { echo "(openbox did not claim the screen)" >>"$X_SESSION_LOG"; return 1; }
    done
}

stop_x_session() {
    local pid
    for pid in ${DESKTOP_PID:-} ${XVFB_PID:-}; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    DESKTOP_PID= XVFB_PID=
}

# Waits (up to about 10 s) for a visible window with exactly this title; prints its id.
wait_for_window() {
    local title=$1 id tries=0
    while [ $tries -lt 200 ]; do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
        tries=$((tries + 1))
    done
    return 1
}

# Waits (up to about 10 s) until no visible window has this title.
wait_for_no_window() {
    local title=$1 tries=0
    while [ $tries -lt 200 ]; do
        xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1 || return 0
        sleep 0.05
        tries=$((tries + 1))
    done
    return 1
}

# The screen's pixels in a rectangle, in ImageMagick's text ("X,Y: (R,G,B) ..."); nothing when
# the rectangle is not one (a window gone has no place): import spins for ever on a crop without
# its place, so it is never given one. (import is called by name: a driver may wrap it.)
# screen_pixels W H X Y
screen_pixels() {
    local number='^-?[0-9]+$'
    [[ $1 =~ $number && $2 =~ $number && $3 =~ $number && $4 =~ $number ]] || return 1
    import -window root -crop "$1x$2+$3+$4" -depth 8 txt:- 2>/dev/null
}

# The colour of one screen pixel as "R,G,B".
pixel_at() {
    screen_pixels 1 1 "$1" "$2" |
        sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# Polls (up to about 5 s) until a command succeeds; when it never does, says what it waited
# for: wait_until COMMAND ARGS...
wait_until() {
    local tries=0
    until "$@"; do
        sleep 0.1
        tries=$((tries + 1))
        [ $tries -lt 50 ] || { echo "   (gave up after 5 s waiting for: $*)" >&"$E2E_REPORT"; return 1; }
    done
}

# Runs a command that finishes within SECONDS, or is stopped then, and the test fails saying
# what it waited for: within SECONDS WHAT COMMAND ARGS... (the command's status, 124 if stopped)
within() {
    local seconds=$1 what=$2 status
    shift 2
    timeout --kill-after=2 "$seconds" "$@"
    status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "FAILED: waited ${seconds} s for $what" >&"$E2E_REPORT"
    fi
    return "$status"
}

# Polls (up to about 5 s) until a command prints the expected text; when it never does, says
# what it printed last: wait_for_output EXPECTED COMMAND ARGS...
wait_for_output() {
    local expected=$1 seen tries=0
    shift
    while true; do
        seen=$("$@")
        [ "$seen" = "$expected" ] && return 0
        tries=$((tries + 1))
        [ $tries -lt 50 ] || break
        sleep 0.1
    done
    echo "$* gave '$seen', expected '$expected'" >&2
    return 1
}

# Polls until a pixel has the expected colour ("R,G,B").
wait_for_pixel() {
    wait_for_output "$3" pixel_at "$1" "$2"
}

# A window's client area on the screen: prints "X Y WIDTH HEIGHT". Fails for no window (xwininfo
# would wait for a click on one).
client_geometry() {
    [ -n "$1" ] || { echo "client_geometry: no window given" >&2; return 1; }
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}'
}

# Clicks at a point of a window's client area.
click_at() {
    local id=$1 x=$2 y=$3 button=${4:-1}
    xdotool mousemove --window "$id" "$x" "$y" click "$button"
}

# Replaces a field's text as a person would: click into it, select it from the end with End
# then shift+Home (select-all shortcuts differ between toolkits), type. TYPE_DELAY is the pause
# between keys in milliseconds.
retype() {
    local id=$1 x=$2 y=$3 text=$4
    click_at "$id" "$x" "$y"
    xdotool key --delay "${KEY_DELAY:-20}" End shift+Home
    xdotool type --delay "${TYPE_DELAY:-15}" "$text"
}

# A running count of failed checks, and a check that records a failure without stopping.
FAILURES=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        FAILURES=$((FAILURES + 1))
    fi
}

# Whether a child process of the test ends (within about 10 s) with this exit status. Call it
# directly, not in $(...): a subshell is not the process's parent, and cannot learn its status.
exits_with() {
    local pid=$1 expected=$2 tries=0 status
    while kill -0 "$pid" 2>/dev/null && [ $tries -lt 200 ]; do
        sleep 0.05
        tries=$((tries + 1))
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "still running ($(tr '\0' ' ' </proc/"$pid"/cmdline 2>/dev/null)state" \
            "$(cut -d ' ' -f 3 /proc/"$pid"/stat 2>/dev/null), waiting in" \
            "$(cat /proc/"$pid"/wchan 2>/dev/null); the focus is on" \
            "'$(xdotool getwindowfocus getwindowname 2>/dev/null)')" >&2
        return 1
    fi
    wait "$pid"
    status=$?
    [ "$status" = "$expected" ] || { echo "exit status $status, expected $expected" >&2; return 1; }
}

# How many pixels of a screen rectangle have this colour ("R,G,B").
count_pixels() {
    screen_pixels "$3" "$4" "$1" "$2" | grep -c "($5)"
}

# Waits (up to about 10 s) until the window manager has finished starting: openbox announces
# itself before it is ready to manage windows, and a window mapped in between may stay unmanaged.
wait_for_window_manager_ready() {
    local tries=0 properties
    while [ $tries -lt 500 ]; do
        properties=$(xprop -root _NET_CLIENT_LIST _NET_WORKAREA 2>/dev/null)
        [ -n "$properties" ] && ! grep -q 'not found' <<<"$properties" && return 0
        sleep 0.02
        tries=$((tries + 1))
    done
    return 1
}
