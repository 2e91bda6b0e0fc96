#!/usr/bin/env bash
# Runs a command on its own Xvfb display inside a private D-Bus session, so desktop tests never
# touch the user's desktop and can run side by side. Usage: with-xvfb.sh COMMAND [ARG...]
set -euo pipefail

# Listing tests needs no display.
for arg in "$@"; do
    [ "$arg" = "--gtest_list_tests" ] && exec "$@"
done

geometry="${VORNELA_XVFB_SCREEN:-1920x1080x24}"
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset +extension RANDR 3>"$fdfile" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$fdfile"' EXIT
for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
done
if ! [ -s "$fdfile" ]; then
    echo "with-xvfb: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$fdfile")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
dbus-run-session -- "$@"
