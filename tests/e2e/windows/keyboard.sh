#!/usr/bin/env bash
# Varnel under Wine: Tab walks the controls in TabIndex order, and Enter and Esc press no button
# while a field, a scroll bar or the check box has the focus.
set -u
source "$(dirname "$0")/wine_session.sh" "$1"
start_wine_session
start_varnel

focus_is() { wait_for_value "$MAIN_TITLE" focus "$1"; }

check "the red field has the focus at start" focus_is "Edit#1"
# Text2, Text3, the three bars, Text4, Check1, About, Picture1, Palette, Copy, back to Text1.
for expected in Edit#2 Edit#3 ScrollBar#1 ScrollBar#2 ScrollBar#3 Edit#4 Button#1 Button#2 \
    VarnelPictureBox#1 Button#3 Button#4 Edit#1; do
    xdotool key Tab
    check "Tab moves the focus to $expected" focus_is "$expected"
done
xdotool key shift+Tab
check "Shift+Tab moves it back to Copy" focus_is "Button#4"

# Nothing a button does may follow: no window opens, the clipboard stays empty, values stay.
nothing_pressed() {
    sleep 0.3
    [ -z "$(xdotool search --onlyvisible --name '^(myPalette|About)$' 2>/dev/null)" ] &&
        [ -z "$(xclip -o -selection clipboard 2>/dev/null)" ] &&
        expect_values "$MAIN_TITLE" "Edit#1=0" "ScrollBar#1=0" "Button#1=0 Ball"
}
# Each control is reached with Tab from the field before it, as a click would change it.
for stop in "Edit#1 152 36 0" "ScrollBar#1 232 36 1" "Button#1 76 76 1"; do
    read -r control x y tabs <<<"$stop"
    click_at "$MAIN" "$x" "$y"
    [ "$tabs" -eq 0 ] || xdotool key Tab
    focus_is "$control" || echo "FAILED: could not give $control the focus"
    xdotool key Return Escape
    check "Enter and Esc on $control press no button" nothing_pressed
done

xdotool key alt+F4
check "closing the main window ends the program" wait_for_exit "$VARNEL_PID"
[ "$FAILURES" -eq 0 ] || echo "FAILED: $FAILURES checks"
