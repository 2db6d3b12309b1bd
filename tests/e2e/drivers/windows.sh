# The Windows program's driver: varnel.exe under Wine, in a private Xvfb with openbox and a Wine
# prefix of the build's. Source it with the Windows build directory. It defines what scenario.sh
# needs of a driver; the clipboard is read and written on the Windows side, since Wine's bridge
# to the X clipboard misses a change now and then. What a screen reader reads, the reader reads
# (windows/reader.cpp), with the program's annotations recorded by the tests' stand-in for the
# property service, which this Wine lacks (windows/annotation_recorder.cpp).
#
# A test of the program on a scaled screen sets E2E_SCALE_DPI: the prefix's dots per inch (its
# LogPixels) while the test runs; every other test runs the program at 96.

WINDOWS_BUILD=$1
VARNEL_EXE=$WINDOWS_BUILD/varnel.exe
PROBE_EXE=$WINDOWS_BUILD/probe.exe
READER_EXE=$WINDOWS_BUILD/reader.exe
ANNOTATION_RECORDER=$WINDOWS_BUILD/annotation_recorder.dll
CLIPBOARD_EXE=$WINDOWS_BUILD/clipboard.exe
command -v wine >/dev/null || { echo "SKIPPED: Wine is not installed"; exit 77; }
for exe in "$VARNEL_EXE" "$PROBE_EXE" "$READER_EXE" "$ANNOTATION_RECORDER" "$CLIPBOARD_EXE"; do
    [ -f "$exe" ] || { echo "FAILED: $exe is missing"; return 1; }
done

SCALE_DPI=${E2E_SCALE_DPI:-96}

# Wine loses keys typed faster than this (milliseconds between keys).
TYPE_DELAY=40
KEY_DELAY=60
# A window that another one uncovers keeps its content: Wine, like a composited desktop, copies
# it back itself and asks the program to paint nothing.
UNCOVERED_WINDOWS_KEEP_CONTENT=yes
# Wine shows a window on the X screen only where it reaches the screen, and hands its place to
# the window manager as placed by the program (PPosition): openbox puts such a new window wholly
# on the screen. A window wholly beyond the screen stays where it is, unseen. (On Windows itself
# every window stands where the program put it.)
NEW_WINDOWS_ON_SCREEN=whole

export WINEPREFIX
# A test that runs long beside the others (the soak) names a prefix of its own in
# E2E_WINE_PREFIX; the others share the build's.
WINEPREFIX=$(cd "$WINDOWS_BUILD" && pwd)/${E2E_WINE_PREFIX:-wineprefix}
# One scenario at a time uses the prefix, also across test runs started side by side: each
# scenario's Wine server is the prefix's, and the scenario ends by stopping it. The scenario
# starts again, as it was started, under the lock, which flock holds itself: no process that the
# scenario leaves behind (when a time limit kills it) keeps the lock.
if [ -z "${VARNEL_WINE_LOCKED:-}" ]; then
    mapfile -d '' command_line </proc/$$/cmdline
    VARNEL_WINE_LOCKED=1 exec flock --close "$WINEPREFIX.lock" "${command_line[@]}"
fi

start_session() {
    start_x_session || return 1
    wait_for_window_manager_ready || return 1
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
    register_annotation_recorder
    wineserver -p
    trap stop_session EXIT
    set_prefix_dpi "$SCALE_DPI"
}

