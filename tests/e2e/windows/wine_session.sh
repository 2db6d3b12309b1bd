# Shared by the Windows end-to-end tests: varnel.exe under Wine in a private X session, and the
# probe that reads its windows. Source it with the Windows build directory as $1; it defines
# functions and the VARNEL_PID of the running program.

# shellcheck source=../x11_session.sh
source "$(dirname "${BASH_SOURCE[0]}")/../x11_session.sh"

WINDOWS_BUILD=$1
VARNEL_EXE=$WINDOWS_BUILD/varnel.exe
PROBE_EXE=$WINDOWS_BUILD/probe.exe
MAIN_TITLE="Varnel v3.0"

# Wine's edit controls lose keys typed faster than this (milliseconds between keys).
TYPE_DELAY=40

# Starts the X session and a Wine server that stays up for the test; both stop when it exits.
start_wine_session() {
    for exe in "$VARNEL_EXE" "$PROBE_EXE"; do
        [ -f "$exe" ] || { echo "FAILED: $exe is missing (cmake --build --preset windows)"; exit 1; }
    done
    export WINEPREFIX
    WINEPREFIX=$(cd "$WINDOWS_BUILD/.." && pwd)/wineprefix
    # One test at a time uses the prefix, also across test runs started side by side: each
    # test's Wine server is the prefix's, and the test ends by stopping it.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    start_x_session || exit 1
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # The first start creates the prefix (about 10 s); later ones only start the server.
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    # This Wine looks for its own fonts (MS Sans Serif, Tahoma) in the prefix only, and a new
    # prefix lacks them: without them every face falls back to a wider one.
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    [ -f "$fonts/sserife.fon" ] || cp /usr/share/wine/fonts/* "$fonts/"
    wineserver -p
    trap stop_wine_session EXIT
}

stop_wine_session() {
    [ -n "${VARNEL_PID:-}" ] && kill "$VARNEL_PID" 2>/dev/null
    wineserver -k 2>/dev/null
    stop_x_session
}

# Starts varnel.exe and waits for its main window; sets VARNEL_PID and MAIN, the window's X id.
start_varnel() {
    wine "$VARNEL_EXE" >/dev/null 2>&1 &
    VARNEL_PID=$!
    MAIN=$(wait_for_settled_window "$MAIN_TITLE") ||
        { echo "FAILED: no window titled '$MAIN_TITLE'"; exit 1; }
}

# Like wait_for_window, but Wine may replace a new window's X window while it maps it: the id
# printed is one that still exists after a moment.
wait_for_settled_window() {
    local title=$1 id tries=0
    while [ $tries -lt 20 ]; do
        id=$(wait_for_window "$title") || return 1
        sleep 0.2
        xwininfo -id "$id" >/dev/null 2>&1 && [ "$(wait_for_window "$title")" = "$id" ] &&
            { echo "$id"; return 0; }
        tries=$((tries + 1))
    done
    return 1
}

# Whether a visible window with this title is up (waits up to about 10 s).
window_up() {
    wait_for_window "$1" >/dev/null
}

# What the probe reads of the window with this title (see probe.cpp for the format).
probe() {
    wine "$PROBE_EXE" "$1" 2>/dev/null | tr -d '\r'
}

# One value the probe reads: "probe_value TITLE Edit#1" prints the first edit's text,
# "probe_value TITLE window" the window's rectangle and visibility.
probe_value() {
    probe "$1" | awk -v name="$2" '$1 == name { sub(/^[^ ]+ ?/, ""); print; exit }'
}

# Polls until a value reads as expected: wait_for_value TITLE NAME EXPECTED.
wait_for_value() {
    wait_for_output "$3" probe_value "$1" "$2"
}

# Checks several values of one window at once: expect_values TITLE NAME=VALUE...
expect_values() {
    local title=$1 state pair name expected seen ok=0
    shift
    state=$(probe "$title")
    for pair in "$@"; do
        name=${pair%%=*}
        expected=${pair#*=}
        seen=$(awk -v name="$name" '$1 == name { sub(/^[^ ]+ ?/, ""); print; exit }' <<<"$state")
        [ "$seen" = "$expected" ] || { echo "$title $name is '$seen', expected '$expected'" >&2; ok=1; }
    done
    return $ok
}

# A point of a window's client area on the screen: prints "X Y".
screen_point() {
    local id=$1 x=$2 y=$3 geometry
    read -r -a geometry <<<"$(client_geometry "$id")"
    echo "$((geometry[0] + x)) $((geometry[1] + y))"
}

