#!/usr/bin/env bash
# The portable download used as a person would, as an unprivileged user (nobody, through setpriv,
# when the test runs as root): unpacked, Varnel runs from its folder and loads nothing of its
# own from elsewhere; install.sh installs it into the home's XDG places (or XDG_DATA_HOME's, or
# under a PREFIX whose path holds every character a desktop entry must quote), the menu entry
# starts the installed program through GLib's launcher with the bin folder off the PATH, man
# finds the page, and --uninstall leaves the home exactly as it was found, folders that were
# there before included. Every refusal (bad options, a relative or unwritable PREFIX, a second
# install, a file in the way, nothing to uninstall, a copy that fails midway) says why on the
# standard error, ends non-zero and changes nothing.
#   install_script.sh TARBALL VERSION
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
source "$(dirname "$0")/installed_program.sh"
tarball=$1 version=$2
name=$(basename "$tarball" .tar.gz)
work=$(mktemp -d)
chmod 755 "$work"

if [ "$(id -u)" -eq 0 ]; then
    user_id=$(id -u nobody) group_id=$(id -g nobody)
    become_user=(setpriv --reuid="$user_id" --regid="$group_id" --clear-groups)
else
    user_id=$(id -u) group_id=$(id -g)
    become_user=()
fi
echo "as user $user_id, in $work"

clean_up() {
    stop_x_session
    rm -rf "$work"
}
trap clean_up EXIT
start_x_session || { echo "FAILED: no X session"; exit 1; }
trap clean_up EXIT
wait_for_window_manager_ready || { echo "FAILED: the window manager did not start"; exit 1; }

