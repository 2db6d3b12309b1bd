# Shared by the tools: which Debian packages each job needs, and installing the missing ones.
# Source it; it defines arrays and a function only.

# Building the Linux program (FLTK and what linking it statically needs), its accessibility
# module (ATK and the AT-SPI bridge, over GLib) and the font it lays its text out with.
PROGRAM_BUILD_PACKAGES=(
    cmake ninja-build g++ pkg-config
    libfltk1.3-dev libx11-dev libxcursor-dev libxinerama-dev libxft-dev libfontconfig-dev
    libjpeg-dev libatk1.0-dev libatk-bridge2.0-dev libglib2.0-dev fonts-dejavu-core
)
# Reading the Linux program as a screen reader does: a session bus, the AT-SPI bus and registry,
# and the AT-SPI client library for Python.
SCREEN_READER_PACKAGES=(dbus at-spi2-core python3-pyatspi)
# Running the program in a private X server with a window manager, driving and photographing it.
X_SESSION_PACKAGES=(xvfb openbox xdotool x11-utils imagemagick)
# Running the program on a Wayland desktop (weston, inside that X server) as a client of its
# Xwayland, and the Wayland clients that read and write the clipboard there.
WAYLAND_SESSION_PACKAGES=(weston xwayland wl-clipboard)
# Cross-building the Windows program (its icon is drawn by a tool built for the host, with zlib),
# its zip (written by a Python script) and its installer.
WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-x86-64 mingw-w64-tools g++ zlib1g-dev python3 nsis)

# Installs those of the given packages that are not installed, with sudo when not root, and
# says which in one line; says nothing when all are there. Fails when it cannot install them.
install_missing() {
    local package missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Installing packages needs root or sudo."; return 1; }
        sudo=(sudo)
    fi
    # apt waits while another installation holds dpkg's lock.
    "${sudo[@]}" apt-get update -q >/dev/null &&
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
            --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}" >/dev/null ||
        { echo "Could not install: ${missing[*]}"; return 1; }
}
