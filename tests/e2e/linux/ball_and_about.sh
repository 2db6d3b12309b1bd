#!/usr/bin/env bash
# The ball trail draws on the preview; the About window opens and closes when the main window
# is clicked.
source "$(dirname "$0")/varnel_driver.sh"
start_varnel

click_main "${BALL_CHECK_BOX[@]}"
white_dots() {
    local tries=0
    while [ $tries -lt 50 ]; do
        [ "$(count_pixels $((MAIN_X + PREVIEW_AREA[0])) $((MAIN_Y + PREVIEW_AREA[1])) \
            "${PREVIEW_AREA[2]}" "${PREVIEW_AREA[3]}" "255,255,255")" -ge 10 ] && return 0
        sleep 0.1
        tries=$((tries + 1))
    done
    return 1
}
check "Ball draws white dots on the preview" white_dots
click_main "${BALL_CHECK_BOX[@]}"

click_main "${ABOUT_BUTTON[@]}"
check "About opens the About window" appears About
click_main "${GREY_PANEL[@]}"
check "clicking the main window closes the About window" wait_for_no_window About
finish
