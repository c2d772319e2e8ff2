#!/usr/bin/env bash
# Ending the program from the call point: the end question, the farewell show
# on the open panel for as long as its pauses add up to, its empty title (no
# name that a window manager would show), status 0, and every key in the
# settings file.
# Usage (under with_xvfb.sh): farewell.sh PATH/TO/hiyokorapper
PROGRAM="$1"
source "$(dirname "$0")/lib.sh"

# The show's own pauses: slide-out 100 x 1 ms, growth 20 x 11, 100, fade
# 128 x 3, name rain 885, fade back 52 x 4; no drawing is that fast.
pauses_ms=1897
printf '[Hiyokorapper Setting]\nMAIN_PLACE=3\nFaster=7\n[User Setting]\nAPName04=残る\nExe04=/bin/true\n' >"$ini"

start_past_splash
open_panel 3
read -r cx cy < <(corner_pixel 3)
xdotool mousemove "$cx" "$cy" click 3
check "a right-click on the call point asks the end question" wait_for 5 message_box
shot end-question
panel="$(window_of ranch)"
answer y
start="$(now)"
shots_at farewell 0.3 0.9 1.6
title_emptied() {
    [ "$(xprop -id "$panel" WM_NAME _NET_WM_NAME 2>/dev/null)" = \
      "$(printf 'WM_NAME(STRING) = \n_NET_WM_NAME(UTF8_STRING) = ')" ]
}
check "the show's title is empty for the window manager too" wait_for 5 title_emptied
check "the program ends with status 0" wait_exit 20
took="$(elapsed_ms "$start" "$(now)")"
wait_shots
echo "note: the farewell show took $took ms from Yes to the end of the process"
check "the show takes at least its pauses ($pauses_ms ms)" test "$took" -ge "$pauses_ms"
check "the show is over within a few seconds" test "$took" -le 10000
check "all 309 classic keys are stored" test "$(ini_classic_key_count)" = 309
check "the extra options are stored too" ini_has ShowIcons 1
check "the entry is kept" ini_has APName04 "残る"
check "the corner is kept" ini_has MAIN_PLACE 3
report
