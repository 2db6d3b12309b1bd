#!/usr/bin/env bash
# varnel.exe as a file: small, linked statically (it imports only DLLs that every Windows has),
# and carrying its icon, version and manifest.
set -u
source "$(dirname "$0")/../x11_session.sh"  # for check
exe=$1
[ -f "$exe" ] || { echo "FAILED: $exe is missing"; exit 1; }

size=$(stat -c %s "$exe")
echo "size: $size bytes"
check "varnel.exe is at most 256 KB" test "$size" -le $((256 * 1024))

imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort)
echo "imports:" $imports
system_dlls_only() {
    local dll
    for dll in $imports; do
        case $dll in
            kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | ole32.dll | oleaut32.dll | \
                msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll) ;;
            *) echo "imports $dll" >&2; return 1 ;;
        esac
    done
}
check "varnel.exe imports only Windows' own DLLs" system_dlls_only

resources=$(x86_64-w64-mingw32-windres -J coff -i "$exe" -O rc 2>/dev/null)
has() { grep -qE "$1" <<<"$resources"; }
check "it carries the program icon" has "RT_GROUP_ICON"
check "its file version is 1.0.0.0" has "FILEVERSION 1, 0, 0, 0"
check "its product version is 1.0.0.0" has "PRODUCTVERSION 1, 0, 0, 0"
manifest=$(strings -n 8 "$exe" | tr -d '\n')
check "its manifest asks for Common Controls 6" \
    grep -q 'Microsoft.Windows.Common-Controls" version="6.0.0.0' <<<"$manifest"
check "its manifest declares it aware of each monitor's scale, the system's on older Windows" \
    eval 'grep -q "<dpiAwareness[^>]*>PerMonitorV2, PerMonitor<" <<<"$manifest" &&
        grep -q "<dpiAware[^>]*>true/pm<" <<<"$manifest"'
check "and asks the system to stretch nothing" grep -q "<gdiScaling[^>]*>false<" <<<"$manifest"
[ "$FAILURES" -eq 0 ] || echo "FAILED: $FAILURES checks"
