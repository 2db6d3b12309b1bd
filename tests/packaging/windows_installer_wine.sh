#!/usr/bin/env bash
# The Windows installer under Wine, in a prefix of its own that starts empty on every run, over
# an earlier version (built for the test from the same files) and with Varnel running:
# - /S installs for the current user without asking for an administrator, with a Start menu
#   shortcut and the "Apps & features" entry; the uninstaller names itself as such;
# - while the installed Varnel runs, /S exits with 3 and says why, and the files, the shortcut
#   and the entry stay as they were; so does the uninstaller's /S;
# - interactively it asks the user to close Varnel, and installs once Retry is chosen after;
# - once Varnel is closed, /S upgrades; over a newer version, /S exits with 4 and changes nothing,
#   and interactively it asks, and changes nothing when told no;
# - the installed program opens its window and closes cleanly; the uninstaller's /S takes the
#   files, the shortcut and the entry away again.
#
# Usage: windows_installer_wine.sh INSTALLER WINEPREFIX VERSION MAKE_INSTALLER
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
INSTALLER=$1
export WINEPREFIX=$2
VERSION=$3
MAKE_INSTALLER=$4
EARLIER=0.9.0
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnel'

[ -f "$INSTALLER" ] ||
    { echo "FAILED: $INSTALLER is missing"; exit 1; }

# One run at a time per prefix, also across test runs started side by side.
exec 9>"$WINEPREFIX.lock"
flock 9
work=$(mktemp -d)
start_x_session || { echo "FAILED: no X session"; exit 1; }
wait_for_window_manager_ready || { echo "FAILED: the window manager did not start"; exit 1; }
# No menu entries or file associations of the prefix leak into this user's desktop.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null; stop_x_session; rm -rf "$work"' EXIT
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w

EARLIER_INSTALLER=$work/varnel-$EARLIER-win64-setup.exe
bash "$MAKE_INSTALLER" "$EARLIER" "$EARLIER_INSTALLER" ||
    { echo "FAILED: the installer of $EARLIER could not be built"; exit 1; }

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
install_dir=$(user_folder LOCALAPPDATA)/Programs/Varnel
windows_dir=$(wine cmd /c echo "%LOCALAPPDATA%\\Programs\\Varnel" 2>/dev/null | tr -d '\r')
shortcut=$(user_folder APPDATA)"/Microsoft/Windows/Start Menu/Programs/Varnel.lnk"

