#!/usr/bin/env bash
# The About window, opened and closed many times in a build of the Linux program under
# AddressSanitizer: when the program ends, LeakSanitizer must find nothing left unreachable,
# apart from the libraries' own leaks listed in the suppressions file.
# Usage: about_leaks.sh PATH_TO_VARNEL SUPPRESSIONS_FILE [CYCLES]
source "$(dirname "$0")/../scenario.sh" linux "$1"
SUPPRESSIONS=$2
CYCLES=${3:-30}

# The libraries' leaks are suppressed by the functions they pass through, which only the full
# unwinder finds: they are built without frame pointers.
export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0
export LSAN_OPTIONS=suppressions=$SUPPRESSIONS:print_suppressions=1
start_program

opened=0
for ((cycle = 1; cycle <= CYCLES; cycle++)); do
    click_main "${ABOUT_BUTTON[@]}"
    about=$(wait_for_window About) || break
    # Half the time with its Close button, half by going back to the main window.
    if ((cycle % 2)); then
        click_in "$about" "${ABOUT_CLOSE[@]}"
    else
        click_main "${GREY_PANEL[@]}"
    fi
    gone About || break
    opened=$cycle
done
check "the About window opened and closed $CYCLES times" [ "$opened" -eq "$CYCLES" ]

reports_no() { ! grep -qE "$1" "$E2E_STDERR"; }
close_by_keyboard "$MAIN"
check "the program ends with status 0" exits_with "$PROGRAM_PID" 0
check "LeakSanitizer reports no leak" reports_no "ERROR: LeakSanitizer"
check "no other sanitizer error" reports_no "ERROR: AddressSanitizer|runtime error"
jpeg_leaks=$(awk '$3 == "Fl_JPEG_Image::Fl_JPEG_Image" {print $1}' "$E2E_STDERR")
check "the photograph was decoded at most once (${jpeg_leaks:-0} decodes)" \
    [ "${jpeg_leaks:-0}" -le 1 ]
# What the sanitizers said, when something failed.
[ "$FAILURES" -eq 0 ] || cat "$E2E_STDERR"
finish
