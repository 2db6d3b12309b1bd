#!/usr/bin/env bash
# The ball trail: checking Ball draws white dots on the preview at no more than about a hundred
# a second; unchecking keeps them; a colour change and a repaint of an uncovered part wipe them,
# while switching to another program and back does not.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

# The walk starts at column 10 and moves one column right per tick; it cannot turn back before
# column 80. A fifth of a second at 100 ticks a second takes it to about column 30; at 1,000 a
# second it would be far past 80.
click_main "${BALL_CHECK_BOX[@]}"
sleep 0.2
rightmost=$(rightmost_dot)
echo "rightmost dot a fifth of a second after Ball: column $rightmost"
check "the dots appear" dots_appear 5
check "no faster than about 100 ticks a second" test "$rightmost" -lt 75

click_main "${BALL_CHECK_BOX[@]}"
sleep 0.3
dots=$(white_dots)
sleep 0.5
check "unchecking Ball keeps the dots and stops the walk" test "$(white_dots)" -eq "$dots"

# Another program's window over the preview, then away: if the window system asks for the part
# uncovered to be painted again, the preview paints its background there.
other=$(other_program)
read -r preview_x preview_y <<<"$(screen_point "$MAIN" 0 0)"
xdotool windowmove "$other" "$preview_x" "$preview_y"
sleep 0.5
xdotool windowmove "$other" "${OTHER_PROGRAM_PLACE[@]}"
if [ "$UNCOVERED_WINDOWS_KEEP_CONTENT" = yes ]; then
    sleep 0.5
    check "an uncovered preview shows what it showed (the window system kept it)" \
        test "$(white_dots)" -eq "$dots"
else
    check "an uncovered preview repaints its background, without the dots" no_dots
fi

# Back to the program from the other program: no Activate, the dots stay.
draw_dots
dots=$(white_dots)
click_at "$other" 60 60
sleep 0.3
click_main "${GREY_PANEL[@]}"
sleep 0.5
check "coming back from another program keeps the dots" test "$(white_dots)" -eq "$dots"

retype_field Text2 9
check "a colour change wipes the dots" no_dots
check "and shows the colour" preview_is "0,9,0"
finish
