#!/usr/bin/env bash
# The Debian package as a user's system takes it: the program, a menu entry
# and an autostart entry that desktop-file-validate accepts, the icon in the
# hicolor theme, and dependencies found from the libraries it links.
# Usage: check_package.sh PATH/TO/hiyokorapper_*.deb
set -uo pipefail
deb="${1:?usage: check_package.sh PATH/TO/package.deb}"
source "$(dirname "$0")/../support/checks.sh"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

executable() { [ -x "$root/$1" ] && file "$root/$1" | grep -q ELF; }
check "the program is in /usr/bin" executable usr/bin/hiyokorapper
check "the menu entry is valid" desktop-file-validate "$root/usr/share/applications/hiyokorapper.desktop"
check "the autostart entry is valid" desktop-file-validate "$root/etc/xdg/autostart/hiyokorapper.desktop"
starts_program() { grep -qx "Exec=$1" "$root/$2"; }
check "both entries start the installed program" \
    bash -c "$(declare -f starts_program); root='$root'; starts_program hiyokorapper usr/share/applications/hiyokorapper.desktop && starts_program hiyokorapper etc/xdg/autostart/hiyokorapper.desktop"
icon_sizes() { find "$root/usr/share/icons/hicolor" -name hiyokorapper.png | wc -l; }
check "the icon comes in several sizes" test "$(icon_sizes)" -ge 4
check "the Qt libraries it links are dependencies" \
    bash -c "dpkg-deb -f '$deb' Depends | grep -q 'libqt6widgets6'"
finish_checks
