#!/usr/bin/env bash
# Builds the Debian package with cpack and holds it to lintian: no errors, and only the warnings
# listed below, each for its reason.
# Usage: check-deb.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$out/vornela_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "cpack made $(ls "$out") instead of $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libxcb1 fonts-inter libqt6svg6 qt6-qpa-plugins xdg-utils; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

# Kept:
# - no-manual-page... none at present; add a tag here with its reason when one must stay.
as_root=()
[ "$(id -u)" -ne 0 ] || as_root=(--allow-root)
lintian "${as_root[@]}" --fail-on error,warning --display-level '>=warning' "$deb" || fail "lintian: see above"
