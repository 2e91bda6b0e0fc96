#!/usr/bin/env bash
# The notch under Wayland compositors, through XWayland: weston (its x11 backend nested in Xvfb,
# which holds the picture and the pointer), kwin_wayland --virtual and mutter --headless.
# Installs what is missing, builds, and prints the table environment x check. Not part of
# ./test: the compositors are large and slow to start.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/deps.sh
vornela_install_deps "${VORNELA_CORE_PACKAGES[@]}" "${VORNELA_DESKTOP_PACKAGES[@]}" \
    "${VORNELA_DESKTOP_TEST_PACKAGES[@]}" "${VORNELA_WAYLAND_TEST_PACKAGES[@]}"

export CCACHE_DIR="${CCACHE_DIR:-$PWD/.cache/ccache}"
cmake -S . -B build -G Ninja -DVORNELA_DESKTOP=ON -DVORNELA_TESTS=ON >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target vornela vornela_wm_tests

[ $# -gt 0 ] || set -- weston kwin_wayland mutter
exec tests/wm/matrix.sh build "$@"
