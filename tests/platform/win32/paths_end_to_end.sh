#!/usr/bin/env bash
# Texts that break naive code paths, end to end through the Windows exe
# under Wine: Japanese, blanks, quotes and the longest paths the shell
# still starts. Each entry must survive the registry, a start, a save, a
# second start and a click that runs the right program in the right
# folder. Exits 77 (skipped) when the exe has not been built.
#
# Wine 8 starts a link target of at most 259 characters (MAX_PATH less its
# terminator) and enters a working folder of at most 258 (259 with the
# closing backslash); past that the launch fails or silently runs in the
# Windows folder. Titles have no such bound.
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=wine_desktop.sh
source "$HERE/wine_desktop.sh"
begin_exe_test "${1:?usage: paths_end_to_end.sh path/to/hiyokorapper.exe}"
ensure_packages gcc-mingw-w64-x86-64-posix
set +e   # the scripts' helpers stop at the first error; checks go on

ENTRIES="User Setting"
CORNER_X=$((WINE_SCREEN_WIDTH - 1))
MARKER='C:\marker.txt'

unix_path() {
    local rest="${1#C:\\}"
    echo "$WINEPREFIX/drive_c/${rest//\\//}"
}

# A tiny program that writes the folder it was started in and its own full
# name, as UTF-8, so a launch can be told apart by both.
build_marker_program() {
    cat >"$WINE_DESKTOP_DIR/marker.c" <<'C'
#include <windows.h>
int main(void) {
    static wchar_t text[2 * 32768 + 2];
    static char utf8[sizeof text * 2];
    DWORD n = GetCurrentDirectoryW(32768, text);
    text[n++] = L'\n';
    n += GetModuleFileNameW(NULL, text + n, 32768);
    text[n++] = L'\n';
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, (int)n, utf8, sizeof utf8, NULL, NULL);
    HANDLE f = CreateFileW(L"C:\\marker.txt", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written;
    WriteFile(f, utf8, (DWORD)bytes, &written, NULL);
    CloseHandle(f);
    return 0;
}
C
    x86_64-w64-mingw32-gcc-posix -O2 -s -o "$WINE_DESKTOP_DIR/marker.exe" "$WINE_DESKTOP_DIR/marker.c"
}

# place_marker_program PATH: the marker program under that Windows name.
place_marker_program() {
    local file
    file="$(unix_path "$1")"
    mkdir -p "$(dirname "$file")" && cp "$WINE_DESKTOP_DIR/marker.exe" "$file"
}

