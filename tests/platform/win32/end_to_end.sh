#!/usr/bin/env bash
# The Windows exe end to end under Wine and Xvfb, driven like a user with
# xdotool: start-up with settings from the registry, the call point in its
# corner, the panel dragged, keys on it, a launch, a registration typed
# into the dialog, files dragged from a file manager over the call point
# and a tab onto slots, the end question, everything saved; then a second
# start with broken values, a refused second instance, the call point
# quiet while a borderless full-screen window is in front, options changed
# in the settings view and the exit command; last a run at 150 %, where the
# windows are drawn at 1.5 times their size, the call point stays one device
# pixel and the pointer's hit tests keep to that scale.
# The prefix has no font settings for the faces the program names. Exits 77
# (skipped) when the exe has not been built.
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
# label_whole X Y PIXELS TEXT: the dialog's label at client pixel (X, Y),
# up to the text boxes, shows its whole text.
label_whole() {
    local x y w h border top
    read -r x y w h < <(window_geometry "$(windows_named "$DIALOG" | head -1)")
    border=$(((w - 276) / 2))
    top=$((h - 112 - border))
    import -window root -crop "$((55 - $1))x15+$((x + border + $1))+$((y + top + $2))" +repage "$WINE_DESKTOP_DIR/label.png"
    text_shows_whole "$WINE_DESKTOP_DIR/label.png" "$3" "$4"
}
# only_pixel_is X Y DX DY COLOUR: the pixel at X,Y has the colour, its
# neighbours DX across and DY down (towards the screen's inside) do not.
only_pixel_is() {
    pixel_is "$1" "$2" "$5" && ! pixel_is $(($1 + $3)) "$2" "$5" && ! pixel_is "$1" $(($2 + $4)) "$5"
}

# Down a column near the status line's right end, clear of its text: its 17
# rows of the layout, the border's two included, all there at this scale.
status_line_whole() {
    local sx sy
    read -r sx sy < <(panel_point "$PANEL" 320 168)
    band_whole "$(column_runs "$sx" $((sy - $(dpx 20))) "$(dpx 40)")" 0,128,0 $(($(dpx 17) - 2))
}

# Japanese strings under another language leave the system showing none.
version_language() {
    x86_64-w64-mingw32-windres -i "$EXE" -O rc 2>/dev/null |
        awk '/^LANGUAGE/ {language = $2 $3} /VERSIONINFO/ {print language; exit}'
}
check "the version information is filed under Japanese (1041), as its strings" \
    equals "$(version_language)" "17,1"

w96=0 h96=0   # the panel's size at 96 dpi, taken in the first run
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
check "the call point is one pixel" only_pixel_is "$CORNER_X" 0 -1 1 "255,0,0"
# The splash flies into the corner at its end: touch only the call point.
check "the splash closes itself" wait_for 60 splash_gone
xdotool mousemove "$CORNER_X" 0
check "touching the call point opens the panel" wait_for 15 panel_shown
if panel_shown; then
    read -r px py w96 h96 < <(window_geometry "$(panel_window)")
    check "the panel stands where the registry puts it" equals "$px,$py" "200,100"
    PANEL="$(panel_window)"
    check "the status line shows whole under the panel's frame" status_line_whole
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
# Files dragged in from a Linux file manager: Wine hands the drag to the
# windows' drop targets as it passes, so touching the call point opens the
# panel and a tab passed on the way shows its box.
if [ -n "${DRAG_SOURCE:-}" ] && wait_for 10 panel_shown; then
    DRAG_LOG="$WINE_DESKTOP_DIR/drag.log"
    mkdir -p "$WINEPREFIX/drive_c/Tools/My.Folder"
    printf 'echo dropped\r\n' >"$WINEPREFIX/drive_c/Tools/drop me.bat"
    # The pointer over a slot re-arms the call point; Escape hides the panel.
    # shellcheck disable=SC2046
    xdotool mousemove $(panel_point "$(panel_window)" 82 40) sleep 0.2 key Escape
    check "Escape hides the panel before the drag" wait_for 10 panel_hidden
    drag_begin "$WINEPREFIX/drive_c/Tools/drop me.bat" && drag_to "$CORNER_X" 0
    check "a drag that touches the call point opens the panel" wait_for 10 panel_shown
    read -r sx sy < <(panel_point "$(panel_window)" 246 40)
    drag_to "$sx" "$sy"
    check "the file is dropped on slot 3" drag_end
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
    check "the panel is back after the dialog" wait_for 10 panel_shown
    read -r tx ty < <(panel_point "$(panel_window)" 46 148)   # the tab of box 2
    read -r sx sy < <(panel_point "$(panel_window)" 82 112)
    drag_begin "$WINEPREFIX/drive_c/Tools/drop me.bat" "$WINEPREFIX/drive_c/Tools/My.Folder" &&
        drag_to "$tx" "$ty" && drag_to "$sx" "$sy"
    check "a file and a folder pass the tab of box 2 and are dropped on slot 8" drag_end
    check "they are saved in box 2's slots 8 and 9 without a dialog" \
        wait_for 15 stored_is "$ENTRIES" APName19 "My.Folder"
    check "slot 8 of box 2 holds the file" equals "$(store_get "$ENTRIES" Exe18)" 'C:\Tools\drop me.bat'
