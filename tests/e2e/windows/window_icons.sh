#!/usr/bin/env bash
# The icons varnel.exe's windows carry, as Wine hands them to the window manager: the large and
# the small icon at the sizes the system asks for at the prefix's scale (32 and 16 at 96 dots
# per inch, 64 and 32 at 192). At 32 pixels each is the design's own 16-colour image, hard-edged;
# at every other size the discs drawn for that size, with smooth edges, not the design enlarged.
#
# Usage: window_icons.sh WINDOWS-BUILD-DIR   (E2E_SCALE_DPI: the prefix's dots per inch)
source "$(dirname "$0")/../scenario.sh" windows "$1"
start_program

# Each icon a window offers as "SIZE PARTLY-CLEAR-PIXELS", from _NET_WM_ICON: width, height,
# then one ARGB value a pixel, for each icon in turn.
offered_icons() {
    xprop -id "$1" -notype -f _NET_WM_ICON 32c _NET_WM_ICON | sed 's/^[^=]*= //' | tr -d ' ' |
        tr ',' '\n' | awk '
            skip { left = size * $1; skip = 0; next }
            left == 0 { if (size) print size, partly; size = $1; partly = 0; skip = 1; next }
            { alpha = int($1 / 16777216); partly += alpha > 0 && alpha < 255; left-- }
            END { if (size) print size, partly }'
}

large=$(device 32)
small=$(device 16)
for title in "$MAIN_TITLE" About myPalette; do
    case $title in
        About) click_main "${ABOUT_BUTTON[@]}" ;;
        myPalette) click_main "${PALETTE_BUTTON[@]}" ;;
    esac
    window=$(settled_window "$title") || { check "the window $title opens" false; continue; }
    icons=$(offered_icons "$window" | sort -n)
    echo "$title offers: $(tr '\n' ';' <<<"$icons")"
    check "$title carries the large and the small icon, $large and $small pixels" \
        test "$(cut -d ' ' -f 1 <<<"$icons" | tr '\n' ' ')" = "$(printf '%s\n' "$small" "$large" |
            sort -n | tr '\n' ' ')"
    while read -r size partly; do
        if [ "$size" -eq 32 ]; then
            check "$title: its $size-pixel icon is the design's, hard-edged" test "$partly" -eq 0
        else
            check "$title: its $size-pixel icon is drawn at that size, with smooth edges" \
                test "$partly" -gt "$size"
        fi
    done <<<"$icons"
    [ "$title" = About ] && click_in "$(settled_window About)" "${ABOUT_CLOSE[@]}"
done
finish
