#!/usr/bin/env bash
# Hostile owners of the clipboard against the Linux program (hostile_owner.cpp): one that
# trickles a byte every 1.5 s, one that never ends, one that claims 1 GiB, one whose pieces are
# raw numbers, and one that destroys the program's requestor window. Pasted over the green
# field, none may hold the program still: 12 typed into the red field at once shows as (12,0,0)
# within 3 s of the paste. The program gives the transfer up within 5 s, pastes nothing of it,
# keeps its memory within bounds, reports no X error, and the next paste from a well-behaved
# owner works. Closing the window during a transfer ends the program at once.
# Usage: hostile_owners.sh PATH_TO_VARNEL PATH_TO_HOSTILE_OWNER
source "$(dirname "$0")/../scenario.sh" linux "$1"
OWNER_EXE=$2
start_program
LOGS=$(mktemp -d)

# Starts a hostile owner of the clipboard with this attack; sets OWNER_PID and OWNER_LOG.
hostile_owner() {
    OWNER_LOG=$LOGS/$1.log
    "$OWNER_EXE" "$1" >"$OWNER_LOG" 2>&1 &
    OWNER_PID=$!
    wait_until grep -q ready "$OWNER_LOG"
}
stop_owner() {
    kill "$OWNER_PID" 2>/dev/null
    wait "$OWNER_PID" 2>/dev/null
}
# Whether the owner saw the program's requestor window go (the transfer given up) within about
# 8 s of the paste; says when.
given_up() {
    local tries=0
    until grep -q "gone after" "$OWNER_LOG"; do
        sleep 0.1
        tries=$((tries + 1))
        [ $tries -lt 80 ] || return 1
    done
    echo "   (the owner saw the transfer given up $(sed -n 's/gone after //p' "$OWNER_LOG" | head -n 1)" \
        "after the program asked)"
}
# Pastes from the owner over the green field's text; sets START.
paste_from_owner() {
    select_field Text2
    START=$(now_ms)
    press ctrl+v
    check "the owner is asked for the text" wait_until grep -q asked "$OWNER_LOG"
}
# A short text from a well-behaved owner replaces the green field's text.
well_behaved_paste() {
    printf 66 >"$LOGS/short"
    offer clipboard "$LOGS/short"
    select_field Text2
    press ctrl+v
    preview_is "12,66,0" && was_read
}

for attack in trickle endless boastful wrong-type destroy; do
    echo "-- $attack"
    retype_field Text1 0
    retype_field Text2 0
    preview_is "0,0,0"
    hostile_owner "$attack"
    paste_from_owner
    retype_field Text1 12
    check "while the $attack owner has the paste, 12 typed into the red field shows within 3 s" \
        timed_preview "$START" "12,0,0" 3000
    check "the program gives the transfer up" given_up
    still_running
    check "nothing of it is pasted: the green field reads 0" test "$(field_text Text2)" = "0"
    check "the hex code reads #0C0000" test "$(field_text Text4)" = "#0C0000"
    peak=$(memory_kib VmHWM)
    echo "   (resident memory at most $peak KiB so far)"
    check "the memory stays within 200 MiB" test "$peak" -le $((200 * 1024))
    stop_owner
    check "after the $attack owner, a paste from another owner works" well_behaved_paste
    check "no X error is reported" eval '! grep -iE "X Error|BadWindow|BadMatch" "$E2E_STDERR"'
done
wmctrl -i -c "$MAIN"
check "the program ends with status 0" exits_with "$PROGRAM_PID" 0

echo "-- closing during a transfer"
launch_program
MAIN=$(settled_window "$MAIN_TITLE") || { echo "FAILED: no main window"; exit 1; }
hostile_owner trickle
paste_from_owner
start=$(now_ms)
wmctrl -i -c "$MAIN"
check "closing the window ends the program at once, with status 0" exits_with "$PROGRAM_PID" 0
elapsed=$(($(now_ms) - start))
echo "   ($elapsed ms from the close to the end)"
check "within 3 s" test "$elapsed" -le 3000
stop_owner
rm -rf "$LOGS"
finish
