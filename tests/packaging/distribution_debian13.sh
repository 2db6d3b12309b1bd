#!/usr/bin/env bash
# The Linux downloads on a fresh Debian 13, as debootstrap --variant=minbase makes it, each in a
# copy of its own, run under this machine's X server (the copies reach it through its abstract
# socket) by an unprivileged user of the copy:
#   - the .deb installs with apt, its dependencies from Debian's archive, and its program maps
#     its window and loads its accessibility module;
#   - with only the X libraries, fontconfig and the DejaVu fonts installed, the portable
#     download's program maps its window from the unpacked folder; install.sh installs it, the
#     menu entry's Exec starts it, and install.sh --uninstall leaves the home as it was found.
# Debian 13 is made once and kept in CACHE (debootstrap takes minutes), with the packages apt
# downloaded; each run refreshes its package lists and copies it. Needs root and debootstrap.
#   distribution_debian13.sh DEB TARBALL VERSION CACHE
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
source "$(dirname "$0")/installed_program.sh"
deb=$1 tarball=$2 version=$3 cache=$4
[ "$(id -u)" -eq 0 ] || { echo "SKIPPED: making and entering a Debian 13 system needs root"; exit 77; }
command -v debootstrap >/dev/null || { echo "SKIPPED: debootstrap is not installed"; exit 77; }
base=$cache/base archives=$cache/archives work=$cache/run
user=tester
libraries="libx11-6 libxext6 libxft2 libxrender1 libxfixes3 libxcursor1 libxinerama1 libfontconfig1 fonts-dejavu-core"

