#!/usr/bin/env bash
# The About window, opened and closed many times in a build of the Linux program under
# AddressSanitizer: when the program ends, LeakSanitizer must find nothing left unreachable,
# apart from the libraries' own leaks listed in the suppressions file.
# Usage: about_leaks.sh PATH_TO_VARNEL SUPPRESSIONS_FILE [CYCLES]
source "$(dirname "$0")/../x11_session.sh"

VARNEL=$1
SUPPRESSIONS=$2
CYCLES=${3:-30}
# Client-area points of the main window and of the About window.
ABOUT_BUTTON=(160 168)
NEUTRAL_SPOT=(200 100)
CLOSE_BUTTON=(100 156)

start_x_session || { echo "FAILED: no X session"; exit 1; }
wait_for_window_manager_ready || { echo "FAILED: the window manager did not start"; exit 1; }
REPORT=$(mktemp)
# The libraries' leaks are suppressed by the functions they pass through, which only the full
# unwinder finds: they are built without frame pointers.
ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0 \
    LSAN_OPTIONS=suppressions=$SUPPRESSIONS:print_suppressions=1 \
    "$VARNEL" 2>"$REPORT" &
VARNEL_PID=$!
trap 'kill "$VARNEL_PID" 2>/dev/null; wait "$VARNEL_PID" 2>/dev/null; stop_x_session
      rm -f "$REPORT"' EXIT
MAIN=$(wait_for_window "Varnel v3.0") || { echo "FAILED: no main window"; exit 1; }

opened=0
for ((cycle = 1; cycle <= CYCLES; cycle++)); do
    click_at "$MAIN" "${ABOUT_BUTTON[@]}"
    about=$(wait_for_window About) || break
    # Half the time with its Close button, half by going back to the main window.
    if ((cycle % 2)); then
        click_at "$about" "${CLOSE_BUTTON[@]}"
    else
        click_at "$MAIN" "${NEUTRAL_SPOT[@]}"
    fi
    wait_for_no_window About || break
    opened=$cycle
done
check "the About window opened and closed $CYCLES times" [ "$opened" -eq "$CYCLES" ]

# Waits (up to about 20 s: the leak check takes a while) for the program to end; sets STATUS.
wait_for_end() {
    local tries=0
    while kill -0 "$VARNEL_PID" 2>/dev/null && [ $tries -lt 400 ]; do
        sleep 0.05
        tries=$((tries + 1))
    done
    kill -0 "$VARNEL_PID" 2>/dev/null && { STATUS="still running"; return; }
    wait "$VARNEL_PID"
    STATUS=$?
}
reports_no() { ! grep -qE "$1" "$REPORT"; }

xdotool windowactivate --sync "$MAIN" key alt+F4
wait_for_end
check "the program ends with status 0 (it was $STATUS)" [ "$STATUS" = 0 ]
check "LeakSanitizer reports no leak" reports_no "ERROR: LeakSanitizer"
check "no other sanitizer error" reports_no "ERROR: AddressSanitizer|runtime error"
jpeg_leaks=$(awk '$3 == "Fl_JPEG_Image::Fl_JPEG_Image" {print $1}' "$REPORT")
check "the photograph was decoded at most once (${jpeg_leaks:-0} decodes)" \
    [ "${jpeg_leaks:-0}" -le 1 ]
# What the sanitizers said, when something failed.
[ "$FAILURES" -eq 0 ] || cat "$REPORT"

[ "$FAILURES" -eq 0 ] && echo "all checks passed" || echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
