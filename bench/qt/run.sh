#!/usr/bin/env bash
# Start-up of the launcher (process start to the call point mapped) against a
# minimal Qt program showing one window, run alternately N times on one Xvfb
# server; prints a table of medians and the ratios. Not part of the tests.
# Both run with a session bus, as in a desktop session, and again without
# one, as on a bare X server: there Qt's accessibility asks D-Bus to start a
# bus at the first window shown and waits for it (about 8 ms). The minimal
# window is mapped by then; the call point, shown after the splash, is not.
# The launcher measured is the one the Debian package ships (its build,
# build-package/), built again each run (ninja only redoes what changed), or
# an old binary is measured.
# Usage: bench/qt/run.sh [N]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
runs="${1:-15}"
build="$root/build-package"
(cd "$root" && cmake --preset package >/dev/null && cmake --build --preset package --target hiyokorapper >/dev/null)
cmake -S "$here" -B "$build/bench-qt" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build/bench-qt" >/dev/null

measure() {
    local work
    work="$(mktemp -d)"
    mkdir -m 700 "$work/runtime"
    local program="$build/hiyokorapper" minimal="$build/bench-qt/minimal_window"
    local probe="$build/bench-qt/map_probe"
    for i in $(seq 1 "$runs"); do
        rm -rf "$work/config"
        echo "launcher $(XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
            "$probe" --role sp "$program")"
        echo "minimal $(XDG_RUNTIME_DIR="$work/runtime" "$probe" "$minimal")"
    done
    rm -rf "$work"
}
export -f measure
export build runs

table() { awk -v start_goal=1.15 -v peak_goal=1.05 -f "$here/../ratio_table.awk"; }
echo "-- with a session bus (a desktop session)"
"$root/tests/platform/qt/with_xvfb.sh" dbus-run-session -- bash -c measure 2>/dev/null | table
echo "-- without a session bus (a bare X server)"
"$root/tests/platform/qt/with_xvfb.sh" env -u DBUS_SESSION_BUS_ADDRESS bash -c measure | table
echo "-- wakeups"
"$root/tests/platform/qt/with_xvfb.sh" "$here/wakeups.sh" "$build/hiyokorapper" "$build/bench-qt/minimal_window" \
    "$build/bench-qt/minimal_poll"
