# The Linux program's driver: build/linux/varnel in a private Xvfb with openbox. Source it with
# the program's path. It defines what scenario.sh needs of a driver.
#
# A test of the program on a scaled desktop sets what the desktop says (VARNEL_SCALE, GDK_SCALE
# in the environment, or X resources such as Xft.dpi in E2E_X_RESOURCES, merged into the
# session's resources before the program starts) and, in E2E_SCALE_DPI, the device pixels to the
# inch it expects the program to take from that.

VARNEL=$1
[ -x "$VARNEL" ] || { echo "FAILED: $VARNEL is missing"; return 1; }

# An X server without a compositing manager discards what another window covered and asks the
# program to paint it again.
UNCOVERED_WINDOWS_KEEP_CONTENT=no
# FLTK gives a window that the program placed as placed by the user (USPosition); openbox keeps
# a tenth of such a new window's width and height on the screen, and its top edge not above it.
NEW_WINDOWS_ON_SCREEN=tenth
SCALE_DPI=${E2E_SCALE_DPI:-96}
# Any other test runs the program unscaled, whatever scale the desktop the tests started from asks.
[ -n "${E2E_SCALE_DPI:-}" ] || unset VARNEL_SCALE GDK_SCALE

# The desktop the program runs on: the X server and its window manager.
start_desktop() { start_x_session && wait_for_window_manager_ready; }
stop_desktop() { stop_x_session; }

