// Finding XWayland and the pointer it cannot see: before Qt starts (which
// platform it takes, or the box that says there is none) and after (is this
// X server XWayland, is the pointer over an X11 window).
#include "platform/qt/xwayland.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/qt/x11_desktop.h"
#include "settings/texts.h"

namespace platform::qt {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// An X server that takes our connection; it may be started on demand.
bool x11Reachable() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reached = !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return reached;
}

// XWayland says so with an extension of its own since 23.1; before that its
// outputs are named XWAYLAND0, XWAYLAND1 ...
bool isXWayland(xcb_connection_t* connection) {
    if (extensionOpcode(connection, "XWAYLAND")) return true;
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->name().startsWith(QLatin1String("XWAYLAND"))) return true;
    }
    return false;
}

}  // namespace

bool routeWaylandSessionToX11() {
    if (!isSet("WAYLAND_DISPLAY")) return true;
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const bool otherChoice = isSet("QT_QPA_PLATFORM") && !std::strstr(chosen, "wayland") &&
                             std::strcmp(chosen, "xcb") != 0;
    if (otherChoice) return true;  // offscreen, vnc ...: the user's
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    return x11Reachable();
}

// Said on stderr first: where Qt cannot reach Wayland either, it ends there.
int reportMissingXWayland() {
    const char* text =
        "このプログラムはWaylandのセッションではXWaylandの上で動きます。\n"
        "XWaylandを有効にしてから、もう一度起動してください。";
    std::fprintf(stderr, "%s\n", text);
    ::setenv("QT_QPA_PLATFORM", "wayland", 1);
    static int argc = 1;
    static char name[] = "hiyokorapper";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(settings::kProductTitle),
                    QString::fromUtf8(text), QMessageBox::NoButton);
    box.setTextFormat(Qt::PlainText);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return 1;
}

std::unique_ptr<XWaylandPointer> XWaylandPointer::detect(xcb_connection_t* connection) {
    if (!connection || !isXWayland(connection)) return nullptr;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    if (!screens.rem) return nullptr;
    return std::unique_ptr<XWaylandPointer>(new XWaylandPointer(connection, screens.data->root));
}

// Once the pointer has left an X11 window for a native Wayland surface (or
// the shell's own bars), XWayland puts its pointer on the root, with no
// child window under it, at the last position it saw.
bool XWaylandPointer::overX11Window() const {
    auto cookie = xcb_query_pointer(connection_, root_);
    xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(connection_, cookie, nullptr);
    const bool over = reply && reply->same_screen && reply->child != XCB_WINDOW_NONE;
    std::free(reply);
    return over;
}

}  // namespace platform::qt
