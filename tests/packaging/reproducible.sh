#!/usr/bin/env bash
# The same sources give the same bytes: builds downloads a second time and compares them with
# the first build's, byte for byte. The second build starts from a copy of the sources at
# another path, made now under another umask (so their files' times and permissions differ),
# and runs in another build tree under another umask, time zone and locale; it takes the first
# tree's release time, as a second build of the same commit would.
#   reproducible.sh SOURCE PRESET FIRST_BUILD WORK "TARGET..." ARTIFACT...
# Each ARTIFACT is a path in the build tree; a .deb is made by deb_build.sh in its folder. A
# difference fails, naming the artifact and, where diffoscope is installed, what differs.
set -u
here=$(dirname "$(realpath "$0")")
source_dir=$1 preset=$2 first=$3 work=$4 targets=$5
shift 5
artifacts=("$@")

if [ "$preset" = windows ]; then
    for tool in x86_64-w64-mingw32-g++ makensis; do
        command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
    done
fi
for artifact in "${artifacts[@]}"; do
    [ -f "$first/$artifact" ] || { echo "FAILED: the first build has no $artifact"; exit 1; }
done
release_time=$(sed -n 's/^VARNEL_SOURCE_DATE_EPOCH:INTERNAL=//p' "$first/CMakeCache.txt")
[ -n "$release_time" ] || { echo "FAILED: $first has no release time"; exit 1; }

# Another umask, time zone and locale than this run's.
[ "$(umask)" = 0077 ] && other_umask=0022 || other_umask=0077
[ "${TZ:-}" = ABC-13:45 ] && other_tz=XYZ+11 || other_tz=ABC-13:45
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] && other_locale=C || other_locale=C.UTF-8

rm -rf "$work"
sources=$work/another/place/varnel second=$work/build log=$work/build.log
mkdir -p "$sources"
echo "second build: $second from $sources, umask $other_umask, TZ=$other_tz," \
    "LC_ALL=$other_locale, release time $release_time"
(
    umask "$other_umask"
    export TZ=$other_tz LC_ALL=$other_locale SOURCE_DATE_EPOCH=$release_time
    tar -C "$source_dir" --exclude=./build --exclude=./dist --exclude=./out --exclude=./.git \
        -cf - . | tar -C "$sources" --touch --no-same-permissions --no-same-owner -xf - &&
        cd "$sources" &&
        cmake --preset "$preset" -B "$second" &&
        cmake --build "$second" -j 2 --target $targets || exit 1
    for artifact in "${artifacts[@]}"; do
        if [[ $artifact == *.deb ]]; then
            bash "$here/deb_build.sh" "$second" "$second/$(dirname "$artifact")" \
                "$second/$artifact" || exit 1
        fi
    done
) >"$log" 2>&1 || { echo "FAILED: the second build"; tail -n 30 "$log"; exit 1; }

failures=0
for artifact in "${artifacts[@]}"; do
    name=$(basename "$artifact")
    if cmp -s "$first/$artifact" "$second/$artifact"; then
        echo "the same bytes: $name ($(stat -c %s "$first/$artifact") bytes)"
        continue
    fi
    failures=$((failures + 1))
    echo "FAILED: $name differs between two builds of the same sources"
    if command -v diffoscope >/dev/null; then
        timeout 300 diffoscope --no-progress --text - "$first/$artifact" "$second/$artifact" |
            head -n 80
    else
        cmp "$first/$artifact" "$second/$artifact"
        echo "(diffoscope, when installed, says what differs)"
    fi
done
[ "$failures" -eq 0 ] && rm -rf "$work"
[ "$failures" -eq 0 ]
