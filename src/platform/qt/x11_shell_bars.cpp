// A compositing desktop shell on X11 (GNOME Shell) draws its bars in the
// compositor's overlay window and takes the pointer there through the
// overlay's input shape, above every window, override-redirect ones too.
// The requests for it are written out here: libxcb's Composite and SHAPE
// libraries are not worth two dependencies for four requests.
#include <sys/uio.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/qt/x11_desktop.h"

namespace platform::qt {

namespace {

xcb_extension_t compositeExtension = {"Composite", 0};
xcb_extension_t shapeExtension = {"SHAPE", 0};

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
using Reply = std::unique_ptr<std::uint8_t, FreeReply>;

// One request of an extension, its fixed part after the 4-byte header.
template <typename Body>
unsigned sendRequest(xcb_connection_t* connection, xcb_extension_t* extension, int minor,
                     bool hasReply, const Body& body) {
    struct {
        std::uint8_t major, minor;
        std::uint16_t length;
        Body body;
    } request{0, static_cast<std::uint8_t>(minor), 0, body};
    static_assert(sizeof request % 4 == 0);
    const xcb_protocol_request_t info{1, extension, static_cast<std::uint8_t>(minor),
                                      static_cast<std::uint8_t>(hasReply ? 0 : 1)};
    iovec parts[3] = {{}, {}, {&request, sizeof request}};
    return xcb_send_request(connection, hasReply ? XCB_REQUEST_CHECKED : 0, parts + 2, &info);
}

Reply waitForReply(xcb_connection_t* connection, unsigned sequence) {
    xcb_generic_error_t* error = nullptr;
    Reply reply(static_cast<std::uint8_t*>(xcb_wait_for_reply(connection, sequence, &error)));
    std::free(error);
    return reply;
}

bool selectionOwned(xcb_connection_t* connection, std::uint32_t selection) {
    if (selection == XCB_ATOM_NONE) return false;
    auto cookie = xcb_get_selection_owner(connection, selection);
    std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> owner(
        xcb_get_selection_owner_reply(connection, cookie, nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

// The overlay while a reference to it is held; the compositing manager
// keeps it mapped, so taking and releasing a reference changes nothing.
std::uint32_t takeOverlay(xcb_connection_t* connection, std::uint32_t root) {
    struct {
        std::uint32_t major, minor;
    } version{0, 4};
    waitForReply(connection, sendRequest(connection, &compositeExtension, 0, true, version));
    Reply reply =
        waitForReply(connection, sendRequest(connection, &compositeExtension, 7, true, root));
    if (!reply) return XCB_WINDOW_NONE;
    std::uint32_t overlay;
    std::memcpy(&overlay, reply.get() + 8, sizeof overlay);
    return overlay;
}

void releaseOverlay(xcb_connection_t* connection, std::uint32_t root) {
    sendRequest(connection, &compositeExtension, 8, false, root);
    xcb_flush(connection);
}

bool inputShapeHolds(xcb_connection_t* connection, std::uint32_t window, int x, int y) {
    struct {
        std::uint32_t window;
        std::uint8_t kind, pad[3];
    } request{window, 2 /* input */, {}};
    Reply reply =
        waitForReply(connection, sendRequest(connection, &shapeExtension, 8, true, request));
    if (!reply) return false;
    std::uint32_t length, count;
    std::memcpy(&length, reply.get() + 4, sizeof length);
    std::memcpy(&count, reply.get() + 8, sizeof count);
    if (count > length / 2) return false;  // more rectangles than the reply holds
    const std::uint8_t* rect = reply.get() + 32;
    for (std::uint32_t i = 0; i < count; ++i, rect += 8) {
        std::int16_t left, top;
        std::uint16_t width, height;
        std::memcpy(&left, rect, 2);
        std::memcpy(&top, rect + 2, 2);
        std::memcpy(&width, rect + 4, 2);
        std::memcpy(&height, rect + 6, 2);
        if (x >= left && y >= top && x < left + width && y < top + height) return true;
    }
    return false;
}

}  // namespace

// Without a compositing manager the overlay is not asked for: the first
// reference to it would map it over the whole screen.
bool X11Desktop::shellBarsTakePointerAt(int x, int y) {
    if (!selectionOwned(connection_, atom("_NET_WM_CM_S0"))) return false;
    if (!xcb_get_extension_data(connection_, &compositeExtension)->present ||
        !xcb_get_extension_data(connection_, &shapeExtension)->present) {
        return false;
    }
    const std::uint32_t overlay = takeOverlay(connection_, root_);
    if (overlay == XCB_WINDOW_NONE) return false;
    const bool taken = inputShapeHolds(connection_, overlay, x, y);
    releaseOverlay(connection_, root_);
    return taken;
}

}  // namespace platform::qt