else
    echo "note: no drag source built (DRAG_SOURCE); the drops are not tried"
fi
xdotool mousemove "$CORNER_X" 0 click 3
check "a right click on the call point asks the end question" wait_for 20 box_shown "$TITLE"
answer_box "$TITLE" y
check "Yes ends the program" wait_for 60 program_ended

check "the nine settings and the two extra options are stored" equals "$(store_count "$SETTING")" 11
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
# Quiet while a full-screen program runs: with a borderless window over the
# whole screen in front the call point (the one untitled window left) goes
# from its corner and the corner opens nothing; closed, the call point is back.
call_point_gone() { [ -z "$(windows_named "")" ]; }
start_front_window
check "a borderless window over the screen comes in front" wait_for 30 pixel_is 640 512 "255,0,255"
check "the call point leaves its corner" wait_for 10 call_point_gone
xdotool mousemove "$CORNER_X" 0
sleep 2
check "the corner opens nothing" panel_hidden
stop_front_window
check "closed: the call point is back in its corner" wait_for 15 call_point_is "0,255,0"
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

echo "--- at 150 %: the panel at 1.5 times its size, the call point one device pixel"
read -r side96 _ < <(panel_frame "$w96" "$h96")
set_wine_dpi 144
store_set "$SETTING" MAIN_PLACE 3
PLACE_BEFORE="$(store_get "$SETTING" SUB_LEFT),$(store_get "$SETTING" SUB_TOP)"
rm -f "$WINEPREFIX/drive_c/launched.txt"
BOTTOM_Y=$((WINE_SCREEN_HEIGHT - 1))
start_program
check "the call point shows in the bottom-right device pixel" \
    wait_for 60 pixel_is "$CORNER_X" "$BOTTOM_Y" "0,255,0"
check "the call point is one device pixel" only_pixel_is "$CORNER_X" "$BOTTOM_Y" -1 -1 "0,255,0"
wait_for 60 splash_gone
xdotool mousemove "$CORNER_X" "$BOTTOM_Y"
check "the panel opens 1.5 times its 96-dpi size" wait_for 15 panel_shown
if panel_shown; then
    PANEL="$(panel_window)"
    read -r px py pw ph < <(window_geometry "$PANEL")
    read -r side _ < <(panel_frame "$pw" "$ph")
    check "its client area is 1.5 times as wide, in the same frame" equals "$side" "$side96"
    check "the status line is whole: its border round 24 rows of its green" status_line_whole
    click_in_panel "$PANEL" 82 16
    check "a click on the first slot at this scale starts its program" \
        wait_for 30 test -s "$WINEPREFIX/drive_c/launched.txt"
    wait_for 10 panel_hidden
fi
# The auto-hide option (Tao) is on since the second run: the poll compares
# the pointer with the panel in layout pixels. The click above started it;
# a tick with the pointer away stops it before the panel opens again.
xdotool mousemove 0 0
sleep 0.5
xdotool mousemove "$CORNER_X" "$BOTTOM_Y"
if wait_for 15 panel_shown; then
    read -r px py pw ph < <(window_geometry "$PANEL")
    # shellcheck disable=SC2046
    xdotool mousemove $(panel_point "$PANEL" 82 40)   # over a slot: the poll starts
    sleep 0.3
    xdotool mousemove $((px + pw - 3)) $((py + ph / 2))
    sleep 0.8
    check "with auto-hide, a pointer just inside the panel's edge keeps it open" panel_shown
    xdotool mousemove $((px + pw + 2)) $((py + ph / 2))
    check "and just outside it hides the panel" wait_for 5 panel_hidden
fi
xdotool mousemove "$CORNER_X" "$BOTTOM_Y" click 3
check "the end question comes at this scale too" wait_for 20 box_shown "$TITLE"
answer_box "$TITLE" y
check "Yes ends the program" wait_for 60 program_ended
check "the panel's place is stored as it was read, in twips" \
    equals "$(store_get "$SETTING" SUB_LEFT),$(store_get "$SETTING" SUB_TOP)" "$PLACE_BEFORE"

finish_checks
