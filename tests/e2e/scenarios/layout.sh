#!/usr/bin/env bash
# The windows' layout at the driver's scale: each client area is its design's, in design pixels
# shown at the scale, with the window icon in the scale's size; the preview is black at its
# centre; the palette stands beside the main window; and in each strip of the spectrum, on every
# device column of its first and last columns and on the device rows across rows' edges, the
# pixel shown is the spectrum's and a press on it picks that colour.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program
echo "shown at $SCALE_DPI dots per inch"

check "the main window's client area is 254 x 184 design pixels" client_is "$MAIN" "${MAIN_CLIENT[@]}"
check "its icon comes in the scale's size" eval 'icon_sizes "$MAIN" | grep -qx "$(device 32)"'
check "the preview is black at its centre" preview_is "0,0,0"

click_main "${PALETTE_BUTTON[@]}"
check "Palette opens the palette window" appears myPalette
PALETTE=$(settled_window myPalette)
check "its client area is 151 x 258 design pixels" client_is "$PALETTE" "${PALETTE_CLIENT[@]}"
check_place "it stands right of the main window, tops level" beside_main

edges=()
for ((strip = 0; strip < ${#STRIP_CHANNELS[@]}; strip++)); do
    edges+=($((21 * strip)) $((21 * strip + 20)))
done
edges[-1]=$SPECTRUM_LAST_COLUMN
check "in every strip, presses on each device column of its first and last columns pick what they show" \
    presses_on_columns_pick_what_they_show "${edges[@]}"
echo "($PRESSED presses)"
check "presses on each device row across rows' edges pick what they show" \
    presses_on_rows_pick_what_they_show $(seq 127 129)
echo "($PRESSED presses)"

click_main "${ABOUT_BUTTON[@]}"
check "About opens the About window" appears About
check "its client area is 312 x 172 design pixels" client_is "$(settled_window About)" "${ABOUT_CLIENT[@]}"
finish
