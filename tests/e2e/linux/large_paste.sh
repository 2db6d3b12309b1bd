#!/usr/bin/env bash
# Pasting texts of 1 MiB and 16 MiB (and a short one) from another program into the Linux
# program's fields, with each of the three paste gestures. xclip, the other program, sends texts
# this large incrementally (the X selection's INCR transfer). The program must stay up, insert
# the text where the field's caret or selection is, and hand the field's new text to the program.
# Usage: large_paste.sh PATH_TO_VARNEL
source "$(dirname "$0")/../scenario.sh" linux "$1"
MiB=1048576
start_program
PAYLOADS=$(mktemp -d)

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Texts to paste: COUNT times a digit, then a number.
payload() {
    local file=$PAYLOADS/$1-$2$3
    [ -f "$file" ] || { head -c "$1" /dev/zero | tr '\0' "$2"; printf %s "$3"; } >"$file"
    echo "$file"
}
# Offers a file's text as a selection (primary or clipboard) until a program has read it once;
# sets XCLIP_PID, which ends then.
offer() {
    local log=$PAYLOADS/xclip.log
    # Emptied before xclip starts: the last offer's words must not count as this one's.
    : >"$log"
    xclip -selection "$1" -i -verbose -loops 1 <"$2" >>"$log" 2>&1 &
    XCLIP_PID=$!
    # Ready once it owns the selection.
    wait_until grep -q "Waiting for one selection request" "$log"
}
# Whether the program read the offered text (once, as a whole) within 20 s.
was_read() {
    local tries=0
    while kill -0 "$XCLIP_PID" 2>/dev/null && [ $tries -lt 400 ]; do
        sleep 0.05
        tries=$((tries + 1))
    done
    kill "$XCLIP_PID" 2>/dev/null && return 1
    wait "$XCLIP_PID"
}
# Ends the test when the program is gone: nothing after would say more.
still_running() {
    kill -0 "$PROGRAM_PID" 2>/dev/null && return
    wait "$PROGRAM_PID"
    echo "FAILED: the program has ended (status $?)"
    exit 1
}
# Waits (up to 20 s: seconds when the machine is busy) until the preview shows a colour after a
# paste; reports the time from the paste key.
timed_preview() {
    local start=$1 colour=$2 tries=0
    until [ "$(main_pixel "${PREVIEW_CENTRE[@]}")" = "$colour" ]; do
        [ $tries -lt 200 ] || { preview_is "$colour"; return 1; }
        sleep 0.1
        tries=$((tries + 1))
    done
    echo "   ($(($(now_ms) - start)) ms from the paste key to the preview)"
}
# Selects a field's whole text by keyboard.
select_field() {
    click_field "$1"
    press End shift+Home
}

# A short text, which the owner sends whole.
printf 66 >"$PAYLOADS/short"
offer clipboard "$PAYLOADS/short"
select_field Text1
press ctrl+v
still_running
check "Ctrl+V of a short text from another program turns the preview (66,0,0)" preview_is "66,0,0"
check "it reads the whole text" was_read

# 1 MiB with Ctrl+V over the red field's whole text.
offer clipboard "$(payload $MiB 0 200)"
select_field Text1
start=$(now_ms)
press ctrl+v
still_running
check "Ctrl+V of 1 MiB replaces the red field's text: the preview turns (200,0,0)" \
    timed_preview "$start" "200,0,0"
check "it reads the whole text" was_read

# 16 MiB with Shift+Insert in front of the red field's text "5".
retype_field Text1 5
preview_is "5,0,0"
offer clipboard "$(payload $((16 * MiB)) 0 25)"
press Home
start=$(now_ms)
press shift+Insert
still_running
check "Shift+Insert of 16 MiB inserts at the caret: 0…025 and 5 make 255" \
    timed_preview "$start" "255,0,0"
check "it reads the whole text" was_read
check "the red field then holds 255" wait_for_output 255 field_text Text1

# 1 MiB from the primary selection with the middle button, after the green field's "0".
offer primary "$(payload $MiB 0 128)"
start=$(now_ms)
click_main ${FIELD[Text2]} 2
still_running
check "a middle click pastes 1 MiB of the primary selection: the preview turns (255,128,0)" \
    timed_preview "$start" "255,128,0"
check "it reads the whole text" was_read

# 16 MiB that is no colour: the program stays up and keeps the colour.
offer clipboard "$(payload $((16 * MiB)) 7)"
select_field Text3
press ctrl+v
check "it reads 16 MiB of 7s" was_read
# Whether the program refuses it with a message box is its own business; answer one if it comes.
for _ in $(seq 20); do
    if on_screen ERROR; then
        press Return
        gone ERROR
        break
    fi
    sleep 0.1
done
still_running
check "after 16 MiB of 7s in the blue field the preview keeps its colour" preview_is "255,128,0"

# For comparison, the same 16 MiB read by xclip itself.
offer clipboard "$(payload $((16 * MiB)) 0 25)"
start=$(now_ms)
xclip -selection clipboard -o >/dev/null
echo "   (xclip -o reads the same 16 MiB in $(($(now_ms) - start)) ms)"
check "it reads the whole text" was_read
rm -rf "$PAYLOADS"
finish
