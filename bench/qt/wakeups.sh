#!/usr/bin/env bash
# How often the launcher wakes: left alone past its splash (only the call
# point's 3333 ms timer should, 0.3 times a second), and with the panel open
# under the pointer and auto-hide on (its 100 ms poll, 10 a second). Counts
# the context switches of all its threads, as the kernel reports them.
# Usage (under tests/platform/qt/with_xvfb.sh): bench/qt/wakeups.sh PROGRAM
PROGRAM="$1"
source "$(dirname "$0")/../../tests/scenarios/lib.sh"
printf '[Hiyokorapper Setting]\nMAIN_PLACE=3\nFaster=15\n' >"$ini"   # auto-hide on

switches() {
    cat /proc/"$app"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { n += $2 } END { print n + 0 }'
}
# per_second SECONDS: the switches a second over that long.
per_second() {
    local before after
    before=$(switches)
    sleep "$1"
    after=$(switches)
    awk -v a="$before" -v b="$after" -v s="$1" 'BEGIN { printf "%.2f", (b - a) / s }'
}

start_past_splash || { echo "wakeups: the program did not start" >&2; exit 1; }
sleep 2
idle=$(per_second "${IDLE_SECONDS:-20}")
open_panel 3 || { echo "wakeups: the panel did not open" >&2; exit 1; }
hover_panel $(slot_xy 0)   # a slot under the pointer starts the poll
sleep 1
polling=$(per_second "${POLL_SECONDS:-5}")
shown ranch || echo "wakeups: the panel hid under the pointer" >&2
echo "idle past the splash: $idle wakeups/s (goal: the 3333 ms timer alone, 0.30/s)"
echo "panel open, auto-hide polling: $polling context switches/s (goal: what the 100 ms poll needs)"
