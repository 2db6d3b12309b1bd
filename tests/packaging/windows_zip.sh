#!/usr/bin/env bash
# The Windows zip: one folder named as the zip, holding the program as built, its licence and a
# README.txt of this version, and nothing else; the text files with Windows' line endings, so
# that every Notepad shows their lines.
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
zip=$(realpath -m "$1") exe=$2 version=$3
[ -f "$zip" ] || { echo "FAILED: $zip is missing"; exit 1; }
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT

folder=varnel-$version-win64
entries=$(cmake -E tar tf "$zip" | LC_ALL=C sort | tr '\n' ' ')
check "the zip holds the folder $folder/ with LICENSE.txt, README.txt and varnel.exe ($entries)" \
    test "$entries" = "$folder/ $folder/LICENSE.txt $folder/README.txt $folder/varnel.exe "
(cd "$unpacked" && cmake -E tar xf "$zip")
check "varnel.exe is the program as built" cmp -s "$unpacked/$folder/varnel.exe" "$exe"
check "LICENSE.txt is the licence, with CRLF line endings" \
    cmp -s "$unpacked/$folder/LICENSE.txt" <(sed 's/$/\r/' "$(dirname "$0")/../../LICENSE")
check "README.txt names this version" grep -q "^Varnel $version for Windows" "$unpacked/$folder/README.txt"
# Every line ends with CR LF, the last one too.
crlf_only() {
    [ "$(tail -c 2 "$1" | od -An -c | tr -d ' ')" = '\r\n' ] &&
        awk '!/\r$/ { bare = 1 } END { exit bare }' "$1"
}
check "README.txt has CRLF line endings" crlf_only "$unpacked/$folder/README.txt"

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
