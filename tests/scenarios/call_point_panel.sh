#!/usr/bin/env bash
# Touching the call point brings the panel up above another program's window,
# showing box 0; a click starts an entry in its working folder; the panel
# stays open without the auto-hide option and vanishes with it. Under a
# window manager a touch brings the panel back with the keyboard after the
# user worked in the other program (full screen under openbox, with the
# quiet for full-screen programs off) and after the window manager minimised
# the panel; last, the quiet while a full-screen program runs.
# Usage (under with_xvfb.sh): call_point_panel.sh PATH/TO/hiyokorapper
PROGRAM="$1"
source "$(dirname "$0")/lib.sh"

marker="$work/marker"
make_marker_program "$work/bin/record-run" "$marker"
mkdir -p "$work/wd"

# write_settings FASTER [QUIET]: box 0 holds two pairs of equal titles, so
# that equal slots must look alike and differ from the empty ones; box 1
# holds a title that must not show. The panel stands at (480, 400). QUIET 0
# turns off the quiet while a full-screen program runs.
write_settings() {
    cat >"$ini" <<INI
[Hiyokorapper Setting]
SUB_LEFT=7200
SUB_TOP=6000
MAIN_PLACE=3
Faster=$1
QuietFullScreen=${2:-1}

[User Setting]
APName00=記録する
Exe00=$work/bin/record-run
APPath00=$work/wd
APName03=記録する
Exe03=$work/bin/record-run
APPath03=$work/wd
APName06=Six and nine
Exe06=/bin/true
APName09=Six and nine
Exe09=/bin/true
APName10=ほかの箱
Exe10=/bin/true
INI
}

slots_alike() { faces_alike "$work/slot-$1.png" "$work/slot-$2.png"; }
slots_differ() { faces_differ "$work/slot-$1.png" "$work/slot-$2.png"; }

# Quiet while a full-screen program runs is off here: the touch below
# opens the panel over the other program in full screen, as it always did.
write_settings 7 0
start_past_splash
check "the call point sits in the bottom-right pixel" call_point_at $(corner_pixel 3)

# Another program's window over the panel's place, in a colour of its own
# (full screen under openbox: with_xvfb.sh gives it a rule by its name).
xmessage -name fullscreen-cover -geometry 420x280+440+360 -xrm '*background: magenta' \
    -xrm '*foreground: magenta' "covering the panel" >/dev/null 2>&1 &
helpers+=($!)
covered() { [ "$(pixel_at 640 492)" = "255,0,255" ]; }
check "the other window covers the panel's place" wait_for 5 covered
check "the panel is hidden before the call point is touched" hidden ranch
check "touching the call point opens the panel" open_panel 3
xdotool mousemove 10 10  # off the panel: no hover look on the slots
sleep 0.3
check "the panel stands at its stored place" placed_is ranch "480 400 327 186"
check "the status line shows whole, under a frame too" status_line_whole
panel_over_cover() { [ "$(pixel_at 640 492)" != "255,0,255" ]; }
check "the panel is drawn above the other window" panel_over_cover
shot panel-over-xmessage
shot panel-box0 "$(window_of ranch)"

for s in 0 1 2 3 4 5 6 7 8 9; do slot_face "$s" "$work/slot-$s.png"; done
check "empty slots look alike (both columns, every row)" \
    bash -c "$(declare -f faces_alike slots_alike); work='$work'; for s in 1 4 5 7 8; do slots_alike 2 \$s || exit 1; done"
check "slot 0 shows its title, not the empty one" slots_differ 0 2
check "slots 0 and 3 show the same title" slots_alike 0 3
check "slots 6 and 9 show the same title" slots_alike 6 9
check "slots 0 and 6 show different titles" slots_differ 0 6
check "slot 9 differs from the empty slots" slots_differ 9 8

# Without auto-hide the panel stays after the pointer has been over it and left.
hover_panel $(slot_xy 2)
sleep 0.2
xdotool mousemove 40 40
sleep 1
check "without auto-hide the panel stays when the pointer leaves" shown ranch

click_slot 0
check "a click on slot 0 starts its program" wait_for 5 marker_written "$marker"
check "the program ran in the entry's working folder" test "$(head -n1 "$marker")" = "$work/wd"
check "the program got no arguments" test "$(wc -l <"$marker")" = 1
check "the panel hides after a launch" wait_for 3 hidden ranch
# A launch re-arms the call point at once; the timer re-arms it within 3.3 s anyway.
check "touching the call point again opens the panel again" open_panel 3

