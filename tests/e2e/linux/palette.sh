#!/usr/bin/env bash
# The palette window: it opens beside the main window, a drag over its spectrum picks the
# colour, and the Palette button hides it again.
source "$(dirname "$0")/varnel_driver.sh"
start_varnel

click_main "${PALETTE_BUTTON[@]}"
PALETTE=$(wait_for_window myPalette)
check "Palette opens the myPalette window" test -n "$PALETTE"

# Beside: the palette's frame starts where the main window's frame ends, at the same height.
read -r main_x main_y main_w _ < <(client_geometry "$MAIN")
read -r palette_x palette_y _ _ < <(client_geometry "$PALETTE")
read -r left right _ _ < <(xprop -id "$MAIN" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
check "the palette stands right of the main window" \
    test "$palette_x" -eq $((main_x + main_w + right + left))
check "the palette's top is level with the main window's" test "$palette_y" -eq "$main_y"

# Spectrum columns 21 to 41 are the green strip; row y holds y.
spectrum_x=$((palette_x + SPECTRUM_ORIGIN[0]))
spectrum_y=$((palette_y + SPECTRUM_ORIGIN[1]))
check "the palette shows its spectrum" wait_for_pixel $((spectrum_x + 30)) $((spectrum_y + 100)) "0,100,0"

# A drag from the green strip into the blue one (columns 42 to 62).
xdotool mousemove $((spectrum_x + 30)) $((spectrum_y + 100)) mousedown 1
check "pressing on the spectrum picks its colour" preview_shows "0,100,0"
for step in 1 2 3 4; do
    xdotool mousemove $((spectrum_x + 30 + 5 * step)) $((spectrum_y + 100 + 12 * step))
    sleep 0.02
done
xdotool mouseup 1
check "dragging over the spectrum picks the colour under the pointer" preview_shows "0,0,148"

click_main "${PALETTE_BUTTON[@]}"
check "a second click on Palette hides the palette" wait_for_no_window myPalette
finish