# A folder of the user's, and its missing parents: user_folder PATH [MODE].
user_folder() {
    local path=$1 missing=()
    while [ ! -d "$path" ]; do
        missing=("$path" "${missing[@]}")
        path=$(dirname "$path")
    done
    for path in "${missing[@]}"; do
        mkdir "$path" && chown "$user_id:$group_id" "$path" || return 1
    done
    chmod "${2:-755}" "$1"
}
# Runs a command as the user in a clean environment: as_user HOME [NAME=VALUE...] COMMAND...
# The program's runs keep their caches (fontconfig's) out of the home, which only install.sh may
# change.
as_user() {
    local home=$1
    shift
    "${become_user[@]}" env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$DISPLAY" \
        XDG_CACHE_HOME="$work/cache" "$@"
}
# Runs an install.sh as the user: run_script HOME SCRIPT [NAME=VALUE...] [--] [ARGUMENT...]; sets
# status, and the files out and err hold what it printed. run_install HOME ... runs the
# download's.
out=$work/out err=$work/err
run_script() {
    local home=$1 script=$2 variables=()
    shift 2
    while [ $# -gt 0 ] && [[ $1 =~ ^[A-Za-z_][A-Za-z0-9_]*= ]]; do
        variables+=("$1")
        shift
    done
    [ "${1:-}" != -- ] || shift
    as_user "$home" "${variables[@]}" sh "$script" "$@" >"$out" 2>"$err"
    status=$?
}
run_install() {
    local home=$1
    shift
    run_script "$home" "$folder/install.sh" "$@"
}
said() {
    grep -q -- "$1" "$err"
}

user_folder "$work/cache"
user_folder "$work/unpacked"
cp "$tarball" "$work/download.tar.gz" && chmod 644 "$work/download.tar.gz"
as_user "$work" tar -C "$work/unpacked" -xzf "$work/download.tar.gz"
folder=$work/unpacked/$name
check "the user unpacks the download into $name/" test -x "$folder/varnel"

# The files of Varnel's (the program and its module) that the process has mapped, other than
# these two: foreign_files PID PROGRAM MODULE.
foreign_files() {
    sed -nE 's/^([^ ]+ +){5}(.+)$/\2/p' "/proc/$1/maps" | sort -u |
        while IFS= read -r path; do
            case $(basename "$path") in
                varnel*) [ "$path" = "$2" ] || [ "$path" = "$3" ] || echo "$path" ;;
            esac
        done
}
# Starts Varnel with accessibility on, as the user, and closes it again: runs WHAT PROGRAM MODULE
# HOME [NAME=VALUE...] COMMAND... (see program_runs). The module it loads must be MODULE, with no
# other file of Varnel's mapped (loads_its_own_files reads these from runs).
runs() {
    local what=$1 program=$2 module=$3 home=$4
    shift 4
    program_runs "$what" "$program" loads_its_own_files as_user "$home" VARNEL_ACCESSIBILITY=1 "$@"
}
loads_its_own_files() {
    local pid=$1
    check "$what: it loads its module from $module" wait_until grep -qF " $module" "/proc/$pid/maps"
    check "$what: it maps no file of Varnel's from elsewhere" test -z "$(foreign_files "$pid" "$program" "$module")"
    foreign_files "$pid" "$program" "$module"
}
# The installed files are the download's (the menu entry with the program's path for Exec):
# installed_from_download BIN LIB MAN DATA.
installed_from_download() {
    local bin=$1 lib=$2 man=$3 data=$4 file target bad=0
    while read -r file; do
        case $file in
            share/man/*) target=$man/${file#share/man/} ;;
            share/applications/*) target="" ;;
            share/*) target=$data/${file#share/} ;;
        esac
        [ -z "$target" ] || cmp -s "$folder/$file" "$target" || { echo "  not installed: $target"; bad=1; }
    done < <(cd "$folder" && find share -type f)
    cmp -s "$folder/varnel" "$bin/varnel" || { echo "  not installed: $bin/varnel"; bad=1; }
    cmp -s "$folder/varnel-accessibility.so" "$lib/varnel-accessibility.so" ||
        { echo "  not installed: $lib/varnel-accessibility.so"; bad=1; }
    [ -x "$bin/varnel" ] || { echo "  cannot be run: $bin/varnel"; bad=1; }
    return $bad
}
valid_desktop_entry() {
    local verdict
    verdict=$(desktop-file-validate "$1" 2>&1) && ! grep -qE ': (error|warning):' <<<"$verdict" ||
        { echo "$verdict"; return 1; }
}

echo "-- from the unpacked folder"
home=$work/homes/runner
user_folder "$home"
as_user "$home" "$folder/varnel" --version >"$out" 2>&1
check "./varnel --version answers" test "$(cat "$out")" = "varnel $version"
runs "./varnel in the unpacked folder" "$folder/varnel" "$folder/varnel-accessibility.so" \
    "$home" sh -c 'cd "$1" && exec ./varnel' sh "$folder"

echo "-- into an empty home"
home=$work/homes/fresh
user_folder "$home"
before=$(listing "$home")
run_install "$home"
check "install.sh ends with 0" test "$status" -eq 0
check "it says where Varnel went and how to uninstall it" \
    grep -q "installed for .*$home/.local/bin/varnel" "$out"
check "install.sh prints no error" test ! -s "$err"
cat "$err"
local_share=$home/.local/share
check "the files are the download's, in ~/.local" installed_from_download "$home/.local/bin" \
    "$home/.local/lib/varnel" "$local_share/man" "$local_share"
entry=$local_share/applications/varnel.desktop
check "the menu entry is valid" valid_desktop_entry "$entry"
check "the menu entry names the installed program" grep -qx "Exec=\"$home/.local/bin/varnel\"" "$entry"
check "man finds the page through the PATH" \
    test "$(as_user "$home" PATH="$home/.local/bin:/usr/bin:/bin" man -w varnel 2>&1)" = "$local_share/man/man1/varnel.1.gz"
runs "the menu entry, ~/.local/bin off the PATH" "$home/.local/bin/varnel" \
    "$home/.local/lib/varnel/varnel-accessibility.so" "$home" gio launch "$entry"
installed=$(listing "$home")
run_install "$home"
check "a second install is refused" test "$status" -ne 0
check "it says Varnel is already installed, and how to uninstall it" \
    said "already installed.*--uninstall first"
check "the refused install changes nothing" test "$(listing "$home")" = "$installed"
run_script "$home" "$local_share/varnel/install.sh" --uninstall
check "the install's own copy of install.sh uninstalls with 0" test "$status" -eq 0
check "uninstalling prints no error" test ! -s "$err"
cat "$err"
check "the home is as it was found" test "$(listing "$home")" = "$before"
diff <(echo "$before") <(listing "$home")
run_install "$home" --uninstall
check "uninstalling again is refused" test "$status" -ne 0
check "it says Varnel is not installed" said "not installed"
check "the home is still as it was found" test "$(listing "$home")" = "$before"

echo "-- into a home that has the folders already, with XDG_DATA_HOME"
home=$work/homes/lived-in
for path in .local/bin .local/share/applications .local/share/icons/hicolor/48x48/apps data; do
    user_folder "$home/$path"
done
for path in .local/bin/tool .local/share/applications/tool.desktop \
    .local/share/icons/hicolor/48x48/apps/tool.png data/notes; do
    echo "the user's" >"$home/$path"
    chown "$user_id:$group_id" "$home/$path"
done
before=$(listing "$home")
run_install "$home" XDG_DATA_HOME="$home/data"
check "install.sh with XDG_DATA_HOME ends with 0" test "$status" -eq 0
check "the menu entry, icons and AppStream data go to XDG_DATA_HOME, the page beside bin" \
    installed_from_download "$home/.local/bin" "$home/.local/lib/varnel" \
    "$home/.local/share/man" "$home/data"
check "its menu entry is valid" valid_desktop_entry "$home/data/applications/varnel.desktop"
run_install "$home" XDG_DATA_HOME="$home/data" --uninstall
check "uninstalling with XDG_DATA_HOME ends with 0" test "$status" -eq 0
check "the home is as it was found, the folders that were there kept" \
    test "$(listing "$home")" = "$before"
diff <(echo "$before") <(listing "$home")

echo "-- what the user changed or added after installing"
run_install "$home"
echo "NoDisplay=true" >>"$home/.local/share/applications/varnel.desktop"
echo "the user's" >"$home/.local/lib/varnel/notes"
run_install "$home" --uninstall
check "uninstalling ends with 0" test "$status" -eq 0
check "the menu entry the user changed is kept, with a word" \
    test -f "$home/.local/share/applications/varnel.desktop" -a ! -e "$home/.local/bin/varnel"
check "the warning names it" said "kept $home/.local/share/applications/varnel.desktop: it has changed"
check "the folder holding the user's file is kept, with a word" said "kept $home/.local/lib/varnel: it holds"
rm "$home/.local/share/applications/varnel.desktop" "$home/.local/lib/varnel/notes"
rmdir "$home/.local/lib/varnel" "$home/.local/lib"
check "nothing else is left" test "$(listing "$home")" = "$before"

echo "-- under a PREFIX whose path holds characters a menu entry must quote"
home=$work/homes/prefixed
user_folder "$home"
user_folder "$work/prefixes"
prefix="$work/prefixes/odd place/it's \$HOME \"quoted\" back\\slash \`tick\` ;&|<>*?#()~"
home_before=$(listing "$home")
before=$(listing "$home" "$work/prefixes")
run_install "$home" PREFIX="$prefix"
check "PREFIX=... install.sh ends with 0" test "$status" -eq 0
check "the files are the download's, under the PREFIX" installed_from_download "$prefix/bin" \
    "$prefix/lib/varnel" "$prefix/share/man" "$prefix/share"
check "its menu entry is valid" valid_desktop_entry "$prefix/share/applications/varnel.desktop"
check "nothing of it is in the home" test "$(listing "$home")" = "$home_before"
runs "the PREFIX's menu entry" "$prefix/bin/varnel" "$prefix/lib/varnel/varnel-accessibility.so" \
    "$home" gio launch "$prefix/share/applications/varnel.desktop"
run_install "$home" PREFIX="$prefix" --uninstall
check "PREFIX=... install.sh --uninstall ends with 0" test "$status" -eq 0
check "the PREFIX is gone, the home as it was" test "$(listing "$home" "$work/prefixes")" = "$before"

echo "-- refusals"
home=$work/homes/refusals
user_folder "$home"
user_folder "$work/locked" 555
mkdir "$work/alone" && cp "$folder/install.sh" "$work/alone/"
# refused WHAT STATUS MESSAGE HOME [NAME=VALUE...] [--OPTION]: install.sh (or SCRIPT=...) ends
# with STATUS, says MESSAGE on the standard error, nothing on the standard output, and
# changes nothing in the home or the folders of the work.
refused() {
    local what=$1 expected=$2 message=$3 home=$4 before
    shift 4
    before=$(listing "$home" "$work/locked" "$work/prefixes")
    run_install "$home" "$@"
    check "$what: ends with $expected" test "$status" -eq "$expected"
    check "$what: says \"$message\"" said "$message"
    sed 's/^/    /; q' "$err"
    check "$what: prints nothing on the standard output" test ! -s "$out"
    check "$what: changes nothing" test "$(listing "$home" "$work/locked" "$work/prefixes")" = "$before"
}
refused "an unknown option" 2 "unknown option: --bogus" "$home" --bogus
refused "two options" 2 "one option at most" "$home" --uninstall --help
refused "PREFIX as an argument" 2 "PREFIX goes in the environment" "$home" -- PREFIX=/opt/varnel
refused "a relative PREFIX" 1 "PREFIX must be an absolute path" "$home" PREFIX=opt/varnel
refused "a PREFIX the user cannot write to" 1 "no permission to write to $work/locked" "$home" \
    PREFIX="$work/locked/varnel"
refused "a PREFIX whose path holds a %" 1 "holds a %" "$home" PREFIX="$work/prefixes/100%"
refused "no HOME" 1 "HOME is not set" "$home" HOME=
refused "nothing to uninstall" 1 "Varnel is not installed" "$home" --uninstall
user_folder "$home/.local/bin" 555
refused "a ~/.local/bin the user cannot write to" 1 "no permission to write to $home/.local/bin" "$home"
chmod 755 "$home/.local/bin"
user_folder "$home/.local/share/man/man1"
echo "another page" >"$home/.local/share/man/man1/varnel.1.gz"
refused "a file where a file would go" 1 "varnel.1.gz already exists" "$home"
rm -r "$home/.local"
echo "not a folder" >"$home/.local"
refused "a file where a folder would go" 1 "$home/.local is not a folder" "$home"
rm "$home/.local"
before=$(listing "$home")
run_script "$home" "$work/alone/install.sh"
check "install.sh without the download beside it is refused" test "$status" -eq 1
check "it says what is missing" said "holds no Varnel to install"
check "... and changes nothing" test "$(listing "$home")" = "$before"
# The program does not fit under a 400 KiB file size limit (sh's ulimit counts 512-byte
# blocks); the data and the module, copied before it, do.
as_user "$home" sh -c 'ulimit -f 800 && exec sh "$0"' "$folder/install.sh" >"$out" 2>"$err"
status=$?
check "a copy that fails midway: ends with 1" test "$status" -eq 1
check "a copy that fails midway: says nothing was installed" said "could not write $home/.local/bin/varnel; nothing was installed"
check "a copy that fails midway: takes back what was written" test "$(listing "$home")" = "$before"
diff <(echo "$before") <(listing "$home")
run_install "$home" --help
check "--help ends with 0 and shows the usage" test "$status" -eq 0 -a "$(head -n 1 "$out")" = "Usage: ./install.sh [--uninstall | --help]"

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
