#!/usr/bin/env bash
# Measures Vornela at rest: starts the real app on a private Xvfb display and session bus, lets it
# settle for 15 s, then reports over 60 s its resident memory, the CPU time it used and its
# wake-ups (context switches of all its threads). With "hover" as the fourth argument the pointer
# first rests on the notch until the dashboard is open, then leaves, so what is measured is the
# rest after the dashboard has closed.
# Usage: bench/idle-probe.sh [path/to/vornela] [settle-seconds] [measure-seconds] [hover]
set -euo pipefail
binary="${1:-$(dirname "$0")/../build/bin/vornela}"
settle="${2:-15}"
window="${3:-60}"
hover="${4:-}"
[ -x "$binary" ] || { echo "idle-probe: no binary at $binary (build first: ./test or ./run)" >&2; exit 1; }

work=$(mktemp -d)
# The app goes first, so it never sees its display vanish.
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null && while kill -0 "$app" 2>/dev/null; do sleep 0.05; done
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/config/vornela" "$work/runtime"
chmod 700 "$work/runtime"
# Onboarding done, so the notch panel and the reminder engine run. Every nudge kind is off, so no
# nudge can come due inside the window and what is measured is the floor of an idle day: the
# engine then sleeps its longest (300 s), as it does between nudges.
cat > "$work/config/vornela/preferences.json" <<'JSON'
{"hasCompletedOnboarding": true, "nudgeEnabled_water": false, "nudgeEnabled_eyeBreak": false,
 "nudgeEnabled_standMove": false, "nudgeEnabled_postureCheck": false, "nudgeEnabled_launch": false}
JSON

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 400); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
unset WAYLAND_DISPLAY

dbus-run-session -- "$binary" &
sleep 1
# dbus-run-session forks the app: find it by its binary among our children's children.
app=$(pgrep -n -f "^$binary" || true)
[ -n "$app" ] || { echo "idle-probe: vornela did not start" >&2; exit 1; }

if [ "$hover" = hover ]; then
    # An absolute move is a warp the server does not report as motion: end each with a real step.
    sleep 1
    xdotool mousemove 959 10 mousemove_relative -- 1 0
    sleep 3
    xdotool mousemove 199 700 mousemove_relative -- 1 0
    sleep 1
fi

# Per-thread context switches as "tid count" lines: a thread that starts or ends inside the window
# must not make the sum jump, so the two samples are matched thread by thread.
sample() {
    local pid=$1 t
    awk '{print "cpu", $14 + $15}' "/proc/$pid/stat"
    for t in /proc/"$pid"/task/*; do
        awk -v tid="${t##*/}" '/^voluntary_ctxt_switches|^nonvoluntary_ctxt_switches/ {s += $2} END {print tid, s}' "$t/status"
    done
}

sleep "$settle"
sample "$app" > "$work/before"
sleep "$window"
sample "$app" > "$work/after"
read -r ticks sw ended < <(awk 'NR == FNR {before[$1] = $2; next}
    $1 == "cpu" {ticks = $2 - before["cpu"]; next}
    {sw += $2 - ($1 in before ? before[$1] : 0); seen[$1] = 1}
    END {for (t in before) if (t != "cpu" && !(t in seen)) ended++; print ticks, sw + 0, ended + 0}' \
    "$work/before" "$work/after")
rss_kib=$(awk '/^VmRSS/ {print $2}' "/proc/$app/status")
# What the app alone holds (USS) and its fair share of what it shares with other processes (PSS).
read -r pss_kib uss_kib < <(awk '/^Pss:/ {p = $2} /^Private_(Clean|Dirty):/ {u += $2} END {print p, u}' \
    "/proc/$app/smaps_rollup")
hz=$(getconf CLK_TCK)
threads=$(ls "/proc/$app/task" | wc -l)

awk -v rss="$rss_kib" -v pss="$pss_kib" -v uss="$uss_kib" -v dt="$ticks" -v hz="$hz" -v sw="$sw" \
    -v win="$window" -v threads="$threads" -v ended="$ended" 'BEGIN {
    printf "vornela idle over %d s, %d threads\n", win, threads
    printf "  RSS        %.1f MiB (PSS %.1f, USS %.1f)\n", rss / 1024, pss / 1024, uss / 1024
    printf "  CPU        %.2f s\n", dt / hz
    printf "  wake-ups   %d (%.1f per minute)\n", sw, sw * 60 / win
    if (ended) printf "  (%d thread(s) ended inside the window; their last switches are not counted)\n", ended
}'
