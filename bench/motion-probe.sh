#!/usr/bin/env bash
# What a moving pointer costs Vornela: starts the app on the current (private) display, moves the
# pointer far from the notch as fast as xdotool can for 10 s, and reports the raw motions sent,
# the app's CPU time and its context switches over that time.
# Usage: tests/desktop/with-xvfb.sh bench/motion-probe.sh [path/to/vornela]
set -eu
binary="${1:-$(dirname "$0")/../build/bin/vornela}"
work=$(mktemp -d)
trap 'kill "${app:-}" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/config/vornela" "$work/runtime"
chmod 700 "$work/runtime"
echo '{"hasCompletedOnboarding": true}' > "$work/config/vornela/preferences.json"
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" "$binary" &
app=$!
sleep 3

ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
switches() { cat /proc/"$app"/task/*/status | awk '/ctxt_switches/ {s += $2} END {print s}'; }

xdotool mousemove 200 700
t0=$(ticks)
s0=$(switches)
moves=0
end=$((SECONDS + 10))
while [ $SECONDS -lt $end ]; do
    xdotool mousemove_relative -- 3 1 mousemove_relative -- -3 -1
    moves=$((moves + 2))
done
t1=$(ticks)
s1=$(switches)
awk -v m="$moves" -v t="$((t1 - t0))" -v hz="$(getconf CLK_TCK)" -v s="$((s1 - s0))" 'BEGIN {
    printf "pointer moving for 10 s: %d raw motions, vornela used %.2f s CPU and %d context switches\n", m, t / hz, s
}'
