#!/usr/bin/env bash
# Start-up of the launcher (process start to the call point mapped) against a
# minimal Qt program showing one window, run alternately N times on one Xvfb
# server; prints a table of medians and the ratios. Not part of the tests.
# Usage: bench/qt/run.sh [N]   (builds build-qt first if it is missing)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
runs="${1:-15}"
build="$root/build-qt"
if [ ! -x "$build/hiyokorapper" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DHIYOKO_BACKEND=qt -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    ninja -C "$build" hiyokorapper >/dev/null
fi
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

results="$("$root/tests/platform/qt/with_xvfb.sh" bash -c measure)"
echo "$results" | awk -f "$here/../ratio_table.awk"
