#!/usr/bin/env bash
# Every way of closing another window hands the activation back to the main window, whose
# Activate then repaints the preview (wiping the ball trail): About's Close button, About's and
# the palette's frame, Alt+F4, and the palette left for another program before the main window.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

about_then() {
    draw_dots
    click_main "${ABOUT_BUTTON[@]}"
    appears About
    ABOUT=$(settled_window About)
}

about_then
click_in "$ABOUT" "${ABOUT_CLOSE[@]}"
check "after About's Close button the main window's Activate runs" no_dots

about_then
close_by_frame_button "$ABOUT"
check "after About's frame button too" no_dots

about_then
close_by_keyboard "$ABOUT"
check "after Alt+F4 on About too" no_dots

draw_dots
click_main "${PALETTE_BUTTON[@]}"
appears myPalette
close_by_frame_button "$(settled_window myPalette)"
check "after the palette's frame button too" no_dots
gone myPalette

draw_dots
click_main "${PALETTE_BUTTON[@]}"
appears myPalette
other=$(other_program)
click_main "${GREY_PANEL[@]}"
check "from the palette through another program to the main window: Activate runs" no_dots
finish