# Runs a command (or an exported function), bounded: bounded SECONDS WHAT COMMAND...; says what
# it waited for, and how long it took or that it gave up.
bounded() {
    local limit=$1 what=$2 start=$SECONDS status
    shift 2
    echo "$what (at most ${limit} s) ..."
    timeout "$limit" bash -c '"$@"' bash "$@" >"$cache/last.log" 2>&1
    status=$?
    if [ $status -eq 124 ]; then
        echo "  gave up after $limit s: $what"
    elif [ $status -ne 0 ]; then
        echo "  failed ($status) after $((SECONDS - start)) s: $what"
    else
        echo "  $((SECONDS - start)) s"
    fi
    [ $status -eq 0 ] || tail -n 20 "$cache/last.log"
    return $status
}
# Runs a command as root in a system, with /proc mounted for it alone (the program reads
# /proc/self/exe to find its module): in_system ROOT COMMAND...
in_system() {
    local root=$1
    shift
    unshare --mount --propagation private \
        sh -c 'mount -t proc proc "$1/proc" && exec chroot "$@"' sh "$root" "$@"
}
export -f in_system
# The same as the system's unprivileged user, in a clean environment: as_user ROOT COMMAND...
# The program's runs keep their caches out of the home, which only install.sh may change.
as_user() {
    local root=$1
    shift
    in_system "$root" setpriv --reuid=1000 --regid=1000 --init-groups \
        env -i HOME=/home/$user PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$DISPLAY" \
        XDG_CACHE_HOME=/tmp/cache "$@"
}
# A fresh copy of the base, with its user: new_system NAME; prints its root.
new_system() {
    local root=$work/$1
    cp -a "$base" "$root" && cp /etc/resolv.conf "$root/etc/resolv.conf" &&
        in_system "$root" useradd --create-home --uid 1000 --user-group "$user" &&
        echo "$root"
}
# apt-get install in a system, the packages apt downloaded before taken from the cache and
# those it downloads now kept there: apt_install ROOT PACKAGE...
apt_install() {
    local root=$1 status
    shift
    cp -l "$archives"/*.deb "$root/var/cache/apt/archives/" 2>/dev/null ||
        cp "$archives"/*.deb "$root/var/cache/apt/archives/" 2>/dev/null
    bounded 900 "apt-get install $*" in_system "$root" \
        env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@"
    status=$?
    cp -n "$root"/var/cache/apt/archives/*.deb "$archives/" 2>/dev/null
    return $status
}
# Starts Varnel in a system as its user and closes it again: runs WHAT ROOT PROGRAM [MODULE] --
# COMMAND... (see program_runs; PROGRAM is the system's). When MODULE is given, the module the
# program loads must be the system's MODULE. A screenshot of its window is kept in CACHE.
runs() {
    local what=$1 root=$2 program=$3 module=""
    shift 3
    [ "$1" = -- ] || { module=$1; shift; }
    shift
    program_runs "$what" "$root$program" shows_its_window as_user "$root" "$@"
}
shows_its_window() {
    local pid=$1 screenshot=$cache/${what//[^A-Za-z0-9]/-}.png
    [ -z "$module" ] ||
        check "$what: it loads its module, $module" wait_until grep -qF " $root$module" "/proc/$pid/maps"
    import -window root "$screenshot" 2>/dev/null && echo "  screenshot: $screenshot"
}

mkdir -p "$cache" "$archives"
PROGRAM_LOG=$cache/program.log
started=$SECONDS
if [ ! -d "$base" ]; then
    rm -rf "$base.new"
    bounded 1200 "debootstrap --variant=minbase trixie: Debian 13 from its archive, once" \
        debootstrap --variant=minbase trixie "$base.new" || { echo "FAILED: debootstrap"; exit 1; }
    in_system "$base.new" apt-get clean
    mv "$base.new" "$base"
    echo "Debian 13 made in $((SECONDS - started)) s ($(du -sm "$base" | cut -f1) MB)"
fi
bounded 300 "apt-get update in Debian 13" in_system "$base" apt-get update -q ||
    { echo "FAILED: Debian 13's package lists"; exit 1; }

rm -rf "$work"
mkdir -p "$work"
start_x_session || { echo "FAILED: no X session"; exit 1; }
trap 'stop_x_session; rm -rf "$work"' EXIT
wait_for_window_manager_ready || { echo "FAILED: the window manager did not start"; exit 1; }

echo "-- the Debian package"
root=$(new_system deb) || { echo "FAILED: a copy of Debian 13"; exit 1; }
cp "$deb" "$root/tmp/varnel.deb"
check "apt installs the package with its dependencies from the archive" apt_install "$root" /tmp/varnel.deb
echo "  $(in_system "$root" dpkg-query -W -f='${Status}\n' | grep -c 'ok installed') packages installed"
check "varnel --version answers" \
    test "$(as_user "$root" varnel --version 2>&1)" = "varnel $version"
runs "debian13 package" "$root" /usr/bin/varnel \
    "/usr/lib/x86_64-linux-gnu/varnel/varnel-accessibility.so" -- env VARNEL_ACCESSIBILITY=1 varnel
rm -rf "$root"

echo "-- the portable download, with only the X libraries, fontconfig and a font"
root=$(new_system tarball) || { echo "FAILED: a copy of Debian 13"; exit 1; }
check "apt installs $libraries" apt_install "$root" $libraries
no_module_libraries() {
    ! in_system "$root" dpkg-query -W -f='${Package} ${Status}\n' 2>/dev/null |
        grep -E '^(libatk|libglib)[^ ]* .*ok installed'
}
check "ATK, its bridge and GLib, which the accessibility module needs, are not installed" \
    no_module_libraries
cp "$tarball" "$root/tmp/download.tar.gz"
as_user "$root" tar -C /home/$user -xzf /tmp/download.tar.gz
folder=/home/$user/$(basename "$tarball" .tar.gz)
# Accessibility asked for, the module cannot load: the program says so and runs all the same.
runs "debian13 unpacked folder" "$root" "$folder/varnel" -- \
    sh -c 'cd "$1" && VARNEL_ACCESSIBILITY=1 exec ./varnel' sh "$folder"
check "it says its accessibility module cannot load" \
    grep -q '^varnel: accessibility: libatk-bridge-2.0.so.0: cannot open' "$PROGRAM_LOG"
home=$root/home/$user
before=$(listing "$home")
as_user "$root" sh "$folder/install.sh" >"$cache/install.log" 2>&1
check "install.sh installs it for the user" test $? -eq 0
cat "$cache/install.log"
check "the program is in ~/.local/bin" test -x "$home/.local/bin/varnel"
exec_line=$(sed -n 's/^Exec=//p' "$home/.local/share/applications/varnel.desktop")
runs "debian13 installed menu entry" "$root" "/home/$user/.local/bin/varnel" -- sh -c "$exec_line"
as_user "$root" sh "/home/$user/.local/share/varnel/install.sh" --uninstall >"$cache/install.log" 2>&1
check "install.sh --uninstall uninstalls it" test $? -eq 0
cat "$cache/install.log"
check "the home is as it was found" test "$(listing "$home")" = "$before"
diff <(echo "$before") <(listing "$home")
rm -rf "$root"

echo "took $((SECONDS - started)) s"
echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
