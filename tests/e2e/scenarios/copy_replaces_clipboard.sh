#!/usr/bin/env bash
# Copy to Clipboard replaces the clipboard's whole content: after it the clipboard holds the hex
# field's text as its only content, whatever formats another program had put there (both
# programs did so before; the scenario keeps it so).
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

other=$(mktemp)
printf 'copied elsewhere' >"$other"
seed_clipboard_with_picture "$other"
echo "the clipboard holds before the copy: $(clipboard_formats | paste -sd ' ')"
check "another program's picture is on the clipboard" eval 'clipboard_formats | grep -qx picture'

retype_field Text4 "#123456"
click_main "${COPY_BUTTON[@]}"
check "a copy places the hex field's text" wait_for_output "#123456" clipboard_text
echo "the clipboard holds after the copy: $(clipboard_formats | paste -sd ' ')"
check "the text is the clipboard's only content" test "$(clipboard_formats)" = text
finish