# The user works in the other program and comes back by the call point
# (re-armed at once by the pointer passing over a slot): the panel is above
# the other program again and has the keyboard. Then the window manager
# minimises it, and the next touch brings it back to its place.
hover_panel $(slot_xy 2)
sleep 0.2
# A corner of the other window that the panel leaves free, full screen or not.
xdotool mousemove 850 630 click 1
panel_inactive() { ! is_active ranch >/dev/null; }
with_window_manager && check "the other program takes the keyboard" wait_for 2 panel_inactive
check "a touch brings the panel back" open_panel 3
check "it is drawn above the other program" wait_for 2 panel_over_cover
with_window_manager && check "it is the active window" wait_for 2 is_active ranch
xdotool key m
check "M typed after the touch reaches the panel" \
    wait_for 2 title_is ranch "ヒヨコらっぱーVer1.96 - 移動モード発動中！"
if with_window_manager; then
    xdotool key q  # ends the mode
    hover_panel $(slot_xy 2)
    minimise ranch
    check "the window manager minimises the panel" wait_for 3 hidden ranch
    check "a touch restores the minimised panel" open_panel 3
    check "it stands at its place again" wait_for 3 placed_is ranch "480 400 327 186"
    check "it is the active window again" wait_for 2 is_active ranch
fi
kill_program

# With auto-hide (Faster=15) it vanishes as soon as the pointer leaves.
write_settings 15
start_past_splash
open_panel 3
sleep 0.5
check "with auto-hide a panel the pointer never entered stays" shown ranch
hover_panel $(slot_xy 2)
sleep 0.3
hover_panel 160 120
sleep 0.3
check "with auto-hide the panel stays while the pointer is on it" shown ranch
xdotool mousemove 40 40
check "with auto-hide the panel vanishes once the pointer leaves" wait_for 2 hidden ranch
# The other window goes, for a desktop of the launcher's own.
for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null; done

# Quiet while a full-screen program runs (on by default): while another
# program's window fills the screen the call point leaves its corner, and
# the pointer thrown there opens nothing and leaves that program the
# keyboard; out of full screen, closed, or only maximised, it opens the
# panel again. Without a window manager a game's unmanaged window stands in.
# A desktop window (xfdesktop under xfwm4) clicked first silences nothing.
throw_opens_nothing() { touch_call_point 3; sleep 1; hidden ranch; }
# Auto-hide is on: the pointer over a slot re-arms the call point, and
# leaving the panel hides it.
rearm_and_hide() { hover_panel $(slot_xy 2) && sleep 0.3 && xdotool mousemove 40 40 && wait_for 2 hidden ranch; }
if with_window_manager; then
    if xdotool search --onlyvisible --class xfdesktop >/dev/null 2>&1; then
        xdotool mousemove 640 900 click 1
        check "a click on the desktop makes its window the active one" wait_for 2 desktop_active
        check "the active desktop window does not silence the call point" open_panel 3
        rearm_and_hide
    fi
    start_front_window fullscreen
    check "another program goes full screen and is active" wait_for 5 front_is fullscreen
    check "the call point leaves its corner" wait_for 3 hidden sp
    check "the pointer thrown into the corner opens nothing" throw_opens_nothing
    check "the full-screen program keeps the keyboard" front_active
    shot quiet-over-full-screen
    front_state normal
    check "out of full screen the call point is back" wait_for 3 shown sp
    check "in its corner" call_point_at $(corner_pixel 3)
    check "the same throw opens the panel" open_panel 3
    rearm_and_hide
    front_state maximised
    check "the other program is maximised and active" wait_for 5 front_is maximized_vert
    check "a maximised window does not silence the call point" open_panel 3
    rearm_and_hide
    front_state fullscreen
    check "full screen again: the call point leaves its corner" wait_for 5 hidden sp
    stop_front_window
    check "the full-screen program closed: the call point is back" wait_for 3 shown sp
    check "and opens the panel" open_panel 3
else
    start_front_window --unmanaged
    check "an unmanaged window over the screen: the call point leaves its corner" \
        wait_for 5 hidden sp
    check "the pointer thrown into the corner opens nothing" throw_opens_nothing
    stop_front_window
    check "the window gone: the call point is back" wait_for 3 shown sp
    check "and opens the panel" open_panel 3
fi
report
