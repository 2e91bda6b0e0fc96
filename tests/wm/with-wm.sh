#!/usr/bin/env bash
# Starts a window manager or a Wayland compositor (with XWayland) on the display that with-xvfb.sh
# made, runs COMMAND inside it, and stops it again. COMMAND learns what it runs under from
# VORNELA_WM and the variables below. Usage: with-wm.sh ENVIRONMENT COMMAND [ARG...]
#   openbox | xfwm4 (compositor on) | kwin_x11 (software GL) | weston (x11 backend, nested)
#   | kwin_wayland (--virtual) | mutter (--headless)
set -uo pipefail
environment=$1
shift
work=$(mktemp -d)
log="$work/log"
# The window managers keep their settings here, never in the user's home.
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data"
mkdir -p "$XDG_CONFIG_HOME"
export VORNELA_WM=$environment NO_AT_BRIDGE=1
outer=$DISPLAY

# Waits for a line in the log while the manager runs; prints what matched.
wait_for_log() {
    for _ in $(seq 300); do
        grep -o -m1 -E "$1" "$log" 2>/dev/null && return 0
        kill -0 "$manager" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

case $environment in
openbox)
    openbox --sm-disable >"$log" 2>&1 &
    ;;
xfwm4)
    export VORNELA_WM_COMPOSITED=1
    xfwm4 --compositor=on --vblank=off --sm-client-disable >"$log" 2>&1 &
    ;;
kwin_x11)
    export VORNELA_WM_COMPOSITED=1
    LIBGL_ALWAYS_SOFTWARE=1 KWIN_COMPOSE=O2 kwin_x11 >"$log" 2>&1 &
    ;;
weston)
    # The x11 backend draws into a window of the outer display, which holds the picture and the
    # pointer (XWayland under the headless backend crashes on synthetic pointer motion).
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # Weston's panel is drawn above every client window but fullscreen ones, the notch included:
    # it goes to the bottom edge, where the pointer can still leave onto it.
    printf '[shell]\npanel-position=bottom\n' >"$XDG_CONFIG_HOME/weston.ini"
    weston --backend=x11-backend.so --xwayland --width=1920 --height=1080 --socket=wayland-vornela \
        --idle-time=0 >"$log" 2>&1 &
    ;;
kwin_wayland)
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    LIBGL_ALWAYS_SOFTWARE=1 kwin_wayland --virtual --xwayland --width 1920 --height 1080 \
        --socket wayland-vornela >"$log" 2>&1 &
    ;;
mutter)
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    mutter --headless --wayland --wayland-display=wayland-vornela --virtual-monitor 1920x1080 \
        >"$log" 2>&1 &
    ;;
*)
    echo "with-wm: unknown environment $environment" >&2
    exit 2
    ;;
esac
manager=$!
stop() {
    kill "$manager" 2>/dev/null
    wait "$manager" 2>/dev/null
    rm -rf "$work"
}
trap stop EXIT

case $environment in
weston | kwin_wayland | mutter)
    # Each says which X display its XWayland serves.
    case $environment in
    weston) pattern='xserver listening on display :[0-9]+' ;;
    kwin_wayland) pattern='(Xwayland|X-Server).*:[0-9]+' ;;
    mutter) pattern='Using public X11 display :[0-9]+' ;;
    esac
    display=$(wait_for_log "$pattern" | grep -o ':[0-9]*$')
    if [ -z "${display:-}" ]; then
        echo "could not run: $environment started no XWayland: $(grep -v '^$' "$log" | tail -n 1 | sed 's/^.*line [0-9]*: //')"
        exit 77
    fi
    # Mutter lets only holders of its cookie onto its XWayland.
    for cookie in "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.*; do
        [ -e "$cookie" ] && export XAUTHORITY=$cookie
    done
    export DISPLAY=$display VORNELA_APP_WAYLAND_DISPLAY=wayland-vornela
    if [ "$environment" = weston ]; then
        # Weston's panel is one of its own surfaces.
        export VORNELA_SCREEN_DISPLAY=$outer VORNELA_POINTER_DISPLAY=$outer VORNELA_WM_SURFACE=300,1066
    else
        export VORNELA_NO_SCREEN=1
    fi
    ;;
esac

"$@"
status=$?
if ! kill -0 "$manager" 2>/dev/null; then
    echo "with-wm: $environment is gone; its last words:" >&2
    tail -n 15 "$log" >&2
fi
exit $status
