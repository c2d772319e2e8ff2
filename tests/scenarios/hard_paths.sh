#!/usr/bin/env bash
# An entry typed into the dialog whose folder and program name hold Japanese
# characters, blanks and both quotes, about 1,000 characters long: saved,
# kept over a restart, and started in the right folder.
# Usage (under with_xvfb.sh): hard_paths.sh PATH/TO/hiyokorapper
PROGRAM="$1"
source "$(dirname "$0")/lib.sh"

marker="$work/marker"
folder="$work/ヒヨコの \"箱\" it's"
for level in 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16; do
    folder+="/level $level with blanks and a long name to make the path deep"
done
folder+="/最後の \"フォルダ\" 'q'"
program="$folder/起動 \"する\" 'sh'.sh"
make_marker_program "$program" "$marker"
title="長い \"道\" 'の' 先"
echo "note: the link target is ${#program} characters long"
check "the link target is about 1,000 characters long" test "${#program}" -ge 1000
cat >"$ini" <<INI
[Hiyokorapper Setting]
MAIN_PLACE=3
Faster=7
INI

start_past_splash
open_panel 3
click_slot 9
wait_for 5 shown toro
fill_dialog "$title" "$program" "$folder"
check "the panel returns after Enter" wait_for 5 shown ranch
check "the title is saved exactly as typed" ini_has APName09 "$title"
check "the link target is saved exactly as typed" ini_has Exe09 "$program"
check "the working folder is saved exactly as typed" ini_has APPath09 "$folder"
kill_program

start_past_splash
open_panel 3
click_slot 9
check "after a restart a click starts the entry" wait_for 5 marker_written "$marker"
check "it ran in its long working folder" test "$(cat "$marker")" = "$folder"
report
