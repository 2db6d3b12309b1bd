#!/usr/bin/env bash
# What the Debian package holds: exactly the expected files; control fields as a package
# archive wants them, with dependencies read from the program; and the pieces pointing at one
# another (the desktop entry at the program and the icons, the AppStream data at the desktop
# entry and the release).
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
deb=$1 version=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root" || { echo "FAILED: dpkg-deb cannot unpack $deb"; exit 1; }

expected="/usr/bin/varnel
/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/varnel/varnel-accessibility.so
/usr/share/applications/varnel.desktop
/usr/share/doc/varnel/LICENSE
/usr/share/doc/varnel/README.md
/usr/share/doc/varnel/changelog.gz
/usr/share/doc/varnel/copyright
/usr/share/icons/hicolor/128x128/apps/varnel.png
/usr/share/icons/hicolor/16x16/apps/varnel.png
/usr/share/icons/hicolor/24x24/apps/varnel.png
/usr/share/icons/hicolor/256x256/apps/varnel.png
/usr/share/icons/hicolor/32x32/apps/varnel.png
/usr/share/icons/hicolor/48x48/apps/varnel.png
/usr/share/icons/hicolor/64x64/apps/varnel.png
/usr/share/lintian/overrides/varnel
/usr/share/man/man1/varnel.1.gz
/usr/share/metainfo/org.example.varnel.metainfo.xml"
files=$(cd "$root" && find . -type f -o -type l | sed 's/^\.//' | LC_ALL=C sort)
check "the package holds exactly the expected files" test "$files" = "$expected"
[ "$files" = "$expected" ] || diff <(echo "$expected") <(echo "$files")

field() {
    dpkg-deb -f "$deb" "$1"
}
check "Package is varnel" test "$(field Package)" = varnel
check "Version is the project's version" test "$(field Version)" = "$version"
check "Architecture is this machine's" test "$(field Architecture)" = "$(dpkg --print-architecture)"
check "Section is graphics" test "$(field Section)" = graphics
check "the maintainer's address is at example.org" grep -q '<[^>]*@example.org>$' <<<"$(field Maintainer)"
description=$(field Description)
check "the description has a synopsis and a long part" test "$(wc -l <<<"$description")" -ge 3
depends=$(field Depends)
echo "Depends: $depends"
# dpkg-shlibdeps names the C library with a version; FLTK is linked in and needs no package.
check "dependencies are read from the program" grep -qE '(^|, )libc6 \(>= [0-9.]+\)' <<<"$depends"
check "the X library is a dependency" grep -qE '(^|, )libx11-6' <<<"$depends"
check "the font the layout is made with is a dependency" grep -qE '(^|, )fonts-dejavu-core' <<<"$depends"
check "the accessibility module's bridge is a dependency" grep -qE '(^|, )libatk-bridge2.0-0' <<<"$depends"
no_fltk() {
    ! grep -q libfltk <<<"$depends"
}
check "FLTK is not a dependency" no_fltk
for binary in "$root"/usr/bin/varnel "$root"/usr/lib/*/varnel/varnel-accessibility.so; do
    check "${binary#"$root"} is stripped" grep -q ', stripped' <<<"$(file -b "$binary")"
done

desktop=$root/usr/share/applications/varnel.desktop
key() {
    sed -n "s/^$1=//p" "$2"
}
exec_program=$(key Exec "$desktop" | cut -d' ' -f1)
check "the desktop entry starts the packaged program" test -x "$root/usr/bin/$exec_program"
icon=$(key Icon "$desktop")
for size in 16 24 32 48 64 128 256; do
    check "the desktop entry's icon exists at $size px" \
        test -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
done
metainfo=$root/usr/share/metainfo/org.example.varnel.metainfo.xml
check "the AppStream data launches the desktop entry" \
    grep -q '<launchable type="desktop-id">varnel.desktop</launchable>' "$metainfo"
check "the AppStream release is the package's version" grep -q "<release version=\"$version\"" "$metainfo"
check "the changelog's entry is the package's version" \
    grep -q "^varnel ($version) " <<<"$(zcat "$root/usr/share/doc/varnel/changelog.gz")"
check "the copyright file carries the licence" \
    grep -q '^ Permission is hereby granted' "$root/usr/share/doc/varnel/copyright"

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
