#!/usr/bin/env bash
# The Linux program through a minute of random use with Ball running: its memory settles (it
# grows by at most 1 MiB after the first 10 s), no X error is reported, and it ends with status 0.
# With "screen-reader", a screen reader listens to it all along.
#
# Usage: soak.sh PROGRAM [SECONDS [screen-reader]]   (SECONDS defaults to 60)
source "$(dirname "$0")/../scenario.sh" linux "$1"
seconds=${2:-60}
start_program
if [ "${3:-}" = screen-reader ]; then
    screen_reader_on || echo "FAILED: the screen reader does not read the program"
fi
click_main "${BALL_CHECK_BOX[@]}"

random_point() { echo $((RANDOM % $1)) $((RANDOM % $2)); }

# One random thing a person might do; a refusal's ERROR box is answered.
act() {
    case $((RANDOM % 9)) in
        0 | 1) click_main $(random_point 254 184) ;;
        2) retype_field "$(printf 'Text%d' $((RANDOM % 4 + 1)))" "$((RANDOM % 300))" ;;
        3) click_main "${PALETTE_BUTTON[@]}" ;;
        4)
            if on_screen myPalette; then
                local palette
                palette=$(settled_window myPalette)
                read -r x y <<<"$(screen_point "$palette" $((RANDOM % 150)) $((RANDOM % 258)))"
                xdotool mousemove "$x" "$y" mousedown 1 mousemove $((x + RANDOM % 40 - 20)) \
                    $((y + RANDOM % 40 - 20)) mouseup 1
            fi
            ;;
        5)
            click_main "${ABOUT_BUTTON[@]}"
            appears About && click_in "$(settled_window About)" "${ABOUT_CLOSE[@]}"
            ;;
        6) press Tab Down Up Home End ;;
        7) click_main "${COPY_BUTTON[@]}" ;;
        8) click_main "${BALL_CHECK_BOX[@]}" ;;
    esac
    if on_screen ERROR; then press Return; fi
}

start=$SECONDS
settled=""
while ((SECONDS - start < seconds)); do
    act
    if [ -z "$settled" ] && ((SECONDS - start >= 10)); then settled=$(memory_kib VmRSS); fi
done
final=$(memory_kib VmRSS)
echo "resident memory: $settled KiB after 10 s, $final KiB after $seconds s"
check "memory grows by at most 1 MiB after the first 10 s" test $((final - settled)) -le 1024
check "no X error is reported" eval '! grep -iE "X Error|BadWindow|BadDrawable|BadMatch" "$E2E_STDERR"'
wmctrl -i -c "$MAIN"
on_screen ERROR && press Return
check "the program ends with status 0" exits_with "$PROGRAM_PID" 0
finish