# Wine shows the prefix's programs at its LogPixels, which stays as the last test left it: it is
# set when it is not the one wanted.
set_prefix_dpi() {
    local value
    value=$(sed -n '/^\[Control Panel\\\\Desktop\]/,/^$/ s/^"LogPixels"=dword:0*\([0-9a-f]*\)$/\1/p' \
        "$WINEPREFIX/user.reg")
    [ "$((16#${value:-60}))" -eq "$1" ] ||
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# The property service's class, whose server the program loads when it annotates its controls,
# is the annotation recorder in this prefix (once; again if the build moved, or Wine registered
# its own anew).
ACC_PROP_SERVICES='HKLM\Software\Classes\CLSID\{B5F8350B-0548-48B1-A6EE-88BD00B4A5E7}'
register_annotation_recorder() {
    local server path
    path=$(cd "$(dirname "$ANNOTATION_RECORDER")" && pwd)/$(basename "$ANNOTATION_RECORDER")
    server="Z:${path//\//\\}"
    # system.reg doubles each backslash.
    grep -qF "@=\"${server//\\/\\\\}\"" "$WINEPREFIX/system.reg" 2>/dev/null && return
    wine reg add "$ACC_PROP_SERVICES\\InprocServer32" /ve /d "$server" /f >/dev/null 2>&1
}

stop_session() {
    [ -n "${PROGRAM_PID:-}" ] && kill "$PROGRAM_PID" 2>/dev/null
    wineserver -k 2>/dev/null
    stop_x_session
}

launch_program() {
    wine "$VARNEL_EXE" >/dev/null 2>&1 &
    PROGRAM_PID=$!
}

# Wine may replace a new window's X window while it maps it: the id printed is one that still
# exists after a moment.
settled_window() {
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

# A window's outer rectangle as the program knows it: "LEFT TOP RIGHT BOTTOM". Wine frames a
# window by its own measures, which need not be those of the window manager's frame.
window_rect() {
    local title
    title=$(xprop -id "$1" WM_NAME | sed -n 's/^WM_NAME([^)]*) = "\(.*\)"$/\1/p')
    probe "$title" | awk '$1 == "window" { print $2, $3, $4, $5; exit }'
}

clipboard_text() { within 30 "the clipboard's text" wine "$CLIPBOARD_EXE" get 2>/dev/null; }

# Another program opens the clipboard and keeps it for SECONDS; returns once it holds it.
hold_clipboard() {
    local holding
    holding=$(mktemp)
    wine "$CLIPBOARD_EXE" hold "$1" >"$holding" 2>/dev/null &
    CLIPBOARD_HOLDER=$!
    wait_until grep -q held "$holding"
}
wait_for_clipboard_release() {
    local tries=0
    while kill -0 "$CLIPBOARD_HOLDER" 2>/dev/null; do
        ((++tries < 300)) ||
            { echo "FAILED: waited 30 s for the clipboard's holder to end" >&"$E2E_REPORT"; return 1; }
        sleep 0.1
    done
    wait "$CLIPBOARD_HOLDER"
}

seed_clipboard() {
    within 30 "the clipboard to take $(wc -c <"$1") bytes" \
        wine "$CLIPBOARD_EXE" set "$(winepath -w "$1" 2>/dev/null)" >/dev/null 2>&1
}

# Another program copies a text with a picture beside it.
seed_clipboard_with_picture() {
    within 30 "the clipboard to take a text and a picture" \
        wine "$CLIPBOARD_EXE" set-with-picture "$(winepath -w "$1" 2>/dev/null)" >/dev/null 2>&1
}

# What the clipboard holds, one line each: "text" for its text formats, "picture" for its
# bitmaps, other formats by name.
clipboard_formats() {
    within 30 "the clipboard's formats" wine "$CLIPBOARD_EXE" formats 2>/dev/null | tr -d '\r' | sort -u
}

# What the probe reads of the window with this title (see probe.cpp for the format).
probe() { within 30 "the probe to read $*" wine "$PROBE_EXE" "$@" 2>/dev/null | tr -d '\r'; }

# A field's text, read by the probe after a click that gives the field the focus (as reading it
# does on Linux). The edit controls are numbered in Tab order.
declare -A EDIT_OF=([Text1]="Edit#1" [Text2]="Edit#2" [Text3]="Edit#3" [Text4]="Edit#4")
field_text() {
    click_field "$1"
    sleep 0.15
    probe "$MAIN_TITLE" | awk -v name="${EDIT_OF[$1]}" '$1 == name { sub(/^[^ ]+ ?/, ""); print; exit }'
}

# What a screen reader reads (see scenarios/screen_reader.sh for the words, windows/reader.cpp for
# how they are read).
accessible_tree() {
    within 30 "the reader to read $1" wine "$READER_EXE" tree "$1" 2>/dev/null | tr -d '\r'
}
accessible_focus() { within 30 "the reader to find the focus" wine "$READER_EXE" focus 2>/dev/null | tr -d '\r'; }
accessible_press() {
    within 30 "the reader to press $2 in $1" wine "$READER_EXE" press "$1" "$2" >/dev/null 2>&1
}
