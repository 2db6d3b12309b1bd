#!/usr/bin/env bash
# Another program holds the clipboard open: Copy to Clipboard keeps trying for a moment, then
# says so in an ERROR box, and the program keeps running with the clipboard as it was. Once the
# clipboard is free, a copy succeeds.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

before=$(mktemp)
printf 'held before' >"$before"
seed_clipboard "$before"
retype_field Text4 "#123456"
hold_clipboard 3
click_main "${COPY_BUTTON[@]}"
check "a copy while another program holds the clipboard brings up the ERROR box" appears ERROR
press Return
check "Enter answers it" gone ERROR
check "the program keeps running" kill -0 "$PROGRAM_PID"
wait_for_clipboard_release
check "the clipboard keeps what it held" wait_for_output "held before" clipboard_text
click_main "${COPY_BUTTON[@]}"
check "once free, a copy places the hex field's text" wait_for_output "#123456" clipboard_text
finish