# The session: the desktop, and a session bus of its own, as a desktop session has, on which the
# AT-SPI bus launcher starts when a screen reader needs it. The launcher keeps its settings in
# memory: a test must not turn on the screen reader of the desktop it runs in.
start_session() {
    start_desktop || return 1
    [ -z "${E2E_X_RESOURCES:-}" ] || xrdb -nocpp -merge <<<"$E2E_X_RESOURCES"
    local bus
    bus=$(GSETTINGS_BACKEND=memory dbus-daemon --session --fork --print-address=1 --print-pid=1) ||
        return 1
    export DBUS_SESSION_BUS_ADDRESS=${bus%%$'\n'*}
    SESSION_BUS_PID=${bus##*$'\n'}
    trap stop_session EXIT
}

stop_session() {
    local pid
    [ ! -e "$READER_LOG.pid" ] || kill "$(cat "$READER_LOG.pid")" 2>/dev/null
    if [ -n "${SESSION_BUS_PID:-}" ]; then
        kill "$SESSION_BUS_PID" 2>/dev/null
        SESSION_BUS_PID=
    fi
    rm -f "$READER_LOG" "$READER_LOG.pid" "$READER_LOG.on"
    stop_desktop
}

launch_program() {
    "$VARNEL" 2>"$E2E_STDERR" &
    PROGRAM_PID=$!
    # The program goes before its session does.
    trap 'kill "$PROGRAM_PID" 2>/dev/null; wait "$PROGRAM_PID" 2>/dev/null; stop_session' EXIT
}
E2E_STDERR=$(mktemp)

# The X window of the program's visible window with this title.
settled_window() { wait_for_window "$1"; }

# A window's outer rectangle as the program knows it: "LEFT TOP RIGHT BOTTOM", the frame that
# the window manager draws included.
window_rect() { frame_rect "$1"; }

clipboard_text() { within 10 "the clipboard's text" xclip -o -selection clipboard 2>/dev/null; }

# Puts a file's text on the clipboard, as another program would (xclip serves it from the
# background until another owner takes the clipboard).
seed_clipboard() { xclip -selection clipboard -i "$1"; }

# A figure of the program's memory in KiB, from its status: VmRSS (resident now) or VmHWM (the
# most it has been resident).
memory_kib() { awk -v key="$1:" '$1 == key { print $2 }' "/proc/$PROGRAM_PID/status"; }

# Offers a file's text as a selection (primary or clipboard) until a program has read it once;
# sets XCLIP_PID, which ends then.
offer() {
    XCLIP_LOG=${XCLIP_LOG:-$(mktemp)}
    # Emptied before xclip starts: the last offer's words must not count as this one's.
    : >"$XCLIP_LOG"
    xclip -selection "$1" -i -verbose -loops 1 <"$2" >>"$XCLIP_LOG" 2>&1 &
    XCLIP_PID=$!
    # Ready once it owns the selection.
    wait_until grep -q "Waiting for one selection request" "$XCLIP_LOG"
}
# Whether the program read the offered text (once, as a whole) within 20 s.
was_read() {
    local tries=0
    while kill -0 "$XCLIP_PID" 2>/dev/null && [ $tries -lt 400 ]; do
        sleep 0.05
        tries=$((tries + 1))
    done
    kill "$XCLIP_PID" 2>/dev/null && return 1
    wait "$XCLIP_PID"
}

# Another program copies a picture (xclip serves one format at a time: the picture alone, no text
# beside it).
seed_clipboard_with_picture() {
    local picture
    picture=$(mktemp --suffix=.png)
    convert -size 1x1 xc:orange "png:$picture"
    xclip -selection clipboard -t image/png -i "$picture"
}

# What the clipboard's owner offers, one line each: "text" for its text formats, "picture" for
# its images, other targets by name.
clipboard_formats() {
    xclip -o -selection clipboard -t TARGETS 2>/dev/null | clipboard_format_names
}
# The names of the targets or types read, in those words.
clipboard_format_names() {
    awk '
        /^(TARGETS|TIMESTAMP|MULTIPLE|SAVE_TARGETS)$/ { next }
        /^(UTF8_STRING|STRING|TEXT|COMPOUND_TEXT)$/ || /^text\/plain/ { print "text"; next }
        /^image\// { print "picture"; next }
        { print }' | sort -u
}

# No program can hold the X clipboard: whoever asks for it gets it, at any time.
hold_clipboard() {
    echo "SKIPPED: on X no program can hold the clipboard, so no copy can find it busy"
    exit 77
}

# A field's text: a triple click selects it all, which makes it the primary selection. The click
# gives the field the focus, as it would on Windows.
field_text() {
    printf '' | xclip -selection primary -i >/dev/null 2>&1
    local x y
    read -r x y <<<"$(screen_point "$MAIN" ${FIELD[$1]})"
    xdotool mousemove "$x" "$y" click --repeat 3 --delay 60 1
    sleep 0.15
    # A program that does not answer leaves the field unread, not the test waiting.
    timeout 5 xclip -o -selection primary 2>/dev/null
}

# A screen reader (tests/e2e/linux/screen_reader.py, over AT-SPI): the first word that needs one
# starts it as a person starts Orca after the program: it listens to the program's events, and
# turns the desktop's screen reader setting on, which the program follows. The words run in
# subshells too: what they start is written down in files.
SCREEN_READER=(/usr/bin/python3 "$E2E_DIR/linux/screen_reader.py")
READER_LOG=$(mktemp)
screen_reader_on() {
    [ ! -e "$READER_LOG.on" ] || return 0
    screen_reader_listens && set_screen_reader_setting true && touch "$READER_LOG.on" &&
        wait_until "${SCREEN_READER[@]}" tree "$PROGRAM_PID" "$MAIN_TITLE" >/dev/null 2>&1 ||
        { echo "the program is not read" >&2; return 1; }
}
# The screen reader listens from now on (the desktop's setting unchanged).
screen_reader_listens() {
    [ ! -e "$READER_LOG.pid" ] || return 0
    "${SCREEN_READER[@]}" listen "$PROGRAM_PID" "$READER_LOG" >/dev/null 2>&1 &
    echo $! >"$READER_LOG.pid"
    wait_until grep -q '^ready$' "$READER_LOG" || { echo "the screen reader does not listen" >&2; return 1; }
}
set_screen_reader_setting() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:ScreenReaderEnabled \
        "variant:boolean:$1" >/dev/null
}

accessible_tree() { screen_reader_on && "${SCREEN_READER[@]}" tree "$PROGRAM_PID" "$1"; }
accessible_press() { screen_reader_on && "${SCREEN_READER[@]}" press "$PROGRAM_PID" "$1" "$2"; }
# The object of the last focus event the screen reader heard.
accessible_focus() {
    screen_reader_on &&
        awk -F '\t' '$1 == "object:state-changed:focused" && $4 == 1 { focus = $2 "\t" $3 }
            END { print focus }' "$READER_LOG"
}
