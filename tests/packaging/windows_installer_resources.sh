#!/usr/bin/env bash
# What Windows reads from the installer before running it: a manifest that asks for no
# administrator (the install is per user) and declares it aware of the screen's scale (sharp at
# 150 %), the version record of this version with the program's company and copyright, and the
# program's icon.
#
# Usage: windows_installer_resources.sh INSTALLER VARNEL_EXE VERSION
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
installer=$1 exe=$2 version=$3
[ -f "$installer" ] ||
    { echo "FAILED: $installer is missing"; exit 1; }

manifest=$(wrestool -x --raw --type=24 "$installer" 2>/dev/null)
check "the manifest asks to run as the user who starts it" \
    grep -q 'requestedExecutionLevel level="asInvoker"' <<<"$manifest"
check "the manifest declares it aware of the system's scale" \
    grep -q '<dpiAware [^>]*>true</dpiAware>' <<<"$manifest"

# The version record's strings, in UTF-16: each name is followed by its value.
strings=$(wrestool -x --raw --type=16 "$installer" 2>/dev/null | strings -el)
value() {
    grep -A1 -x "$1" <<<"$strings" | tail -n 1
}
copyright=$(grep -m 1 '^Copyright ' "$(dirname "$0")/../../LICENSE")
check "ProductName is Varnel" test "$(value ProductName)" = Varnel
check "ProductVersion is $version" test "$(value ProductVersion)" = "$version"
check "FileVersion is $version" test "$(value FileVersion)" = "$version"
check "FileDescription calls it the setup of $version" \
    test "$(value FileDescription)" = "Varnel $version setup"
check "LegalCopyright is the licence's" test "$(value LegalCopyright)" = "$copyright"
check "CompanyName is the licence's holder, as in the program" \
    test "$(value CompanyName)" = "${copyright#Copyright (c) [0-9][0-9][0-9][0-9] }"

# The installer's icon is the program's, every image of it.
icon_is_the_programs() {
    cmp -s <(wrestool -x --type=14 "$installer" 2>/dev/null) <(wrestool -x --type=14 "$exe" 2>/dev/null)
}
check "the installer's icon is the program icon" icon_is_the_programs

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
