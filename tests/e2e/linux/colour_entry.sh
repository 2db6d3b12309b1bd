#!/usr/bin/env bash
# Setting the colour from the keyboard and the scroll bars, and copying its hex code.
source "$(dirname "$0")/varnel_driver.sh"
start_varnel

retype "$MAIN" "${RED_FIELD[@]}" 200
check "typing 200 into the red field turns the preview red" preview_shows "200,0,0"

retype "$MAIN" "${GREEN_FIELD[@]}" 256
check "256 brings up a window titled ERROR" appears ERROR
xdotool key Return
check "the ERROR window closes with OK" wait_for_no_window ERROR
check "the green field falls back to 25" preview_shows "200,25,0"

click_main "${BLUE_DOWN_ARROW[@]}"
check "the blue scroll bar's arrow adds one step" preview_shows "200,25,1"

retype "$MAIN" "${HEX_FIELD[@]}" "#102030"
xdotool key Return
check "a hex code and Enter set the colour" preview_shows "16,32,48"

click_main "${COPY_BUTTON[@]}"
copied() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "#102030" ]; }
check "Copy to Clipboard puts the hex code on the clipboard" copied
finish
