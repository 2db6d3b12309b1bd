# Shared by the Linux end-to-end tests: starts Varnel in a private X session and knows where
# its controls are (client-area pixels, from the main window's design). Source it with the
# program's path as $1.
source "$(dirname "${BASH_SOURCE[0]}")/../x11_session.sh"

VARNEL=$1

# The main window's controls.
PREVIEW_CENTRE=(58 30)     # inside the preview box's drawing area
PREVIEW_AREA=(10 10 101 45)  # the drawing area: x y width height
RED_FIELD=(152 36)
GREEN_FIELD=(192 36)
BLUE_FIELD=(232 36)
HEX_FIELD=(76 76)
BLUE_DOWN_ARROW=(232 137)
COPY_BUTTON=(60 104)
PALETTE_BUTTON=(44 132)
BALL_CHECK_BOX=(20 164)
ABOUT_BUTTON=(160 168)
GREY_PANEL=(200 100)
# The palette's drawing area starts here in its client area.
SPECTRUM_ORIGIN=(4 2)

# Starts Varnel; sets VARNEL_PID, MAIN (the main window's id) and MAIN_X, MAIN_Y.
start_varnel() {
    start_x_session || { echo "FAILED: no X session"; exit 1; }
    wait_for_window_manager_ready || { echo "FAILED: the window manager did not start"; exit 1; }
    "$VARNEL" &
    VARNEL_PID=$!
    # Varnel goes before its X server does.
    trap 'kill "$VARNEL_PID" 2>/dev/null; wait "$VARNEL_PID" 2>/dev/null; stop_x_session' EXIT
    MAIN=$(wait_for_window "Varnel v3.0") || { echo "FAILED: no main window"; exit 1; }
    read -r MAIN_X MAIN_Y _ _ < <(client_geometry "$MAIN")
}

# Clicks at one of the positions above, in the main window.
click_main() {
    click_at "$MAIN" "$1" "$2"
}

# Clicks the main window and waits until it has the keyboard focus.
focus_main() {
    click_main "${GREY_PANEL[@]}"
    local tries=0
    while [ "$(xdotool getwindowfocus 2>/dev/null)" != "$MAIN" ] && [ $tries -lt 100 ]; do
        sleep 0.05
        tries=$((tries + 1))
    done
}

# Waits until the preview shows this colour ("R,G,B").
preview_shows() {
    wait_for_pixel $((MAIN_X + PREVIEW_CENTRE[0])) $((MAIN_Y + PREVIEW_CENTRE[1])) "$1"
}

# Whether a window with this title appears (quietly).
appears() {
    wait_for_window "$1" >/dev/null
}

# Ends the test: reports and sets the exit status.
finish() {
    [ "$FAILURES" -eq 0 ] && echo "all checks passed" || echo "$FAILURES check(s) failed"
    [ "$FAILURES" -eq 0 ]
}
