#!/usr/bin/env bash
# Presses that a screen reader asks for are done after its calls are answered, and may queue up:
# when the first closes About, the second, asked for About's Close button too, finds its control
# gone and is dropped. Run on the program built with AddressSanitizer, which reports any use of
# the freed window.
#
# Usage: queued_presses.sh PROGRAM
source "$(dirname "$0")/../scenario.sh" linux "$1"
PEER=(/usr/bin/python3 "$E2E_DIR/linux/accessibility_peer.py")

start_program
screen_reader_on || { echo "FAILED: the program is not read"; exit 1; }
click_main "${ABOUT_BUTTON[@]}"
appears About || { echo "FAILED: About did not open"; exit 1; }
# Both asked for while the program stands still, so that both are answered, and queued, in one go.
coproc PRESSER { "${PEER[@]}" press-twice "$PROGRAM_PID" About Close; }
read -r -t 10 ready <&"${PRESSER[0]}" && [ "$ready" = ready ] ||
    { echo "FAILED: the Close button was not found"; exit 1; }
kill -STOP "$PROGRAM_PID"
echo go >&"${PRESSER[1]}"
sleep 0.5
kill -CONT "$PROGRAM_PID"
read -r -t 10 answers <&"${PRESSER[0]}"
echo "   answers: $answers"
check "both presses were answered" [ "$answers" = "(true,) (true,)" ]
check "the first press closes About" gone About
still_running
check "and the second, for a control that is gone, is dropped" \
    eval '! grep -q "AddressSanitizer\|runtime error" "$E2E_STDERR"'
retype_field Text1 12
check "typing shows as before" timed_preview "$(now_ms)" "12,0,0" 5000 "the last key typed"
finish
