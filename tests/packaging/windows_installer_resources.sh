#!/usr/bin/env bash
# What Windows reads from the installer before running it: a manifest that asks for no
# administrator (the install is per user), the version resource of this version, and the
# program's icon.
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
installer=$1 ico=$2 version=$3
[ -f "$installer" ] ||
    { echo "FAILED: $installer is missing"; exit 1; }

manifest=$(wrestool -x --raw --type=24 "$installer" 2>/dev/null)
check "the manifest asks to run as the user who starts it" \
    grep -q 'requestedExecutionLevel level="asInvoker"' <<<"$manifest"

# The version resource's strings, in UTF-16: each name is followed by its value.
strings=$(wrestool -x --raw --type=16 "$installer" 2>/dev/null | strings -el)
value() {
    grep -A1 -x "$1" <<<"$strings" | tail -n 1
}
check "ProductName is Varnel" test "$(value ProductName)" = Varnel
check "ProductVersion is $version" test "$(value ProductVersion)" = "$version"
check "FileVersion is $version" test "$(value FileVersion)" = "$version"
check "CompanyName is the authors" test "$(value CompanyName)" = "The Varnel authors"

# The installer's one icon image is the program icon's (the .ico file less its 22-byte header).
icon_is_the_programs() {
    cmp -s <(wrestool -x --raw --type=3 "$installer" 2>/dev/null) <(tail -c +23 "$ico")
}
check "the installer's icon is the program icon" icon_is_the_programs

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
