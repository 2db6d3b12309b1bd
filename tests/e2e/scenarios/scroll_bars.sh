#!/usr/bin/env bash
# The scroll bars: arrows and trough step by one, the keys step and jump, and an action at
# either end changes nothing, so it leaves the ball trail alone.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

click_main "${RED_DOWN_ARROW[@]}"
check "the lower arrow adds one" preview_is "1,0,0"
click_main "${RED_TROUGH_BELOW[@]}"
check "the trough below the thumb adds one" preview_is "2,0,0"
click_main "${RED_UP_ARROW[@]}"
click_main "${RED_UP_ARROW[@]}"
click_main "${RED_UP_ARROW[@]}"
check "the upper arrow takes one away and stops at 0" preview_is "0,0,0"

# The red bar has the focus three Tabs after the red field.
focus_red_bar() {
    click_field Text1
    press Tab Tab Tab
}
focus_red_bar
press Down Down Page_Down
check "Down and Page Down add one each" preview_is "3,0,0"
press Up
check "Up takes one away" preview_is "2,0,0"
press End
check "End goes to 255" preview_is "255,0,0"
press Home
check "Home goes to 0" preview_is "0,0,0"

draw_dots
dots=$(white_dots)
focus_red_bar
press Home Up Page_Up
sleep 0.5
check "Home, Up and Page Up at 0 keep the trail" test "$(white_dots)" -eq "$dots"
press End
check "End from 0 sets the colour and wipes the trail" preview_is "255,0,0"
draw_dots
dots=$(white_dots)
focus_red_bar
press End Down Page_Down
sleep 0.5
check "End, Down and Page Down at 255 keep the trail" test "$(white_dots)" -eq "$dots"
finish
