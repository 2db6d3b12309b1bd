#!/usr/bin/env bash
# The hex code copied in the Linux program can still be pasted after the program ends when a
# clipboard manager runs: at its end the program asks the manager to save the clipboard and
# waits for it, but never much longer than a second, and not at all without a manager.
# Usage: copy_outlives_program.sh PATH_TO_VARNEL PATH_TO_TEST_CLIPBOARD_MANAGER
source "$(dirname "$0")/../scenario.sh" linux "$1"
MANAGER=$2
start_session || { echo "FAILED: no X session"; exit 1; }
MANAGER_LOG=$(mktemp)

# Starts the test's clipboard manager (with any options) and waits until it owns its selection.
start_manager() {
    "$MANAGER" "$@" >"$MANAGER_LOG" &
    MANAGER_PID=$!
    wait_until grep -q ready "$MANAGER_LOG"
}
stop_manager() { kill "$MANAGER_PID" 2>/dev/null && wait "$MANAGER_PID" 2>/dev/null; }

start_varnel() {
    launch_program
    MAIN=$(settled_window "$MAIN_TITLE") || { echo "FAILED: no main window"; exit 1; }
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Closes the main window with Alt+F4; checks that the program ends with status 0 within this
# many milliseconds from the key.
closes_within() {
    local limit=$1 start
    focus_window "$MAIN"
    start=$(now_ms)
    press alt+F4
    # A program left running would answer for the next case's window.
    exits_with "$PROGRAM_PID" 0 || { kill "$PROGRAM_PID"; wait "$PROGRAM_PID"; return 1; }
    echo "   (the program ended $(($(now_ms) - start)) ms after Alt+F4)"
    (($(now_ms) - start <= limit))
}
copy_code() {
    click_main "${COPY_BUTTON[@]}"
    wait_for_output "$1" clipboard_text
}

start_varnel
copy_code "#000000"
check "without a clipboard manager the program ends with status 0 within 0.5 s" closes_within 500

start_manager
start_varnel
retype_field Text1 200
copy_code "#C80000"
check "with a clipboard manager the program ends with status 0 within 1 s" closes_within 1000
check "the manager saved the code" grep -q "saved #C80000" "$MANAGER_LOG"
check "the code can be pasted after the program has ended" wait_for_output "#C80000" clipboard_text
stop_manager

start_manager
start_varnel
check "with a manager and nothing copied the program ends with status 0 within 0.5 s" \
    closes_within 500
stop_manager

# A manager that never answers holds the program up for about a second only.
start_manager --silent
start_varnel
copy_code "#000000"
check "with a manager that never answers the program ends with status 0 within 2 s" \
    closes_within 2000
stop_manager
finish
