#!/usr/bin/env bash
# varnel.exe as a file, read back as Windows reads it: small; linked statically, importing only
# functions of Windows' own DLLs that Vista has (imports.txt); its header asking for ASLR, DEP and
# Remote Desktop awareness and naming Vista as the oldest Windows; its manifest; its version
# record, of the project's version; and its icon.
#
# Usage: executable.sh VARNEL_EXE PROJECT_VERSION
set -u
here=$(dirname "$0")
source "$here/../x11_session.sh"  # for check
exe=$1 version=$2
[ -f "$exe" ] || { echo "FAILED: $exe is missing"; exit 1; }

size=$(stat -c %s "$exe")
echo "size: $size bytes"
check "varnel.exe is at most 256 KiB" test "$size" -le $((256 * 1024))

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
# Each imported function as "dll function", the DLL's name in lower case.
imports=$(awk '/DLL Name:/ { dll = tolower($3); next }
    dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll, $3 }' <<<"$headers" | sort)
echo "imports: $(cut -d ' ' -f 1 <<<"$imports" | uniq | tr '\n' ' ')($(wc -l <<<"$imports") functions)"
checked_imports=$(grep -v -e '^#' -e '^$' "$here/imports.txt" | sort)
only_checked_imports() {
    local unchecked
    unchecked=$(comm -23 <(echo "$imports") <(echo "$checked_imports"))
    [ -z "$unchecked" ] || { echo "not checked against Vista:" $unchecked >&2; return 1; }
}
check "it imports only functions of Windows' own DLLs that Vista has (imports.txt)" \
    only_checked_imports

header_value() { awk -v name="$1" '$1 == name { print $2; exit }' <<<"$headers"; }
characteristics=$(sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p' <<<"$headers")
for flag in DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT TERMINAL_SERVICE_AWARE; do
    check "its header sets $flag" grep -qw "$flag" <<<"$characteristics"
done
check "it can be moved (it has relocations)" \
    eval 'grep -q "^Entry 5 [0-9a-f]* [0-9a-f]*[1-9a-f][0-9a-f]* Base Relocation" <<<"$headers"'
check "it is a program with windows (GUI subsystem)" grep -q "^Subsystem.*(Windows GUI)" <<<"$headers"
check "its subsystem version is Vista's, 6.0" \
    test "$(header_value MajorSubsystemVersion).$(header_value MinorSubsystemVersion)" = 6.0
check "and so is its OS version" \
    test "$(header_value MajorOSystemVersion).$(header_value MinorOSystemVersion)" = 6.0

# The manifest, on one line.
manifest=$(wrestool -x --raw --type=24 "$exe" 2>/dev/null | tr -s ' \n' ' ')
has() { grep -qF -- "$1" <<<"$manifest"; }
check "its manifest names it Varnel $version.0" \
    has "<assemblyIdentity type=\"win32\" name=\"Varnel\" version=\"$version.0\""
check "it asks for Common Controls 6" \
    has 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'
check "it runs as the user who starts it" \
    has '<requestedExecutionLevel level="asInvoker" uiAccess="false"/>'
declare -A SUPPORTED_OS=([Vista]=e2011457-1546-43c5-a5fe-008deee3d3f0
    [7]=35138b9a-5d96-4fbd-8e2d-a2440225f93a [8]=4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38
    [8.1]=1f676c76-80e1-4239-95bb-83d0f6d0da78 ["10 and 11"]=8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a)
for windows in Vista 7 8 8.1 "10 and 11"; do
    check "it says it supports Windows $windows" has "<supportedOS Id=\"{${SUPPORTED_OS[$windows]}}\"/>"
done
check "it is aware of each monitor's scale, of the system's on older Windows" \
    eval 'has ">PerMonitorV2, PerMonitor</dpiAwareness>" && has ">true/pm</dpiAware>"'
check "and asks the system to stretch nothing" has ">false</gdiScaling>"

# The version record, as a resource script.
record=$(x86_64-w64-mingw32-windres -J coff -i "$exe" -O rc 2>/dev/null)
value() { sed -n "s/^ *VALUE \"$1\", \"\(.*\)\"$/\1/p" <<<"$record"; }
numbers="$(tr '.' ',' <<<"$version.0" | sed 's/,/, /g')"
check "its file version is $version.0" grep -q "^ *FILEVERSION $numbers$" <<<"$record"
check "its product version is $version.0" grep -q "^ *PRODUCTVERSION $numbers$" <<<"$record"
check "it says FileVersion $version" test "$(value FileVersion)" = "$version"
check "it says ProductVersion $version" test "$(value ProductVersion)" = "$version"
copyright=$(grep -m 1 '^Copyright ' "$here/../../../LICENSE")
check "its LegalCopyright is the licence's ($copyright)" test "$(value LegalCopyright)" = "$copyright"
check "its CompanyName is the copyright's holder" \
    test "$(value CompanyName)" = "${copyright#Copyright (c) [0-9][0-9][0-9][0-9] }"

# The icon, as Explorer takes it: the design's 16-colour image at 32 pixels, the discs drawn
# smooth at each size the system asks for at the usual scales, and at 256 for Explorer's largest
# views, compressed as PNG.
icons=$(mktemp -d)
trap 'rm -rf "$icons"' EXIT
wrestool -x --type=14 "$exe" -o "$icons/varnel.ico" 2>/dev/null
images=$(icotool -l "$icons/varnel.ico" 2>/dev/null |
    sed -n 's/.*--width=\([0-9]*\) .*--bit-depth=\([0-9]*\).*/\1:\2/p' | tr '\n' ' ')
check "its icon holds 16, 20, 24, 32 (16 colours), 40, 48, 64 and 256 pixels ($images)" \
    test "$images" = "16:32 20:32 24:32 32:4 40:32 48:32 64:32 256:32 "
# The bytes of the icon's image of a size, as the .ico holds them.
image_bytes() {
    python3 - "$icons/varnel.ico" "$1" <<'PYTHON'
import struct, sys
data = open(sys.argv[1], "rb").read()
for i in range(struct.unpack_from("<H", data, 4)[0]):
    width, _, _, _, _, _, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
    if (width or 256) == int(sys.argv[2]):
        sys.stdout.buffer.write(data[offset:offset + length])
PYTHON
}
check "its 256-pixel image is a PNG" eval 'image_bytes 256 | head -c 8 | grep -q "PNG"'
check "its other images are bitmaps" eval '! image_bytes 64 | head -c 8 | grep -q "PNG"'
# Drawn at each size, not enlarged: partly transparent pixels along the discs' edges.
icotool -x -o "$icons" "$icons/varnel.ico" 2>/dev/null
partly_clear() {
    convert "$1" -alpha extract -fill black -opaque white -fill white +opaque black \
        -format '%[fx:mean > 0]' info: 2>/dev/null | grep -qx 1
}
for png in "$icons"/varnel_*x32.png; do
    size=$(identify -format %w "$png")
    check "its $size-pixel image is drawn with smooth edges" partly_clear "$png"
done
check "its 32-pixel image has hard edges, as the design" \
    eval '! partly_clear "$icons"/varnel_*_32x32x4.png'

[ "$FAILURES" -eq 0 ] || echo "FAILED: $FAILURES checks"
