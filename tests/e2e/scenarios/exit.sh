#!/usr/bin/env bash
# Closing the main window while the palette and About are open closes all three and ends the
# program with status 0. The close comes from outside (as a task bar's Close does), so the main
# window is not activated first and About is still open when it closes.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

click_main "${PALETTE_BUTTON[@]}"
appears myPalette
click_main "${ABOUT_BUTTON[@]}"
appears About
wmctrl -i -c "$MAIN"
check "the program ends with status 0" exits_with "$PROGRAM_PID" 0
check "no main window is left" gone "$MAIN_TITLE"
check "no palette is left" gone myPalette
check "no About window is left" gone About
finish
