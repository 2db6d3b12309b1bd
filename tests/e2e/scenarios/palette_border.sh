#!/usr/bin/env bash
# Only the spectrum the palette's box shows picks a colour: a press on the box's right or bottom
# border, which covers the spectrum's last columns and rows, picks nothing, and neither does a
# drag over the border or the margin beyond it. The last pixel shown still picks. Every device
# pixel of the border is pressed, at the scale the driver asks for.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

# The palette's picture box in design pixels of its client area: the box's outer columns and
# rows, and the last column and row of its drawing area.
BOX_RIGHT=147
BOX_BOTTOM=256
LAST_SHOWN=(145 254)

click_main "${PALETTE_BUTTON[@]}"
check "Palette opens the palette window" appears myPalette
PALETTE=$(settled_window myPalette)
read -r palette_x palette_y _ <<<"$(client_geometry "$PALETTE")"

# Device pixels of the palette's client area, from the first of design pixel $1 to the last of
# design pixel $2.
device_span() { seq "$(first_device "$1")" "$(last_device "$2")"; }
at_device() { echo $((palette_x + $1)) $((palette_y + $2)); }
press_at() { xdotool mousemove $(at_device "$1" "$2") click 1; }

# A colour to keep: green 100, from the spectrum's green strip.
press_at "$(device $((SPECTRUM_ORIGIN[0] + 30)))" "$(device $((SPECTRUM_ORIGIN[1] + 100)))"
check "a press on the spectrum picks" preview_is "0,100,0"

for x in $(device_span $((LAST_SHOWN[0] + 1)) "$BOX_RIGHT"); do
    for row in 2 100 "${LAST_SHOWN[1]}"; do press_at "$x" "$(device "$row")"; done
done
check "presses on every device column of the right border pick nothing" preview_is "0,100,0"
for y in $(device_span $((LAST_SHOWN[1] + 1)) "$BOX_BOTTOM"); do
    for column in 4 50 "${LAST_SHOWN[0]}"; do press_at "$(device "$column")" "$y"; done
done
check "presses on every device row of the bottom border pick nothing" preview_is "0,100,0"
press_at $(($(device $((LAST_SHOWN[0] + 1))) - 1)) $(($(device $((LAST_SHOWN[1] + 1))) - 1))
check "the last device pixel shown picks its colour" preview_is "252,252,252"

# A drag from the green strip over the right border and the margin beyond it, then down over the
# bottom border.
xdotool mousemove $(at_device "$(device $((SPECTRUM_ORIGIN[0] + 30)))" "$(device 120)") mousedown 1
sleep 0.1
for x in $(device_span $((LAST_SHOWN[0] + 1)) $((BOX_RIGHT + 12))); do
    xdotool mousemove $(at_device "$x" "$(device 120)")
done
check "a drag over the right border and beyond picks nothing" preview_is "0,118,0"
for y in $(device_span $((LAST_SHOWN[1] + 1)) $((BOX_BOTTOM + 6))); do
    xdotool mousemove $(at_device "$(device 50)" "$y")
done
xdotool mouseup 1
check "a drag over the bottom border and beyond picks nothing" preview_is "0,118,0"
finish