# Runs a Windows program and waits for it: STATUS is its exit code, SAID what it wrote to its
# standard error.
run() {
    wine "$@" >/dev/null 2>"$work/said"
    STATUS=$?
    SAID=$(grep -v -e wine32 -e multiarch -e 'dpkg --add' -e 'apt-get install' "$work/said")
}
# The installation as it stands: each file's name, size, time and contents, the shortcut's, and
# every value of the uninstall entry.
installation() {
    local file
    for file in "$install_dir"/* "$shortcut"; do
        [ -f "$file" ] && echo "$file $(stat -c '%s %Y' "$file") $(sha256sum <"$file")"
    done
    wine reg query "$UNINSTALL_KEY" 2>/dev/null | tr -d '\r'
}
# The version record's value of a program file.
version_value() {
    wrestool -x --raw --type=16 "$1" 2>/dev/null | strings -el | grep -A1 -x "$2" | tail -n 1
}
uninstaller_version() { version_value "$install_dir/uninstall.exe" FileVersion; }
start_installed_varnel() {
    wine "$install_dir/varnel.exe" >/dev/null 2>&1 &
    VARNEL=$!
    # Wine may replace a new window's X window while mapping it: take the one that stays.
    wait_for_window "Varnel v3.0" >/dev/null && sleep 1 && MAIN=$(wait_for_window "Varnel v3.0")
}
close_varnel() {
    xdotool windowactivate --sync "$MAIN" 2>/dev/null
    xdotool key alt+F4
    exits_with "$VARNEL" 0
}
# The installer's window, titled "Varnel Setup " (NSIS adds a space and the page's subtitle, here
# none), and the message box it asks with, titled "Varnel Setup".
page() { xdotool search --onlyvisible --name '^Varnel Setup .*' 2>/dev/null | head -n 1; }
question() { xdotool search --onlyvisible --name '^Varnel Setup$' 2>/dev/null | head -n 1; }
showing_page() { [ -n "$(page)" ]; }
asking() { [ -n "$(question)" ]; }
# Answers what the installer shows with its default button (Enter): its question, if it asks.
answer() {
    local window
    window=$(question)
    xdotool windowactivate --sync "${window:-$(page)}" 2>/dev/null
    xdotool key Return
}

# The earlier version, installed silently.
run "$EARLIER_INSTALLER" /S
check "the installer of $EARLIER exits with 0" test "$STATUS" -eq 0
check "and installs it" test "$(entry_value DisplayVersion)" = "REG_SZ $EARLIER"

# An upgrade while Varnel runs.
start_installed_varnel
check "the installed program opens its window" test -n "${MAIN:-}"
before=$(installation)
run "$INSTALLER" /S
check "/S while Varnel runs exits with 3 ($STATUS)" test "$STATUS" -eq 3
check "and says why: $SAID" grep -qF "Varnel is running from $windows_dir." <<<"$SAID"
check "and changes no file, shortcut or entry" test "$(installation)" = "$before"
run "$install_dir/uninstall.exe" /S "_?=$windows_dir"
check "the uninstaller's /S while Varnel runs exits with 3 ($STATUS) and says why" \
    eval 'test "$STATUS" -eq 3 && grep -q "^Varnel is running" <<<"$SAID"'
check "and removes nothing" test "$(installation)" = "$before"

# Interactively: the license, then the folder; Varnel runs, so the installer asks.
wine "$INSTALLER" >/dev/null 2>&1 &
setup=$!
wait_until showing_page && sleep 1 && answer  # I Agree
sleep 1 && answer                               # Install
check "interactively, the installer asks to close Varnel once the folder is chosen" \
    wait_until asking
check "and has changed nothing meanwhile" test "$(installation)" = "$before"
check "closing Varnel ends it with status 0" close_varnel
answer  # Retry
check "Retry then installs $VERSION" \
    wait_until eval '[ "$(entry_value DisplayVersion)" = "REG_SZ $VERSION" ]'
check "with its uninstaller" wait_until eval '[ "$(uninstaller_version)" = "$VERSION" ]'
# Finish, which runs Varnel.
sleep 1 && answer
check "the installer ends with 0" exits_with "$setup" 0
check "Finish runs Varnel" wait_for_window "Varnel v3.0"
sleep 1
xdotool windowactivate --sync "$(wait_for_window "Varnel v3.0")" 2>/dev/null
xdotool key alt+F4
check "which closes" wait_for_no_window "Varnel v3.0"
timeout 60 wineserver -w

# A silent upgrade over the earlier version.
run "$EARLIER_INSTALLER" /S
run "$INSTALLER" /S
check "with Varnel closed, /S over $EARLIER exits with 0" test "$STATUS" -eq 0
check "and upgrades it to $VERSION" test "$(entry_value DisplayVersion)" = "REG_SZ $VERSION"
check "with its uninstaller" test "$(uninstaller_version)" = "$VERSION"

for file in varnel.exe LICENSE.txt README.txt uninstall.exe; do
    check "the installer puts $file into %LOCALAPPDATA%\\Programs\\Varnel" test -f "$install_dir/$file"
done
check "the uninstaller names itself as such" \
    test "$(version_value "$install_dir/uninstall.exe" FileDescription)" = "Varnel $VERSION uninstaller"
check "and is aware of the screen's scale" \
    eval 'wrestool -x --raw --type=24 "$install_dir/uninstall.exe" | grep -q ">true</dpiAware>"'
check "the installer adds the Start menu shortcut" test -f "$shortcut"
check "the uninstall entry is the current user's" entry_exists
check "nothing is registered for all users" no_machine_entry
check "DisplayName" test "$(entry_value DisplayName)" = "REG_SZ Varnel"
check "Publisher is the licence's holder" test "$(entry_value Publisher)" = "REG_SZ The Varnel authors"
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

# A downgrade.
before=$(installation)
run "$EARLIER_INSTALLER" /S
check "/S of $EARLIER over $VERSION exits with 4 ($STATUS)" test "$STATUS" -eq 4
check "and says why: $SAID" grep -q "^Varnel $VERSION is installed, which is newer" <<<"$SAID"
check "and changes nothing" test "$(installation)" = "$before"
wine "$EARLIER_INSTALLER" >/dev/null 2>&1 &
setup=$!
check "interactively it asks first" wait_until asking
answer  # No
check "told no, it exits with 4" exits_with "$setup" 4
check "and changes nothing" test "$(installation)" = "$before"

start_installed_varnel
if [ -n "${MAIN:-}" ]; then
    click_at "$MAIN" 220 170  # the credit line, which does nothing
fi
check "the installed program closes with status 0" close_varnel

run "$install_dir/uninstall.exe" /S
# The uninstaller runs from a copy of itself in the temporary folder and returns at once.
timeout 60 wineserver -w
check "the uninstaller removes the installed folder" test ! -e "$install_dir"
check "the uninstaller removes the Start menu shortcut" test ! -e "$shortcut"
check "the uninstaller removes the uninstall entry" entry_gone

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
