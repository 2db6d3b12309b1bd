#!/usr/bin/env bash
# Accessibility comes back by itself: when the desktop's accessibility bus goes away (its
# launcher ends, and the bus with it) and a new one answers, and when the AT-SPI registry ends and
# another starts, the desktop's tree lists the Linux program again within 2 s, as a screen
# reader that asks anew finds it.
#
# Usage: bus_restart.sh PROGRAM
source "$(dirname "$0")/../scenario.sh" linux "$1"

start_program
screen_reader_on || { echo "FAILED: the program is not read"; exit 1; }

# The process that owns a name on this session's bus.
owner_of() {
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID "string:$1" 2>/dev/null | awk '{ print $2 }'
}
# The same on this session's accessibility bus.
a11y_owner_of() {
    local address
    address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null | awk '{ print $1 }')
    dbus-send --bus="$address" --print-reply=literal --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID "string:$1" \
        2>/dev/null | awk '{ print $2 }'
}

# Ends a process and, as a new screen reader does, asks for the program until it is listed (for
# up to 10 s); says after how many milliseconds, and fails beyond 2 s.
comes_back_after_ending() {
    local pid=$1 what=$2 started tries=0 elapsed
    [ -n "$pid" ] || { echo "   no $what found"; return 1; }
    kill "$pid"
    started=$(now_ms)
    until "${SCREEN_READER[@]}" tree "$PROGRAM_PID" "$MAIN_TITLE" >/dev/null 2>&1; do
        ((++tries < 100)) || { echo "   the program was not listed again within 10 s"; return 1; }
        sleep 0.05
    done
    elapsed=$(($(now_ms) - started))
    echo "   ($elapsed ms from the end of the $what until the program was listed again)"
    [ "$elapsed" -le 2000 ]
}

check "after the accessibility bus goes and a new one answers, the program is read again" \
    comes_back_after_ending "$(owner_of org.a11y.Bus)" "bus launcher"
check "after the registry ends and another starts, the program is read again" \
    comes_back_after_ending "$(a11y_owner_of org.a11y.atspi.Registry)" registry
still_running
retype_field Text1 12
check "typing shows as before" timed_preview "$(now_ms)" "12,0,0" 2000 "the last key typed"
finish
