// Time, events and the end of the process: every wait of the program comes
// through here, so these stay cheap (the animations call them per frame).
#include <unistd.h>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QScreen>
#include <QTime>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <thread>

#include "forms/form.h"
#include "forms/runtime.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_platform.h"

namespace platform::qt {

SizePx QtPlatform::screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect r = screen->geometry();
    return {r.width(), r.height()};
}

std::vector<RectPx> QtPlatform::monitors() {
    std::vector<RectPx> rects;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect r = screen->geometry();
        rects.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    if (rects.empty()) return Platform::monitors();
    return rects;
}

// Where XWayland cannot see the pointer, its position is the last one it saw
// (inside the panel, say): the pointer is then outside all our windows.
PointPx QtPlatform::cursorPos() {
    if (XWaylandPointer* xwayland = xwaylandPointer(); xwayland && !xwayland->overX11Window()) {
        return pointOutsideOurWindows();
    }
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

// In a Wayland session the shell's bars lie below XWayland's override-redirect
// windows, where the pointer reaches them.
// The X server counts device pixels; Qt's scale factor on X11 is one for all screens.
bool QtPlatform::pointerTakenAt(PointPx pixel) {
    if (!x11_ || onXWayland()) return false;
    const QScreen* screen = QGuiApplication::screenAt(QPoint(pixel.x, pixel.y));
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    return x11_->shellBarsTakePointerAt(static_cast<int>(pixel.x * ratio),
                                        static_cast<int>(pixel.y * ratio));
}

XWaylandPointer* QtPlatform::xwaylandPointer() {
    if (!xwaylandAsked_ && x11_) xwaylandPointer_ = XWaylandPointer::detect(x11_->connection());
    xwaylandAsked_ = true;
    return xwaylandPointer_.get();
}

// Left of and above every monitor and every window of ours.
PointPx QtPlatform::pointOutsideOurWindows() const {
    QRect all;
    for (const QScreen* screen : QGuiApplication::screens()) all |= screen->geometry();
    for (const QtFormPeer* peer : peers_) all |= peer->window()->frameGeometry();
    return {all.left() - 1, all.top() - 1};
}

void QtPlatform::sleep(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Requests to the X server are buffered; flushing here makes each animation
// frame reach the screen before the program sleeps. Without a display there
// is nothing more to show: the shutdown has saved by its first frame.
void QtPlatform::doEvents() {
    if (displayGone_) endProcess(1);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (x11_) x11_->flush();
}

// Seconds since midnight, like the classic clock that seeds the random numbers.
double QtPlatform::clockSeconds() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void QtPlatform::post(std::function<void()> task) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

int QtPlatform::runEventLoop() {
    session_ = std::make_unique<SessionWatch>([this](bool gone) { endSession(gone); });
    const int exitCode = QApplication::exec();
    session_.reset();
    return exitCode;
}

bool QtPlatform::acquireSingleInstance() {
    return lock_.acquire();
}

// The key goes where the model says the keyboard is: the focused control of
// the active form, or the form itself.
void QtPlatform::sendKey(int virtualKey) {
    const int key = qtKeyFromVirtual(virtualKey);
    if (!key) return;
    forms::Form* form = nullptr;
    for (QtFormPeer* peer : peers_) {
        if (peer->form().runtime().activeForm() == &peer->form()) form = &peer->form();
    }
    QtFormPeer* peer = form ? peerOf(*form) : nullptr;
    if (!peer) return;
    QWidget* target = peer->keyboardTarget();
    const char text = typedTextOfVirtual(virtualKey);
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier,
                                                      text ? QString(QChar(text)) : QString()));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier,
                                                      text ? QString(QChar(text)) : QString()));
}

void QtPlatform::endProcess(int exitCode) {
    flushDirtySettings();
    lock_.release();
    if (x11_) x11_->flush();
    std::fflush(nullptr);
    ::_exit(exitCode);
}

}  // namespace platform::qt
