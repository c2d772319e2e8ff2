# Shared by the scripts: installs the Debian packages a step needs.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# ensure_packages PKG...: installs those that are missing (apt-get update first).
ensure_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -q
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

BUILD_PACKAGES=(cmake ninja-build g++ pkgconf libgtest-dev qt6-base-dev libglib2.0-dev fonts-ipafont
                qt6-translations-l10n)
DESKTOP_TEST_PACKAGES=(xvfb xdotool x11-utils imagemagick xauth xclip openbox xfwm4 xfdesktop4 dbus-daemon
                       xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
                       mutter gnome-shell weston sway xwayland foot qt6-wayland)
CHECK_PACKAGES=(clang libclang-rt-14-dev desktop-file-utils)
WINDOWS_SETUP_PACKAGES=(nsis)
