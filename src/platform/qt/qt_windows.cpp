// Top-level windows: frame styles and their real extents, the topmost band,
// and the registry of live peers that keys and dialogs are routed through.
#include "platform/qt/qt_windows.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "forms/runtime.h"
#include "platform/qt/qt_drops.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/x11_foreground_watch.h"

namespace platform::qt {

// A borderless window off the taskbar (the one-pixel call point) is not
// handed to the window manager at all: some keep a one-pixel window off the
// last pixel of the screen, and it needs no frame, focus policy or place in
// a task list from one. Its topmost band is then ours to keep.
Qt::WindowFlags windowFlagsFor(const forms::FormStyle& style) {
    const Qt::WindowFlags bare = Qt::CustomizeWindowHint;
    switch (style.frame) {
        case forms::FrameStyle::None:
            if (style.showInTaskbar) return Qt::Window | Qt::FramelessWindowHint;
            return Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint;
        case forms::FrameStyle::ToolWindow:
            return Qt::Tool | bare | Qt::WindowTitleHint;
        case forms::FrameStyle::Dialog:
            return Qt::Dialog | bare | Qt::WindowTitleHint;
        case forms::FrameStyle::DialogBare:
            return Qt::Dialog | bare;
    }
    return Qt::Window;
}

// Three distinct 32 x 32 pictures in a 16-colour palette: a chick's head
// facing a different way on a different ground for each window.
QIcon iconFor(int iconId) {
    if (iconId <= 0) return {};
    static const QColor grounds[] = {Qt::darkGreen, Qt::darkBlue, Qt::darkRed};
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::NoPen);
    p.setBrush(grounds[(iconId - 1) % 3]);
    p.drawRoundedRect(0, 0, 32, 32, 6, 6);
    p.setBrush(Qt::yellow);
    p.drawEllipse(6, 6, 20, 20);
    const int eyeX = iconId == 2 ? 11 : 18;
    p.setBrush(Qt::black);
    p.drawEllipse(eyeX, 12, 3, 3);
    p.setBrush(QColor(255, 128, 0));
    p.drawRect(iconId == 2 ? 4 : 24, 16, 4, 3);
    return QIcon(pixmap);
}

void prepareToShow(QtPlatform& platform, QWidget& window, const forms::FormStyle& style,
                   bool topmost) {
    auto& x11 = platform.x11();
    if (!x11) return;
    const auto id = static_cast<std::uint32_t>(window.winId());
    if (style.frame != forms::FrameStyle::None) {
        x11->allowMoveOnly(id, style.frame != forms::FrameStyle::DialogBare);
    }
    x11->setStatesBeforeMap(id, !style.showInTaskbar, topmost);
    if (window.windowTitle().isEmpty()) x11->clearTitle(id);
}

std::unique_ptr<forms::FormPeer> QtPlatform::createPeer(forms::Form& form) {
    auto peer = std::make_unique<QtFormPeer>(*this, form);
    if (form.style().takesDrops) acceptDrops(*peer);
    return peer;
}

// Without a window manager there is no frame at all. With one, an unmapped
// probe window of the same style asks it for the frame it would draw.
FrameExtents QtPlatform::frameExtents(forms::FrameStyle frame) {
    auto cached = frames_.find(frame);
    if (cached != frames_.end()) return cached->second;
    FrameExtents extents;
    if (x11_ && x11_->hasWindowManager() && frame != forms::FrameStyle::None) {
        QWidget probe(nullptr, windowFlagsFor({frame, false, 0}));
        probe.resize(64, 64);
        const auto id = static_cast<std::uint32_t>(probe.winId());
        x11_->allowMoveOnly(id, frame != forms::FrameStyle::DialogBare);
        extents = x11_->requestFrameExtents(id).value_or(FrameExtents{});
    }
    frames_[frame] = extents;
    return extents;
}

SizeTw QtPlatform::nonClientSize(forms::FrameStyle frame) {
    const FrameExtents e = frameExtents(frame);
    const double tw = forms::kTwipsPerPixel;
    return {(e.left + e.right) * tw, (e.top + e.bottom) * tw};
}

// The band is kept with _NET_WM_STATE_ABOVE, set here and before each show.
// Qt's WindowStaysOnTopHint is left alone: changing it makes Qt re-create
// the X window at its next show, which loses what we set on it (its role,
// its states) and flickers.
void QtPlatform::setTopmost(forms::Form& form, bool topmost) {
    topmost_.erase(std::remove(topmost_.begin(), topmost_.end(), &form), topmost_.end());
    if (topmost) topmost_.push_back(&form);
    QtFormPeer* peer = peerOf(form);
    if (!peer) return;
    QWidget* window = peer->window();
    if (x11_ && window->isVisible()) {
        x11_->changeAbove(static_cast<std::uint32_t>(window->winId()), topmost);
    }
    if (topmost) peer->raiseWindow();
}

bool isManagedByWindowManager(QtPlatform& platform, const QWidget& window) {
    return platform.x11() && platform.x11()->hasWindowManager() &&
           !(window.windowFlags() & Qt::X11BypassWindowManagerHint);
}

// A window manager keeps its windows of the band above by itself; the others
// (all of them on a bare X server) are raised again, oldest first.
void QtPlatform::restackTopmost() {
    for (const forms::Form* form : topmost_) {
        QtFormPeer* peer = peerOf(*form);
        if (!peer || !peer->window()->isVisible()) continue;
        if (!isManagedByWindowManager(*this, *peer->window())) peer->window()->raise();
    }
}

// With a window manager the request carries the time of the user's latest
// input, which focus-stealing prevention lets through even while another
// program holds the keyboard; without one, Qt sets the focus itself.
void QtPlatform::activateWindow(QWidget& window) {
    if (!isManagedByWindowManager(*this, window)) {
        window.activateWindow();
        return;
    }
    const QWindow* focused = QGuiApplication::focusWindow();
    x11_->activate(static_cast<std::uint32_t>(window.winId()),
                   inputTime_ ? inputTime_->latest() : 0,
                   focused ? static_cast<std::uint32_t>(focused->winId()) : 0);
}

bool QtPlatform::isTopmost(const forms::Form& form) const {
    return std::find(topmost_.begin(), topmost_.end(), &form) != topmost_.end();
}

void QtPlatform::peerCreated(QtFormPeer& peer) {
    peers_.push_back(&peer);
}

void QtPlatform::peerDestroyed(QtFormPeer& peer) {
    peers_.erase(std::remove(peers_.begin(), peers_.end(), &peer), peers_.end());
    topmost_.erase(std::remove(topmost_.begin(), topmost_.end(), &peer.form()), topmost_.end());
}

QtFormPeer* QtPlatform::peerOf(const forms::Form& form) const {
    for (QtFormPeer* peer : peers_) {
        if (&peer->form() == &form) return peer;
    }
    return nullptr;
}

// Our own windows (the panel, a message box) are never another program's.
ForegroundWatch* QtPlatform::foregroundWatch() {
    if (!foregroundWatch_ && x11_) {
        foregroundWatch_ = std::make_unique<X11ForegroundWatch>(*x11_, [](std::uint32_t id) {
            const auto windows = QGuiApplication::allWindows();
            return std::any_of(windows.begin(), windows.end(),
                               [id](const QWindow* w) { return w->handle() && w->winId() == id; });
        });
    }
    return foregroundWatch_.get();
}

}  // namespace platform::qt
