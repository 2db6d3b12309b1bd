#!/usr/bin/env bash
# The palette window: Palette places it beside the main window and shows or hides it; pressing
# and dragging over the spectrum pick the colour drawn under the pointer; its frame stays fixed
# however often it is shown.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

click_main "${PALETTE_BUTTON[@]}"
check "Palette opens the palette window" appears myPalette
PALETTE=$(settled_window myPalette)
check_place "it stands right of the main window, tops level" beside_main
check "it can be neither resized, minimized nor maximized" fixed_frame "$PALETTE"

# A point of the spectrum: column and row of the drawing area, on the screen.
spectrum() { screen_point "$PALETTE" $((SPECTRUM_ORIGIN[0] + $1)) $((SPECTRUM_ORIGIN[1] + $2)); }
check "the spectrum's green strip shows row 100 as green 100" \
    wait_for_pixel $(spectrum 30 100) "0,100,0"

press_at() {
    xdotool mousemove $(spectrum "$1" "$2") click 1
}
press_at 41 200
check "a press in the last green column picks green" preview_is "0,200,0"
press_at 90 250
check "a press in the magenta strip picks magenta" preview_is "250,0,250"
press_at 20 128
check "a press in the last red column picks red" preview_is "128,0,0"

xdotool mousemove $(spectrum 30 100) mousedown 1
for step in 1 2 3 4; do
    xdotool mousemove $(spectrum $((30 + 5 * step)) $((100 + 12 * step)))
    sleep 0.05
done
check "a drag from green into blue picks the blue under the pointer" preview_is "0,0,148"
xdotool mousemove $(spectrum 50 -20)
sleep 0.2
xdotool mouseup 1
check "dragging out above the spectrum changes nothing" preview_is "0,0,148"

click_main "${PALETTE_BUTTON[@]}"
check "a second click hides it" gone myPalette
click_main "${PALETTE_BUTTON[@]}"
check "a third shows it again" appears myPalette
PALETTE=$(settled_window myPalette)
check_place "beside the main window" beside_main
check "with its fixed frame" fixed_frame "$PALETTE"

# Moved elsewhere, the main window takes the palette along on the next click (which hides it).
xdotool windowmove "$MAIN" 100 300
sleep 0.5
click_main "${PALETTE_BUTTON[@]}"
gone myPalette
click_main "${PALETTE_BUTTON[@]}"
check "after the main window moved, Palette brings it beside again" appears myPalette
PALETTE=$(settled_window myPalette)
check_place "beside the main window's new place" beside_main
finish
