#!/usr/bin/env bash
# The Windows setup under Wine, in a plain fresh prefix holding the settings
# of an earlier installation: a silent install (the exe in the user's
# AppData\Local\Programs, the Start-menu shortcut, the start at sign-in and
# the Apps & features entry), a sign-in that starts the launcher, a silent
# upgrade over the running launcher (ended so that it saves, replaced,
# started again, the sign-in choice and the entries kept), and a silent
# uninstall over the running launcher that removes all of it but the
# settings. Exits 77 (skipped) when the setup has not been built.
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=wine_desktop.sh
source "$HERE/wine_desktop.sh"
SETUP="${1:?usage: setup_end_to_end.sh path/to/hiyokorapper-setup-VERSION.exe path/to/hiyokorapper.exe}"
BUILT_EXE="${2:?}"
if [ ! -f "$SETUP" ]; then
    echo "SKIP: $SETUP not built (scripts/package-windows builds it)"
    exit 77
fi
ensure_wine_desktop_packages
# The scripts' common part turns on errexit: here each step is a check that
# says what it saw, and a setting not there yet is no fault.
set +e
trap stop_wine_desktop EXIT

SETTING="Hiyokorapper Setting"
ENTRIES="User Setting"
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
APPROVED_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run'
APPS_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\hiyokorapper'
CORNER_X=$((WINE_SCREEN_WIDTH - 1))

# The user's folder that Windows names by VARIABLE, and as a Linux path.
windows_folder() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
user_folder() { winepath -u "$(windows_folder "$1")" 2>/dev/null; }
apps_value() { reg_value "$APPS_KEY" "$@"; }
key_gone() { ! wine reg query "$1" 2>/dev/null | tr -d '\r'; }
file_there() { test -s "$1" || { echo "no file $1"; return 1; }; }
file_gone() { ! ls -ld "$1" 2>/dev/null; }
launcher_pids() { exe_pids hiyokorapper.exe; }
no_launcher() { [ -z "$(launcher_pids)" ]; }
# A launcher started by the sign-in stays a zombie until the Wine process
# that started it ends: it has ended all the same.
process_gone() {
    local state
    state="$(awk '/^State/ { print $2, $3 }' "/proc/$1/status" 2>/dev/null)"
    [ -z "$state" ] || [ "${state%% *}" = Z ] && return 0
    echo "process $1 is still there: $state $(tr '\0' ' ' <"/proc/$1/cmdline")"
    return 1
}
one_launcher_other_than() {
    local pids
    pids="$(launcher_pids)"
    [ "$(wc -w <<<"$pids")" -eq 1 ] && [ "$pids" != "$1" ] ||
        { echo "launcher processes: '${pids//$'\n'/ }', not wanted: $1"; return 1; }
}
# The call point: one window of one pixel in the top-right corner, in the
# stored colour, once the splash is over (no other untitled window).
call_point_shown() {
    local windows
    windows="$(windows_named "")"
    equals "$(pixel "$CORNER_X" 0) $(wc -w <<<"$windows") $(window_geometry "$windows")" \
        "255,255,0 1 $CORNER_X 0 1 1"
}
# within SECONDS CONDITION...: waits quietly for it, then says what it saw
# when it did not come.
within() {
    local seconds="$1"
    shift
    wait_for "$seconds" quietly "$@" || "$@"
}
quietly() { "$@" >/dev/null 2>&1; }
# install: the setup run silently, as a deployment tool runs it; Wine's
# output goes nowhere, for a launcher it starts keeps what it inherits.
install() {
    wine "$SETUP" /S >/dev/null 2>&1 || { echo "the setup exited with $?"; return 1; }
}

start_wine_desktop
# An earlier installation's settings, which setup must leave alone.
store_set "$SETTING" MAIN_COLOR 65535
store_set "$ENTRIES" APName00 "残す項目"
store_set "$ENTRIES" Exe00 'C:\windows\notepad.exe'
LOCAL="$(user_folder LOCALAPPDATA)"
PROGRAMS="$(user_folder APPDATA)/Microsoft/Windows/Start Menu/Programs"
INSTALLED="$LOCAL/Programs/hiyokorapper"
INSTALLED_WIN="$(windows_folder LOCALAPPDATA)\\Programs\\hiyokorapper"

echo "--- a silent install into the fresh prefix"
check "the silent setup succeeds" install
check "the exe is in the user's AppData\\Local\\Programs\\hiyokorapper" \
    cmp "$BUILT_EXE" "$INSTALLED/hiyokorapper.exe"
check "the Start-menu shortcut ヒヨコらっぱー is there" file_there "$PROGRAMS/ヒヨコらっぱー.lnk"
check "the start at sign-in is on by default, a Run value with the quoted exe" \
    equals "$(reg_value "$RUN_KEY" hiyokorapper)" "\"$INSTALLED_WIN\\hiyokorapper.exe\""
