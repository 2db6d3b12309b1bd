#!/usr/bin/env bash
# Whether the Linux downloads load on every current desktop distribution, read from the files
# alone: the program and its module, in the Debian package and in the portable download, need
# no symbol version newer than Debian 12, Ubuntu 22.04 and RHEL 9 provide, and no library
# beyond those that stay dynamic (the C library, the X libraries, fontconfig and the unwinder;
# for the module also ATK, the AT-SPI bridge and client, D-Bus and GLib: it carries its own C++
# runtime); the package depends only on names that the distributions it is for all have.
#   symbols_and_depends.sh DEB TARBALL SHARED_PACKAGE_NAMES
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
deb=$1 tarball=$2 shared_names=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir "$root/deb" "$root/tarball"
dpkg-deb -x "$deb" "$root/deb" || { echo "FAILED: dpkg-deb cannot unpack $deb"; exit 1; }
tar -C "$root/tarball" -xzf "$tarball" || { echo "FAILED: cannot unpack $tarball"; exit 1; }
folder=$(echo "$root"/tarball/*)

# The newest version of each family the binaries may ask for. GLIBC_2.34: Ubuntu 22.04 has 2.35,
# RHEL 9 2.34. The C++ runtime and the unwinder of GCC 11 (RHEL 9; Ubuntu 22.04 has GCC 12's):
# GLIBCXX_3.4.29 and CXXABI_1.3.13; the unwinder's newest there is GCC_7.0.0 (GCC_12.0.0 brought
# the _Float16 helpers).
# libdbus has named all its symbols LIBDBUS_1_3 since 2010.
declare -A newest=([GLIBC]=2.34 [GLIBCXX]=3.4.29 [CXXABI]=1.3.13 [GCC]=7.0.0 [LIBDBUS_1]=3)
# The libraries that stay dynamic, named alike everywhere.
program_libraries="libc.so.6 libm.so.6 ld-linux-x86-64.so.2 libgcc_s.so.1 libX11.so.6 libXext.so.6
    libXft.so.2 libXrender.so.1 libXfixes.so.3 libXcursor.so.1 libXinerama.so.1 libfontconfig.so.1"
module_libraries="$program_libraries libatk-1.0.so.0 libatk-bridge-2.0.so.0 libatspi.so.0
    libdbus-1.so.3 libgobject-2.0.so.0 libglib-2.0.so.0"

# The symbol versions a binary needs, as the loader checks them ("library version" lines, from
# its version-needs section).
needed_versions() {
    readelf --version-info --wide "$1" |
        awk '/^Version needs section/ { needs = 1; next } /^Version (symbols|definition) section/ { needs = 0 }
             needs && match($0, /File: [^ ]+/) { file = substr($0, RSTART + 6, RLENGTH - 6) }
             needs && /Name: / { print file, $3 }'
}

# Fails on a version above its family's newest, or of a family this test does not know.
check_versions() {
    local binary=$1 name=$2 versions library version family number highest=() bad=0
    versions=$(needed_versions "$binary")
    while read -r library version; do
        [ -n "${newest[${version%_*}]:-}" ] ||
            { echo "  $name needs $version of $library: a version this test does not know"; bad=1; }
    done <<<"$versions"
    for family in "${!newest[@]}"; do
        number=$(awk '{ print $2 }' <<<"$versions" | sed -n "s/^${family}_//p" | sort -V | tail -n 1)
        [ -n "$number" ] || continue
        highest+=("${family}_$number")
        if [ "$(printf '%s\n%s\n' "$number" "${newest[$family]}" | sort -V | tail -n 1)" != "${newest[$family]}" ]; then
            library=$(awk -v version="${family}_$number" '$2 == version { print $1 }' <<<"$versions")
            echo "  $name needs ${family}_$number of $library, newer than ${family}_${newest[$family]}"
            bad=1
        fi
    done
    echo "$name needs at most: ${highest[*]}"
    return $bad
}

check_libraries() {
    local binary=$1 name=$2 allowed=$3 library bad=0 needed
    needed=$(readelf --dynamic --wide "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    echo "$name links: $(tr '\n' ' ' <<<"$needed")"
    for library in $needed; do
        grep -qw -- "$library" <<<"$allowed" || { echo "  $name links $library, which is not to be dynamic"; bad=1; }
    done
    return $bad
}

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for where in deb tarball; do
    if [ $where = deb ]; then
        program=$root/deb/usr/bin/varnel
        module=$root/deb/usr/lib/$multiarch/varnel/varnel-accessibility.so
    else
        program=$folder/varnel module=$folder/varnel-accessibility.so
    fi
    check "the $where's program needs no newer symbol versions" check_versions "$program" "the $where's program"
    check "the $where's module needs no newer symbol versions" check_versions "$module" "the $where's module"
    check "the $where's program links only the libraries every distribution has" \
        check_libraries "$program" "the $where's program" "$program_libraries"
    check "the $where's module links only the libraries every distribution has" \
        check_libraries "$module" "the $where's module" "$module_libraries"
done

# Every name in the package's relations, each alternative's, without its version.
shared=$(sed -n 's/^\([^#][^:]*\):.*/\1/p' "$shared_names")
only_shared_names() {
    local field value name bad=0
    for field in Pre-Depends Depends Recommends; do
        value=$(dpkg-deb -f "$deb" "$field")
        [ -n "$value" ] && echo "$field: $value"
        for name in $(tr ',|' '\n\n' <<<"$value" | sed 's/(.*)//; s/:any//' | tr -d ' '); do
            grep -qxF -- "$name" <<<"$shared" ||
                { echo "  $name is not in $(basename "$shared_names")"; bad=1; }
        done
    done
    return $bad
}
check "the package depends only on names Debian 12 and 13 and Ubuntu 22.04 and 24.04 all have" \
    only_shared_names
libc_version=$(dpkg-deb -f "$deb" Depends | sed -n 's/.*libc6 (>= \([^)]*\)).*/\1/p')
check "the package asks for a C library of 2.34 at most (asks: ${libc_version:-none})" \
    dpkg --compare-versions "${libc_version:-0}" le 2.34

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
