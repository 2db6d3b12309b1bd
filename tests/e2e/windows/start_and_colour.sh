#!/usr/bin/env bash
# Varnel under Wine: it starts black, the decimal fields, a number out of range, the hex code with
# Enter, the clipboard, a scroll bar's arrows, and closing the main window ends the program.
set -u
source "$(dirname "$0")/wine_session.sh" "$1"
start_wine_session
start_varnel

# Points of the main window's client area, in pixels.
read -r PREVIEW_X PREVIEW_Y <<<"$(screen_point "$MAIN" 60 32)"
preview_is() { wait_for_pixel "$PREVIEW_X" "$PREVIEW_Y" "$1"; }

check "the main window starts with black in the preview" preview_is "0,0,0"
check "the fields start at zero with the focus in the red field" \
    expect_values "$MAIN_TITLE" "focus=Edit#1" "Edit#1=0" "Edit#2=0" "Edit#3=0" "Edit#4=#000000" \
    "ScrollBar#1=0" "ScrollBar#2=0" "ScrollBar#3=0" "Button#1=0 Ball"

retype "$MAIN" 152 36 200
check "typing 200 into the red field makes the preview red 200" preview_is "200,0,0"
check "the red bar and the hex code follow the red field" \
    expect_values "$MAIN_TITLE" "Edit#1=200" "ScrollBar#1=200" "Edit#4=#C80000"

retype "$MAIN" 152 36 256
check "256 brings up the ERROR box" window_up ERROR
check "the ERROR box tells the range" wait_for_value ERROR "Static#2" "Field can be from 0 to 255"
xdotool key Return
check "the ERROR box closes with Enter" wait_for_no_window ERROR
check "the red field falls back to 25" \
    expect_values "$MAIN_TITLE" "Edit#1=25" "ScrollBar#1=25" "Edit#4=#190000"
check "the preview shows red 25" preview_is "25,0,0"

retype "$MAIN" 76 76 "#FF8000"
check "typing a hex code alone changes nothing" expect_values "$MAIN_TITLE" "Edit#1=25"
xdotool key Return
check "Enter in the hex field sets all three channels" \
    wait_for_value "$MAIN_TITLE" "Edit#2" "128"
check "fields, bars and code show the entered colour" \
    expect_values "$MAIN_TITLE" "Edit#1=255" "Edit#2=128" "Edit#3=0" "ScrollBar#1=255" \
    "ScrollBar#2=128" "ScrollBar#3=0" "Edit#4=#FF8000"
check "the preview shows the entered colour" preview_is "255,128,0"

click_at "$MAIN" 60 104
clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
check "Copy to Clipboard puts the hex code on the clipboard" wait_until clipboard_is "#FF8000"

click_at "$MAIN" 192 138
check "the green bar's lower arrow adds one" wait_for_value "$MAIN_TITLE" "Edit#2" "129"
check "the green bar stands at 129" expect_values "$MAIN_TITLE" "ScrollBar#2=129" "Edit#4=#FF8100"
click_at "$MAIN" 192 63
check "the green bar's upper arrow takes one away" wait_for_value "$MAIN_TITLE" "ScrollBar#2" "128"

xdotool key alt+F4
check "closing the main window ends the program" wait_for_exit "$VARNEL_PID"
[ "$FAILURES" -eq 0 ] || echo "FAILED: $FAILURES checks"
