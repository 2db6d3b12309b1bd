#!/usr/bin/env bash
# What a screen reader reads of the program, from outside it, in the same words on both
# programs: each window's tree (names, roles, values), the values after typing, the focus as Tab
# moves it, buttons pressed through their accessible action, and the message box announced as an
# alert with its OK button focused.
#
# A driver reads with:
#   accessible_tree TITLE    a line per object of the window with this title, the window's own
#                            first: ROLE<TAB>NAME<TAB>VALUE, where ROLE is window, alert, label,
#                            edit, scroll bar, check box, button or graphic, and VALUE a field's
#                            text, a scroll bar's "VALUE MIN..MAX", a check box's "checked" or
#                            "unchecked", an alert's text, and empty otherwise. Objects a screen
#                            reader skips (hidden, decorative) are left out.
#   accessible_focus         ROLE<TAB>NAME of the object that has the focus
#   accessible_press TITLE NAME   the default action of the button or check box NAME
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

T=$'\t'
# The window's tree is these lines, in any order after the window's own.
tree_is() {
    local title=$1 expected actual
    shift
    expected=$(printf '%s\n' "$1"; printf '%s\n' "${@:2}" | sort)
    actual=$(accessible_tree "$title" | { IFS= read -r first; printf '%s\n' "$first"; sort; })
    [ "$actual" = "$expected" ] || { diff <(echo "$expected") <(echo "$actual") >&2; return 1; }
}
# Polls until the tree is as expected: what a screen reader is told follows the program's change.
tree_becomes() { wait_until tree_is "$@"; }
focus_is() { wait_for_output "$1" accessible_focus; }

main_tree() {
    tree_is "$MAIN_TITLE" "window${T}Varnel v3.0${T}" \
        "label${T}by M. Vela${T}" \
        "label${T}Red${T}" "label${T}Green${T}" "label${T}Blue${T}" "label${T}HEX${T}" \
        "edit${T}Red${T}$1" "edit${T}Green${T}0" "edit${T}Blue${T}0" "edit${T}HEX${T}$2" \
        "scroll bar${T}Red${T}$1 0..255" "scroll bar${T}Green${T}0 0..255" \
        "scroll bar${T}Blue${T}0 0..255" \
        "check box${T}Ball${T}$3" \
        "button${T}About${T}" "button${T}Palette${T}" "button${T}Copy to Clipboard${T}" \
        "graphic${T}Preview${T}"
}
check "the main window reads as it looks" main_tree 0 "#000000" unchecked
check "the focus starts in the red field" focus_is "edit${T}Red"

xdotool type --delay "${TYPE_DELAY:-15}" 12
check "typing 12 in the red field is read as 12, the red bar at 12, the hex code #0C0000" \
    wait_until main_tree 12 "#0C0000" unchecked

press Tab
check "Tab moves the focus to the green field" focus_is "edit${T}Green"
press Tab Tab
check "then to the red scroll bar" focus_is "scroll bar${T}Red"

accessible_press "$MAIN_TITLE" "Copy to Clipboard"
check "Copy to Clipboard pressed through its action copies" \
    wait_for_output "#0C0000" clipboard_text
accessible_press "$MAIN_TITLE" Ball
check "Ball pressed through its action is checked, and the trail runs" dots_appear 3
check "and is read as checked" wait_until main_tree 12 "#0C0000" checked
accessible_press "$MAIN_TITLE" Ball

click_main "${PALETTE_BUTTON[@]}"
appears myPalette
check "the palette is a spectrum to look at" \
    tree_becomes myPalette "window${T}myPalette${T}" "graphic${T}Spectrum${T}"

click_main "${ABOUT_BUTTON[@]}"
appears About
about_tree() {
    local tree
    tree=$(accessible_tree About)
    # The title reads as one word; the four credit lines as one text; each picture by a name.
    grep -qx "window${T}About${T}" <<<"$tree" &&
        grep -qx "label${T}Varnel${T}" <<<"$tree" &&
        grep -qx "button${T}Close${T}" <<<"$tree" &&
        [ "$(grep -c "^graphic${T}.\+${T}\$" <<<"$tree")" -eq 2 ] &&
        [ "$(grep -c "^label${T}Version 3.0" <<<"$tree")" -eq 1 ] &&
        ! grep -qE "^label${T}(V|a|r|nel)${T}" <<<"$tree" &&
        [ "$(wc -l <<<"$tree")" -eq 6 ] || { echo "$tree" >&2; return 1; }
}
check "the About window reads its title as one word, its credits and pictures" \
    wait_until about_tree
check "Close has the focus in the About window" focus_is "button${T}Close"
accessible_press About Close
check "Close pressed through its action closes it" gone About

retype_field Text2 256
appears ERROR
check "the message box is an alert with its text" \
    tree_becomes ERROR "alert${T}ERROR${T}Field can be from 0 to 255" "button${T}OK${T}"
check "its OK button has the focus" focus_is "button${T}OK"
press Return
gone ERROR
finish
