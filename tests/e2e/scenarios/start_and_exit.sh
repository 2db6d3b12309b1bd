#!/usr/bin/env bash
# At start the main window stands alone, black, with its design values, the focus in the red
# field (its text selected) and a fixed frame; its labels lie beneath the other controls. Closing it with Alt+F4
# (from its frame on a desktop that has no such key) ends the program with status 0.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

check "the preview starts black" preview_is "0,0,0"
check "the client area is 254 x 184 design pixels" client_is "$MAIN" "${MAIN_CLIENT[@]}"
check "the main window can be neither resized, minimized nor maximized" fixed_frame "$MAIN"
check "neither About nor the palette is on screen" eval '! on_screen About && ! on_screen myPalette'
check "the hex field's border lies above the HEX label" \
    test "$(main_pixel "${TEXT4_LEFT_EDGE[@]}")" != "$(main_pixel "${LABEL5_BACKGROUND[@]}")"

# The red field has the focus, its text selected: a key typed now replaces it.
xdotool type --delay "${TYPE_DELAY:-15}" 5
check "a digit typed at start goes to the red field" preview_is "5,0,0"
check "and replaces its 0" test "$(field_text Text1)" = "5"
check "the green field reads 0" test "$(field_text Text2)" = "0"
check "the hex code follows" test "$(field_text Text4)" = "#050000"

if [ "$ALT_F4_CLOSES" = yes ]; then
    close_by_keyboard "$MAIN"
    closed_by="Alt+F4"
else
    close_by_frame_button "$MAIN"
    closed_by="The frame's close button"
fi
check "$closed_by ends the program with status 0" exits_with "$PROGRAM_PID" 0
check "no window is left" gone "$MAIN_TITLE"
finish
