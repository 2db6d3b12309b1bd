#!/usr/bin/env bash
# What a screen reader hears from the Linux program, beyond what the shared scenario can say:
# the program starts no accessibility bridge while the desktop's accessibility is off, starts it
# when a screen reader comes, and then tells each change as an AT-SPI event: a field's text typed
# and written by the program (the hex code after a scroll), a scroll bar's value, the check box's
# state, the focus moved by a click and windows shown, activated and hidden; the message box's
# button has its action too. VARNEL_ACCESSIBILITY=1
# turns accessibility on with the desktop's setting off.
#
# Usage: screen_reader_events.sh PROGRAM
source "$(dirname "$0")/../scenario.sh" linux "$1"
start_program
T=$'\t'

bridge_loaded() { grep -q varnel-accessibility "/proc/$1/maps"; }
# Waits until the screen reader has heard an event: heard TYPE ROLE NAME [DATA] [DETAIL1].
heard() {
    wait_until awk -F '\t' -v type="$1" -v role="$2" -v name="$3" -v data="${4-}" \
        -v detail="${5-}" '$1 == type && $2 == role && $3 == name && (data == "" || $6 == data) &&
            (detail == "" || $4 == detail) { found = 1 } END { exit !found }' "$READER_LOG" ||
        { echo "not heard: $*" >&2; return 1; }
}

screen_reader_listens
sleep 1
check "with the desktop's accessibility off, the program loads no bridge" \
    eval "! bridge_loaded $PROGRAM_PID"
set_screen_reader_setting true
check "when a screen reader starts, the program starts its bridge" \
    wait_until bridge_loaded "$PROGRAM_PID"
check "and the screen reader hears where the focus is" \
    heard object:state-changed:focused edit Red "" 1

retype_field Text1 12
check "typed characters are heard as inserted" heard object:text-changed:insert edit Red 2
check "the bar the field moves tells its new value" \
    heard object:property-change:accessible-value "scroll bar" Red
check "the hex code the program writes is heard" heard object:text-changed:insert edit HEX C

click_main "${RED_DOWN_ARROW[@]}"
check "after a scroll, the field's text changes" heard object:text-changed:insert edit Red 3
check "and so does the hex code" heard object:text-changed:insert edit HEX D

click_main "${BALL_CHECK_BOX[@]}"
check "checking Ball is heard" heard object:state-changed:checked "check box" Ball "" 1
click_main "${BALL_CHECK_BOX[@]}"
check "and unchecking it" heard object:state-changed:checked "check box" Ball "" 0

click_field Text4
check "a click moves the focus" heard object:state-changed:focused edit HEX "" 1

click_main "${PALETTE_BUTTON[@]}"
PALETTE=$(settled_window myPalette)
check "a window that appears is heard" heard window:create window myPalette
focus_window "$PALETTE"
check "and when it is activated" heard window:activate window myPalette
click_main "${PALETTE_BUTTON[@]}"
check "and when it goes" heard window:destroy window myPalette

retype_field Text2 256
appears ERROR
check "the message box is heard as it appears" heard window:create alert ERROR
accessible_press ERROR OK
check "its OK button pressed through its action closes it" gone ERROR

# Forced on, with the desktop's setting off.
set_screen_reader_setting false
VARNEL_ACCESSIBILITY=1 "$VARNEL" 2>/dev/null &
FORCED_PID=$!
forced_main_window() { "${SCREEN_READER[@]}" tree "$FORCED_PID" "$MAIN_TITLE" 2>/dev/null | awk "NR == 1"; }
check "VARNEL_ACCESSIBILITY=1 starts the bridge with the desktop's setting off" \
    wait_for_output "window${T}$MAIN_TITLE${T}" forced_main_window
kill "$FORCED_PID"
wait "$FORCED_PID"

[ "$FAILURES" -eq 0 ] || { echo "the screen reader heard:"; cat "$READER_LOG"; }
finish
