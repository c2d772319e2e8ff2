#!/usr/bin/env bash
# Runs a command in a Wayland session with XWayland: the compositor nested
# in a window of a private Xvfb (with_xvfb.sh), a runtime folder and a
# session bus of its own.
# Usage: with_wayland.sh mutter|gnome-shell|weston|sway COMMAND...
# The command gets DISPLAY and XAUTHORITY of the compositor's XWayland,
# WAYLAND_DISPLAY and XDG_RUNTIME_DIR of the session, and INPUT_DISPLAY: the
# outer Xvfb, where xdotool moves the pointer and types as a user's hands
# would (the compositor's window fills it, one pixel for one).
# WAYLAND_NO_XWAYLAND=1 starts the compositor without XWayland; the command
# then gets no DISPLAY at all.
# Exits 77 (skipped) where the compositor or XWayland is not installed.
set -euo pipefail
session_width=1280 session_height=1024
if [ -z "${WITH_WAYLAND_OUTER:-}" ]; then
    for tool in "$1" Xwayland dbus-run-session; do
        command -v "$tool" >/dev/null || { echo "with_wayland.sh: no $tool here" >&2; exit 77; }
    done
    # A strip of the outer screen right of the session: see enter_session.
    WITH_WAYLAND_OUTER=1 XVFB_SCREEN=$((session_width + 8))x${session_height}x24 \
        exec "$(dirname "$0")/with_xvfb.sh" dbus-run-session -- "$0" "$@"
fi
compositor="$1"
shift
with_xwayland=1
[ -n "${WAYLAND_NO_XWAYLAND:-}" ] && with_xwayland=""
export INPUT_DISPLAY="$DISPLAY"
width=$session_width height=$session_height
session="$(mktemp -d)"
export XDG_RUNTIME_DIR="$session/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The compositor, its XWayland and whatever the command starts run in
# process groups of their own, which go whole, also after a failure or a
# timeout's signal.
groups=()
end_groups() {
    local group _
    for group in "${groups[@]}"; do kill -TERM -- "-$group" 2>/dev/null || true; done
    for _ in $(seq 1 30); do
        local alive=""
        for group in "${groups[@]}"; do kill -0 -- "-$group" 2>/dev/null && alive=1; done
        [ -z "$alive" ] && break
        sleep 0.1
    done
    for group in "${groups[@]}"; do kill -KILL -- "-$group" 2>/dev/null || true; done
    for group in "${groups[@]}"; do wait "$group" 2>/dev/null || true; done
}
cleanup() {
    end_groups
    rm -rf "$session"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

# XWayland's display and authority, once the compositor has them.
xwayland_of_gnome-shell() { xwayland_of_mutter; }
xwayland_of_mutter() {
    local display auth
    display="$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$session/log" | head -n1)"
    auth="$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n1)"
    [ -n "$display" ] && [ -n "$auth" ] && echo "$display $auth"
}
# Weston's XWayland takes anyone who connects; it starts on the first client.
xwayland_of_weston() {
    local display
    display="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$session/log" | head -n1)"
    [ -n "$display" ] && echo "$display none"
}
# Wlroots' XWayland takes its own user only: that user lets ours in.
xwayland_of_sway() {
    local display
    display="$(sed -n 's/.*Starting Xwayland on \(:[0-9]*\).*/\1/p' "$session/log" | head -n1)"
    [ -n "$display" ] || return 1
    DISPLAY="$display" as_sway_user xhost "+SI:localuser:$(id -un)" >/dev/null 2>&1 || return 1
    echo "$display none"
}
# The runtime folder is the session's alone: its one socket is the compositor's.
wayland_socket() {
    local socket
    for socket in "$XDG_RUNTIME_DIR"/wayland-*; do
        [ -S "$socket" ] && { echo "$socket"; return 0; }
    done
    return 1
}
wayland_up() { wayland_socket >/dev/null; }

