#!/usr/bin/env bash
# Varnel starts with a black preview; closing the main window closes every window and ends the
# process with status 0.
source "$(dirname "$0")/varnel_driver.sh"
start_varnel

check "the main window is titled 'Varnel v3.0'" test -n "$MAIN"
check "the preview starts black" preview_shows "0,0,0"

click_main "${PALETTE_BUTTON[@]}"
check "the palette opens" appears myPalette

focus_main
xdotool key alt+F4
check "the process ends with status 0" exits_with "$VARNEL_PID" 0
check "no main window is left" wait_for_no_window "Varnel v3.0"
check "no palette window is left" wait_for_no_window myPalette
finish
