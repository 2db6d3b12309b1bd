#!/usr/bin/env bash
# varnel.exe told that its windows now stand at 192 dots per inch, as Windows tells a program
# whose window moved to a monitor of another scale (the probe sends WM_DPICHANGED, which Wine
# never sends itself): each window takes the design's size at the new scale, every control twice
# its place and size at 96, the preview keeps what it showed (the ball's dots, as blocks), the
# palette goes beside the main window at the new scale, and presses on the spectrum still pick
# what they show.
#
# Usage: dpi_change.sh WINDOWS-BUILD-DIR
source "$(dirname "$0")/../scenario.sh" windows "$1"
start_program

click_main "${PALETTE_BUTTON[@]}"
appears myPalette
PALETTE=$(settled_window myPalette)
draw_dots
dots=$(white_dots)
echo "the preview shows $dots dots at 96 dots per inch"
main_before=$(probe --layout "$MAIN_TITLE")
palette_before=$(probe --layout myPalette)

# Each number of a layout, doubled.
doubled() { awk '{ for (i = 2; i <= NF; i++) $i *= 2; print }' <<<"$1"; }

main_after=$(probe --dpi "$MAIN_TITLE" 192)
palette_after=$(probe --dpi myPalette 192)
SCALE_DPI=192
echo "$main_after" | head -1
echo "$palette_after" | head -1
check "the main window's client area is 254 x 184 design pixels at 192" client_is "$MAIN" "${MAIN_CLIENT[@]}"
check "each of its controls stands at twice its place and size" \
    test "$main_after" = "$(doubled "$main_before")"
check "the palette's client area is 151 x 258 design pixels at 192" \
    client_is "$PALETTE" "${PALETTE_CLIENT[@]}"
check "its picture box stands at twice its place and size" \
    test "$palette_after" = "$(doubled "$palette_before")"
check "the preview still shows the ball's dots, each now 2 x 2 pixels" \
    test "$(white_dots)" -eq $((4 * dots))

click_main "${PALETTE_BUTTON[@]}"
gone myPalette
click_main "${PALETTE_BUTTON[@]}"
check "Palette places the palette beside the main window at the new scale" appears myPalette
PALETTE=$(settled_window myPalette)
check "right of it, tops level" beside_main
check "presses on each device column of the strips' edges pick what they show" \
    presses_on_columns_pick_what_they_show 20 21 41 42 62 63
echo "($PRESSED presses)"
finish
