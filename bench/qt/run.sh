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
echo "$results" | awk -v runs="$runs" '
function median(a, n,    i, j, t) {
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
{ n[$1]++; ms[$1, n[$1]] = $2; kb[$1, n[$1]] = $3 }
END {
    for (k in n) {
        for (i = 1; i <= n[k]; i++) { t[i] = ms[k, i]; m[i] = kb[k, i] }
        tm[k] = median(t, n[k]); mm[k] = median(m, n[k])
        lo[k] = t[1]; hi[k] = t[n[k]]
    }
    printf "%-10s %5s %12s %14s %16s\n", "program", "runs", "start ms", "(min - max)", "peak RSS MiB"
    for (k in n) printf "%-10s %5d %12.1f %6.1f - %6.1f %16.1f\n", k, n[k], tm[k], lo[k], hi[k], mm[k] / 1024
    printf "ratio launcher/minimal: start time %.2fx, peak memory %.2fx (goal 1.3x, 1.2x)\n",
        tm["launcher"] / tm["minimal"], mm["launcher"] / mm["minimal"]
}'
