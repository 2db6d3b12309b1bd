#!/usr/bin/env bash
# The decimal fields: typed numbers set the channel, a number above 255 is refused with the
# ERROR box (which can be moved and closed, no more) and the field falls back, digits typed
# after the program rewrites a field land after the new text, and a field takes any length of
# text.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

retype_field Text1 200
check "200 in the red field turns the preview red" preview_is "200,0,0"
check "the hex code follows the red field" test "$(field_text Text4)" = "#C80000"

retype_field Text2 256
check "256 brings up a window titled ERROR" appears ERROR
check "the ERROR box can be neither resized, minimized nor maximized" \
    fixed_frame "$(settled_window ERROR)"
press Return
check "Enter answers the ERROR box" gone ERROR
check "the green field falls back to 25" preview_is "200,25,0"
check "it reads 25" test "$(field_text Text2)" = "25"

# After "007" the program rewrites the field as "7"; the "5" must come after it.
retype_field Text3 0075
check "0075 in the blue field gives 75" preview_is "200,25,75"
check "the blue field reads 75" test "$(field_text Text3)" = "75"

# Typed key by key, "12.5" stands: the bar reached 12 at "12", and nothing rewrote the field.
retype_field Text1 12.5
check "12.5 typed counts as 12" preview_is "12,25,75"
check "the red field keeps 12.5 as typed" test "$(field_text Text1)" = "12.5"

long=$(mktemp)
{ head -c 39997 /dev/zero | tr '\0' 0; printf 255; } >"$long"
paste_into_field Text1 "$long"
check "a pasted number of 40,000 characters is read whole" preview_is "255,25,75"
check "the red field is rewritten as 255" test "$(field_text Text1)" = "255"
finish
