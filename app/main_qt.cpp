// The program on the Linux desktop (Qt). Absolute window positions and the
// topmost band need X11, so in a Wayland session it runs through XWayland.
#include "platform/platform.h"
#include "platform/qt/xwayland.h"
#include "shell/app.h"

int main() {
    if (!platform::qt::routeWaylandSessionToX11()) return platform::qt::reportMissingXWayland();
    auto platform = platform::createPlatform();
    shell::App app(*platform);
    return app.run();
}
