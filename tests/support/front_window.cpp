// Another program's window for the desktop tests, in one flat colour: full
// screen, maximised or normal as the window manager does it, or unmanaged
// over a whole monitor as a game that bypasses the window manager. Lines on
// its standard input change its state: "fullscreen", "maximised", "normal".
// Usage: front_window [--unmanaged] [--at X,Y] [--colour NAME] STATE
// (--at: on the monitor holding that pixel; the primary one by default)
#include <unistd.h>

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QSocketNotifier>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void apply(QWidget& window, const std::string& state, QScreen* screen) {
    if (state == "fullscreen") {
        window.showFullScreen();
    } else if (state == "maximised") {
        window.showMaximized();
    } else {
        window.showNormal();
        const QRect area = screen->geometry();
        window.setGeometry(area.x() + 100, area.y() + 100, 400, 300);
    }
    window.activateWindow();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bool unmanaged = false;
    QPoint at(-1, -1);
    const char* colour = "magenta";
    std::string state = "fullscreen";
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--unmanaged")) {
            unmanaged = true;
        } else if (!std::strcmp(argv[i], "--at") && i + 1 < argc) {
            const std::string xy = argv[++i];
            at = QPoint(std::atoi(xy.c_str()), std::atoi(xy.c_str() + xy.find(',') + 1));
        } else if (!std::strcmp(argv[i], "--colour") && i + 1 < argc) {
            colour = argv[++i];
        } else {
            state = argv[i];
        }
    }
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen) screen = QGuiApplication::primaryScreen();
    QWidget window(
        nullptr, unmanaged ? Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint : Qt::Window);
    window.setWindowTitle("front-window");
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(colour));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    if (unmanaged) {
        window.setGeometry(screen->geometry());
        window.show();
    } else {
        // Where the window manager first places it, before any state.
        window.setGeometry(screen->geometry().x() + 100, screen->geometry().y() + 100, 400, 300);
        apply(window, state, screen);
    }
    QSocketNotifier commands(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&commands, &QSocketNotifier::activated, &window, [&] {
        char line[64] = {};
        const ssize_t n = read(STDIN_FILENO, line, sizeof line - 1);
        if (n <= 0) {
            commands.setEnabled(false);  // the test let go of it
            return;
        }
        std::string command(line, static_cast<std::size_t>(n));
        command.erase(command.find_last_not_of("\r\n") + 1);
        apply(window, command, screen);
    });
    return app.exec();
}
