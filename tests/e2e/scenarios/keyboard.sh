#!/usr/bin/env bash
# The keyboard: Tab walks the controls in Tab order (each stop shown by what a key does there;
# the preview box is no stop), and Enter and Esc press no button while a field, a scroll bar or
# the check box has the focus.
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

# Nothing a button does may follow Enter or Esc: no window opens, nothing is copied.
nothing_pressed() {
    sleep 0.4
    ! on_screen About && ! on_screen myPalette && [ -z "$(clipboard_text)" ]
}
type_keys() { xdotool type --delay "${TYPE_DELAY:-15}" "$1"; }

press Return Escape
check "Enter and Esc in the red field press no button" nothing_pressed
press Tab
type_keys 1
check "Tab goes to the green field (its text selected)" preview_is "0,1,0"
press Tab
type_keys 2
check "then to the blue field" preview_is "0,1,2"
press Tab Down
check "then to the red bar" preview_is "1,1,2"
press Return Escape
check "Enter and Esc on a scroll bar press no button" nothing_pressed
press Tab Down
check "then to the green bar" preview_is "1,2,2"
press Tab Down
check "then to the blue bar" preview_is "1,2,3"
press Tab
type_keys "#0A0B0C"
press Return
check "then to the hex field" preview_is "10,11,12"
press Tab space
check "then to Ball" dots_appear 3
press space Return Escape
check "Enter and Esc on the check box press no button" nothing_pressed
press Tab space
check "then to About" appears About
click_in "$(settled_window About)" "${ABOUT_CLOSE[@]}"
check "About's Close closes it" gone About

click_field Text4
press Tab Tab Tab space
check "after About comes Palette: the preview is no stop" appears myPalette
click_field Text4
press Tab Tab Tab Tab space
check "then Copy to Clipboard" wait_for_output "#0A0B0C" clipboard_text
press Tab
type_keys 9
check "and back to the red field" preview_is "9,11,12"
press shift+Tab shift+Tab space
check "Shift+Tab goes back through Copy to Palette" gone myPalette
finish
