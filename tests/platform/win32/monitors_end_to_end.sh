#!/usr/bin/env bash
# The Windows exe under Wine on two monitors side by side (Xephyr, two heads
# joined by Xinerama): in every corner of the desktop the call point sits
# where a thrown pointer stops, the pointer thrown there opens the panel,
# and the panel opens centred on the call point's monitor. Then, on one
# monitor, the resolution changes while the launcher runs: the call point is
# in the new corner within a second and the pointer finds it. Exits 77
# (skipped) when the exe has not been built.
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=wine_desktop.sh
source "$HERE/wine_desktop.sh"
begin_exe_test "${1:?usage: monitors_end_to_end.sh path/to/hiyokorapper.exe}"

export WINE_HEADS="1280x1024+0+0 1280x1024+1280+0"
start_wine_desktop
SETTING="Hiyokorapper Setting"

# Corner: the call point's pixel, where the pointer starts its throw (on
# the corner's monitor: the server moves a pointer across heads only step
# by step) and the throw, and the monitor the panel opens on.
corner_pixel_of=("0 0" "2559 0" "0 1023" "2559 1023")
throw_of=("300 500 -5000 -5000" "2000 500 5000 -5000" "300 500 -5000 5000" "2000 500 5000 5000")
monitor_of=("0 1280" "1280 2560" "0 1280" "1280 2560")

throw_pointer() {
    local x y dx dy
    read -r x y dx dy <<<"${throw_of[$1]}"
    xdotool mousemove "$x" "$y" sleep 0.1 mousemove_relative -- "$dx" "$dy"
}
# panel_within LEFT RIGHT: the shown panel lies wholly in that span.
panel_within() {
    local x y w h
    read -r x y w h < <(window_geometry "$(panel_window)") || return 1
    [ "$x" -ge "$1" ] && [ $((x + w)) -le "$2" ]
}
only_call_point_at() {
    pixel_is "$1" "$2" "255,0,0" && [ "$(windows_named "" | wc -l)" -ge 1 ]
}

store_set "$SETTING" MAIN_COLOR 255
store_set "$SETTING" Faster 7
for corner in 0 1 2 3; do
    store_set "$SETTING" MAIN_PLACE "$corner"
    start_program
    check "corner $corner: the call point shows in the desktop's corner" \
        wait_for 60 only_call_point_at ${corner_pixel_of[$corner]}
    check "corner $corner: the splash closes itself" wait_for 60 splash_gone
    throw_pointer "$corner"
    check "corner $corner: the thrown pointer opens the panel" wait_for 15 panel_shown
    check "corner $corner: the panel opens on the call point's monitor" \
        panel_within ${monitor_of[$corner]}
    [ "$corner" = 3 ] && screenshot "$WINE_DESKTOP_DIR/two-heads.png"
    wineserver -k >/dev/null 2>&1
    wineserver -w
done
check "the corners were never stored" equals "$(store_get "$SETTING" SUB_LEFT)" ""

stop_wine_desktop
unset WINE_HEADS WINE_HEADS_PID
export WINE_XORG_MODE=1600x900
start_wine_desktop
store_set "$SETTING" MAIN_COLOR 255
store_set "$SETTING" Faster 7
store_set "$SETTING" MAIN_PLACE 3
start_program
check "1600x900: the call point shows in the corner" wait_for 60 only_call_point_at 1599 899
check "1600x900: the splash closes itself" wait_for 60 splash_gone
check "the resolution changes to 1280x1024" set_wine_resolution 1280 1024
check "resolution: the call point is in the new corner within a second" wait_for 1 only_call_point_at 1279 1023
xdotool mousemove 640 500 sleep 0.1 mousemove_relative 5000 5000
check "resolution: the thrown pointer opens the panel" wait_for 15 panel_shown
finish_checks
