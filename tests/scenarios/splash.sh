#!/usr/bin/env bash
# The start-up splash: how long it stays mapped against the pauses it makes,
# and the call point already opening the panel while it plays; a panel and a
# dialog stored off every screen open on it.
# Usage (under with_xvfb.sh): splash.sh PATH/TO/hiyokorapper
PROGRAM="$1"
source "$(dirname "$0")/lib.sh"

# Pauses of the animation: the spiral's 643 to 2250 one-millisecond frames
# (its step is random), then widen 133, heighten 190, frame 50, letters 450,
# hold 500, fade 100 and the flight to the corner 200.
shortest_ms=2266
printf '[Hiyokorapper Setting]\nMAIN_PLACE=3\nFaster=7\n' >"$ini"
on_screen() {
    local x y w h
    read -r x y w h < <(geometry_of "$(window_of "$1")") || return 1
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$screen_w" ] && [ $((y + h)) -le "$screen_h" ]
}

start_program
check "the splash appears" wait_for 5 shown r2
mapped="$(now)"
shots_at splash 0.3 2.2 3.2
check "the splash closes itself" wait_for 20 splash_over
took="$(elapsed_ms "$mapped" "$(now)")"
wait_shots
check "the spiralling splash shows as a tiny framed square" small_square_near_centre splash-0.3
echo "note: the splash was mapped for $took ms (its pauses: $shortest_ms to 3873 ms)"
check "the splash lasts at least its pauses" test "$took" -ge "$shortest_ms"
check "the splash is over within a few seconds" test "$took" -le 10000
check "the call point is still in its corner" call_point_at $(corner_pixel 3)
kill_program

printf '[Hiyokorapper Setting]\nMAIN_PLACE=3\nFaster=7\nSUB_LEFT=90000\nTORO_LEFT=-90000\n' >"$ini"
start_program
wait_for 5 shown r2
sleep 0.5
check "touching the call point during the splash opens the panel" open_panel 3
check "the splash is still playing then" shown r2
shot splash-and-panel
check "the splash still closes itself" wait_for 20 splash_over
check "the panel stays open after the splash" shown ranch
check "a panel stored off every screen opens on it" on_screen ranch
click_slot 0
check "so does a dialog stored off every screen" wait_for 3 on_screen toro
check "the store keeps the old places until a save" \
    test "$(ini_value SUB_LEFT),$(ini_value TORO_LEFT)" = "90000,-90000"
report
