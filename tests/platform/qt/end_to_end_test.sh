#!/usr/bin/env bash
# The real program on an X server (run it under with_xvfb.sh): start-up and
# the call point, the pointer opening the panel, saving every key with hard
# values intact, and a refused second start.
# Usage: end_to_end_test.sh PATH/TO/hiyokorapper
set -uo pipefail
program="$1"
work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/hiyokorapper"
mkdir -m 700 "$XDG_RUNTIME_DIR"
ini="$XDG_CONFIG_HOME/hiyokorapper/hiyokorapper.ini"
source "$(dirname "$0")/../../support/checks.sh"



# The mapped window of a process whose WM_WINDOW_ROLE names the form.
window_of() {
    local pid="$1" role="$2" w
    for w in $(xdotool search --pid "$pid" 2>/dev/null); do
        if xprop -id "$w" WM_WINDOW_ROLE 2>/dev/null | grep -q "\"$role\"" &&
            xwininfo -id "$w" 2>/dev/null | grep -q "IsViewable"; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

# The mapped message box of a process: a window of no form, titled with
# the product's name and version.
message_box_of() {
    local pid="$1" w
    for w in $(xdotool search --all --pid "$pid" --name 'Ver1\.96' 2>/dev/null); do
        if ! xprop -id "$w" WM_WINDOW_ROLE 2>/dev/null | grep -q '"' &&
            xwininfo -id "$w" 2>/dev/null | grep -q "IsViewable"; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

# answer_box PID KEY: presses a key in the process's message box, if one is up.
answer_box() {
    local box
    box="$(message_box_of "$1")" || return 1
    timeout 5 xdotool windowfocus --sync "$box" key "$2" 2>/dev/null
}

# wait_exit SECONDS PID: true once the process has ended, and reaps it.
wait_exit() {
    local deadline=$((SECONDS + $1))
    while kill -0 "$2" 2>/dev/null; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
    wait "$2"
}

# "X Y WIDTH HEIGHT" of a window, in pixels on the screen.
geometry_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
long_value="$(printf 'x=;#%.0s' $(seq 1 300))"  # 1200 characters

# The store as the program writes it: canonical escapes, keys in order.
# Corner 3 is bottom right; hard values in a few entries.
cat >"$ini" <<INI
[Hiyokorapper Setting]
MAIN_PLACE=3

[User Setting]
APName00=\\x20 lead and trail \\x20
APName01="quoted" = ; # \\\\ back\\\\
APName02=line one\\nline two\\r\\n
APName05=ヒヨコ<<空き家>>
APPath04=C:\\\\dir\\\\
Exe03=$long_value
INI
hard_lines() { grep -E '^(APName0[0125]|APPath04|Exe03)=' "$1"; }
hard_lines "$ini" >"$work/hard-before"

# --- Start-up and the call point ---
"$program" 2>"$work/stderr-1" &
first=$!
pids+=("$first")
check "the call point is shown" wait_for 10 window_of "$first" sp
if [ "$failed" -gt 0 ]; then
    cat "$work/stderr-1"
    exit 1
fi
sp="$(window_of "$first" sp)"
check "the call point is one pixel in the bottom-right corner" \
    test "$(geometry_of "$sp")" = "$((screen_w - 1)) $((screen_h - 1)) 1 1"
check "the call point stays off the taskbar" \
    bash -c "xprop -id $sp _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR"
check "the splash is shown at start-up" wait_for 10 window_of "$first" r2
splash_gone() { ! window_of "$first" r2; }
check "the splash closes itself" wait_for 20 splash_gone

# --- The pointer on the call point opens the panel ---
check "the panel is hidden before the pointer comes" test -z "$(window_of "$first" ranch)"
xdotool mousemove $((screen_w / 2)) $((screen_h / 2))
sleep 0.2
xdotool mousemove $((screen_w - 1)) $((screen_h - 1))
check "touching the call point opens the panel" wait_for 5 window_of "$first" ranch
ranch="$(window_of "$first" ranch)"
read -r rx ry rw rh < <(geometry_of "$ranch")
check "the panel has its size (327 x 186 pixels)" test "$rw x $rh" = "327 x 186"

# --- Save and exit through the call point's end question ---
xdotool click 3
check "the end question is asked" wait_for 5 message_box_of "$first"
answer_box "$first" y
check "answering Yes ends the program with code 0 after its farewell show" wait_exit 20 "$first"
check "the nine settings and the two extra options are stored" test "$(sed -n '/^\[Hiyokorapper Setting\]/,/^$/p' "$ini" | grep -c '=')" = 11
check "the 300 entry keys are stored" test "$(sed -n '/^\[User Setting\]/,$p' "$ini" | grep -c '=')" = 300
check "the corner is kept" grep -qx 'MAIN_PLACE=3' "$ini"
hard_lines "$ini" >"$work/hard-after"
check "hard values round-trip byte for byte" cmp -s "$work/hard-before" "$work/hard-after"
check "no temporary files are left, only the store and its lock" \
    test "$(ls -A "$XDG_CONFIG_HOME/hiyokorapper" | tr '\n' ' ')" = "hiyokorapper.ini hiyokorapper.lock "

# --- A second start is refused and writes nothing ---
"$program" 2>"$work/stderr-2" &
first=$!
pids+=("$first")
wait_for 10 window_of "$first" sp >/dev/null
before="$(stat -c '%Y %s' "$ini"; md5sum <"$ini")"
"$program" 2>"$work/stderr-3" &
second=$!
pids+=("$second")
check "the second start shows its message" wait_for 10 message_box_of "$second"
check "the second start shows no call point" test -z "$(window_of "$second" sp)"
answer_box "$second" Return
check "the second start ends with code 0 after the message" wait_exit 5 "$second"
check "the store is untouched by the second start" test "$(stat -c '%Y %s' "$ini"; md5sum <"$ini")" = "$before"
check "the first instance keeps running" kill -0 "$first"

if [ "$failed" -gt 0 ]; then
    for log in "$work"/stderr-*; do echo "--- $(basename "$log")"; cat "$log"; done
fi
finish_checks
