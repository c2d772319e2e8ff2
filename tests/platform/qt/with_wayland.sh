#!/usr/bin/env bash
# Runs a command in a Wayland session with XWayland: the compositor nested
# in a window of a private Xvfb (with_xvfb.sh), a runtime folder of its own.
# Usage: with_wayland.sh mutter|kwin COMMAND...
# The command gets DISPLAY and XAUTHORITY of the compositor's XWayland,
# WAYLAND_DISPLAY and XDG_RUNTIME_DIR of the session, and INPUT_DISPLAY: the
# outer Xvfb, where xdotool moves the pointer and types as a user's hands
# would (the compositor's window fills it, one pixel for one), and
# NATIVE_TERMINAL, a Wayland terminal that runs there.
set -euo pipefail
if [ -z "${WITH_WAYLAND_OUTER:-}" ]; then
    WITH_WAYLAND_OUTER=1 exec "$(dirname "$0")/with_xvfb.sh" "$0" "$@"
fi
compositor="$1"
shift
# kwin's nested output has no physical size, which foot 1.13 divides by.
export NATIVE_TERMINAL=foot
[ "$compositor" = kwin ] && NATIVE_TERMINAL=weston-terminal
export INPUT_DISPLAY="$DISPLAY"
read -r width height < <(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
session="$(mktemp -d)"
export XDG_RUNTIME_DIR="$session/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
compositor_pid=""
cleanup() {
    [ -n "$compositor_pid" ] && { kill "$compositor_pid" 2>/dev/null || true; wait "$compositor_pid" 2>/dev/null || true; }
    rm -rf "$session"
}
trap cleanup EXIT

# XWayland's display and authority, once the compositor has them: mutter
# names its display in the log, kwin hands it to the programs it starts.
xwayland_of_mutter() {
    local display auth
    display="$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$session/log" 2>/dev/null | head -n1)"
    auth="$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n1)"
    [ -n "$display" ] && [ -n "$auth" ] && echo "$display $auth"
}
xwayland_of_kwin() { [ -s "$session/xwayland" ] && cat "$session/xwayland"; }

start_compositor() {
    case "$compositor" in
        mutter)
            MUTTER_DEBUG_DUMMY_MODE_SPECS="${width}x$height" \
                dbus-run-session -- mutter --nested --wayland --wayland-display=wayland-hiyoko ;;
        # kwin_wayland carries a file capability that some containers will
        # not execute; a copy without it is the same compositor.
        kwin)
            cp "$(command -v kwin_wayland)" "$session/kwin_wayland"
            dbus-run-session -- "$session/kwin_wayland" --x11-display "$INPUT_DISPLAY" \
                --width "$width" --height "$height" --xwayland --socket wayland-hiyoko \
                --no-lockscreen --no-global-shortcuts --no-kactivities \
                "sh -c 'echo \"\$DISPLAY \${XAUTHORITY:-none}\" >$session/xwayland.tmp && mv $session/xwayland.tmp $session/xwayland && exec sleep infinity'" ;;
        *) echo "with_wayland.sh: unknown compositor '$compositor'" >&2; return 1 ;;
    esac
}
start_compositor >"$session/log" 2>&1 &
compositor_pid=$!
xwayland=""
for _ in $(seq 1 300); do
    xwayland="$(xwayland_of_"$compositor" || true)"
    [ -n "$xwayland" ] && DISPLAY="${xwayland% *}" XAUTHORITY="${xwayland#* }" xdpyinfo >/dev/null 2>&1 && break
    xwayland=""
    kill -0 "$compositor_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$xwayland" ]; then
    echo "with_wayland.sh: $compositor gave no XWayland" >&2
    cat "$session/log" >&2
    exit 1
fi
# The socket by its whole path: scenarios give their programs runtime folders of their own.
export DISPLAY="${xwayland% *}" XAUTHORITY="${xwayland#* }" WAYLAND_DISPLAY="$XDG_RUNTIME_DIR/wayland-hiyoko"
[ "$XAUTHORITY" = none ] && unset XAUTHORITY
"$@"
