#!/usr/bin/env bash
# Calls a screen reader would never make cannot crash, hold or flood the Linux program: a field's
# text asked for by a unit that does not exist at an offset before the text, and the extents of
# the first 2^31 - 1 characters of a label, are answered within 100 ms, the program goes on and
# typing shows as before; a storm of calls on objects of the wrong kind writes a few lines to
# stderr, not one a call.
#
# Usage: hostile_calls.sh PROGRAM
source "$(dirname "$0")/../scenario.sh" linux "$1"
PEER=(/usr/bin/python3 "$E2E_DIR/linux/accessibility_peer.py")
STORM_SECONDS=10

start_program
screen_reader_on || { echo "FAILED: the program is not read"; exit 1; }

# Calls a method of one of the main window's objects; prints the answer and its time.
call() { "${PEER[@]}" call "$PROGRAM_PID" "$MAIN_TITLE" "$@"; }
# Whether the answer (from call) came within 100 ms.
answered_quickly() {
    echo "   $1"
    [[ "$1" =~ \ ([0-9]+)\ ms$ ]] && [ "${BASH_REMATCH[1]}" -le 100 ]
}

answer=$(call edit Red org.a11y.atspi.Text GetStringAtOffset iu -1 5)
check "a field's text by an unknown unit before its start is answered within 100 ms" \
    answered_quickly "$answer"
still_running
answer=$(call label Red org.a11y.atspi.Text GetRangeExtents iiu 0 2147483647 0)
check "a label's extents over 2^31 - 1 characters are answered within 100 ms" \
    answered_quickly "$answer"
still_running
retype_field Text1 12
check "typing shows as before" timed_preview "$(now_ms)" "12,0,0" 2000 "the last key typed"

before=$(wc -c <"$E2E_STDERR")
calls=$("${PEER[@]}" storm "$PROGRAM_PID" "$MAIN_TITLE" "$STORM_SECONDS")
written=$(tail -c +$((before + 1)) "$E2E_STDERR")
messages=$(grep -c '^\*\* ' <<<"$written")
echo "   $calls calls in $STORM_SECONDS s on objects of the wrong kind; $messages messages" \
    "($(wc -c <<<"$written") bytes) to stderr:"
grep -v '^\*\* \|^$' <<<"$written" | sed 's/^/   /'
check "the storm is answered" [ "${calls:-0}" -gt 100 ]
check "and only the first ten messages are written, then counts" [ "$messages" -le 10 ]
still_running
retype_field Text1 34
check "typing shows as before after the storm" \
    timed_preview "$(now_ms)" "34,0,0" 2000 "the last key typed"
finish
