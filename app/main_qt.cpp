// The program on the Linux desktop (Qt). Absolute window positions need X11,
// so under Wayland it runs through XWayland unless the user chose otherwise.
#include <cstdlib>

#include "platform/platform.h"
#include "shell/app.h"

namespace {
void preferX11() {
    const bool chosen = std::getenv("QT_QPA_PLATFORM") != nullptr;
    const bool wayland = std::getenv("WAYLAND_DISPLAY") != nullptr;
    const bool x11 = std::getenv("DISPLAY") != nullptr;
    if (!chosen && wayland && x11) ::setenv("QT_QPA_PLATFORM", "xcb", 1);
}
}  // namespace

int main() {
    preferX11();
    auto platform = platform::createPlatform();
    shell::App app(*platform);
    return app.run();
}
