#!/usr/bin/env bash
# The Linux program on a Wayland desktop, as a client of weston's Xwayland, and the Wayland
# clipboard both ways: the main window maps with its layout, a press in the palette picks the
# colour drawn there, a copy reaches a Wayland client (wl-paste), and a code a Wayland client
# copied (wl-copy) pastes into the hex field. On this driver clipboard_text is wl-paste and
# seed_clipboard wl-copy. With E2E_SCREENSHOT naming a PNG file, what weston showed at the end is
# saved there.
# Usage: wayland_clipboard.sh PATH_TO_VARNEL
source "$(dirname "$0")/../scenario.sh" xwayland "$1"
start_program

check "the main window maps with its client area of 254 x 184" client_is "$MAIN" "${MAIN_CLIENT[@]}"
check "its preview is black" preview_is "0,0,0"

click_main "${PALETTE_BUTTON[@]}"
check "Palette opens the palette window" appears myPalette
PALETTE=$(settled_window myPalette)
check "its client area is 151 x 258" client_is "$PALETTE" "${PALETTE_CLIENT[@]}"
# Column 30 is in the green strip, whose row 100 is green 100.
read -r x y <<<"$(screen_point "$PALETTE" $((SPECTRUM_ORIGIN[0] + 30)) \
    $((SPECTRUM_ORIGIN[1] + 100)))"
check "weston shows green 100 in the spectrum's green strip at row 100" \
    wait_for_pixel "$x" "$y" "0,100,0"
xdotool mousemove "$x" "$y" click 1
check "a press there picks it" preview_is "0,100,0"
check "the hex field reads #006400" test "$(field_text Text4)" = "#006400"

click_main "${COPY_BUTTON[@]}"
check "after Copy to Clipboard, wl-paste reads the hex code" \
    wait_for_output "#006400" clipboard_text
check "offered to Wayland clients as text alone" test "$(clipboard_formats)" = text

code=$(mktemp)
printf '#C0FFEE' >"$code"
paste_into_field Text4 "$code"
press Return
check "#C0FFEE copied with wl-copy, pasted with Ctrl+V and entered, shows 192, 255, 238" \
    preview_is "192,255,238"
check "the fields read 192, 255, 238" \
    test "$(field_text Text1) $(field_text Text2) $(field_text Text3)" = "192 255 238"
check "the hex field reads #C0FFEE" test "$(field_text Text4)" = "#C0FFEE"

# Another Wayland client's copy first, so that what wl-paste reads next is the program's.
printf 'copied elsewhere' >"$code"
seed_clipboard "$code"
click_main "${COPY_BUTTON[@]}"
check "copied after another Wayland client's copy, wl-paste reads it" \
    wait_for_output "#C0FFEE" clipboard_text

[ -z "${E2E_SCREENSHOT:-}" ] || import -window root "$E2E_SCREENSHOT"
finish
