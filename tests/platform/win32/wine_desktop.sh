# A throw-away Windows desktop for the exe: Xvfb, a fresh Wine prefix in a
# temp folder, Japanese fonts for the faces the program asks for, and small
# helpers to look at the screen and the registry. Sourced by the tests and
# the benchmark; stop_wine_desktop cleans everything up again.

WINE_SCREEN_WIDTH=1280
WINE_SCREEN_HEIGHT=1024
STORE_KEY='HKCU\Software\VB and VBA Program Settings\hiyokorapper'

# Installs what the desktop needs (nothing when all is there).
ensure_wine_desktop_packages() {
    local root
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
    # shellcheck source=/dev/null
    source "$root/scripts/common.sh"
    ensure_packages wine wine64 xvfb xdotool x11-utils imagemagick xauth fonts-ipafont
}

# WINE_XVFB_DISPLAY=N asks for display :N instead of the first free one.
start_wine_desktop() {
    WINE_DESKTOP_DIR="$(mktemp -d /tmp/hiyoko-wine.XXXXXX)"
    Xvfb ${WINE_XVFB_DISPLAY:+":$WINE_XVFB_DISPLAY"} -displayfd 3 -screen 0 "${WINE_SCREEN_WIDTH}x${WINE_SCREEN_HEIGHT}x24" -nolisten tcp \
        3>"$WINE_DESKTOP_DIR/display" >/dev/null 2>&1 &
    WINE_XVFB_PID=$!
    wait_for 20 test -s "$WINE_DESKTOP_DIR/display"
    export DISPLAY=":$(cat "$WINE_DESKTOP_DIR/display")"
    export WINEPREFIX="$WINE_DESKTOP_DIR/prefix" WINEARCH=win64 WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 LC_ALL=C.UTF-8
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
    configure_wine_desktop
}

stop_wine_desktop() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
    [ -n "${WINE_XVFB_PID:-}" ] && kill "$WINE_XVFB_PID" 2>/dev/null || true
    [ -n "${WINE_DESKTOP_DIR:-}" ] && rm -rf "$WINE_DESKTOP_DIR"
    return 0
}

# No window manager runs on Xvfb: Wine draws every frame itself. The MS
# faces map to the IPA fonts, and the system's UI fonts fall back to them
# for Japanese (message boxes, captions).
configure_wine_desktop() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    local face
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$face" /t REG_MULTI_SZ /d "ipagp.ttf,IPAPGothic" /f >/dev/null 2>&1
    done
    # The faces have full-width names, so they go in as a UTF-16 .reg file.
    python3 - "$WINE_DESKTOP_DIR/fonts.reg" <<'PY'
import sys
lines = ["Windows Registry Editor Version 5.00", "",
         r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]",
         '"ＭＳ Ｐ明朝"="IPAPMincho"', '"ＭＳ 明朝"="IPAMincho"',
         '"ＭＳ Ｐゴシック"="IPAPGothic"', '"ＭＳ ゴシック"="IPAGothic"', ""]
open(sys.argv[1], "wb").write(b"\xff\xfe" + "\r\n".join(lines).encode("utf-16-le"))
PY
    wine regedit /S "$(winepath -w "$WINE_DESKTOP_DIR/fonts.reg")" >/dev/null 2>&1
    wineserver -w
}

# check, equals, wait_for and finish_checks.
# shellcheck source=../../support/checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../support/checks.sh"
POLL_SECONDS=0.2   # each look at the screen is a screenshot or a window search

# begin_exe_test EXE: what every end-to-end script of the exe starts with;
# exits 77 (skipped) when the exe has not been built.
begin_exe_test() {
    EXE="$1"
    if [ ! -f "$EXE" ]; then
        echo "SKIP: $EXE not built (scripts/build-windows builds it)"
        exit 77
    fi
    ensure_wine_desktop_packages
    trap stop_wine_desktop EXIT
}

start_program() {
    wine "$EXE" >/dev/null 2>&1 &
    PROGRAM_PID=$!
}
program_running() { kill -0 "$PROGRAM_PID" 2>/dev/null; }
program_ended() { ! program_running; }

# pixel X Y: the screen's colour there as "r,g,b".
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | head -1
}

pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }

screenshot() { import -window root "$1"; }

# The visible windows of the exe whose title is exactly NAME, one id a line.
windows_named() {
    local id
    for id in $(xdotool search --onlyvisible --class hiyokorapper.exe 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id"
    done
    return 0
}

# window_geometry ID: "x y width height" of the whole window, frame included.
window_geometry() {
    # Without an id xwininfo would wait for a click on some window.
    [ -n "$1" ] || { echo "0 0 0 0"; return 1; }
    xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
        /^ *Width/{w=$NF} /^ *Height/{h=$NF} END{print x, y, w, h}'
}

store_set() { wine reg add "$STORE_KEY\\$1" /v "$2" /d "$3" /f >/dev/null 2>&1; }

# store_get SECTION KEY: the stored string, or nothing. reg prints in the
# console's code page, which is ASCII under the C locale: a Japanese one
# makes it Shift-JIS, which carries the Japanese texts unchanged. Only the
# four-blank separator is cut, so blanks in the value stay.
store_get() {
    LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 wine reg query "$STORE_KEY\\$1" /v "$2" 2>/dev/null |
        iconv -f CP932 -t UTF-8 | tr -d '\r' |
        awk -v key="$2" 'index($0, "    " key "    REG_SZ    ") == 1 {print substr($0, length(key) + 19)}'
}

stored_is() { [ "$(store_get "$1" "$2")" = "$3" ]; }

store_count() { wine reg query "$STORE_KEY\\$1" 2>/dev/null | grep -c 'REG_SZ' || true; }

# The process of a running exe, found by its file name.
exe_pids() { pgrep -f "${1//./\\.}" || true; }

# The launcher's windows as a user finds them. The panel is the window with
# the product title whose size fits it: a client area of 327 x 186 pixels
# (its load step halved the design's 372) in a frame with a caption's worth
# on top. Message boxes are the other windows.
LAUNCHER_TITLE="ヒヨコらっぱーVer1.96"
panel_frame_top() { echo $(($2 - 186 - ($1 - 327) / 2)); }
is_panel_size() {
    local border=$((($1 - 327) / 2))
    local top
    top=$(panel_frame_top "$1" "$2")
    [ "$border" -ge 0 ] && [ "$border" -le 8 ] && [ "$top" -ge 10 ] && [ "$top" -le 40 ]
}
panel_window() {
    local id x y w h
    for id in $(windows_named "$LAUNCHER_TITLE"); do
        read -r x y w h < <(window_geometry "$id")
        is_panel_size "$w" "$h" && { echo "$id"; return 0; }
    done
    return 0
}
panel_shown() { [ -n "$(panel_window)" ]; }
panel_hidden() { ! panel_shown; }

# box_window TITLE: a message box with that title.
box_window() {
    local id x y w h
    for id in $(windows_named "$1"); do
        read -r x y w h < <(window_geometry "$id")
        is_panel_size "$w" "$h" || { echo "$id"; return 0; }
    done
    return 0
}
box_shown() { [ -n "$(box_window "$1")" ]; }
box_gone() { ! box_shown "$1"; }

# answer_box TITLE KEY: no window manager runs, so the keyboard follows the
# pointer: it goes onto the box first.
answer_box() {
    local x y w h
    read -r x y w h < <(window_geometry "$(box_window "$1")") || return 1
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) key "$2"
}

# panel_client_origin ID: the screen pixel of the panel's client corner.
panel_client_origin() {
    local x y w h
    read -r x y w h < <(window_geometry "$1") || return 1
    echo "$((x + (w - 327) / 2)) $((y + $(panel_frame_top "$w" "$h")))"
}
# click_in_panel ID X Y [BUTTON]: a click at pixels of the panel's client area.
click_in_panel() {
    local cx cy
    read -r cx cy < <(panel_client_origin "$1") || return 1
    xdotool mousemove $((cx + $2)) $((cy + $3)) click "${4:-1}"
}

# The splash and the call point are the untitled windows; the splash
# closes itself when its show is over.
splash_gone() { test "$(windows_named "" | wc -l)" -eq 1; }
window_titled() { [ -n "$(windows_named "$1")" ]; }
