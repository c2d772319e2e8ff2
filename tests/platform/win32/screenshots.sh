#!/usr/bin/env bash
# Screenshots of the Windows exe under Wine and Xvfb, for a person to look
# at: the splash, the panel's launcher view, its settings view, the
# registration dialog and the end question. Writes PNGs into OUTDIR.
set -uo pipefail
EXE="${1:?usage: screenshots.sh path/to/hiyokorapper.exe OUTDIR}"
OUT="${2:?usage: screenshots.sh path/to/hiyokorapper.exe OUTDIR}"
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/wine_desktop.sh"
ensure_wine_desktop_packages
trap stop_wine_desktop EXIT
mkdir -p "$OUT"
start_wine_desktop
store_set "Hiyokorapper Setting" SUB_LEFT 3000
store_set "Hiyokorapper Setting" SUB_TOP 1500
store_set "Hiyokorapper Setting" MAIN_COLOR 255
store_set "Hiyokorapper Setting" TORO_LEFT 3000
store_set "Hiyokorapper Setting" TORO_TOP 5250
store_set "User Setting" APName00 "メモ帳"
store_set "User Setting" Exe00 'C:\windows\notepad.exe'

# shot NAME X Y W H: a crop of the screen.
shot() { import -window root -crop "$4x$5+$2+$3" +repage "$OUT/$1.png"; }
# Client-area pixel of the panel at 200,100 (its frame: 3 a side, 19 on top).
panel_click() { xdotool mousemove $((200 + 3 + $1)) $((100 + 19 + $2)) click "${3:-1}"; }

wine "$EXE" >/dev/null 2>&1 &
sleep 4.5
shot splash 440 380 400 260
sleep 8
xdotool mousemove $((WINE_SCREEN_WIDTH - 1)) 0
sleep 1.5
shot panel 190 90 360 240
panel_click 306 148          # 設
sleep 1
xdotool mousemove 250 400    # away, so no hint shows
sleep 0.5
shot settings 190 90 360 240
panel_click 306 148          # back to the launcher view
sleep 1
panel_click 250 16           # an empty slot: the registration dialog
sleep 1.5
shot dialog 190 340 300 150
xdotool key Escape
sleep 1
xdotool mousemove $((WINE_SCREEN_WIDTH - 1)) 0 click 3
sleep 1.5
shot question 190 90 800 500
ls "$OUT"
