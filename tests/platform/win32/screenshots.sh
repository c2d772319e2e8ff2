#!/usr/bin/env bash
# Screenshots of the Windows exe under Wine and Xvfb, for a person to look
# at: the splash, the panel's launcher view, its settings view, the
# registration dialog with its open-file dialog, the colour dialog, the end
# question and the farewell show. Writes PNGs into OUTDIR; DPI (default 96)
# sets the display's scale, 144 for 150 %.
set -uo pipefail
USAGE="usage: screenshots.sh path/to/hiyokorapper.exe OUTDIR [DPI]"
EXE="${1:?$USAGE}"
OUT="${2:?$USAGE}"
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/wine_desktop.sh"
ensure_wine_desktop_packages
trap stop_wine_desktop EXIT
mkdir -p "$OUT"
start_wine_desktop
set_wine_dpi "${3:-96}"
store_set "Hiyokorapper Setting" SUB_LEFT 3000
store_set "Hiyokorapper Setting" SUB_TOP 1500
store_set "Hiyokorapper Setting" MAIN_COLOR 255
store_set "Hiyokorapper Setting" TORO_LEFT 3000
store_set "Hiyokorapper Setting" TORO_TOP 5250
store_set "User Setting" APName00 "メモ帳"
store_set "User Setting" Exe00 'C:\windows\notepad.exe'

# shot NAME X Y W H: a crop of the screen, in layout pixels.
shot() { import -window root -crop "$(dpx "$4")x$(dpx "$5")+$(dpx "$2")+$(dpx "$3")" +repage "$OUT/$1.png"; }
# shot_centred NAME W H: a crop around the screen's centre, where the
# splash shows.
shot_centred() {
    local w h
    w=$(dpx "$2") h=$(dpx "$3")
    import -window root -crop "${w}x${h}+$(((WINE_SCREEN_WIDTH - w) / 2))+$(((WINE_SCREEN_HEIGHT - h) / 2))" \
        +repage "$OUT/$1.png"
}
# A layout pixel of the panel's client area (the settings view retitles it,
# so its window is taken once, when it opens).
panel_click() { click_in_panel "$PANEL" "$1" "$2" "${3:-1}"; }

# dialog_click X Y: a client-area pixel of the registration dialog.
dialog_click() {
    local x y w h border top
    read -r x y w h < <(window_geometry "$(windows_named "タイトル及びリンク先を指定してぇ" | head -1)")
    border=$(((w - $(dpx 276)) / 2))
    top=$((h - $(dpx 112) - border))
    xdotool mousemove $((x + border + $(dpx "$1"))) $((y + top + $(dpx "$2"))) click 1
}
# press_in_window TITLE KEY [small]: a key for the window of that title
# (the keyboard follows the pointer on a bare X server); "small" skips
# the panel, which has the same title as the message boxes.
press_in_window() {
    local id x y w h
    for id in $(windows_named "$1"); do
        read -r x y w h < <(window_geometry "$id")
        [ "${3:-}" = small ] && is_panel_size "$w" "$h" && continue
        xdotool mousemove $((x + w / 2)) $((y + h / 2)) key "$2"
        return 0
    done
}

wine "$EXE" >/dev/null 2>&1 &
# The splash and the call point are the untitled windows. Its show is
# quick: of a burst of shots, the one with the most drawn is kept.
splash_shows() { test "$(windows_named "" | wc -l)" -eq 2; }
wait_for 30 splash_shows
most=0
for _ in $(seq 20); do
    shot_centred splash-next 400 260
    drawn=$(convert "$OUT/splash-next.png" -format '%[fx:mean]' info:)
    if awk -v a="$drawn" -v b="$most" 'BEGIN { exit !(a > b) }'; then
        most=$drawn
        mv "$OUT/splash-next.png" "$OUT/splash.png"
    fi
    sleep 0.1
done
rm -f "$OUT/splash-next.png"
wait_for 30 splash_gone
sleep 1
xdotool mousemove $((WINE_SCREEN_WIDTH - 1)) 0
sleep 1.5
screenshot "$OUT/desktop.png"
PANEL="$(panel_window)"
shot panel 190 90 360 240
panel_click 306 148          # 設
sleep 1
xdotool mousemove 250 400    # away, so no hint shows
sleep 0.5
shot settings 190 90 360 240
panel_click 60 40             # the swatch: the colour dialog
sleep 2
screenshot "$OUT/colour.png"
press_in_window "呼び出し点の色設定" Escape
sleep 1
panel_click 306 148          # back to the launcher view
sleep 1
panel_click 250 16           # an empty slot: the registration dialog
sleep 1.5
shot dialog 190 340 300 150
dialog_click 226 92          # 参照...: the open-file dialog
sleep 2
screenshot "$OUT/open-file.png"
press_in_window "なにを登録いたしやしょう(*_･)ｷﾗﾘ" Escape
sleep 1
press_in_window "タイトル及びリンク先を指定してぇ" Escape
sleep 1
xdotool mousemove $((WINE_SCREEN_WIDTH - 1)) 0 click 3
sleep 1.5
shot question 190 90 800 500
press_in_window "ヒヨコらっぱーVer1.96" y small
for n in 1 2 3 4 5 6; do
    sleep 0.6
    shot "farewell-$n" 190 90 360 240
done
ls "$OUT"
