// Following the screens: monitors plugged or unplugged, a resolution, the
// primary monitor or a scale changed. Qt tells each with a signal of its
// own, often several at once; the program hears of them once, from the
// event loop.
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "platform/qt/qt_platform.h"

namespace platform::qt {

void QtPlatform::watchScreens(std::function<void()> changed) {
    screensChanged_ = std::move(changed);
    auto* app = QGuiApplication::instance();
    const auto tell = [this] {
        if (screenNoticePending_) return;
        screenNoticePending_ = true;
        QTimer::singleShot(0, QGuiApplication::instance(), [this] {
            screenNoticePending_ = false;
            if (screensChanged_) screensChanged_();
        });
    };
    const auto follow = [app, tell](QScreen* screen) {
        QObject::connect(screen, &QScreen::geometryChanged, app, tell);
        QObject::connect(screen, &QScreen::logicalDotsPerInchChanged, app, tell);
    };
    for (QScreen* screen : QGuiApplication::screens()) follow(screen);
    QObject::connect(qGuiApp, &QGuiApplication::screenAdded, app, [follow, tell](QScreen* screen) {
        follow(screen);
        tell();
    });
    QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, app, tell);
    QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, app, tell);
}

}  // namespace platform::qt
