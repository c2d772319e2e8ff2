#!/usr/bin/env bash
# The Windows exe end to end under Wine and Xvfb, driven like a user with
# xdotool: start-up with settings from the registry, the call point in its
# corner, the panel dragged, keys on it, a launch, a registration typed
# into the dialog, files dropped from a file manager, the end question,
# everything saved; then a second start with broken values, a refused second
# instance, options changed in the settings view and the exit command. Exits
# 77 (skipped) when the exe has not been built.
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=wine_desktop.sh
source "$HERE/wine_desktop.sh"
# shellcheck source=../../support/drags.sh
source "$HERE/../../support/drags.sh"
begin_exe_test "${1:?usage: end_to_end.sh path/to/hiyokorapper.exe}"

SETTING="Hiyokorapper Setting"
ENTRIES="User Setting"
TITLE="ヒヨコらっぱーVer1.96"
CORNER_X=$((WINE_SCREEN_WIDTH - 1))

call_point_is() { pixel_is "$CORNER_X" 0 "$1"; }
# What is not black within 320 pixels of the screen's centre is one thing of a
# few pixels: the splash spiralling in as a tiny framed square.
small_square_near_centre() {
    local w h
    read -r w h < <(import -window root -crop "640x640+320+192" +repage png:- |
        convert png:- -trim -format '%w %h' info:)
    [ "$w" -ge 3 ] && [ "$w" -le 16 ] && [ "$h" -ge 3 ] && [ "$h" -le 16 ]
}
# The status line lies on client rows 168-184 of the panel, one row to
# spare: between its border lines, 15 rows show its colour.
status_colour_rows() {
    local cx cy
    read -r cx cy < <(panel_client_origin "$(panel_window)")
    import -window root -crop "1x26+$((cx + 100))+$((cy + 160))" +repage -depth 8 txt:- | grep -c '#008000'
}
# label_whole X Y PIXELS TEXT: the dialog's label at client pixel (X, Y) shows
# its text as wide as the text set in the IPA P Gothic of that pixel size
# (the test's face for ＭＳ Ｐゴシック): nothing is cut at the label's edge.
label_whole() {
    local x y w h border top shown whole
    read -r x y w h < <(window_geometry "$(windows_named "$DIALOG" | head -1)")
    border=$(((w - 276) / 2))
    top=$((h - 112 - border))
    shown=$(import -window root -crop "$((55 - $1))x15+$((x + border + $1))+$((y + top + $2))" +repage png:- |
        convert png:- -fuzz 30% -format %@ info: | sed 's/x.*//')
    whole=$(convert -font /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf -pointsize "$3" "label:$4" \
        -fuzz 30% -format %@ info: | sed 's/x.*//')
    echo "note: label $4 shows $shown pixels of ink, the whole text $whole"
    [ "$shown" -ge $((whole - 2)) ]
}
only_the_corner_is() {
    ! pixel_is $((CORNER_X - 1)) 0 "$1" && ! pixel_is "$CORNER_X" 1 "$1"
}

start_wine_desktop

echo "--- first run: settings from the registry, a launch, the end question"
store_set "$SETTING" MAIN_PLACE 1
store_set "$SETTING" MAIN_COLOR 255
store_set "$SETTING" SUB_LEFT 3000
store_set "$SETTING" SUB_TOP 1500
store_set "$SETTING" Faster 5
store_set "$ENTRIES" APName00 "launch marker"
store_set "$ENTRIES" Exe00 'C:\launch.bat'
store_set "$ENTRIES" APPath00 'C:\windows'
# Writes the folder it was started in, which must be the entry's.
printf 'cd > C:\\launched.txt\r\n' >"$WINEPREFIX/drive_c/launch.bat"

start_program
check "the splash spirals in as a tiny framed square" wait_for 60 small_square_near_centre
check "the call point shows in the stored colour at the top-right pixel" \
    wait_for 60 call_point_is "255,0,0"
