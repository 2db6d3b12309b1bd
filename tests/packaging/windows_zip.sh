#!/usr/bin/env bash
# The Windows zip: the program as built, its licence and a README.txt of this version, side by
# side at the top (Windows' "Extract All" makes the folder), and nothing else.
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
zip=$(realpath -m "$1") exe=$2 version=$3
[ -f "$zip" ] || { echo "FAILED: $zip is missing"; exit 1; }
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT

entries=$(cmake -E tar tf "$zip" | LC_ALL=C sort | tr '\n' ' ')
check "the zip holds LICENSE.txt, README.txt and varnel.exe ($entries)" \
    test "$entries" = "LICENSE.txt README.txt varnel.exe "
(cd "$unpacked" && cmake -E tar xf "$zip")
check "varnel.exe is the program as built" cmp -s "$unpacked/varnel.exe" "$exe"
check "LICENSE.txt is the licence" cmp -s "$unpacked/LICENSE.txt" "$(dirname "$0")/../../LICENSE"
check "README.txt names this version" grep -q "^Varnel $version for Windows" "$unpacked/README.txt"

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
