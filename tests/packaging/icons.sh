#!/usr/bin/env bash
# The icon theme's PNGs drawn by the program icon's own code: each its size, with the three discs
# in their colours on a transparent ground; at 32 the design's own pixels (the three colours and
# the ground, nothing between), at every other size drawn smooth: their edges partly transparent,
# not the 32-pixel design enlarged.
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
    # The pixels neither wholly transparent nor wholly opaque, as a number of rows' worth: the
    # discs' edges, which run about 4 times the icon's width in all.
    edges=$(convert "$file" -alpha extract -fill black -opaque white -fill white +opaque black \
        -format "%[fx:mean * $size]" info: 2>/dev/null)
    if [ "$size" -eq 32 ]; then
        check "32 px: the design's own pixels, only the three colours and the transparent ground" \
            test "$(identify -format '%k' "$file")" = 4
    else
        check "$size px: the discs' edges are drawn partly transparent ($edges rows' worth)" \
            awk -v rows="$edges" 'BEGIN { exit !(rows > 3) }'
    fi
done

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
