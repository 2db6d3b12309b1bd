#!/usr/bin/env bash
# The palette window stands beside the main window wherever that is, also partly or wholly
# beyond the screen (1280 x 1024): the program asks the window system for exactly that place
# when it shows the window, and the window stands there unless the window manager's own rule
# keeps new windows on the screen (the driver says how much of them: NEW_WINDOWS_ON_SCREEN).
source "$(dirname "$0")/../scenario.sh" "$@"
start_program

SCREEN=(1280 1024)

# Whether the window manager lets a new window with this outer rectangle stand there.
window_manager_allows() {
    local left=$1 top=$2 right=$3 bottom=$4
    local width=$((right - left)) height=$((bottom - top))
    if [ "$NEW_WINDOWS_ON_SCREEN" = whole ]; then
        ((left >= 0 && top >= 0 && right <= SCREEN[0] && bottom <= SCREEN[1])) ||
            ((left >= SCREEN[0] || top >= SCREEN[1] || right <= 0 || bottom <= 0))
    else
        ((left + width / 10 < SCREEN[0] - 1 && right - width / 10 > 0 && top >= 0 &&
            top + height / 10 < SCREEN[1] - 1))
    fi
}

# The last place the program gave one of the windows (X) in the window system's log of the root
# window's children (xev) before the window manager framed it: "X Y" of its X window.
asked_place() {
    local window
    window=$(printf '0x%x' "$2")
    awk -v window="$window" '
        /^(CreateNotify|ConfigureNotify|ReparentNotify) event/ {
            kind = $1
            if ((getline line) <= 0) exit
            if (index(line, "window " window ",") == 0) next
            if (kind == "ReparentNotify") exit
            if (match(line, /\(-?[0-9]+,-?[0-9]+\)/))
                place = substr(line, RSTART + 1, RLENGTH - 2)
        }
        END { if (place != "") print place }' "$1" | tr ',' ' '
}

# Moves the main window's client area to X Y and opens the palette; checks that the program asked
# for the place beside the main window, and that the palette stands there where the window
# manager lets it; hides the palette again.
palette_beside_main_at() {
    local what=$3 log xev main asked window place=
    xdotool windowmove "$MAIN" "$1" "$2"
    sleep 0.5
    read -r -a main <<<"$(window_rect "$MAIN")"
    log=$(mktemp)
    xev -root -event substructure >"$log" 2>&1 &
    xev=$!
    sleep 0.2
    click_main "${PALETTE_BUTTON[@]}"
    sleep 1
    kill "$xev"
    # The palette's X window, shown or (beyond the screen) not.
    for window in $(xdotool search --name '^myPalette$'); do
        place=$(asked_place "$log" "$window")
        [ -n "$place" ] && break
    done
    rm -f "$log"
    [ -n "$place" ] || { echo "FAILED: $what: the palette was not placed"; return 1; }
    read -r -a asked <<<"$place"
    # The X window is the client area, at the same offset within the outer rectangle as beside
    # the main window: that offset comes from the main window.
    read -r -a client <<<"$(client_geometry "$MAIN")"
    asked=($((asked[0] - (client[0] - main[0]))) $((asked[1] - (client[1] - main[1]))))
    echo "$what: main window ${main[*]}, palette asked at ${asked[*]}"
    check "$what: the program asks for the place right of the main window, tops level" \
        test "${asked[*]}" = "${main[2]} ${main[1]}"
    PALETTE=$window
    read -r -a palette <<<"$(window_rect "$PALETTE")"
    echo "$what: the palette stands at ${palette[*]}"
    if window_manager_allows "${asked[0]}" "${asked[1]}" \
        $((asked[0] + palette[2] - palette[0])) $((asked[1] + palette[3] - palette[1])); then
        check "$what: the palette stands there" beside_main
    else
        echo "($what: the window manager keeps the new window on the screen)"
    fi
    click_main "${PALETTE_BUTTON[@]}"
    sleep 0.5
}

palette_beside_main_at 1000 100 "main window near the right edge"
palette_beside_main_at 1150 100 "main window partly beyond the right edge"
palette_beside_main_at 100 800 "main window near the bottom edge"
finish
