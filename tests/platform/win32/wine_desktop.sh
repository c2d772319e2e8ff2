# A throw-away Windows desktop for the exe: Xvfb, a fresh Wine prefix in a
# temp folder with the Debian IPA fonts and no font settings for the faces
# the program names (it picks its own stand-ins), and small helpers to look
# at the screen and the registry. Sourced by the tests and the benchmark;
# stop_wine_desktop cleans everything up again.

WINE_SCREEN_WIDTH=1280
WINE_SCREEN_HEIGHT=1024
WINE_DPI=96   # set_wine_dpi changes it
STORE_KEY='HKCU\Software\VB and VBA Program Settings\hiyokorapper'

# Installs what the desktop needs (nothing when all is there).
ensure_wine_desktop_packages() {
    local root
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
    # shellcheck source=/dev/null
    source "$root/scripts/common.sh"
    ensure_packages wine wine64 xvfb xserver-xephyr xserver-xorg-core xserver-xorg-video-dummy \
        xdotool x11-utils x11-xserver-utils imagemagick xauth fonts-ipafont
}

# WINE_XVFB_DISPLAY=N asks for display :N instead of the first free one.
# WINE_HEADS="WxH+X+Y ..." gives a desktop of several monitors that the
# pointer crosses: Xephyr with one screen a head, joined by Xinerama, shown
# on an Xvfb as large as all of them.
# WINE_XORG_MODE=WxH runs Xorg with the dummy driver in that mode instead:
# a screen whose resolution a program can change (set_wine_resolution).
start_wine_desktop() {
    WINE_DESKTOP_DIR="$(mktemp -d /tmp/hiyoko-wine.XXXXXX)"
    [ -n "${WINE_HEADS:-}" ] && read -r WINE_SCREEN_WIDTH WINE_SCREEN_HEIGHT < <(heads_extent $WINE_HEADS)
    if [ -n "${WINE_XORG_MODE:-}" ]; then
        Xorg -displayfd 3 -noreset -nolisten tcp -config "$(dirname "${BASH_SOURCE[0]}")/../qt/xorg-dummy.conf" \
            -logfile "$WINE_DESKTOP_DIR/xorg.log" 3>"$WINE_DESKTOP_DIR/display" >/dev/null 2>&1 &
    else
        Xvfb ${WINE_XVFB_DISPLAY:+":$WINE_XVFB_DISPLAY"} -displayfd 3 -screen 0 "${WINE_SCREEN_WIDTH}x${WINE_SCREEN_HEIGHT}x24" \
            -nolisten tcp 3>"$WINE_DESKTOP_DIR/display" >/dev/null 2>&1 &
    fi
    WINE_XVFB_PID=$!
    wait_for 20 test -s "$WINE_DESKTOP_DIR/display"
    export DISPLAY=":$(cat "$WINE_DESKTOP_DIR/display")"
    [ -n "${WINE_HEADS:-}" ] && start_heads $WINE_HEADS
    [ -n "${WINE_XORG_MODE:-}" ] && xrandr --output "$(xrandr | awk '/ connected/ {print $1; exit}')" \
        --mode "$WINE_XORG_MODE" --fb "$WINE_XORG_MODE"
    export WINEPREFIX="$WINE_DESKTOP_DIR/prefix" WINEARCH=win64 WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 LC_ALL=C.UTF-8
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
    configure_wine_desktop
}

# heads_extent WxH+X+Y...: "WIDTH HEIGHT" of the desktop they make.
heads_extent() {
    printf '%s\n' "$@" | tr 'x+' '  ' | awk '{ if ($1 + $3 > w) w = $1 + $3; if ($2 + $4 > h) h = $2 + $4 }
        END { print w, h }'
}

# Xephyr offers RandR with one output of its first head only, and Wine
# takes RandR's word over Xinerama's: without RandR it sees every head.
start_heads() {
    local head screens=()
    for head in "$@"; do screens+=(-screen "$head"); done
    Xephyr -displayfd 3 "${screens[@]}" +xinerama -extension RANDR -nolisten tcp -noreset 3>"$WINE_DESKTOP_DIR/heads" \
        >/dev/null 2>&1 &
    WINE_HEADS_PID=$!
    wait_for 20 test -s "$WINE_DESKTOP_DIR/heads"
    export DISPLAY=":$(cat "$WINE_DESKTOP_DIR/heads")"
}

# set_wine_resolution W H: the display's resolution changed from Windows, as
# its display settings change it (the programs hear WM_DISPLAYCHANGE).
set_wine_resolution() {
    [ -f "$WINE_DESKTOP_DIR/resolution.exe" ] || x86_64-w64-mingw32-gcc-posix -O2 -s -x c \
        -o "$WINE_DESKTOP_DIR/resolution.exe" - <<'C'
#include <windows.h>
#include <stdlib.h>
int main(int argc, char **argv) {
    DEVMODEW mode = {.dmSize = sizeof mode, .dmFields = DM_PELSWIDTH | DM_PELSHEIGHT};
    if (argc != 3) return 2;
    mode.dmPelsWidth = (DWORD)atoi(argv[1]);
    mode.dmPelsHeight = (DWORD)atoi(argv[2]);
    return ChangeDisplaySettingsExW(NULL, &mode, NULL, 0, NULL) == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}
C
    wine "$WINE_DESKTOP_DIR/resolution.exe" "$1" "$2" >/dev/null 2>&1
}

