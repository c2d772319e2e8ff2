#!/usr/bin/env bash
# The settings view: its title and colour swatch, the menu of extra options
# on 設, a new corner applied when the view closes, and written only by the
# save command.
# Usage (under with_xvfb.sh): settings_view.sh PATH/TO/hiyokorapper
PROGRAM="$1"
source "$(dirname "$0")/lib.sh"

# A red call point, so the swatch has a colour to show.
cat >"$ini" <<INI
[Hiyokorapper Setting]
MAIN_PLACE=3
MAIN_COLOR=255
Faster=7
INI

start_past_splash
check "the call point is red" test "$(pixel_at $(corner_pixel 3))" = "255,0,0"
open_panel 3
click_sette
check "設 opens the settings view" wait_for 3 title_is ranch "ヒヨコらっぱー の 諸設定☆ﾐ"
xdotool mousemove 10 10
sleep 0.3
shot settings-view "$(window_of ranch)"
check "the view keeps the panel's size" test "$(geometry_of "$(window_of ranch)" | cut -d' ' -f3-)" = "327 186"
check "the swatch shows the call point's colour" wait_for 2 test "$(dominant_colour 57 37 7 7)" = "255,0,0"
check "the status line stays at the bottom" status_colour_is "0,128,0"

# The menu of extra options: a right-click on 設, or Shift+F10 while 設 has
# the keyboard; its switch is kept until 保 writes it.
# The menu is the program's one shown window that no window manager handles.
options_menu() {
    local w info
    for w in $(xdotool search --pid "$app" 2>/dev/null); do
        info="$(xwininfo -id "$w" 2>/dev/null)"
        grep -q IsViewable <<<"$info" && grep -q "Override Redirect State: yes" <<<"$info" &&
            ! xprop -id "$w" WM_WINDOW_ROLE 2>/dev/null | grep -q '"' && return 0
    done
    return 1
}
no_options_menu() { ! options_menu; }
click_panel $(sette_xy) 3
check "a right-click on 設 opens the menu of extra options" wait_for 2 options_menu
shot options-menu
by_hand key Down Return
check "choosing its item closes the menu" wait_for 2 no_options_menu
check "the settings view stays open" title_is ranch "ヒヨコらっぱー の 諸設定☆ﾐ"
check "nothing is written yet" test -z "$(ini_value ShowIcons)"
press shift+F10
check "Shift+F10 on 設 opens it too" wait_for 2 options_menu
by_hand key Escape
check "Escape closes it" wait_for 2 no_options_menu
check "the panel stays" shown ranch

# The corner is taken at once and the call point's timer re-places it with
# its next tick, so where it stands while the view is open depends on timing.
click_panel $(corner_option_xy 2)
click_sette
check "設 again closes the view" wait_for 3 title_is ranch "ヒヨコらっぱーVer1.96"
check "the call point moves to the bottom-left pixel" wait_for 3 call_point_at $(corner_pixel 2)
check "closing the view writes nothing" ini_has MAIN_PLACE 3

click_sette
wait_for 3 title_is ranch "ヒヨコらっぱー の 諸設定☆ﾐ"
click_panel $(ssave_xy 0)
check "保 asks before saving" wait_for 5 message_box
shot save-question
answer y
check "保 + Yes writes the corner" wait_for 3 ini_has MAIN_PLACE 2
check "the whole store is written" wait_for 2 test "$(ini_classic_key_count)" = 309
check "the switch chosen in the menu is written" ini_has ShowIcons 0

# choose_corner N: picks a corner in the view (opened where it is not) and closes it.
in_view() { title_is ranch "ヒヨコらっぱー の 諸設定☆ﾐ"; }
choose_corner() {
    if ! in_view; then
        open_panel "$(cat "$work/corner_in_use")"
        click_sette
        wait_for 3 in_view
    fi
    click_panel $(corner_option_xy "$1")
    click_sette
    wait_for 3 title_is ranch "ヒヨコらっぱーVer1.96"
}
echo 2 >"$work/corner_in_use"
if [ "${XVFB_WM:-}" != gnome-shell ]; then
    choose_corner 1
    check "the top-right corner chosen, the call point goes there" wait_for 3 call_point_at $(corner_pixel 1)
    report
    exit
fi
# GNOME Shell's top bar covers both top corners above every window.
choose_corner 1
check "the top-right corner under the shell's bar: a box says so" wait_for 5 message_box
shot taken-corner-notice
check "meanwhile the call point stands in the bottom-right corner" call_point_at $(corner_pixel 3)
answer Return
echo 3 >"$work/corner_in_use"
check "the panel has the focus again" wait_for 2 is_active ranch
check "touching it there opens the panel" open_panel 3
click_sette
check "設 opens the view there" wait_for 3 in_view
click_panel $(ssave_xy 0)
check "保 asks again" answer y
check "保 writes the chosen corner, not the stand-in" wait_for 3 ini_has MAIN_PLACE 1
choose_corner 0
check "the top-left corner chosen, the call point stands in the bottom-left" \
    wait_for 3 call_point_at $(corner_pixel 2)
sleep 4
no_message_box() { ! message_box >/dev/null; }
check "the box came once in the run" no_message_box
report
