#!/usr/bin/env bash
# In a Wayland session, through XWayland even when Qt is asked for Wayland,
# beside a native Wayland terminal: the splash plays and ends; the call point opens the panel; with auto-hide
# the panel vanishes once the pointer leaves it for the terminal, where
# XWayland no longer sees the pointer; a touch brings the panel back with the
# keyboard after the terminal had it; the registration dialog takes pasted
# Japanese; a slot click starts its entry.
# Without an X display it shows why in a box on Wayland and ends.
# Usage (under with_wayland.sh): wayland_session.sh PATH/TO/hiyokorapper
PROGRAM="$1"
source "$(dirname "$0")/lib.sh"

marker="$work/marker"
make_marker_program "$work/bin/record-run" "$marker"
mkdir -p "$work/wd"
# Auto-hide and saving on every change (Faster=15); the panel at (480, 400).
cat >"$ini" <<INI
[Hiyokorapper Setting]
SUB_LEFT=7200
SUB_TOP=6000
MAIN_PLACE=3
Faster=15

[User Setting]
APName00=記録する
Exe00=$work/bin/record-run
APPath00=$work/wd
INI

# What the compositor shows, which XWayland's root does not.
session_pixel() { DISPLAY="$INPUT_DISPLAY" pixel_at "$@"; }
# The terminal over the middle of the screen, where there was the bare desktop.
desktop_colour="$(session_pixel 640 800)"
foot --maximized >/dev/null 2>&1 &
helpers+=($!)
terminal_up() { [ "$(session_pixel 640 800)" != "$desktop_colour" ]; }
check "the native terminal fills the screen" wait_for 10 terminal_up
sleep 0.5
terminal_colour="$(session_pixel 640 800)"

# With no X display to reach, it says so in a box of its own on Wayland and ends.
session_shot() { DISPLAY="$INPUT_DISPLAY" import -window root "$1"; }
session_shot "$work/before.png"
env -u DISPLAY "$PROGRAM" >/dev/null 2>"$work/no-x11" &
no_x11=$!
box_drawn() { session_shot "$work/now.png" && faces_differ "$work/before.png" "$work/now.png"; }
check "without an X display a box appears on Wayland" wait_for 5 box_drawn
check "it says that XWayland is needed" grep -q XWayland "$work/no-x11"
by_hand key Return
no_x11_status=0
ended() { ! kill -0 "$no_x11" 2>/dev/null; }
check "it ends once the box is answered" wait_for 3 ended
wait "$no_x11" || no_x11_status=$?
check "with a failure status" test "$no_x11_status" -ne 0

# Asked for Wayland, it still takes XWayland, where its windows can be placed.
QT_QPA_PLATFORM=wayland start_program
check "the splash appears" wait_for 5 shown r2
check "the splash plays and ends" wait_for 20 splash_over
check "touching the call point opens the panel" open_panel 3
# Where the compositor has the panel: some place X11 windows themselves.
panel_over_terminal() {
    local x y w h
    read -r x y w h < <(geometry_of "$(window_of ranch)") || return 1
    [ "$(session_pixel $((x + w / 2)) $((y + h / 2)))" != "$terminal_colour" ]
}
check "the panel is drawn above the terminal" wait_for 2 panel_over_terminal
panel_place="$(placed_at "$(window_of ranch)")"

hover_panel $(slot_xy 2)
sleep 0.3
hover_panel 160 120
sleep 0.3
check "with auto-hide the panel stays while the pointer is on it" shown ranch
by_hand mousemove 640 800
check "with auto-hide the panel vanishes once the pointer leaves for the terminal" \
    wait_for 2 hidden ranch
echo "note: XWayland still has the pointer at $(xdotool getmouselocation | cut -d" " -f1,2)"

# The user types in the terminal, then comes back by the call point.
by_hand click 1
sleep 0.3
by_hand type "echo"
panel_inactive() { ! is_active ranch >/dev/null; }
check "the terminal takes the keyboard" wait_for 2 panel_inactive
check "a touch brings the panel back" open_panel 3
check "it is the active window" wait_for 2 is_active ranch
check "it shows again where it was (the compositor let it go a title bar higher)" \
    placed_is ranch "$panel_place"
by_hand key m
check "M typed after the terminal had the keyboard reaches the panel" \
    wait_for 2 title_is ranch "ヒヨコらっぱーVer1.96 - 移動モード発動中！"
by_hand key q  # ends the mode

click_slot 1
check "a click on an empty slot opens the registration dialog" wait_for 3 shown toro
fill_dialog "ひよこの記録" "$work/bin/record-run" "$work/wd"
check "the dialog takes pasted Japanese, saved at once" wait_for 3 ini_has APName01 "ひよこの記録"
ini_has APName01 "ひよこの記録" || echo "note: the store has for slot 1: $(grep '01=' "$ini" | tr '\n' ' ')"

check "the panel comes back after the dialog" wait_for 3 shown ranch
sleep 0.5
check "it stays, the pointer on the dialog's place" shown ranch
click_slot 0
check "a click on slot 0 starts its program" wait_for 5 marker_written "$marker"
check "the program ran in the entry's working folder" test "$(head -n1 "$marker")" = "$work/wd"
check "the panel hides after a launch" wait_for 3 hidden ranch
report
