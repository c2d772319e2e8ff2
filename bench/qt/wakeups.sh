#!/usr/bin/env bash
# How often the launcher wakes: left alone past its splash (only the call
# point's 3333 ms timer should, 0.3 times a second), and with the panel open
# under the pointer and auto-hide on (its 100 ms poll, 10 a second). Counts
# the context switches of all its threads, as the kernel reports them, beside
# a minimal Qt window idle and one that reads the pointer every 100 ms.
# Usage (under tests/platform/qt/with_xvfb.sh):
#     bench/qt/wakeups.sh PROGRAM MINIMAL_WINDOW MINIMAL_POLL
PROGRAM="$1"
source "$(dirname "$0")/../../tests/scenarios/lib.sh"
printf '[Hiyokorapper Setting]\nMAIN_PLACE=3\nFaster=15\n' >"$ini"   # auto-hide on

switches() {
    cat /proc/"${1:-$app}"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { n += $2 } END { print n + 0 }'
}
# per_second SECONDS [PID]: the switches a second over that long.
per_second() {
    local before after
    before=$(switches "${2:-}")
    sleep "$1"
    after=$(switches "${2:-}")
    awk -v a="$before" -v b="$after" -v s="$1" 'BEGIN { printf "%.2f", (b - a) / s }'
}
# minimal_per_second PROGRAM SECONDS: the same for a minimal Qt program.
minimal_per_second() {
    "$1" & local pid=$!
    sleep 2
    per_second "$2" "$pid"
    kill "$pid"; wait "$pid" 2>/dev/null
}

start_past_splash || { echo "wakeups: the program did not start" >&2; exit 1; }
# Past the timer's first tick after the splash too: it asks the desktop once
# which corners its bars take (a few round trips, once a run, not idling).
sleep 4
idle=$(per_second "${IDLE_SECONDS:-20}")
open_panel 3 || { echo "wakeups: the panel did not open" >&2; exit 1; }
hover_panel $(slot_xy 0)   # a slot under the pointer starts the poll
sleep 1
polling=$(per_second "${PANEL_SECONDS:-10}")
shown ranch || echo "wakeups: the panel hid under the pointer" >&2
kill_program
echo "idle past the splash: $idle wakeups/s (goal: the 3333 ms timer alone, 0.30/s;" \
    "a minimal Qt window: $(minimal_per_second "$2" "${IDLE_SECONDS:-20}")/s)"
echo "panel open, auto-hide polling: $polling context switches/s (goal: what a 100 ms poll" \
    "needs; a minimal Qt window reading the pointer every 100 ms: $(minimal_per_second "$3" "${PANEL_SECONDS:-10}")/s)"
