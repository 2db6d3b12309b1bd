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

start_session() {
    start_x_session && wait_for_window_manager_ready || return 1
    [ -z "${E2E_X_RESOURCES:-}" ] || xrdb -nocpp -merge <<<"$E2E_X_RESOURCES"
}

launch_program() {
    "$VARNEL" 2>"$E2E_STDERR" &
    PROGRAM_PID=$!
    # The program goes before its X server does.
    trap 'kill "$PROGRAM_PID" 2>/dev/null; wait "$PROGRAM_PID" 2>/dev/null; stop_x_session' EXIT
}
E2E_STDERR=$(mktemp)

# The X window of the program's visible window with this title.
settled_window() { wait_for_window "$1"; }

# A window's outer rectangle as the program knows it: "LEFT TOP RIGHT BOTTOM", the frame that
# the window manager draws included.
window_rect() { frame_rect "$1"; }

clipboard_text() { xclip -o -selection clipboard 2>/dev/null; }

# Puts a file's text on the clipboard, as another program would (xclip serves it from the
# background until another owner takes the clipboard).
seed_clipboard() { xclip -selection clipboard -i "$1"; }

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
    xclip -o -selection clipboard -t TARGETS 2>/dev/null | awk '
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
    printf '' | xclip -selection primary -i
    local x y
    read -r x y <<<"$(screen_point "$MAIN" ${FIELD[$1]})"
    xdotool mousemove "$x" "$y" click --repeat 3 --delay 60 1
    sleep 0.15
    xclip -o -selection primary 2>/dev/null
}
