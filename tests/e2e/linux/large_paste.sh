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

# A short text, which the owner sends whole.
printf 66 >"$PAYLOADS/short"
offer clipboard "$PAYLOADS/short"
select_field Text1
press ctrl+v
still_running
check "Ctrl+V of a short text from another program turns the preview (66,0,0)" preview_is "66,0,0"
check "it reads the whole text" was_read

# A number of 16 MiB, which the field rewrites as 25, then 12 typed over it: the memory the
# paste took comes back.
before=$(memory_kib VmRSS)
offer clipboard "$(payload $((16 * MiB)) 0 25)"
select_field Text1
start=$(now_ms)
press ctrl+v
check "Ctrl+V of a 16 MiB number over the red field's text turns the preview (25,0,0)" \
    timed_preview "$start" "25,0,0"
check "it reads the whole text" was_read
retype_field Text1 12
check "12 typed over it turns the preview (12,0,0)" preview_is "12,0,0"
after=$(memory_kib VmRSS)
echo "   (resident memory: $before KiB before the paste, $after KiB once the field reads 12;" \
    "at most $(memory_kib VmHWM) KiB)"
check "the memory the paste took comes back, to within 2 MiB" test $((after - before)) -le 2048

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
