#!/usr/bin/env bash
# Runs a command against a private Xvfb server. -displayfd lets the server
# pick a free display itself, so parallel test runs never race for one;
# -noreset keeps it from resetting whenever its last client leaves, when a
# program starting just then would find no server to connect to.
set -euo pipefail
fifo_dir="$(mktemp -d)"
mkfifo "$fifo_dir/display"
Xvfb -displayfd 3 -noreset -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$fifo_dir/display" \
    >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() { kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; rm -rf "$fifo_dir"; }
trap cleanup EXIT
read -r -t 20 number <"$fifo_dir/display"
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
"$@"
