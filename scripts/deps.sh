# Sourced by ./run and ./test: installs the Debian 12 packages that are missing.
# Usage: vornela_install_deps PACKAGE...
vornela_install_deps() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
            sudo=(sudo)
        elif command -v sudo >/dev/null 2>&1 && [ -t 0 ]; then
            sudo=(sudo)
        else
            echo "error: these Debian packages are missing and I cannot install them:" >&2
            echo "  ${missing[*]}" >&2
            echo "Run as root, or install them with: sudo apt-get install ${missing[*]}" >&2
            return 1
        fi
    fi
    export DEBIAN_FRONTEND=noninteractive
    if ! "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; then
        "${sudo[@]}" apt-get update -q && "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" || {
            echo "error: apt-get could not install: ${missing[*]}" >&2
            return 1
        }
    fi
}

# What building and testing the core needs.
VORNELA_CORE_PACKAGES=(cmake ninja-build g++ pkg-config ccache clang-format
    libgtest-dev libbenchmark-dev nlohmann-json3-dev)

# The desktop layers: Qt Widgets and QtDBus (qt6-base-dev), xcb with the shape, XInput and
# XFixes extensions for the click-through overlay, pointer tracking and noticing a compositing
# manager come and go, the Inter typeface, and Material Icons (Apache-2.0) for the dashboard's
# and the ruler's symbols, drawn as text so they stay crisp at every scale, and Qt's SVG image
# plugin (libqt6svg6), which draws the application icon from its SVG on demand, so the library
# is only loaded when a share card or a window shows the icon. The updater of home installs
# checks each archive's ed25519 signature with libsodium and unpacks it with libarchive, which
# reads every member's path before anything is written (the package's Depends on libsodium23 and
# libarchive13 come from shlibdeps).
VORNELA_DESKTOP_PACKAGES=(qt6-base-dev libxcb1-dev libxcb-shape0-dev libxcb-xinput-dev libxcb-xfixes0-dev
    fonts-inter fonts-material-design-icons-iconfont libqt6svg6 libsodium-dev libarchive-dev)

# Desktop tests run the real binary on a private X server and session bus, and move the pointer.
VORNELA_DESKTOP_TEST_PACKAGES=(xvfb xdotool dbus-daemon)

# Checking the installed files and the Debian package that cpack builds: desktop-file-validate
# (desktop-file-utils), appstreamcli (appstream), lintian, dpkg-shlibdeps for the package's library
# dependencies (dpkg-dev), and file(1) to read the icons' sizes.
VORNELA_PACKAGE_TEST_PACKAGES=(desktop-file-utils appstream lintian dpkg-dev file)

# The window-manager matrix that ./test runs (tests/wm): the real binary under openbox, xfwm4 with
# its compositor (xfconf switches the compositor at run time) and KWin on X11, whose compositor
# needs Mesa's software OpenGL on Xvfb.
VORNELA_WM_TEST_PACKAGES=(openbox xfwm4 xfconf kwin-x11 libgl1-mesa-dri)

# The Wayland compositors of tests/wm/wayland-matrix.sh, with XWayland. Not part of ./test: they
# are large and slow to start, and one of them may not run in a container.
VORNELA_WAYLAND_TEST_PACKAGES=(weston xwayland kwin-wayland mutter)

# The sanitizer and fuzzing build: clang 14 with libFuzzer and the sanitizer runtimes
# (libclang-rt-14-dev), and llvm-symbolizer (llvm-14) so reports name files and lines.
VORNELA_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev llvm-14)
