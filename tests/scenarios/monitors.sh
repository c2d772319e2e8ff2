#!/usr/bin/env bash
# Two monitors side by side: in every corner of the desktop the pointer
# thrown there opens the panel, which opens centred on the call point's
# monitor. A program full screen on the other monitor leaves it alone; on
# its own monitor it silences it. Then the right monitor goes (a laptop
# undocked) while the panel shows on it, and a resolution changes: each
# time the call point is in its new corner within a second and the thrown
# pointer finds it.
# Usage (under with_xvfb.sh with XVFB_MONITORS="1280x1024+0+0 1280x1024+1280+0"):
#     monitors.sh PATH/TO/hiyokorapper
PROGRAM="$1"
source "$(dirname "$0")/lib.sh"

# throw_pointer CORNER: far beyond the desktop's corner, as a hand throws
# it; the server stops it in the corner pixel.
throw_pointer() {
    case "$1" in
        0) xdotool mousemove_relative -- -5000 -5000 ;; 1) xdotool mousemove_relative -- 5000 -5000 ;;
        2) xdotool mousemove_relative -- -5000 5000 ;; *) xdotool mousemove_relative 5000 5000 ;;
    esac
}
# open_by_throw CORNER: from the middle of the desktop into its corner, again
# after the timer's re-arming period if the first throw was early.
open_by_throw() {
    local attempt
    for attempt in 1 2; do
        xdotool mousemove $((screen_w / 2)) $((screen_h / 2))
        sleep 0.1
        throw_pointer "$1"
        wait_for 2 shown ranch && return 0
        sleep 1.5
    done
    return 1
}
# panel_within LEFT RIGHT BOTTOM: the shown panel lies wholly in that span.
panel_within() {
    local x y w h
    read -r x y w h < <(placed_at "$(window_of ranch)") || return 1
    [ "$x" -ge "$1" ] && [ $((x + w)) -le "$2" ] && [ "$y" -ge 0 ] && [ $((y + h)) -le "$3" ]
}
# leave_panel: the pointer over a slot, then away; auto-hide hides the panel.
leave_panel() { hover_panel $(slot_xy 2) && sleep 0.3 && xdotool mousemove 40 500 && wait_for 2 hidden ranch; }

write_settings() {
    printf '[Hiyokorapper Setting]\nMAIN_PLACE=%s\nFaster=15\n' "$1" >"$ini"
}

# Corner: the pixel of the call point and the monitor the panel opens on.
corner_pixel_of=("0 0" "2559 0" "0 1023" "2559 1023")
monitor_of=("0 1280" "1280 2560" "0 1280" "1280 2560")
for corner in 0 1 2 3; do
    write_settings "$corner"
    start_past_splash
    check "corner $corner: the call point is in the desktop's corner" call_point_at ${corner_pixel_of[$corner]}
    check "corner $corner: the thrown pointer opens the panel" open_by_throw "$corner"
    check "corner $corner: the panel opens on the call point's monitor" panel_within ${monitor_of[$corner]} 1024
    [ "$corner" -lt 3 ] && kill_program
done
shot two-monitors

# A program full screen on the left monitor leaves the call point on the
# right one alone; full screen on the right one, it silences it. Without a
# window manager a game's unmanaged window over the monitor stands in.
front_args=(fullscreen)
with_window_manager || front_args=(--unmanaged)
magenta_at() { [ "$(pixel_at "$1" "$2")" = "255,0,255" ]; }
check "the panel hides before the other program starts" leave_panel
start_front_window --at 100,100 "${front_args[@]}"
check "another program fills the left monitor" wait_for 5 magenta_at 1279 1023
check "full screen on the other monitor: the call point stays" shown sp
check "full screen on the other monitor: the thrown pointer opens the panel" open_by_throw 3
leave_panel
stop_front_window
start_front_window --at 1380,100 "${front_args[@]}"
check "another program fills the right monitor" wait_for 5 magenta_at 1280 0
check "full screen on its own monitor: the call point leaves its corner" wait_for 3 hidden sp
xdotool mousemove 1920 512 sleep 0.1
throw_pointer 3
sleep 1
check "full screen on its own monitor: the thrown pointer opens nothing" hidden ranch
stop_front_window
check "the program gone: the call point is back in its corner" wait_for 3 call_point_at 2559 1023
check "the program gone: the thrown pointer opens the panel" open_by_throw 3

# change_screen WxH: the one output in that mode, the desktop as large.
output="$(xrandr | awk '/ connected/ {print $1; exit}')"
change_screen() {
    xrandr --output "$output" --mode "$1" --fb "$1"
    read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
}

# Undocked: the right monitor goes while the panel shows on it.
xrandr --delmonitor hiyoko-1 >/dev/null
change_screen 1280x1024
check "undocked: the call point is in the new corner within a second" wait_for 1 call_point_at 1279 1023
check "undocked: the shown panel comes back to the monitor left" wait_for 1 panel_within 0 1280 1024
check "undocked: the panel hides when the pointer leaves it" leave_panel
check "undocked: the thrown pointer opens the panel" open_by_throw 3

# A lower resolution on one monitor.
leave_panel
xrandr --delmonitor hiyoko-0 >/dev/null
change_screen 1600x900
check "the screen is 1600x900 now" test "$screen_w $screen_h" = "1600 900"
check "resolution: the call point is in the new corner within a second" wait_for 1 call_point_at 1599 899
check "resolution: the thrown pointer opens the panel" open_by_throw 3
check "resolution: the panel shows on the screen" panel_within 0 1600 900
check "the store still holds no position (saved only on a save)" bash -c "! grep -q '^SUB_LEFT' '$ini'"
shot after-resolution-change
report
