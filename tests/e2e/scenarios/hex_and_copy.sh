#!/usr/bin/env bash
# The hex field: a code typed and confirmed with Enter sets the three channels; Copy to Clipboard
# places the field's text, as it stands, on the clipboard, every time.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

retype_field Text4 "#FF8000"
check "a code typed without Enter changes nothing" preview_is "0,0,0"
press Return
check "Enter sets the colour" preview_is "255,128,0"
check "the fields show the channels" \
    test "$(field_text Text1) $(field_text Text2) $(field_text Text3)" = "255 128 0"

retype_field Text4 ff8000
press Return
check "the same colour in lower case rewrites nothing" test "$(field_text Text4)" = ff8000

retype_field Text4 "#1G2233"
press Return
check "reading a channel stops at a letter that is no hex digit" preview_is "1,34,51"
check "the field shows the code of the colour" test "$(field_text Text4)" = "#012233"

copies_match() {
    local code
    for code in "#000000" "#FFFFFF" "#0A0B0C" "#123456" "#ABCDEF" "not a code" "#F00" "#00FF00"; do
        retype_field Text4 "$code"
        click_main "${COPY_BUTTON[@]}"
        wait_for_output "$code" clipboard_text || return 1
    done
}
check "each copy places the field's text on the clipboard" copies_match
finish
