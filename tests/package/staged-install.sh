#!/usr/bin/env bash
# Installs into a staging folder (DESTDIR) as a package would, checks what a desktop reads from it,
# and starts the installed binary on its own Xvfb display with the prefix's data, from /.
# Usage: staged-install.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -euo pipefail
build=$1 source=$2 id=$3 version=$4
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "staged install: $*" >&2; exit 1; }

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr
desktop=$root/share/applications/$id.desktop
metainfo=$root/share/metainfo/$id.metainfo.xml

desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
appstreamcli validate --no-net --explain "$metainfo" || fail "the AppStream metainfo does not validate"

# The entry's command and icon name what was installed, at every hicolor size.
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
grep -qx "Icon=$id" "$desktop" || fail "the entry's icon is not $id"
grep -q "<binary>$exec_name</binary>" "$metainfo" || fail "the metainfo does not provide $exec_name"
[ -s "$root/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
for size in 16 24 32 48 64 128 256 512; do
    png=$root/share/icons/hicolor/${size}x${size}/apps/$id.png
    file -b "$png" 2>/dev/null | grep -q "^PNG image data, $size x $size," || fail "no ${size}px icon at $png"
done

# Nothing may point back into the build: no run path, no file named from it (the program and the
# updater's module name their sources only in their debug information).
for elf in "$root/bin/vornela" "$root/libexec/vornela/libvornela_update.so"; do
    [ -f "$elf" ] || fail "not installed: $elf"
    if readelf -d "$elf" | grep -qE 'RPATH|RUNPATH'; then fail "$elf keeps a run path"; fi
done
if grep -rqF "$build" "$stage" --exclude=vornela --exclude=libvornela_update.so; then fail "an installed file names the build folder"; fi

[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/vornela" --version)" = "Vornela $version" ] ||
    fail "--version does not print Vornela $version"

# A returning user's quiet day, so the notch comes up at once and nothing is due.
home=$stage/home
mkdir -p "$home/config/vornela" "$home/runtime"
chmod 700 "$home/runtime"
cat >"$home/config/vornela/preferences.json" <<'JSON'
{"hasCompletedOnboarding": true, "nudgeEnabled_water": false, "nudgeEnabled_eyeBreak": false,
 "nudgeEnabled_standMove": false, "nudgeEnabled_postureCheck": false, "nudgeEnabled_launch": false}
JSON
export STAGE_ROOT=$root STAGE_HOME=$home
"$source/tests/desktop/with-xvfb.sh" bash -c '
    cd /
    HOME=$STAGE_HOME XDG_CONFIG_HOME=$STAGE_HOME/config XDG_RUNTIME_DIR=$STAGE_HOME/runtime \
        XDG_DATA_DIRS=$STAGE_ROOT/share:/usr/share "$STAGE_ROOT/bin/vornela" 2>"$STAGE_HOME/stderr" &
    app=$!
    shown=""
    for _ in $(seq 150); do
        shown=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null || true)
        [ -n "$shown" ] || ! kill -0 "$app" 2>/dev/null && break
        sleep 0.1
    done
    kill -TERM "$app" 2>/dev/null
    wait "$app"; status=$?
    cat "$STAGE_HOME/stderr" >&2
    [ -n "$shown" ] || { echo "staged install: the installed binary put no window up" >&2; exit 1; }
    [ "$status" -eq 0 ] || { echo "staged install: it ended with status $status on SIGTERM" >&2; exit 1; }
    ! grep -q missing "$STAGE_HOME/stderr" || { echo "staged install: something it needs is missing" >&2; exit 1; }
'