# start_front_window: a borderless window over the whole screen, in magenta,
# brought to the front, as a game or a video player in full screen makes
# itself; stop_front_window closes it.
start_front_window() {
    [ -f "$WINE_DESKTOP_DIR/front.exe" ] || x86_64-w64-mingw32-gcc-posix -O2 -s -x c \
        -o "$WINE_DESKTOP_DIR/front.exe" - -luser32 -lgdi32 <<'C'
#include <windows.h>
static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
int main(void) {
    WNDCLASSW wc = {.lpfnWndProc = proc, .hInstance = GetModuleHandleW(NULL),
                    .hbrBackground = CreateSolidBrush(RGB(255, 0, 255)), .lpszClassName = L"front"};
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, L"front", L"front-window", WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                NULL, NULL, wc.hInstance, NULL);
    SetForegroundWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
C
    wine "$WINE_DESKTOP_DIR/front.exe" >/dev/null 2>&1 &
}
stop_front_window() {
    local pid
    for pid in $(exe_pids front.exe); do kill "$pid" 2>/dev/null; done
}

stop_wine_desktop() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
    [ -n "${WINE_HEADS_PID:-}" ] && kill "$WINE_HEADS_PID" 2>/dev/null || true
    [ -n "${WINE_XVFB_PID:-}" ] && kill "$WINE_XVFB_PID" 2>/dev/null || true
    [ -n "${WINE_DESKTOP_DIR:-}" ] && rm -rf "$WINE_DESKTOP_DIR"
    return 0
}

# No window manager runs on Xvfb: Wine draws every frame itself. The
# system's UI font falls back to the IPA Gothic for Japanese (message boxes,
# captions), as a Japanese system's does to its own.
configure_wine_desktop() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    local face
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$face" /t REG_MULTI_SZ /d "ipagp.ttf,IPAPGothic" /f >/dev/null 2>&1
    done
    wineserver -w
}

# set_wine_dpi DPI: the display's scale for the programs started next (144
# is 150 %), as the control panel sets it. Call it while none runs.
set_wine_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1
    wineserver -w
    WINE_DPI="$1"
}

# dpx N: N pixels of the layout (96 dpi) in device pixels at WINE_DPI,
# halves to even as the exe rounds.
dpx() {
    awk -v n="$1" -v dpi="$WINE_DPI" 'BEGIN {
        x = n * dpi / 96; r = int(x); f = x - r
        if (f > 0.5 || (f == 0.5 && r % 2)) r++
        print r }'
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

# reg_value KEY NAME [TYPE]: the registry value's data as reg prints it
# (REG_DWORD in hex), or nothing. reg prints in the console's code page,
# which is ASCII under the C locale: a Japanese one makes it Shift-JIS,
# which carries the Japanese texts unchanged. Only the four-blank separator
# is cut, so blanks in the value stay.
reg_value() {
    LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 wine reg query "$1" /v "$2" 2>/dev/null |
        iconv -f CP932 -t UTF-8 | tr -d '\r' |
        awk -v key="$2" -v type="${3:-REG_SZ}" 'index($0, "    " key "    " type "    ") == 1 {
            print substr($0, length(key) + length(type) + 13) }'
}

# store_get SECTION KEY: the stored string, or nothing.
store_get() { reg_value "$STORE_KEY\\$1" "$2"; }

stored_is() { [ "$(store_get "$1" "$2")" = "$3" ]; }

store_count() { wine reg query "$STORE_KEY\\$1" 2>/dev/null | grep -c 'REG_SZ' || true; }

# The processes of a running exe in this prefix, found by its file name:
# other prefixes on the machine may run the same exe.
exe_pids() {
    local pid
    for pid in $(pgrep -f "${1//./\\.}"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
    return 0
}

# The launcher's windows as a user finds them. The panel is the window with
# the product title whose size fits it: a client area of 327 x 186 layout
# pixels (its load step halved the design's 372), a frame of a few pixels,
# and a caption's worth on top. Message boxes are the other windows.
LAUNCHER_TITLE="ヒヨコらっぱーVer1.96"
# panel_frame WIDTH HEIGHT: the frame's "side top" in device pixels.
panel_frame() {
    local border=$((($1 - $(dpx 327)) / 2))
    echo "$border $(($2 - $(dpx 186) - border))"
}
is_panel_size() {
    local border top
    read -r border top < <(panel_frame "$1" "$2")
    [ "$border" -ge 0 ] && [ "$border" -le $(dpx 8) ] && [ "$top" -ge $(dpx 10) ] && [ "$top" -le $(dpx 40) ]
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

# panel_point ID X Y: the screen's device pixel of a layout pixel of the
# panel's client area.
panel_point() {
    local x y w h border top
    read -r x y w h < <(window_geometry "$1") || return 1
    read -r border top < <(panel_frame "$w" "$h")
    echo "$((x + border + $(dpx "$2"))) $((y + top + $(dpx "$3")))"
}

# click_in_panel ID X Y [BUTTON]: a click at a layout pixel of the panel's
# client area.
click_in_panel() {
    local at
    at="$(panel_point "$1" "$2" "$3")" || return 1
    # shellcheck disable=SC2086
    xdotool mousemove $at click "${4:-1}"
}

# The splash and the call point are the untitled windows; the splash
# closes itself when its show is over.
splash_gone() { test "$(windows_named "" | wc -l)" -eq 1; }
window_titled() { [ -n "$(windows_named "$1")" ]; }
