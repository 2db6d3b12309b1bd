#!/usr/bin/env bash
# No two ticks of the ball's timer come closer than 10 ms, also when the program has stalled:
# a timer that caught up afterwards would move the ball several dots at once. The program is
# stopped 30 times for 45 ms, running 5 ms in between: in each such run it ticks once at most.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

# The walk starts at column 10 and moves one column right per tick; it cannot turn back before
# column 80. The stalls leave it at about column 45; a timer that caught up would take it past
# 80 (100 ticks a second for 1.5 s).
since=${EPOCHREALTIME/./}
click_main "${BALL_CHECK_BOX[@]}"
stall_program 0.045 0.005 30 "$since"
click_main "${BALL_CHECK_BOX[@]}"
kill -CONT "$PROGRAM_PID"
# The click to stop the ball may come after one more tick.
most=$((MOST_TICKS + 1))
sleep 0.3
rightmost=$(rightmost_dot)
ticks=$((rightmost - 9))
echo "after 30 stalls: $ticks ticks, at most $most from the time the program ran"
check "the ball moved on after the stalls" test "$ticks" -ge 15
check "no two ticks came closer than 10 ms" test "$ticks" -le "$most"
finish
