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

start_wine_desktop() {
    WINE_DESKTOP_DIR="$(mktemp -d /tmp/hiyoko-wine.XXXXXX)"
    Xvfb -displayfd 3 -screen 0 "${WINE_SCREEN_WIDTH}x${WINE_SCREEN_HEIGHT}x24" -nolisten tcp \
        3>"$WINE_DESKTOP_DIR/display" >/dev/null 2>&1 &
    WINE_XVFB_PID=$!
    wait_until 20 test -s "$WINE_DESKTOP_DIR/display"
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

# wait_until SECONDS COMMAND...: polls until the command succeeds.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.2
    done
}

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

# store_get SECTION KEY: the stored string, or nothing.
store_get() {
    wine reg query "$STORE_KEY\\$1" /v "$2" 2>/dev/null | tr -d '\r' |
        awk -v key="$2" '$1 == key && $2 == "REG_SZ" {sub(/^ *[^ ]+ +REG_SZ +/, ""); print}'
}

store_count() { wine reg query "$STORE_KEY\\$1" 2>/dev/null | grep -c 'REG_SZ' || true; }

# The process of a running exe, found by its file name.
exe_pids() { pgrep -f "${1//./\\.}" || true; }