# grow_path START LENGTH END: START, then Japanese folder names with blanks
# and quotes, then END, LENGTH characters in all. Names stay under the 255
# bytes a Linux file name may have and never end in a blank.
grow_path() {
    local path="$1" end="$3" fill="長い 道の'り' 　ツール" name room
    while [ $((${#path} + ${#end})) -lt "$2" ]; do
        room=$(($2 - ${#path} - ${#end} - 1))
        # Never leave one character over: it could not make a name.
        [ "$room" -gt 80 ] && room=$((room - 2 < 80 ? room - 2 : 80))
        name=""
        while [ ${#name} -lt "$room" ]; do name+="$fill"; done
        name="${name:0:room-1}道"
        path+="$name\\"
    done
    echo "${path}${end}"
}

# repeat_to LENGTH TEXT: TEXT repeated and cut to LENGTH characters.
repeat_to() {
    local text=""
    while [ ${#text} -lt "$1" ]; do text+="$2"; done
    echo "${text:0:$1}"
}

# Entries 0 and 1 are started from the panel, 2 only goes through the
# store (Wine's shell cannot start its paths), 3 is given in the dialog.
FOLDER="C:\\ツール 置き場\\「テスト」 'one'\\"
TITLES=("「起動」 \"引用\" と 'one'　ツール" "$(repeat_to 1000 "題名 \"長い\" 'one' と　ひよこ ")"
    "$(repeat_to 1000 "保存だけ 'の' \"題\" ")" "入力 'した' 題名")
LINKS=("${FOLDER}記録 'two'.exe" "$(grow_path 'C:\' 259 "記録.exe")"
    "$(grow_path 'C:\' 1000 "届かない 'x'.exe")" "${FOLDER}入力 'three'.exe")
FOLDERS=("$FOLDER" "$(grow_path 'C:\作業 ' 259 '')"
    "$(grow_path 'C:\' 1000 '')" "$FOLDER")

echo "--- the texts: titles of ${#TITLES[0]}, ${#TITLES[1]}, ${#TITLES[2]} characters;" \
    "link targets of ${#LINKS[1]} and ${#LINKS[2]}; folders of ${#FOLDERS[1]} and ${#FOLDERS[2]}"
start_wine_desktop
build_marker_program
for i in 0 1 3; do
    place_marker_program "${LINKS[$i]}"
    mkdir -p "$(unix_path "${FOLDERS[$i]}")"
done
for i in 0 1 2; do
    store_set "$ENTRIES" "APName0$i" "${TITLES[$i]}"
    store_set "$ENTRIES" "Exe0$i" "${LINKS[$i]}"
    store_set "$ENTRIES" "APPath0$i" "${FOLDERS[$i]}"
done
check "the store takes every text as written" equals "$(store_get "$ENTRIES" APName01)" "${TITLES[1]}"
# Faster 5 turns on saving after each registration.
store_set "Hiyokorapper Setting" Faster 5

# open_panel: touches the call point and gives the panel's id.
open_panel() {
    xdotool mousemove "$CORNER_X" 0
    wait_for 15 panel_shown
    panel_window
}

# paste_into_box TEXT: replaces the focused box's text with TEXT from the
# clipboard. Typed, each Japanese character goes through a spare key that
# xdotool maps for a moment, and now and then the entry came out wrong
# however slow the typing.
paste_into_box() {
    printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1
    xdotool key End shift+Home ctrl+v
}

has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

echo "--- first run: the stored texts are read, one entry is given in the dialog, all is saved"
start_program
wait_for 60 splash_gone
DIALOG="タイトル及びリンク先を指定してぇ"
PANEL="$(open_panel)"
check "the panel opens" test -n "$PANEL"
if [ -n "$PANEL" ]; then
    click_in_panel "$PANEL" 246 40   # slot 3, empty
    check "an empty slot opens the registration dialog" wait_for 10 window_titled "$DIALOG"
    dialog="$(windows_named "$DIALOG" | head -1)"
    read -r dx dy dw dh < <(window_geometry "$dialog")
    xdotool mousemove $((dx + dw / 2)) $((dy + 4))
    check "the dialog takes the keyboard" wait_for 10 has_focus "$dialog"
    paste_into_box "${TITLES[3]}"
    xdotool key Tab
    paste_into_box "${LINKS[3]}"
    # The buttons come next in the tab order: back round to the folder.
    xdotool key shift+Tab shift+Tab
    paste_into_box "${FOLDERS[3]}"
    xdotool key Return
    check "the entry given in the dialog is saved at once" wait_for 15 stored_is "$ENTRIES" Exe03 "${LINKS[3]}"
    stored_is "$ENTRIES" Exe03 "${LINKS[3]}" || echo "note: entry 3 was stored as" \
        "'$(store_get "$ENTRIES" APName03)' '$(store_get "$ENTRIES" Exe03)' '$(store_get "$ENTRIES" APPath03)'"
fi
xdotool mousemove "$CORNER_X" 0 click 3
check "a right click on the call point asks the end question" wait_for 20 box_shown "$LAUNCHER_TITLE"
answer_box "$LAUNCHER_TITLE" y
check "Yes ends the program" wait_for 60 program_ended

# store_matches I: the entry's three values are stored as written.
store_matches() {
    equals "$(store_get "$ENTRIES" "APName0$1")" "${TITLES[$1]}" &&
        equals "$(store_get "$ENTRIES" "Exe0$1")" "${LINKS[$1]}" &&
        equals "$(store_get "$ENTRIES" "APPath0$1")" "${FOLDERS[$1]}"
}
check "Japanese, blanks and quotes come back from the save unchanged" store_matches 0
check "a 1,000-character title and the longest paths come back unchanged" store_matches 1
check "1,000-character paths come back unchanged" store_matches 2
check "the entry given in the dialog is stored as given" store_matches 3

# launch_from_slot PANEL X Y I: a click on the slot runs entry I's program
# in its folder.
launch_from_slot() {
    rm -f "$(unix_path "$MARKER")"
    click_in_panel "$1" "$2" "$3"
    wait_for 30 test -s "$(unix_path "$MARKER")" || { echo "  nothing was started"; return 1; }
    sleep 0.3   # the program may still be writing
    local folder="${FOLDERS[$4]%\\}"
    equals "$(tr -d '\r' <"$(unix_path "$MARKER")")" "$folder"$'\n'"${LINKS[$4]}"
}

echo "--- second run: a click on each slot starts its program in its folder"
start_program
wait_for 60 splash_gone
PANEL="$(open_panel)"
check "the panel opens again" test -n "$PANEL"
if [ -n "$PANEL" ]; then
    check "slot 0 starts the program with a Japanese, quoted name in its folder" \
        launch_from_slot "$PANEL" 82 16 0
    PANEL="$(open_panel)"
    check "slot 1 starts a 259-character link target in a 258-character folder" \
        launch_from_slot "$PANEL" 246 16 1
    PANEL="$(open_panel)"
    check "the entry given in the dialog starts its program in its folder" launch_from_slot "$PANEL" 246 40 3
    PANEL="$(open_panel)"
    click_in_panel "$PANEL" 306 148   # 設: the settings view
    sleep 1
    click_in_panel "$PANEL" 306 64    # 終: the exit command
    check "the exit command asks first" wait_for 20 box_shown "終"
    answer_box "終" y
fi
check "the exit command ends the program" wait_for 60 program_ended
check "a second save keeps every text" eval "store_matches 0 && store_matches 1 && store_matches 2"

finish_checks
