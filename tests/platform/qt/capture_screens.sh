#!/usr/bin/env bash
# Screenshots of every window of the real program, for a person to look at
# (not a test). Run under with_xvfb.sh; pictures go to the folder given.
# Usage: capture_screens.sh PATH/TO/hiyokorapper OUTPUT_FOLDER
set -uo pipefail
program="$1"
out="$2"
mkdir -p "$out"
work="$(mktemp -d)"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null; rm -rf "$work"' EXIT

window_of() {
    local w
    for w in $(xdotool search --pid "$pid" 2>/dev/null); do
        if xprop -id "$w" WM_WINDOW_ROLE 2>/dev/null | grep -q "\"$1\"" &&
            xwininfo -id "$w" | grep -q IsViewable; then
            echo "$w"
            return 0
        fi
    done
    return 1
}
geometry_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
# shot NAME WINDOW MARGIN: the window with a margin of the screen around it.
shot() {
    read -r x y w h < <(geometry_of "$2")
    local m="$3"
    import -window root -crop "$((w + 2 * m))x$((h + 2 * m))+$((x - m))+$((y - m))" +repage "$out/$1.png"
}

# The splash spirals in as a dot, then grows and shows the name.
for i in $(seq -w 1 40); do
    sleep 0.15
    r2="$(window_of r2)" && shot "splash-$i" "$r2" 20
done
sleep 6
read -r sw sh < <(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
import -window root "$work/screen.png"
convert "$work/screen.png" -crop 24x24+$((sw - 24))+0 +repage -scale 800% \
    -bordercolor gray -border 4 "PNG24:$out/call-point-corner.png"
xdotool mousemove $((sw - 1)) 0
sleep 1
ranch="$(window_of ranch)"
shot panel "$ranch" 10
read -r rx ry rw rh < <(geometry_of "$ranch")
# The settings button sits at the right end of the box tabs.
xdotool mousemove $((rx + rw - 20)) $((ry + rh - 35)) click 1
sleep 1
ranch="$(window_of ranch)"
shot settings-view "$ranch" 10
read -r rx ry rw rh < <(geometry_of "$ranch")
xdotool mousemove $((rx + rw - 20)) $((ry + rh - 35)) click 1
sleep 1
ranch="$(window_of ranch)"
read -r rx ry rw rh < <(geometry_of "$ranch")
xdotool mousemove $((rx + 80)) $((ry + 16)) click 1
sleep 1
toro="$(window_of toro)" && shot dialog "$toro" 10
ls "$out"
