#!/usr/bin/env bash
# The Windows installer under Wine, in a prefix of its own that starts empty on every run:
# /S installs for the current user without asking for an administrator, with a Start menu
# shortcut and the "Apps & features" entry; the installed program opens its window and closes
# cleanly; the uninstaller's /S takes the files, the shortcut and the entry away again.
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
INSTALLER=$1
export WINEPREFIX=$2
VERSION=$3
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnel'

[ -f "$INSTALLER" ] ||
    { echo "FAILED: $INSTALLER is missing"; exit 1; }

# One run at a time per prefix, also across test runs started side by side.
exec 9>"$WINEPREFIX.lock"
flock 9
start_x_session || { echo "FAILED: no X session"; exit 1; }
wait_for_window_manager_ready || { echo "FAILED: the window manager did not start"; exit 1; }
# No menu entries or file associations of the prefix leak into this user's desktop.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null; stop_x_session' EXIT
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w

# A Windows path in the prefix, as a Unix path.
unix_path() {
    winepath -u "$1" 2>/dev/null | tr -d '\r'
}
# A folder of the current user (%LOCALAPPDATA%, %APPDATA%), as a Unix path.
user_folder() {
    unix_path "$(wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')"
}
# One value of the uninstall entry, as "TYPE DATA".
entry_value() {
    wine reg query "$UNINSTALL_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
        awk -v name="$1" '$1 == name { $1 = ""; sub(/^ +/, ""); print }'
}
entry_exists() {
    wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1
}
entry_gone() {
    ! entry_exists
}
no_machine_entry() {
    ! wine reg query "${UNINSTALL_KEY/HKCU/HKLM}" >/dev/null 2>&1
}

wine "$INSTALLER" /S >/dev/null 2>&1
timeout 60 wineserver -w
install_dir=$(user_folder LOCALAPPDATA)/Programs/Varnel
shortcut=$(user_folder APPDATA)"/Microsoft/Windows/Start Menu/Programs/Varnel.lnk"
for file in varnel.exe LICENSE.txt README.txt uninstall.exe; do
    check "the installer puts $file into %LOCALAPPDATA%\\Programs\\Varnel" test -f "$install_dir/$file"
done
check "the installer adds the Start menu shortcut" test -f "$shortcut"
check "the uninstall entry is the current user's" entry_exists
check "nothing is registered for all users" no_machine_entry
windows_dir=$(wine cmd /c echo "%LOCALAPPDATA%\\Programs\\Varnel" 2>/dev/null | tr -d '\r')
check "DisplayName" test "$(entry_value DisplayName)" = "REG_SZ Varnel"
check "DisplayVersion" test "$(entry_value DisplayVersion)" = "REG_SZ $VERSION"
check "Publisher" test "$(entry_value Publisher)" = "REG_SZ The Varnel authors"
check "DisplayIcon names the installed program" \
    test "$(entry_value DisplayIcon)" = "REG_SZ $windows_dir\\varnel.exe,0"
check "UninstallString names the uninstaller" \
    test "$(entry_value UninstallString)" = "REG_SZ \"$windows_dir\\uninstall.exe\""
check "QuietUninstallString runs it silently" \
    test "$(entry_value QuietUninstallString)" = "REG_SZ \"$windows_dir\\uninstall.exe\" /S"
# EstimatedSize is in KiB and counts what was installed.
read -r size_type size_hex <<<"$(entry_value EstimatedSize)"
installed_kib=$(du -sk "$install_dir" | cut -f1)
check "EstimatedSize ($((size_hex)) KiB) is what was installed ($installed_kib KiB on disk)" \
    test "$size_type" = REG_DWORD -a $((size_hex)) -gt 0 -a $((size_hex)) -le $((installed_kib + 8)) \
    -a $((size_hex)) -ge $((installed_kib / 2))

wine "$install_dir/varnel.exe" >/dev/null 2>&1 &
varnel=$!
main=$(wait_for_window "Varnel v3.0")
check "the installed program opens its window" test -n "$main"
# Wine may replace a new window's X window while mapping it: take the one that stays.
sleep 1
main=$(wait_for_window "Varnel v3.0")
if [ -n "$main" ]; then
    click_at "$main" 220 170  # the credit line, which does nothing
    xdotool key alt+F4
fi
check "closing it ends the program with status 0" exits_with "$varnel" 0
kill "$varnel" 2>/dev/null

wine "$install_dir/uninstall.exe" /S >/dev/null 2>&1
# The uninstaller runs from a copy of itself in the temporary folder and returns at once.
timeout 60 wineserver -w
check "the uninstaller removes the installed folder" test ! -e "$install_dir"
check "the uninstaller removes the Start menu shortcut" test ! -e "$shortcut"
check "the uninstaller removes the uninstall entry" entry_gone

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
