#!/usr/bin/env bash
# The About window: the About button opens it; any activation of the main window closes it, so
# a click on the About button while it is open opens a new one; its Close button closes it.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

open_about() {
    click_main "${ABOUT_BUTTON[@]}"
    appears About || return 1
    ABOUT=$(settled_window About)
    move_aside "$ABOUT"
}

open_about
check "About opens the About window" test -n "$ABOUT"
first=$ABOUT
check "it can be neither resized, minimized nor maximized" fixed_frame "$first"

click_main "${ABOUT_BUTTON[@]}"
sleep 0.7
second=$(settled_window About)
move_aside "$second"
check "About clicked while About is open shows a new About window" \
    test -n "$second" -a "$second" != "$first"
check "only one About window is on screen" \
    test "$(xdotool search --onlyvisible --name '^About$' | wc -l)" -eq 1

click_main "${GREY_PANEL[@]}"
check "a click on the main window closes About" gone About

open_about
click_in "$ABOUT" "${ABOUT_CLOSE[@]}"
check "its Close button closes it" gone About
check "the program keeps running" kill -0 "$PROGRAM_PID"
finish
