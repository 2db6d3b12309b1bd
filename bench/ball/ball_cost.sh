#!/usr/bin/env bash
# What the ball trail costs the Linux program: the processor time it uses over a measured span
# with Ball checked, beside the floor of any animation at that pace (a bare FLTK window with a
# 10 ms timer, bench/ball/timer_floor.cpp) measured in the same run, in a private Xvfb with
# openbox. Prints both as shares of one core and their ratio, and fails if Ball costs more than
# 1 % of a core.
#
# Usage: bench/ball/ball_cost.sh PROGRAM TIMER_FLOOR [SECONDS]   (SECONDS defaults to 10)
set -u
cd "$(dirname "$0")/../.."
source tests/e2e/scenario.sh linux "$1"
floor_program=$2
seconds=${3:-10}
limit_percent=1

# The processor time a process has used so far, in nanoseconds, all its threads.
cpu_nanoseconds() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { print sum }'; }

# A process's share of one core over the span, in percent.
share_over_span() {
    local before after
    before=$(cpu_nanoseconds "$1")
    sleep "$seconds"
    after=$(cpu_nanoseconds "$1")
    awk -v ns=$((after - before)) -v s="$seconds" 'BEGIN { printf "%.2f", ns / 1e7 / s }'
}

start_program
click_main "${BALL_CHECK_BOX[@]}"
dots_appear 5 || { echo "FAILED: Ball drew no dots"; exit 1; }
ball=$(share_over_span "$PROGRAM_PID")

"$floor_program" &
floor_pid=$!
sleep 1
floor=$(share_over_span "$floor_pid")
kill "$floor_pid"

echo "share of one core over ${seconds} s: Varnel with Ball ${ball} %," \
    "a bare 10 ms FLTK timer ${floor} % ($(awk -v b="$ball" -v f="$floor" \
        'BEGIN { printf "%.2f", b / f }') times)"
check "Ball costs at most ${limit_percent} % of a core" \
    awk -v ball="$ball" -v limit="$limit_percent" 'BEGIN { exit !(ball <= limit) }'
finish
