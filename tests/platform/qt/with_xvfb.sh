#!/usr/bin/env bash
# Runs a command against a private Xvfb server. -displayfd lets the server
# pick a free display itself, so parallel test runs never race for one;
# -noreset keeps it from resetting whenever its last client leaves, when a
# program starting just then would find no server to connect to.
# XVFB_WM=openbox (or xfwm4, or gnome-shell) also runs that window manager on
# the server and waits until it has taken over the screen, as users have one.
# XVFB_MONITORS="WxH+X+Y ..." runs Xorg with the dummy driver instead, one
# 2560x1024 screen split into those monitors, which the pointer reaches.
set -euo pipefail
fifo_dir="$(mktemp -d)"
mkfifo "$fifo_dir/display"
if [ -n "${XVFB_MONITORS:-}" ]; then
    Xorg -displayfd 3 -noreset -nolisten tcp -config "$(dirname "$0")/xorg-dummy.conf" \
        -logfile "$fifo_dir/xorg.log" 3>"$fifo_dir/display" >/dev/null 2>&1 &
else
    Xvfb -displayfd 3 -noreset -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$fifo_dir/display" \
        >/dev/null 2>&1 &
fi
xvfb_pid=$!
wm_pid=""
cleanup() {
    # The whole group: a session bus started with the window manager goes too.
    [ -n "$wm_pid" ] && { kill -- "-$wm_pid" 2>/dev/null || true; wait "$wm_pid" 2>/dev/null || true; }
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$fifo_dir"
}
trap cleanup EXIT
read -r -t 20 number <"$fifo_dir/display"
export DISPLAY=":$number"
unset WAYLAND_DISPLAY

# split_into_monitors "WxH+X+Y ...": the first monitor keeps the output.
split_into_monitors() {
    local i=0 geometry output
    for geometry in $1; do
        output=none
        [ $i -eq 0 ] && output="$(xrandr | awk '/ connected/ {print $1; exit}')"
        # xrandr wants sizes in millimetres too: any will do.
        xrandr --setmonitor "hiyoko-$i" "$(sed 's|\([0-9]*\)x\([0-9]*\)|\1/300x\2/200|' <<<"$geometry")" "$output" >/dev/null
        i=$((i + 1))
    done
}
[ -n "${XVFB_MONITORS:-}" ] && split_into_monitors "$XVFB_MONITORS"

# A window manager names its check window on the root once it runs.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
start_window_manager() {
    case "$1" in
        # Its stock settings, and a rule for scenarios that need a program
        # in full screen: one whose X resource name is fullscreen-cover.
        openbox)
            sed 's|</applications>|<application name="fullscreen-cover"><fullscreen>yes</fullscreen></application>&|' \
                /etc/xdg/openbox/rc.xml >"$fifo_dir/openbox.xml"
            openbox --sm-disable --config-file "$fifo_dir/openbox.xml" ;;
        # It reads its settings through xfconf, which needs a session bus;
        # XVFB_DESKTOP=xfdesktop adds Xfce's desktop window (wallpaper and
        # icons) on the same bus, as an Xfce session has it.
        xfwm4)
            if [ "${XVFB_DESKTOP:-}" = xfdesktop ]; then
                dbus-run-session -- sh -c 'xfdesktop --disable-wm-check --sm-client-disable & exec xfwm4 --compositor=off --sm-client-disable'
            else
                dbus-run-session -- xfwm4 --compositor=off --sm-client-disable
            fi ;;
        # GNOME's desktop shell on X11, its top bar above every window; a
        # second session bus stands in for the system bus it wants.
        gnome-shell)
            dbus-run-session -- sh -c 'DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
                exec dbus-run-session -- gnome-shell --x11 --replace' ;;
        *) echo "with_xvfb.sh: unknown window manager '$1'" >&2; return 1 ;;
    esac
}
if [ -n "${XVFB_WM:-}" ]; then
    set -m  # a process group of its own
    start_window_manager "$XVFB_WM" >"$fifo_dir/wm.log" 2>&1 &
    wm_pid=$!
    set +m
    for _ in $(seq 1 200); do
        wm_ready && break
        kill -0 "$wm_pid" 2>/dev/null || break
        sleep 0.05
    done
    if ! wm_ready; then
        echo "with_xvfb.sh: $XVFB_WM did not start" >&2
        cat "$fifo_dir/wm.log" >&2
        exit 1
    fi
    # The desktop's own window, where one was asked for.
    if [ -n "${XVFB_DESKTOP:-}" ]; then
        for _ in $(seq 1 200); do
            xdotool search --onlyvisible --class "$XVFB_DESKTOP" >/dev/null 2>&1 && break
            sleep 0.05
        done
    fi
    # The desktop shell's bars come a moment after its window manager, and
    # it starts in its overview of windows, which a key leaves.
    if [ "$XVFB_WM" = gnome-shell ]; then
        for _ in $(seq 1 200); do
            grep -q "GNOME Shell started" "$fifo_dir/wm.log" && break
            sleep 0.1
        done
        sleep 0.5
        xdotool key Escape
        sleep 0.5
    fi
fi
"$@"