start_mutter() {
    local xwayland_flag=()
    [ -z "$with_xwayland" ] && xwayland_flag=(--no-x11)
    MUTTER_DEBUG_DUMMY_MODE_SPECS="${width}x$height" \
        "$compositor" --nested --wayland --wayland-display=wayland-hiyoko "${xwayland_flag[@]}"
}
# A bus in the compositor's process group, its address once it listens.
private_bus() {
    dbus-daemon --session --nofork --address="unix:path=$session/system_bus" >/dev/null &
    until [ -S "$session/system_bus" ]; do sleep 0.05; done
    echo "unix:path=$session/system_bus"
}
start_compositor() {
    case "$compositor" in
        # The desktop shell is mutter with its top bar and hot corner; it
        # wants a system bus, which a second private bus stands in for.
        gnome-shell)
            local bus
            bus="$(private_bus)"
            DBUS_SYSTEM_BUS_ADDRESS="$bus" start_mutter ;;
        mutter) start_mutter ;;
        # No panel of its own, so that the whole screen is the session's desktop.
        weston)
            printf '[core]\nidle-time=0\n[shell]\npanel-position=none\n' >"$session/weston.ini"
            local xwayland_flag=()
            [ -n "$with_xwayland" ] && xwayland_flag=(--xwayland)
            weston --config="$session/weston.ini" --backend=x11-backend.so --width="$width" \
                --height="$height" --socket=wayland-hiyoko "${xwayland_flag[@]}" ;;
        sway) start_sway ;;
        *) echo "with_wayland.sh: unknown compositor '$compositor'" >&2; return 1 ;;
    esac
}
# Sway refuses to run as root: as root it runs as a system user of its own,
# which owns the runtime folder; root's clients reach its sockets anyway.
sway_user=hiyoko-wayland
as_sway_user() {
    if [ "$(id -u)" -ne 0 ]; then "$@"; return; fi
    id "$sway_user" >/dev/null 2>&1 || useradd --system --no-create-home \
        --home-dir /nonexistent --shell /usr/sbin/nologin "$sway_user"
    chown "$sway_user:" "$XDG_RUNTIME_DIR"
    HOME="$XDG_RUNTIME_DIR" setpriv --reuid="$sway_user" --regid="$sway_user" --clear-groups -- "$@"
}
start_sway() {
    local config="$session/sway.conf"
    cp "$(dirname "$0")/sway.conf" "$config"
    [ -z "$with_xwayland" ] && sed -i 's/^xwayland force/xwayland disable/' "$config"
    chmod 644 "$config"
    chmod 711 "$session"
    WLR_BACKENDS=x11 WLR_RENDERER=pixman as_sway_user sway --verbose --config "$config"
}
session_ready() {
    wayland_up || return 1
    [ -z "$with_xwayland" ] && return 0
    xwayland="$(xwayland_of_"$compositor")" || return 1
    DISPLAY="${xwayland% *}" XAUTHORITY="${xwayland#* }" xdpyinfo >/dev/null 2>&1
}

set -m  # each background job a process group of its own
start_compositor >"$session/log" 2>&1 &
groups+=($!)
xwayland=""
ready=""
for _ in $(seq 1 300); do
    session_ready && { ready=1; break; }
    kill -0 "${groups[0]}" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$ready" ]; then
    echo "with_wayland.sh: $compositor did not start a session${with_xwayland:+ with XWayland}" >&2
    cat "$session/log" >&2
    exit 1
fi
# Weston takes the pointer only after it entered its window, which here
# is under the pointer from the start: the pointer goes out and back in.
enter_session() { xdotool mousemove $((width + 4)) $((height / 2)) sleep 0.1 mousemove $((width / 2)) $((height / 2)); }
enter_session
# The desktop shell starts in its overview of windows, which a key leaves.
if [ "$compositor" = gnome-shell ]; then
    sleep 1
    xdotool key Escape
    sleep 0.5
fi
# The socket by its whole path: scenarios give their programs runtime folders of their own.
WAYLAND_DISPLAY="$(wayland_socket)"
export WAYLAND_DISPLAY
unset DISPLAY XAUTHORITY
if [ -n "$with_xwayland" ]; then
    export DISPLAY="${xwayland% *}"
    [ "${xwayland#* }" != none ] && export XAUTHORITY="${xwayland#* }"
fi
"$@" &
groups+=($!)
set +m
status=0
wait "${groups[1]}" || status=$?
exit "$status"
