#!/usr/bin/env bash
# Varnel under Wine: the palette window beside the main window, picking by dragging over the
# spectrum, the ball trail's white dots, and the About window that the main window closes.
set -u
source "$(dirname "$0")/wine_session.sh" "$1"
start_wine_session
start_varnel

# The outer rectangle the probe reads: "LEFT TOP RIGHT BOTTOM VISIBLE".
rectangle() { probe_value "$1" window; }

click_at "$MAIN" 44 132
check "Palette opens myPalette" window_up myPalette
read -r main_left main_top main_right _ _ <<<"$(rectangle "$MAIN_TITLE")"
read -r palette_left palette_top _ _ palette_visible <<<"$(rectangle myPalette)"
palette_beside() { [ "$palette_left" = "$main_right" ] && [ "$palette_top" = "$main_top" ]; }
check "myPalette stands at the main window's Left + Width, at its Top" palette_beside
echo "main window left $main_left right $main_right; palette left $palette_left, visible $palette_visible"
top_level() { xdotool search --onlyvisible --name '^myPalette$' >/dev/null; }
check "myPalette is a top-level window of its own" top_level

# Drag down the red strip: the spectrum's row is the intensity. The drawing area starts 2 pixels
# into the box (its border), which starts 2 pixels into the client area.
PALETTE=$(wait_for_settled_window myPalette)
read -r drag_x drag_top <<<"$(screen_point "$PALETTE" 14 52)"
read -r _ drag_bottom <<<"$(screen_point "$PALETTE" 14 202)"
xdotool mousemove "$drag_x" "$drag_top" mousedown 1
for y in $(seq "$drag_top" 25 "$drag_bottom") "$drag_bottom"; do
    xdotool mousemove "$drag_x" "$y"
    sleep 0.05
done
xdotool mouseup 1
check "dragging over the red strip picks red 200" \
    wait_for_value "$MAIN_TITLE" "Edit#1" "200"
check "the pick sets every channel" \
    expect_values "$MAIN_TITLE" "Edit#2=0" "Edit#3=0" "ScrollBar#1=200" "Edit#4=#C80000"
read -r PREVIEW_X PREVIEW_Y <<<"$(screen_point "$MAIN" 60 32)"
check "the preview shows the picked colour" wait_for_pixel "$PREVIEW_X" "$PREVIEW_Y" "200,0,0"

click_at "$MAIN" 44 132
check "a second click on Palette hides myPalette" wait_for_no_window myPalette

click_at "$MAIN" 16 164
check "Ball is checked" wait_for_value "$MAIN_TITLE" "Button#1" "1 Ball"
sleep 1
read -r preview_left preview_top <<<"$(screen_point "$MAIN" 10 10)"
white_dots() {
    import -window root -crop "101x45+${preview_left}+${preview_top}" -depth 8 txt:- 2>/dev/null |
        grep -c '#FFFFFF'
}
dots=$(white_dots)
echo "white dots on the preview after a second: $dots"
check "the ball draws white dots on the preview" test "$dots" -gt 10
click_at "$MAIN" 16 164
check "Ball is unchecked again" wait_for_value "$MAIN_TITLE" "Button#1" "0 Ball"

click_at "$MAIN" 160 168
check "About opens its window" window_up About
check "About shows the version and the credits" \
    expect_values About "Static#2=V" "Static#3=a" "Static#4=r" "Static#5=nel" "Button#1=0 Close"
# Click a point of the main window that the About window does not cover.
read -r about_left about_top about_right about_bottom _ <<<"$(rectangle About)"
read -r client_x client_y client_width client_height <<<"$(client_geometry "$MAIN")"
for point in "125 150" "250 180" "125 5" "5 180" "250 5"; do
    read -r x y <<<"$point"
    screen_x=$((client_x + x)) screen_y=$((client_y + y))
    if ((screen_x < about_left || screen_x >= about_right || screen_y < about_top ||
        screen_y >= about_bottom)); then
        click_at "$MAIN" "$x" "$y"
        break
    fi
done
check "activating the main window closes About" wait_for_no_window About

xdotool key alt+F4
check "closing the main window ends the program" wait_for_exit "$VARNEL_PID"
[ "$FAILURES" -eq 0 ] || echo "FAILED: $FAILURES checks"
