#!/usr/bin/env bash
# Registering an entry through the dialog with typed text, saved at once and
# started by a click; files dragged in from a file manager; then the delete,
# move and page-move modes of the panel, each seen in the title, the status
# line's colour and the settings file; last, the session ending under the
# program (signals, a lost display) after a registration not saved yet. Under
# a window manager the dialog is first minimised, brought back by the call
# point and closed by the window manager's close, which cancels it.
# Usage (under with_xvfb.sh): registration_modes.sh PATH/TO/hiyokorapper
PROGRAM="$1"
source "$(dirname "$0")/lib.sh"

marker="$work/marker"
make_marker_program "$work/bin/record-run" "$marker"
mkdir -p "$work/wd"
plain_title="ヒヨコらっぱーVer1.96"
cat >"$ini" <<INI
[Hiyokorapper Setting]
MAIN_PLACE=3
Faster=7
INI

start_past_splash
open_panel 3
click_slot 2
check "a click on an empty slot opens the dialog" wait_for 5 shown toro
check "the dialog carries its title" title_is toro "タイトル及びリンク先を指定してぇ"
check "the panel hides while the dialog is up" hidden ranch
shot dialog-empty "$(window_of toro)"
for label in "8 8 13 タイトル" "8 32 12 リンク先" "4 56 13 実行パス"; do
    read -r lx ly size text <<<"$label"
    check "the dialog's label $text shows whole" dialog_label_whole "$lx" "$ly" "$size" "$text"
done
if with_window_manager; then
    minimise toro
    check "the window manager minimises the dialog" wait_for 3 hidden toro
    touch_call_point 3
    check "a touch of the call point restores the dialog" wait_for 3 shown toro
    check "the restored dialog is the active window" wait_for 2 is_active toro
    check "the panel stays hidden behind the dialog" hidden ranch
    xdotool key alt+F4
    check "the window manager's close cancels the dialog" wait_for 3 hidden toro
    check "the panel comes back after the close" wait_for 3 shown ranch
    check "the cancelled dialog stored nothing" test -z "$(ini_value APName02)"
    click_slot 2
    wait_for 5 shown toro
fi
fill_dialog "Record run" "$work/bin/record-run" "$work/wd"
check "Enter closes the dialog" wait_for 5 hidden toro
check "the panel returns" wait_for 5 shown ranch
check "the panel keeps its window role after the dialog" panel_has_role
check "the title is saved at once" ini_has APName02 "Record run"
check "the link target is saved at once" ini_has Exe02 "$work/bin/record-run"
check "the working folder is saved at once" ini_has APPath02 "$work/wd"
xdotool mousemove 10 10
sleep 0.2
slot_face 2 "$work/slot-2.png"
slot_face 4 "$work/slot-4.png"
check "slot 2 now shows a title, unlike the empty slot 4" faces_differ "$work/slot-2.png" "$work/slot-4.png"
shot panel-registered "$(window_of ranch)"
click_slot 2
check "a click on the new entry starts it" wait_for 5 marker_written "$marker"
check "it ran in its working folder" test "$(cat "$marker")" = "$work/wd"

# Files dragged in from a file manager: one fills the dialog, two fill slots.
mkdir -p "$work/tools"
touch "$work/tools/メモ pad.sh" "$work/tools/a.txt" "$work/tools/b.txt"
printf '[Desktop Entry]\nType=Application\nName=Editor\nName[ja]=エディタ\nExec=true\n' >"$work/tools/editor.desktop"
check "a file dragged over the call point onto slot 3 is dropped" \
    drag_to_slot 3 3 "$work/tools/メモ pad.sh"
check "the file manager sees a link, never a move" drag_taken_as link
check "the drop opens the dialog" wait_for 5 shown toro
shot dialog-dropped "$(window_of toro)"
read -r dx dy dw dh < <(geometry_of "$(window_of toro)")
xdotool mousemove $((dx + 160)) $((dy + 16)) click 1 key Return
check "Enter closes the filled dialog" wait_for 5 hidden toro
check "the title is the file's name without its extension" ini_has APName03 "メモ pad"
check "the link target is the dropped file" ini_has Exe03 "$work/tools/メモ pad.sh"
check "the working folder is its folder with the slash" ini_has APPath03 "$work/tools/"
check "two files dropped on slot 8 are dropped" drag_to_slot 3 8 "$work/tools/editor.desktop" "$work/tools/b.txt"
check "they are saved in slots 8 and 9" wait_for 3 ini_has Exe09 "$work/tools/b.txt"
check "slot 8 holds the first, by the desktop entry's Japanese name" ini_has APName08 "エディタ"
check "no dialog asks for several files" hidden toro
shot panel-dropped "$(window_of ranch)"
read -r cx cy < <(corner_pixel 3)
drag_begin "$work/tools/a.txt" && drag_to "$cx" "$cy"
drag_end
check "a drop on the call point is refused" drag_taken_as none
kill_program

