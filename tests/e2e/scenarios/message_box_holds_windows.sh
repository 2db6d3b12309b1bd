#!/usr/bin/env bash
# A message box is modal to the whole program: while the ERROR box waits, every window refuses
# input as a disabled window does. A press on the palette's spectrum picks nothing, its close
# button closes nothing, a click on the main window's About button opens nothing, and none of
# them makes another window the active one: the box stays active. Once the box is answered, the
# palette takes presses and closes again.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

click_main "${PALETTE_BUTTON[@]}"
check "Palette opens the palette window" appears myPalette
PALETTE=$(settled_window myPalette)
# The red strip at row 100: a pick there sets red 100, green 0 and blue 0.
RED_100=($((SPECTRUM_ORIGIN[0] + 10)) $((SPECTRUM_ORIGIN[1] + 100)))

# Whether the window manager's active window is this one.
is_active() { wait_for_output "$1" xdotool getactivewindow; }

retype_field Text2 256
check "256 brings up the ERROR box" appears ERROR
BOX=$(settled_window ERROR)
click_in "$PALETTE" "${RED_100[@]}"
check "a press on the palette leaves the box the active window" is_active "$BOX"
close_by_frame_button "$PALETTE"
check "the palette's close button leaves the box the active window" is_active "$BOX"
check "and the palette open" on_screen myPalette
click_main "${ABOUT_BUTTON[@]}"
check "a click on the main window leaves the box the active window" is_active "$BOX"
press Return
check "Enter answers the ERROR box" gone ERROR
check "the press on the spectrum picked nothing" preview_is "0,25,0"
check "the click on About opened nothing" eval '! on_screen About'

click_in "$PALETTE" "${RED_100[@]}"
check "once the box is answered, a press on the spectrum picks" preview_is "100,0,0"
close_by_frame_button "$PALETTE"
check "and the palette's close button closes it" gone myPalette
finish
