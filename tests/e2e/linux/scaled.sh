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

within_a_pixel() {
    local difference=$(($1 - $2))
    [ "${difference#-}" -le 1 ] || { echo "$1, expected $2" >&2; return 1; }
}
read -r _ _ width height <<<"$(client_geometry "$MAIN")"
echo "client area: $width x $height"
check "the client area is 254 x 184 design pixels at the factor" eval \
    'within_a_pixel "$width" "$(device 254)" && within_a_pixel "$height" "$(device 184)"'

icon_sizes() { xprop -id "$MAIN" _NET_WM_ICON | sed -n 's/^.*Icon (\([0-9]*\) x [0-9]*):.*$/\1/p'; }
check "the window icon comes in the factor's size" eval 'icon_sizes | grep -qx "$(device 32)"'

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
read -r palette_x palette_y _ <<<"$(client_geometry "$PALETTE")"

# The spectrum's pixel under a device pixel of the palette's client area: its colour, "R,G,B",
# for the red, green and blue strips.
spectrum_colour() {
    local column=$(($(design "$1") - SPECTRUM_ORIGIN[0])) row=$(($(design "$2") - SPECTRUM_ORIGIN[1]))
    case $((column / 21)) in
        0) echo "$row,0,0" ;;
        1) echo "0,$row,0" ;;
        2) echo "0,0,$row" ;;
    esac
}
# The first and the last device pixel of a spectrum column or row.
first_device() { device $(($1 + $2)); }
last_device() { echo $(($(device $(($1 + $2 + 1))) - 1)); }

# A device pixel shows the spectrum's pixel under it, and a press on it picks that colour.
picks_what_it_shows() {
    local x=$1 y=$2 expected seen
    expected=$(spectrum_colour "$x" "$y")
    seen=$(pixel_at $((palette_x + x)) $((palette_y + y)))
    [ "$seen" = "$expected" ] || { echo "device pixel $x,$y shows $seen, not $expected" >&2; return 1; }
    xdotool mousemove $((palette_x + x)) $((palette_y + y)) click 1
    preview_is "$expected"
}
# Each device column across a strip's edge (columns 19 to 22 of the spectrum, then 40 to 43), one
# spectrum row further down each time, so that every press picks another colour.
pressed=0
failed_at=
for first_column in 19 40; do
    for x in $(seq "$(first_device "${SPECTRUM_ORIGIN[0]}" "$first_column")" \
        "$(last_device "${SPECTRUM_ORIGIN[0]}" $((first_column + 3)))"); do
        y=$(first_device "${SPECTRUM_ORIGIN[1]}" $((60 + pressed)))
        picks_what_it_shows "$x" "$y" || failed_at+=" $x,$y"
        pressed=$((pressed + 1))
    done
done
check "presses on $pressed device columns across two strips' edges pick what they show" test -z "$failed_at"
# Each device row across rows 99 to 102, in the red and the green strip by turns.
pressed=0
failed_at=
for y in $(seq "$(first_device "${SPECTRUM_ORIGIN[1]}" 99)" "$(last_device "${SPECTRUM_ORIGIN[1]}" 102)"); do
    x=$(first_device "${SPECTRUM_ORIGIN[0]}" $((pressed % 2 == 0 ? 10 : 30)))
    picks_what_it_shows "$x" "$y" || failed_at+=" $x,$y"
    pressed=$((pressed + 1))
done
check "presses on $pressed device rows across rows' edges pick what they show" test -z "$failed_at"

# A drag from the red strip into the green, a device column at a time, on the last device row of
# a spectrum row further down each time.
start_x=$(first_device "${SPECTRUM_ORIGIN[0]}" 19)
xdotool mousemove $((palette_x + start_x)) $((palette_y + $(last_device "${SPECTRUM_ORIGIN[1]}" 150))) mousedown 1
failed_at=
step=0
for x in $(seq "$start_x" "$(last_device "${SPECTRUM_ORIGIN[0]}" 22)"); do
    step=$((step + 1))
    y=$(last_device "${SPECTRUM_ORIGIN[1]}" $((150 + step)))
    xdotool mousemove $((palette_x + x)) $((palette_y + y))
    preview_is "$(spectrum_colour "$x" "$y")" || failed_at+=" $x,$y"
done
xdotool mouseup 1
check "a drag over $step device columns across a strip's edge picks what is under the pointer" \
    test -z "$failed_at"
finish
