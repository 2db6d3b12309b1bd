#!/usr/bin/env bash
# What the portable download holds: one folder named after the version and the architecture,
# with exactly the expected files; the program, its module and the data exactly as the Debian
# package has them (stripped, from the same install rules); the licence, a README of this
# version and an install.sh that shellcheck finds nothing in. Its entries come in name order,
# owned by 0:0 without names, each with the release time and rw-r--r-- or rwxr-xr-x, and gzip
# stored no name and no time.
#   tarball_contents.sh TARBALL DEB VERSION ARCHITECTURE RELEASE_TIME
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
tarball=$1 deb=$2 version=$3 architecture=$4 release_time=$5
name=varnel-$version-linux-$architecture
[ "$(basename "$tarball")" = "$name.tar.gz" ] || { echo "FAILED: $tarball is not $name.tar.gz"; exit 1; }
[ -f "$tarball" ] || { echo "FAILED: $tarball is missing"; exit 1; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir "$root/deb"
dpkg-deb -x "$deb" "$root/deb" || { echo "FAILED: dpkg-deb cannot unpack $deb"; exit 1; }
tar -C "$root" -xzf "$tarball" || { echo "FAILED: cannot unpack $tarball"; exit 1; }
folder=$root/$name

icons=""
for size in 128 16 24 256 32 48 64; do
    icons+="share/icons/hicolor/${size}x${size}/apps/varnel.png
"
done
expected="LICENSE
README
install.sh
share/applications/varnel.desktop
${icons}share/man/man1/varnel.1.gz
share/metainfo/org.example.varnel.metainfo.xml
varnel
varnel-accessibility.so"
files=$(tar -tzf "$tarball" | grep -v '/$' | sed "s|^$name/||")
check "the download holds exactly the expected files in $name/" test "$files" = "$expected"
[ "$files" = "$expected" ] || diff <(echo "$expected") <(echo "$files")
tops=$(tar -tzf "$tarball" | cut -d/ -f1 | sort -u)
check "everything is in the one folder $name/ ($(tr '\n' ' ' <<<"$tops"))" test "$tops" = "$name"

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
check "the program is the package's" cmp -s "$folder/varnel" "$root/deb/usr/bin/varnel"
check "the module is the package's" \
    cmp -s "$folder/varnel-accessibility.so" "$root/deb/usr/lib/$multiarch/varnel/varnel-accessibility.so"
for binary in varnel varnel-accessibility.so; do
    check "$binary is stripped" grep -q ', stripped' <<<"$(file -b "$folder/$binary")"
done
same_data() {
    local file
    while read -r file; do
        cmp "$folder/$file" "$root/deb/usr/$file" || return 1
    done < <(grep '^share/' <<<"$expected")
}
check "the desktop entry, the icons, the AppStream data and the manual page are the package's" same_data
check "LICENSE is the licence" cmp -s "$folder/LICENSE" "$(dirname "$0")/../../LICENSE"
check "the README names this version and architecture" \
    grep -q "^Varnel $version for Linux ($architecture)\$" "$folder/README"
for command in ./varnel ./install.sh "./install.sh --uninstall"; do
    check "the README shows '$command'" grep -qx "    $command" "$folder/README"
done
if command -v shellcheck >/dev/null; then
    check "shellcheck finds nothing in install.sh (as a POSIX sh script)" shellcheck -s sh "$folder/install.sh"
else
    echo "(shellcheck is not installed: install.sh not checked by it)"
fi

# tar's own listing: "MODE OWNER/GROUP SIZE DATE TIME NAME", owners as stored.
listing=$(TZ=UTC tar --full-time -tvzf "$tarball")
odd_entries() {
    awk -v time="$(TZ=UTC date -d "@$release_time" '+%Y-%m-%d %H:%M:%S')" '
        { mode = $1; owner = $2; when = $4 " " $5; entry = $6 }
        mode !~ /^(drwxr-xr-x|-rwxr-xr-x|-rw-r--r--)$/ { print "mode " mode ": " entry }
        owner != "0/0" { print "owner " owner ": " entry }
        when != time { print "time " when ": " entry }' <<<"$listing"
}
check "every entry is 0/0 without names, rw-r--r-- or rwxr-xr-x, from the release time" test -z "$(odd_entries)"
odd_entries | head -n 5
for program in varnel install.sh; do
    check "$program can be run" grep -qE "^-rwxr-xr-x .* $name/$program\$" <<<"$listing"
done
entries=$(tar -tzf "$tarball")
check "the entries come in name order" test "$entries" = "$(LC_ALL=C sort <<<"$entries")"
# gzip's header: flags (no FNAME bit, 0x08) and the four bytes of the time, all zero.
header=$(od -An -tx1 -j3 -N5 "$tarball" | tr -d ' \n')
check "gzip stored no file name and no time (header $header)" test "$header" = 0000000000

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