check "the call point is one pixel" only_the_corner_is "255,0,0"
# The splash flies into the corner at its end: touch only the call point.
check "the splash closes itself" wait_for 60 splash_gone
xdotool mousemove "$CORNER_X" 0
check "touching the call point opens the panel" wait_for 15 panel_shown
if panel_shown; then
    read -r px py _ _ < <(window_geometry "$(panel_window)")
    check "the panel stands where the registry puts it" equals "$px,$py" "200,100"
    check "the status line shows whole under the panel's frame" equals "$(status_colour_rows)" 15
    # Dragged by its caption, 100 pixels right and 50 down.
    xdotool mousemove $((px + 60)) $((py + 8)) mousedown 1
    for step in 1 2 3 4 5; do
        sleep 0.2
        xdotool mousemove $((px + 60 + 20 * step)) $((py + 8 + 10 * step))
    done
    sleep 0.2
    xdotool mouseup 1
    sleep 0.5
    read -r px py _ _ < <(window_geometry "$(panel_window)")
    check "the panel follows a drag of its caption" equals "$px,$py" "300,150"
    # Keys reach the focused slot as virtual-key codes: D starts the delete
    # mode, any other key ends it; the caption tells.
    xdotool key d
    check "a key on the panel reaches its focused slot" \
        wait_for 10 window_titled "$TITLE - 削除モード発動中！"
    xdotool key x
    check "another key ends the mode" wait_for 10 panel_shown
    click_in_panel "$(panel_window)" 82 16
    check "a click on the first slot starts its program" \
        wait_for 30 test -s "$WINEPREFIX/drive_c/launched.txt"
    check "the program ran in the entry's folder" \
        equals "$(tr -d '\r\n' <"$WINEPREFIX/drive_c/launched.txt" 2>/dev/null)" 'C:\windows'
    check "the panel hides after the launch" wait_for 10 panel_hidden
fi
# Registering: an empty slot opens the dialog; what is typed there and
# confirmed with Enter is saved at once (the Bnk bit of Faster 5 is on).
DIALOG="タイトル及びリンク先を指定してぇ"
xdotool mousemove "$CORNER_X" 0
if wait_for 15 panel_shown; then
    click_in_panel "$(panel_window)" 246 16
    check "a click on an empty slot opens the registration dialog" \
        wait_for 10 window_titled "$DIALOG"
    for label in "8 8 13 タイトル" "8 32 12 リンク先" "4 56 13 実行パス"; do
        read -r lx ly size text <<<"$label"
        check "the dialog's label $text shows whole" label_whole "$lx" "$ly" "$size" "$text"
    done
    read -r dx dy dw dh < <(window_geometry "$(windows_named "$DIALOG" | head -1)")
    xdotool mousemove $((dx + dw / 2)) $((dy + 4))
    xdotool key End shift+Home
    xdotool type --delay 50 "memo pad"
    xdotool key Tab
    xdotool type --delay 50 'C:\windows\notepad.exe'
    BROWSE="なにを登録いたしやしょう(*_･)ｷﾗﾘ"
    xdotool key Tab space
    check "the browse button opens the file dialog" wait_for 20 box_shown "$BROWSE"
    answer_box "$BROWSE" Escape
    check "Escape closes the file dialog" wait_for 10 box_gone "$BROWSE"
    xdotool mousemove $((dx + dw / 2)) $((dy + 4))
    xdotool key Return
    check "the typed title is saved with the entry" \
        wait_for 15 stored_is "$ENTRIES" APName01 "memo pad"
    check "Tab led to the link box and its text is saved" \
        equals "$(store_get "$ENTRIES" Exe01)" 'C:\windows\notepad.exe'
fi
# Files dragged in from a Linux file manager: Wine hands the drop over as
# WM_DROPFILES (only the drop: the panel must be open already, as it is).
if [ -n "${DRAG_SOURCE:-}" ] && wait_for 10 panel_shown; then
    DRAG_LOG="$WINE_DESKTOP_DIR/drag.log"
    mkdir -p "$WINEPREFIX/drive_c/Tools/My.Folder"
    printf 'echo dropped\r\n' >"$WINEPREFIX/drive_c/Tools/drop me.bat"
    read -r cx cy < <(panel_client_origin "$(panel_window)")
    drag_begin "$WINEPREFIX/drive_c/Tools/drop me.bat" && drag_to $((cx + 246)) $((cy + 40))
    check "a file from a file manager is dropped on slot 3" drag_end
    check "the file manager sees a copy, never a move" drag_taken_as copy
    check "the drop opens the dialog" wait_for 10 window_titled "$DIALOG"
    read -r dx dy dw dh < <(window_geometry "$(windows_named "$DIALOG" | head -1)")
    xdotool mousemove $((dx + dw / 2)) $((dy + 4)) key Return
    check "Enter saves the file's name without extension as the title" \
        wait_for 15 stored_is "$ENTRIES" APName03 "drop me"
    check "the link target is the dropped file's Windows path" \
        equals "$(store_get "$ENTRIES" Exe03)" 'C:\Tools\drop me.bat'
    check "the working folder is its folder with the backslash" \
        equals "$(store_get "$ENTRIES" APPath03)" 'C:\Tools\'
    wait_for 10 panel_shown
    read -r cx cy < <(panel_client_origin "$(panel_window)")
    drag_begin "$WINEPREFIX/drive_c/Tools/drop me.bat" "$WINEPREFIX/drive_c/Tools/My.Folder" &&
        drag_to $((cx + 82)) $((cy + 112))
    check "a file and a folder are dropped on slot 8" drag_end
    check "they are saved in slots 8 and 9 without a dialog" \
        wait_for 15 stored_is "$ENTRIES" APName09 "My.Folder"
    check "slot 8 holds the file" equals "$(store_get "$ENTRIES" Exe08)" 'C:\Tools\drop me.bat'
