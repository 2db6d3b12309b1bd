#!/usr/bin/env bash
# A control character typed with Ctrl and a letter reaches the hex field's KeyPress with the same
# code on both programs: Ctrl+M is 13, as Enter is, so it sets the colour typed; Ctrl+V still
# pastes after its KeyPress (22). (The Windows program did so before; the Linux program raised no
# KeyPress for Ctrl and a letter.)
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

retype_field Text4 "#FF8000"
press ctrl+m
check "Ctrl+M reaches KeyPress as 13 and sets the colour typed" preview_is "255,128,0"

code=$(mktemp)
printf '#00FF40' >"$code"
paste_into_field Text4 "$code"
check "Ctrl+V pastes the clipboard's text" wait_for_output "#00FF40" field_text Text4
click_main ${FIELD[Text4]}
press End ctrl+m
check "and Ctrl+M sets the colour pasted" preview_is "0,255,64"
finish
