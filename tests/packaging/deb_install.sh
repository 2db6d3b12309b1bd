#!/usr/bin/env bash
# The package installed on this machine as a user installs it: dpkg -i puts every file in
# place; the program answers --version without a display; the desktop entry's Exec line starts
# it under X (its window opens, and closing it ends the program with status 0); with
# accessibility on, it loads its accessibility module from where the package put it; dpkg -r takes
# every file and every folder it made away again. Needs root or password-less sudo.
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
deb=$1 version=$2
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || { echo "SKIPPED: installing a package needs root or sudo"; exit 77; }
    sudo="sudo -n"
fi
if dpkg-query -W -f='${Status}' varnel 2>/dev/null | grep -q 'ok installed'; then
    echo "SKIPPED: a varnel package is installed on this machine; this test would remove it"
    exit 77
fi

# dpkg, waiting while another installation holds its lock.
run_dpkg() {
    local tries=0 output
    until output=$($sudo dpkg "$@" 2>&1); do
        if ! grep -q 'lock' <<<"$output" || [ $tries -ge 60 ]; then
            echo "$output"
            return 1
        fi
        sleep 5
        tries=$((tries + 1))
    done
}

paths=$(dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's|^\./|/|; s|/$||' | grep -v '^/$')
# The package's folders that this machine has not got yet: removing it must take them away.
new_folders=()
while read -r path; do
    [ -e "$path" ] || new_folders+=("$path")
done < <(dpkg-deb -c "$deb" | awk '/^d/ { print $NF }' | sed 's|^\./|/|; s|/$||' | grep -v '^/$')

start_x_session || { echo "FAILED: no X session"; exit 1; }
wait_for_window_manager_ready || { echo "FAILED: the window manager did not start"; exit 1; }
installed=false
pid=""
clean_up() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    $installed && run_dpkg -r varnel >/dev/null
    stop_x_session
}
trap clean_up EXIT

run_dpkg -i "$deb" && installed=true
check "dpkg -i installs the package" $installed
missing=0
while read -r path; do
    [ -e "$path" ] || { echo "missing: $path"; missing=$((missing + 1)); }
done <<<"$paths"
check "every file of the package is in place" test "$missing" -eq 0
check "varnel is found on the PATH" test "$(command -v varnel)" = /usr/bin/varnel
check "varnel --version answers without a display" \
    test "$(env -u DISPLAY varnel --version)" = "varnel $version"
check "man finds the manual page" test "$(man -w varnel 2>/dev/null)" = /usr/share/man/man1/varnel.1.gz

exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/varnel.desktop)
# The line is a command with arguments and no field codes; a desktop runs it the same way.
read -r -a command <<<"$exec_line"
"${command[@]}" &
pid=$!
main=$(wait_for_window "Varnel v3.0")
check "the desktop entry's Exec line ($exec_line) opens Varnel's window" test -n "$main"
if [ -n "$main" ]; then
    xdotool windowactivate --sync "$main" 2>/dev/null
    xdotool key alt+F4
fi
check "closing it ends the program with status 0" exits_with "$pid" 0

# The installed program finds its accessibility module where the package put it.
VARNEL_ACCESSIBILITY=1 varnel 2>/dev/null &
pid=$!
wait_for_window "Varnel v3.0" >/dev/null
module_loaded() { grep -q ' /usr/lib/.*/varnel/varnel-accessibility.so$' "/proc/$pid/maps"; }
check "with accessibility on, it loads its accessibility module" wait_until module_loaded
kill "$pid"
wait "$pid" 2>/dev/null
pid=""

run_dpkg -r varnel && installed=false
not_installed() {
    ! dpkg-query -W -f='${Status}' varnel 2>/dev/null | grep -q 'ok installed'
}
check "dpkg -r removes the package" not_installed
left=0
while read -r path; do
    [ -d "$path" ] && continue
    [ -e "$path" ] && { echo "left behind: $path"; left=$((left + 1)); }
done <<<"$paths"
for folder in "${new_folders[@]}"; do
    [ -e "$folder" ] && { echo "left behind: $folder/"; left=$((left + 1)); }
done
check "no file or folder of the package is left behind" test "$left" -eq 0

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