else
    echo "note: no drag source built (DRAG_SOURCE); the drops are not tried"
fi
xdotool mousemove "$CORNER_X" 0 click 3
check "a right click on the call point asks the end question" wait_for 20 box_shown "$TITLE"
answer_box "$TITLE" y
check "Yes ends the program" wait_for 60 program_ended

check "all nine settings are stored" equals "$(store_count "$SETTING")" 9
check "all 300 entry values are stored" equals "$(store_count "$ENTRIES")" 300
check "the stored settings were read back and kept" equals \
    "$(store_get "$SETTING" MAIN_COLOR),$(store_get "$SETTING" Faster),$(store_get "$SETTING" MAIN_PLACE)" "255,5,1"
check "the dragged panel is saved where the user left it" equals \
    "$(store_get "$SETTING" SUB_LEFT),$(store_get "$SETTING" SUB_TOP)" "4500,2250"
check "the entry survives the save" equals "$(store_get "$ENTRIES" Exe00)" 'C:\launch.bat'
check "the version is written" equals "$(store_get "$SETTING" Version)" "Ver1.96"

echo "--- second run: values that are no numbers, a second instance, the exit command"
store_set "$SETTING" MAIN_PLACE "left"
store_set "$SETTING" MAIN_COLOR 65280
store_set "$SETTING" SUB_LEFT "12x"
start_program
check "a corner that is no number falls back to top-right" \
    wait_for 60 call_point_is "0,255,0"
FIRST_PID=$PROGRAM_PID
start_program
check "a second instance is refused with a message" wait_for 20 box_shown "$TITLE"
answer_box "$TITLE" Return
check "the refused instance ends" wait_for 30 program_ended
PROGRAM_PID=$FIRST_PID
check "the first instance keeps running" program_running
wait_for 60 splash_gone
xdotool mousemove "$CORNER_X" 0
check "the panel opens again" wait_for 15 panel_shown
if panel_shown; then
    read -r px _ _ _ < <(window_geometry "$(panel_window)")
    check "a left position that is no number centres the panel" equals "$px" $(((1280 - 333) / 2))
    PANEL="$(panel_window)"
    click_in_panel "$PANEL" 306 148   # 設: the settings view
    sleep 1
    COLOUR="呼び出し点の色設定"
    click_in_panel "$PANEL" 60 40     # the swatch
    check "the swatch opens the colour dialog" wait_for 20 box_shown "$COLOUR"
    answer_box "$COLOUR" Escape
    check "Escape closes the colour dialog" wait_for 10 box_gone "$COLOUR"
    click_in_panel "$PANEL" 20 150    # ticks 手弱女ぶり発揮 (bit 8)
    click_in_panel "$PANEL" 20 26     # chooses 左上 (corner 0)
    sleep 0.5
    click_in_panel "$PANEL" 306 64    # 終: the exit command, titled with its caption
    check "the exit command asks first" wait_for 20 box_shown "終"
    answer_box "終" y
fi
check "the exit command ends the program" wait_for 60 program_ended
check "a box ticked by the user is saved among the option bits" equals "$(store_get "$SETTING" Faster)" 13
check "the corner chosen by the user is saved" equals "$(store_get "$SETTING" MAIN_PLACE)" 0
check "the colour read on this start is saved" equals "$(store_get "$SETTING" MAIN_COLOR)" 65280
check "the centred position replaces the broken one" \
    equals "$(store_get "$SETTING" SUB_LEFT | tr -d '0-9')" ""

finish_checks