check "Apps & features names the program" equals "$(apps_value DisplayName)" "ヒヨコらっぱー"
check "with its version and publisher" \
    equals "$(apps_value DisplayVersion),$(apps_value Publisher)" "1.96,ヒヨコノスケ"
check "and its icon from the exe" equals "$(apps_value DisplayIcon)" "$INSTALLED_WIN\\hiyokorapper.exe,0"
check "the uninstaller it names is there" \
    equals "$(apps_value UninstallString)" "\"$INSTALLED_WIN\\uninstall.exe\""
check "the quiet uninstall is the uninstaller with /S" \
    equals "$(apps_value QuietUninstallString)" "\"$INSTALLED_WIN\\uninstall.exe\" /S"
check "the uninstaller exists" file_there "$INSTALLED/uninstall.exe"
check "Apps & features offers no modify and no repair" \
    equals "$(apps_value NoModify REG_DWORD),$(apps_value NoRepair REG_DWORD)" "0x1,0x1"
size_kib=$(($(apps_value EstimatedSize REG_DWORD)))
files_kib=$(du -k -s "$INSTALLED" | cut -f1)
check "the estimated size, ${size_kib} KiB, is about the installed files' ${files_kib} KiB" \
    test "$size_kib" -ge $((files_kib / 2)) -a "$size_kib" -le $((files_kib * 2))
check "the settings of the earlier installation are untouched" \
    equals "$(store_get "$ENTRIES" APName00),$(store_count "$SETTING")" "残す項目,1"

echo "--- a sign-in starts the launcher"
# A new Wine session runs the sign-in's Run values, as a Windows sign-in does.
wineserver -k >/dev/null 2>&1
wineserver -w
wine wineboot >/dev/null 2>&1 &
check "the call point shows, one pixel in its corner" within 90 call_point_shown
check "one launcher runs" within 10 one_launcher_other_than none
FIRST="$(launcher_pids)"

echo "--- a silent upgrade while it runs"
# Gone from the store while it runs: back only if the launcher saves.
wine reg delete "$STORE_KEY\\$SETTING" /v Version /f >/dev/null 2>&1
# The user switched the start at sign-in off: an upgrade keeps that.
wine reg delete "$RUN_KEY" /v hiyokorapper /f >/dev/null 2>&1
touch -d 2001-01-01 "$INSTALLED/hiyokorapper.exe"
started=$SECONDS
check "the silent setup over the running launcher succeeds" install
echo "  (took $((SECONDS - started)) s)"
check "the running launcher was ended" process_gone "$FIRST"
check "it saved on its way out" equals "$(store_get "$SETTING" Version)" "Ver1.96"
check "the stored entry is kept" equals "$(store_get "$ENTRIES" APName00)" "残す項目"
check "the exe was replaced" \
    equals "$(stat -c %y "$INSTALLED/hiyokorapper.exe" | cut -c1-4)" "$(date +%Y)"
check "a new launcher is started after the upgrade" within 30 one_launcher_other_than "$FIRST"
check "its call point shows" within 90 call_point_shown
check "the start at sign-in stays off" equals "$(reg_value "$RUN_KEY" hiyokorapper)" ""

echo "--- a silent uninstall while it runs"
SECOND="$(launcher_pids)"
wine reg delete "$STORE_KEY\\$SETTING" /v Version /f >/dev/null 2>&1
# Task Manager's switch, as it leaves it for a start switched off.
wine reg add "$APPROVED_KEY" /v hiyokorapper /t REG_BINARY /d 030000000000000000000000 /f >/dev/null 2>&1
wine reg add "$RUN_KEY" /v hiyokorapper /d "\"$INSTALLED_WIN\\hiyokorapper.exe\"" /f >/dev/null 2>&1
# The uninstaller runs on from a copy of itself in the temp folder: done
# when the launcher has gone and Wine with it.
wine "$INSTALLED/uninstall.exe" /S >/dev/null 2>&1
check "the running launcher is ended" within 90 process_gone "$SECOND"
check "the uninstall finishes" timeout 90 wineserver -w
check "the program's folder is removed" file_gone "$INSTALLED"
check "no launcher runs" no_launcher
check "the Start-menu shortcut is removed" file_gone "$PROGRAMS/ヒヨコらっぱー.lnk"
check "the start at sign-in is removed" equals "$(reg_value "$RUN_KEY" hiyokorapper)" ""
check "and Task Manager's switch for it" equals "$(reg_value "$APPROVED_KEY" hiyokorapper REG_BINARY)" ""
check "the Apps & features entry is removed" key_gone "$APPS_KEY"
check "the settings are kept, saved by the launcher on its way out" \
    equals "$(store_get "$SETTING" Version),$(store_get "$ENTRIES" APName00)" "Ver1.96,残す項目"

finish_checks