# The modes, on a fresh start (the file from above plus one entry in box 1).
printf 'APName15=Box one\nExe15=/bin/true\n' >>"$ini"
start_past_splash
open_panel 3
xdotool mousemove 10 10
sleep 0.2
check "the status line is green in the plain state" status_colour_is "0,128,0"

press m
check "M names the move mode in the title" title_is ranch "$plain_title - 移動モード発動中！"
check "the status line is dark blue in move mode" status_colour_is "0,0,127"
shot mode-move "$(window_of ranch)"
click_slot 2
click_slot 7
check "the move ends in the plain title" wait_for 3 title_is ranch "$plain_title"
check "the moved entry is saved in slot 7" ini_has APName07 "Record run"
check "slot 2 is saved empty" ini_has Exe02 ""
check "the status line is green again" status_colour_is "0,127,0"

press p
check "P names the page-move mode in the title" title_is ranch "$plain_title - ページ移動モード発動中！"
check "the status line is purple in page-move mode" status_colour_is "127,0,127"
shot mode-page "$(window_of ranch)"
click_tab 0
click_tab 1
check "the page move ends in the plain title" wait_for 3 title_is ranch "$plain_title"
check "box 0 now holds box 1's entry" ini_has APName05 "Box one"
check "box 1 now holds box 0's entry" ini_has APName17 "Record run"

click_tab 0  # the pointer crossing tab 1 has switched boxes (MoE)
press d
check "D names the delete mode in the title" title_is ranch "$plain_title - 削除モード発動中！"
check "the status line is dark red in delete mode" status_colour_is "127,0,0"
shot mode-delete "$(window_of ranch)"
click_slot 5
check "the delete question is asked" wait_for 5 message_box
answer y
check "the deleted slot is saved empty" wait_for 3 ini_has APName05 "<<空き家>>"
check "its link target is gone" ini_has Exe05 ""
check "the delete ends in the plain title" title_is ranch "$plain_title"
check "the other box is untouched" ini_has APName17 "Record run"
kill_program

# SIGTERM at the end of a session, after a registration that Bnk did not
# save (Faster=3): the shutdown runs and its save keeps the entry.
printf '[Hiyokorapper Setting]\nMAIN_PLACE=3\nFaster=3\n' >"$ini"
start_past_splash
open_panel 3
click_slot 4
check "the dialog opens on the empty slot" wait_for 5 shown toro
fill_dialog "Kept at logout" "/bin/true" "$work/wd"
check "the panel returns" wait_for 5 shown ranch
check "Bnk off: nothing is saved yet" test -z "$(ini_value APName04)"
kill -TERM "$app"
check "SIGTERM ends the program through its shutdown" wait_exit 10
check "the unsaved entry was saved by it" ini_has APName04 "Kept at logout"
check "with its link target" ini_has Exe04 "/bin/true"

# SIGHUP and SIGINT do the same; each start writes nothing by itself. A
# script starts its background jobs with SIGINT ignored, which the program
# respects: these starts have it back. The signals come once the event loop
# runs, after the splash (before that nothing is unsaved).
printf '#!/bin/sh\nexec env --default-signal=INT "%s"\n' "$PROGRAM" >"$work/with-sigint"
chmod +x "$work/with-sigint"
for signal in HUP INT; do
    printf '[Hiyokorapper Setting]\nFaster=3\n' >"$ini"
    PROGRAM="$work/with-sigint" start_past_splash
    kill -"$signal" "$app"
    check "SIG$signal ends the program through its shutdown" wait_exit 10
    check "SIG$signal: everything was saved" ini_has Version "Ver1.96"
done

# The X server goes away under the program (a display of its own here):
# the windows are gone, the save still happens.
gone_display="$(mktemp -d)"
mkfifo "$gone_display/number"
Xvfb -displayfd 3 -noreset -nolisten tcp 3>"$gone_display/number" >/dev/null 2>&1 &
gone_xvfb=$!
helpers+=("$gone_xvfb")
read -r -t 20 gone_number <"$gone_display/number"
printf '[Hiyokorapper Setting]\nFaster=3\n' >"$ini"
DISPLAY=":$gone_number" start_past_splash
kill "$gone_xvfb"
program_gone() { ! kill -0 "$app" 2>/dev/null; }
check "a lost display ends the program" wait_for 10 program_gone
app=""
check "a lost display: everything was saved" ini_has Version "Ver1.96"
rm -rf "$gone_display"
report
