// Reads the time off the input events on their way to Qt; consumes none.
#include "platform/qt/x11_input_time.h"

#include <xcb/xcb.h>

#include <cstring>

#include "platform/qt/x11_desktop.h"

namespace platform::qt {

namespace {

// Key press and release, button press and release, motion, enter: the same
// codes in the core protocol and in XInput 2.
bool isUserInput(int type) {
    return type >= 2 && type <= 7;
}

}  // namespace

// Asked at the first extension event, not at start-up: the server's answer
// is a round trip the call point need not wait for.
int X11InputTime::inputExtension() {
    if (inputExtension_ != -2) return inputExtension_;
    inputExtension_ = extensionOpcode(connection_, "XInputExtension").value_or(-1);
    return inputExtension_;
}

bool X11InputTime::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != QByteArrayLiteral("xcb_generic_event_t")) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const int type = event->response_type & 0x7F;
    if (isUserInput(type)) {
        // Every core input event has its time right after the sequence number.
        latest_ = reinterpret_cast<const xcb_key_press_event_t*>(event)->time;
    } else if (type == XCB_GE_GENERIC) {
        const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
        if (isUserInput(generic->event_type) && generic->extension == inputExtension()) {
            // XInput 2's device events: the time follows the device id.
            std::uint32_t time;
            std::memcpy(&time, reinterpret_cast<const char*>(event) + 12, sizeof time);
            latest_ = time;
        }
    }
    return false;
}

}  // namespace platform::qt
