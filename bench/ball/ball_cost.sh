#!/usr/bin/env bash
# What the ball trail costs the Linux program: the processor time it uses with Ball checked,
# beside the floor of any animation at that pace (a bare FLTK window with a 10 ms timer,
# bench/ball/timer_floor.cpp) running at the same time, in a private Xvfb with openbox. Both are
# measured over the same spans; the medians are printed as shares of one core with their ratio,
# and the test fails if Ball's median is more than 1 % of a core.
#
# Usage: bench/ball/ball_cost.sh PROGRAM TIMER_FLOOR [SPANS] [SECONDS]   (defaults: 5 spans of 6 s)
set -u
cd "$(dirname "$0")/../.."
source tests/e2e/scenario.sh linux "$1"
floor_program=$2
spans=${3:-5}
seconds=${4:-6}
limit_percent=1

# The processor time a process has used so far, in nanoseconds, all its threads.
cpu_nanoseconds() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { print sum }'; }
# A share of one core, in percent, from nanoseconds used over the span.
share() { awk -v ns="$1" -v s="$seconds" 'BEGIN { printf "%.2f", ns / 1e7 / s }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

start_program
click_main "${BALL_CHECK_BOX[@]}"
dots_appear 5 || { echo "FAILED: Ball drew no dots"; exit 1; }
"$floor_program" &
floor_pid=$!
sleep 1

ball_shares=()
floor_shares=()
for ((span = 0; span < spans; span++)); do
    ball_before=$(cpu_nanoseconds "$PROGRAM_PID")
    floor_before=$(cpu_nanoseconds "$floor_pid")
    sleep "$seconds"
    ball_shares+=("$(share $(($(cpu_nanoseconds "$PROGRAM_PID") - ball_before)))")
    floor_shares+=("$(share $(($(cpu_nanoseconds "$floor_pid") - floor_before)))")
done
kill "$floor_pid"
ball=$(printf '%s\n' "${ball_shares[@]}" | median)
floor=$(printf '%s\n' "${floor_shares[@]}" | median)

echo "share of one core, median of $spans spans of ${seconds} s: Varnel with Ball ${ball} %" \
    "(${ball_shares[*]}), a bare 10 ms FLTK timer ${floor} % (${floor_shares[*]});" \
    "$(awk -v b="$ball" -v f="$floor" 'BEGIN { printf "%.2f", b / f }') times"
check "Ball costs at most ${limit_percent} % of a core" \
    awk -v ball="$ball" -v limit="$limit_percent" 'BEGIN { exit !(ball <= limit) }'
finish
