#!/usr/bin/env bash
# varnel.exe under Wine through 30 cycles of opening and closing the palette and the About
# window with Ball running: after the first 10 cycles, the GDI objects and the windows it holds
# come back to the same counts every time.
#
# Usage: windows_soak.sh WINDOWS-BUILD-DIR [CYCLES]   (CYCLES defaults to 30)
source "$(dirname "$0")/../scenario.sh" windows "$1"
cycles=${2:-30}
start_program
click_main "${BALL_CHECK_BOX[@]}"

# "GDI-OBJECTS WINDOWS", read from the program's process.
held() { wine "$WINDOWS_BUILD/resources.exe" "$MAIN_TITLE" 2>/dev/null | tr -d '\r' | awk '{ print $2 }' | paste -sd ' '; }

cycle() {
    click_main "${PALETTE_BUTTON[@]}"
    appears myPalette || return 1
    close_by_frame_button "$(settled_window myPalette)"
    gone myPalette || return 1
    click_main "${ABOUT_BUTTON[@]}"
    appears About || return 1
    click_in "$(settled_window About)" "${ABOUT_CLOSE[@]}"
    gone About
}

for ((i = 1; i <= cycles; i++)); do
    cycle || { echo "FAILED: cycle $i did not open and close both windows"; break; }
    # The main window's activation loads About again, hidden, after each cycle; counted then.
    sleep 0.3
    counts=$(held)
    ((i == 10)) && settled=$counts
    ((i > 10)) && [ "$counts" != "$settled" ] && echo "cycle $i: $counts (after 10 cycles: $settled)"
done
echo "GDI objects and windows after 10 cycles: $settled; after $cycles: $counts"
check "the program holds as many GDI objects and windows as after 10 cycles" \
    test -n "$settled" -a "$counts" = "$settled"
check "the program is still running" kill -0 "$PROGRAM_PID"
finish
