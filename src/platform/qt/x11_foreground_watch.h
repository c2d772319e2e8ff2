// What other programs have in front on X11: the window manager's active
// window with its state, type, frame and place, and the unmanaged windows
// mapped above everything (games that bypass the window manager). Followed
// through the events of the root and of the active window, never polled.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "platform/foreground_watch.h"
#include "platform/qt/x11_desktop.h"

namespace platform::qt {

class X11ForegroundWatch : public ForegroundWatch, private QAbstractNativeEventFilter {
  public:
    // `ours` tells a window of this program, which is never watched.
    X11ForegroundWatch(X11Desktop desktop, std::function<bool(std::uint32_t)> ours);
    ~X11ForegroundWatch() override;

    void start(std::function<void()> changed) override;
    void stop() override;
    Front front() override;

  private:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;
    bool rootChildEvent(std::uint8_t type, const void* event);
    void refreshLater();
    void refresh();
    void readActive();
    void follow(std::uint32_t window);
    void scanUnmanaged();
    void measureUnmanaged();
    void selectOnRoot(bool watching);

    X11Desktop desktop_;
    std::function<bool(std::uint32_t)> ours_;
    std::function<void()> changed_;
    QObject context_;  // ends the pending refresh with the watch
    bool refreshPending_ = false;
    bool activeDirty_ = false;
    std::uint32_t rootMaskAdded_ = 0;
    std::uint32_t active_ = 0;  // the followed window; 0 for none or ours
    std::optional<FrontWindow> activeFront_;
    std::map<std::uint32_t, RectPx> unmanaged_;  // device pixels
    std::set<std::uint32_t> toMeasure_;          // unmanaged windows just mapped
};

}  // namespace platform::qt
