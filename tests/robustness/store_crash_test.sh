#!/usr/bin/env bash
# Kills a process that saves the settings file in a loop, many times at
# random moments; after every kill the file must be whole (old or new).
set -euo pipefail
writer="$1"
rounds="${2:-40}"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
file="$dir/hiyokorapper.ini"
for ((i = 1; i <= rounds; i++)); do
    "$writer" write "$file" &
    pid=$!
    sleep "0.0$((RANDOM % 9 + 1))$((RANDOM % 10))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if ! "$writer" check "$file"; then
        echo "round $i: the settings file is not whole"
        exit 1
    fi
done
leftovers=$(find "$dir" -name '.hiyokorapper.ini.~saving~*' | wc -l)
echo "$rounds kills during saves: the file was whole every time ($leftovers temp files left behind)"
