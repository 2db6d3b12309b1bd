#!/usr/bin/env bash
# The hex code copied in the Linux program can still be pasted after the program ends when a
# clipboard manager runs: at its end the program asks the manager to save the clipboard and
# waits for it, but never much longer than a second, and not at all without a manager.
# Usage: copy_outlives_program.sh PATH_TO_VARNEL PATH_TO_TEST_CLIPBOARD_MANAGER
source "$(dirname "$0")/../x11_session.sh"

VARNEL=$1
MANAGER=$2
# The main window's client-area points.
RED_FIELD=(152 36)
COPY_BUTTON=(60 104)

start_x_session || { echo "FAILED: no X session"; exit 1; }
wait_for_window_manager_ready || { echo "FAILED: the window manager did not start"; exit 1; }
MANAGER_PID=""
VARNEL_PID=""
LOG=$(mktemp)
# Ends a child process of the test, if there is one.
stop() { [ -n "$1" ] && kill "$1" 2>/dev/null && wait "$1" 2>/dev/null; }
trap 'stop "$VARNEL_PID"; stop "$MANAGER_PID"; stop_x_session; rm -f "$LOG"' EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Starts the test's clipboard manager (with any options) and waits until it owns its selection.
start_manager() {
    "$MANAGER" "$@" >"$LOG" &
    MANAGER_PID=$!
    wait_until grep -q ready "$LOG"
}
stop_manager() {
    stop "$MANAGER_PID"
    MANAGER_PID=""
}

start_varnel() {
    "$VARNEL" &
    VARNEL_PID=$!
    MAIN=$(wait_for_window "Varnel v3.0") || { echo "FAILED: no main window"; exit 1; }
}

# Closes the main window with alt+F4 and waits for the program to end; sets STATUS and DELAY
# (milliseconds from the key to the end).
close_varnel() {
    xdotool windowactivate --sync "$MAIN"
    local start tries=0
    start=$(now_ms)
    xdotool key alt+F4
    while kill -0 "$VARNEL_PID" 2>/dev/null && [ $tries -lt 1000 ]; do
        sleep 0.01
        tries=$((tries + 1))
    done
    DELAY=$(($(now_ms) - start))
    if kill -0 "$VARNEL_PID" 2>/dev/null; then
        STATUS="still running"
        stop "$VARNEL_PID"
    else
        wait "$VARNEL_PID"
        STATUS=$?
    fi
    VARNEL_PID=""
    echo "   (the program ended $DELAY ms after alt+F4)"
}
ends_within() { [ "$STATUS" = 0 ] && [ "$DELAY" -le "$1" ]; }
clipboard_is() { [ "$(xclip -selection clipboard -o 2>/dev/null)" = "$1" ]; }

# Without a manager, the program ends at once.
start_varnel
click_at "$MAIN" "${COPY_BUTTON[@]}"
wait_until clipboard_is "#000000"
close_varnel
check "without a clipboard manager the program ends with status 0 within 0.5 s" ends_within 500

# With a manager, the copied code outlives the program.
start_manager
start_varnel
retype "$MAIN" "${RED_FIELD[@]}" 200
click_at "$MAIN" "${COPY_BUTTON[@]}"
wait_until clipboard_is "#C80000"
close_varnel
check "with a clipboard manager the program ends with status 0 within 1 s" ends_within 1000
check "the manager saved the code" grep -q "saved #C80000" "$LOG"
check "the code can be pasted after the program has ended" clipboard_is "#C80000"
stop_manager

# With a manager but nothing copied, there is nothing to hand over.
start_manager
start_varnel
close_varnel
check "with a manager and nothing copied the program ends with status 0 within 0.5 s" \
    ends_within 500
stop_manager

# A manager that never answers holds the program up for about a second only.
start_manager --silent
start_varnel
click_at "$MAIN" "${COPY_BUTTON[@]}"
wait_until clipboard_is "#000000"
close_varnel
check "with a manager that never answers the program ends with status 0 within 2 s" \
    ends_within 2000
stop_manager

[ "$FAILURES" -eq 0 ] && echo "all checks passed" || echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
