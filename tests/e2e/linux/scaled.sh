#!/usr/bin/env bash
# The program on a scaled desktop: scaled.sh VARNEL SETTING FACTOR, where SETTING (VARNEL_SCALE,
# GDK_SCALE or Xft.dpi) asks for the FACTOR. Everything is the design at that factor: the client
# area; a typed colour in the preview; the palette beside the main window; the spectrum drawn
# pixel for pixel in blocks of device pixels, where a press or a drag on any device pixel, across
# the strips' edges and the rows', picks the colour shown under the pointer; the ball's dots; and
# a window icon of the factor's size.
setting=$2
factor=$3
dpi=$(awk -v f="$factor" 'BEGIN { printf "%d", f * 96 + 0.5 }')
unset VARNEL_SCALE GDK_SCALE
case $setting in
    VARNEL_SCALE) export VARNEL_SCALE=$factor ;;
    GDK_SCALE) export GDK_SCALE=$factor ;;
    Xft.dpi) E2E_X_RESOURCES="Xft.dpi: $dpi" ;;
    *) echo "FAILED: no such setting: $setting"; exit 1 ;;
esac
E2E_SCALE_DPI=$dpi
source "$(dirname "$0")/../scenario.sh" linux "$1"
echo "$setting asks for $factor ($dpi dots per inch)"
start_program

check "the client area is 254 x 184 design pixels at the factor" client_is "$MAIN" "${MAIN_CLIENT[@]}"
check "the window icon comes in the factor's size" eval 'icon_sizes "$MAIN" | grep -qx "$(device 32)"'

retype_field Text1 200
check "a colour typed in the red field shows in the preview" preview_is "200,0,0"
check "the hex field reads it" test "$(field_text Text4)" = "#C80000"

click_main "${BALL_CHECK_BOX[@]}"
check "the ball's dots appear" dots_appear 5
click_main "${BALL_CHECK_BOX[@]}"

click_main "${PALETTE_BUTTON[@]}"
check "Palette opens the palette window" appears myPalette
PALETTE=$(settled_window myPalette)
check "it stands right of the main window, tops level" beside_main

# A device pixel shows the spectrum's pixel under it, and a press on it picks that colour: each
# device column across a strip's edge (columns 19 to 22 of the spectrum, then 40 to 43), and each
# device row across rows 99 to 102.
check "presses on each device column across two strips' edges pick what they show" \
    presses_on_columns_pick_what_they_show $(seq 19 22) $(seq 40 43)
echo "($PRESSED presses)"
check "presses on each device row across rows' edges pick what they show" \
    presses_on_rows_pick_what_they_show $(seq 99 102)
echo "($PRESSED presses)"

# A drag from the red strip into the green, a device column at a time, on the last device row of
# a spectrum row further down each time.
read -r palette_x palette_y _ <<<"$(client_geometry "$PALETTE")"
start_x=$(first_device $((SPECTRUM_ORIGIN[0] + 19)))
xdotool mousemove $((palette_x + start_x)) \
    $((palette_y + $(last_device $((SPECTRUM_ORIGIN[1] + 150))))) mousedown 1
failed_at=
step=0
for x in $(seq "$start_x" "$(last_device $((SPECTRUM_ORIGIN[0] + 22)))"); do
    step=$((step + 1))
    row=$((150 + step))
    xdotool mousemove $((palette_x + x)) $((palette_y + $(last_device $((SPECTRUM_ORIGIN[1] + row)))))
    preview_is "$(spectrum_colour $(($(design "$x") - SPECTRUM_ORIGIN[0])) "$row")" ||
        failed_at+=" $x,$row"
done
xdotool mouseup 1
check "a drag over $step device columns across a strip's edge picks what is under the pointer" \
    test -z "$failed_at"
finish
