#!/usr/bin/env bash
# The icon theme's PNGs drawn from the program icon: each its size, with the three discs in
# their colours and a transparent ground, and no blended edge colours (nearest-neighbour
# scaling keeps the discs crisp at every size).
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
icons=$1

# The colour under a point of the 32-pixel design: at PNG SIZE X Y.
at() {
    local file=$1 size=$2 x=$3 y=$4
    convert "$file" -format "%[pixel:p{$((x * size / 32)),$((y * size / 32))}]" info: 2>/dev/null
}

for size in 16 24 32 48 64 128 256; do
    file=$icons/${size}x${size}/apps/varnel.png
    [ -f "$file" ] || { check "the $size px icon exists" false; continue; }
    check "$size px: the image is $size x $size" \
        test "$(identify -format '%w %h' "$file")" = "$size $size"
    check "$size px: the upper left disc is red" test "$(at "$file" "$size" 9 8)" = "srgba(255,0,0,1)"
    check "$size px: the right disc is dark green" test "$(at "$file" "$size" 23 16)" = "srgba(0,128,0,1)"
    check "$size px: the lower left disc is blue" test "$(at "$file" "$size" 8 24)" = "srgba(0,0,255,1)"
    check "$size px: the corners are transparent" \
        test "$(at "$file" "$size" 0 0)$(at "$file" "$size" 31 31)" = "srgba(0,0,0,0)srgba(0,0,0,0)"
    check "$size px: only the three colours and the transparent ground" \
        test "$(identify -format '%k' "$file")" = 4
done

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
