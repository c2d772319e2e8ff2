// The X server time of the user's latest pointer or key event. Window
// managers let an activation through when it carries the time of the user's
// action; Qt keeps no time for a pointer's arrival on a window.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <cstdint>

struct xcb_connection_t;

namespace platform::qt {

class X11InputTime : public QAbstractNativeEventFilter {
  public:
    explicit X11InputTime(xcb_connection_t* connection) : connection_(connection) {}
    // 0 (the server's "now") until the first event has come.
    std::uint32_t latest() const { return latest_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    int inputExtension();

    xcb_connection_t* connection_;
    int inputExtension_ =
        -2;  // major opcode of XInput 2, whose events Qt takes; -1 none, -2 not asked
    std::uint32_t latest_ = 0;
};

}  // namespace platform::qt
