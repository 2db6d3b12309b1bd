#!/usr/bin/env bash
# No broken peer of the accessibility stack holds the Linux program: with an accessibility bus
# launcher that never answers, one that says accessibility is on but never says where its bus is,
# a bus that accepts and never speaks, and (accessibility forced on) a session bus that accepts
# and never speaks, the first window maps within 20 % of the time it takes without accessibility,
# a keystroke shows within 2 s, and the program ends within a second of its window's closing.
# Start-up is the median of interleaved runs of each case, timed by the start-up benchmark's
# probe; the bound allows the jitter of one start on a busy machine beside the 20 %.
#
# Usage: broken_peers.sh PROGRAM MAP_PROBE
source "$(dirname "$0")/../scenario.sh" linux "$1"
PROBE=$2
PEER=(/usr/bin/python3 "$E2E_DIR/linux/accessibility_peer.py")
RUNS=5
JITTER_MS=25

start_session || { echo "FAILED: no session"; exit 1; }
WORK=$(mktemp -d)
PEERS=()
trap 'kill "${PEERS[@]}" 2>/dev/null; rm -rf "$WORK"; stop_session' EXIT

# A session bus of its own for a case, its address in the variable named. Not run in a
# subshell: the daemon joins the peers that are stopped at the end.
session_bus() {
    local bus
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || return 1
    PEERS+=("${bus##*$'\n'}")
    printf -v "$1" '%s' "${bus%%$'\n'*}"
}
# Starts a peer and waits (up to 10 s) until it says it is in place.
peer() {
    local log=$WORK/peer-$RANDOM
    "$@" >"$log" 2>&1 &
    PEERS+=($!)
    local tries=0
    until grep -q '^ready$' "$log"; do
        ((++tries < 100)) || { echo "FAILED: the peer ($*) did not start:"; cat "$log"; exit 1; }
        sleep 0.1
    done
}

plain="" silent="" no_address="" hung=""
for bus in plain silent no_address hung; do
    session_bus "$bus" || { echo "FAILED: no session bus"; exit 1; }
done
peer "${PEER[@]}" hung-socket "$WORK/hung-bus"
DBUS_SESSION_BUS_ADDRESS=$silent peer "${PEER[@]}" launcher
DBUS_SESSION_BUS_ADDRESS=$no_address peer "${PEER[@]}" launcher --status
DBUS_SESSION_BUS_ADDRESS=$hung peer "${PEER[@]}" launcher --status --address "unix:path=$WORK/hung-bus"

declare -A CASE=(
    [without accessibility]="DBUS_SESSION_BUS_ADDRESS=$plain"
    [a launcher that never answers]="DBUS_SESSION_BUS_ADDRESS=$silent"
    [a launcher that never says where its bus is]="DBUS_SESSION_BUS_ADDRESS=$no_address"
    [a bus that never speaks]="DBUS_SESSION_BUS_ADDRESS=$hung"
    [a session bus that never speaks, accessibility forced]="DBUS_SESSION_BUS_ADDRESS=unix:path=$WORK/hung-bus VARNEL_ACCESSIBILITY=1"
)
ORDER=("without accessibility" "a launcher that never answers"
    "a launcher that never says where its bus is" "a bus that never speaks"
    "a session bus that never speaks, accessibility forced")

# The median of the numbers on stdin, in whole milliseconds.
median() { sort -n | awk '{ v[NR] = $1 } END { printf "%d\n", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Start-up: the cases take turns, run after run.
for ((run = 0; run <= RUNS; run++)); do
    for name in "${ORDER[@]}"; do
        # shellcheck disable=SC2086  # the case's variables, one word each
        measured=$(env ${CASE[$name]} "$PROBE" "$VARNEL") ||
            { echo "FAILED: $name: no window mapped"; FAILURES=$((FAILURES + 1)); continue; }
        # The first round warms the file cache and counts for nothing.
        [ "$run" -eq 0 ] || echo "${measured%% *}" >>"$WORK/start-$name"
    done
done
baseline=$(median <"$WORK/start-without accessibility")
echo "first window without accessibility: $baseline ms (median of $RUNS)"

# A keystroke shows, and the window closes the program, with the case's peers in place.
keystroke_and_close() {
    local name=$1 started waited
    # shellcheck disable=SC2086
    env ${CASE[$name]} "$VARNEL" 2>"$WORK/stderr" &
    PROGRAM_PID=$!
    MAIN=$(settled_window "$MAIN_TITLE") || { echo "   no main window"; return 1; }
    retype_field Text1 200
    started=$(now_ms)
    timed_preview "$started" "200,0,0" 2000 "the last key typed" || return 1
    started=$(now_ms)
    wmctrl -i -c "$MAIN"
    exits_with "$PROGRAM_PID" 0 || return 1
    waited=$(($(now_ms) - started))
    echo "   ($waited ms from the close request to the program's end)"
    [ "$waited" -le 1000 ]
}

for name in "${ORDER[@]}"; do
    start=$(median <"$WORK/start-$name")
    echo "$name: first window after $start ms"
    [ "$name" = "without accessibility" ] ||
        check "$name: the first window maps within 20 % of $baseline ms" \
            [ "$start" -le $((baseline * 120 / 100 + JITTER_MS)) ]
    check "$name: a keystroke shows within 2 s, and closing the window ends the program" \
        keystroke_and_close "$name"
done
finish
