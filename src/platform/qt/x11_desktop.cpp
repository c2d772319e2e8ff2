// EWMH requests through xcb. Qt already owns the connection; we only add
// properties and client messages on it, never read its events.
#include "platform/qt/x11_desktop.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <thread>
#include <vector>

namespace platform::qt {

std::optional<X11Desktop> X11Desktop::current() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const xcb_setup_t* setup = xcb_get_setup(connection);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (!screens.rem) return std::nullopt;
    return X11Desktop(connection, screens.data->root);
}

// Asks for all the atoms this file uses at once: one round trip, not one each.
void X11Desktop::internAtoms() {
    if (!atoms_.empty()) return;
    const char* names[] = {"_NET_SUPPORTING_WM_CHECK",
                           "_NET_WM_STATE",
                           "_NET_WM_STATE_SKIP_TASKBAR",
                           "_NET_WM_STATE_SKIP_PAGER",
                           "_NET_WM_STATE_ABOVE",
                           "_NET_FRAME_EXTENTS",
                           "_NET_REQUEST_FRAME_EXTENTS",
                           "_MOTIF_WM_HINTS",
                           "_NET_WM_ALLOWED_ACTIONS",
                           "_NET_WM_ACTION_MOVE",
                           "_NET_ACTIVE_WINDOW",
                           "_NET_WM_USER_TIME",
                           "_NET_WM_NAME",
                           "UTF8_STRING"};
    xcb_intern_atom_cookie_t cookies[std::size(names)];
    for (std::size_t i = 0; i < std::size(names); ++i) {
        cookies[i] = xcb_intern_atom(connection_, 0,
                                     static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    }
    for (std::size_t i = 0; i < std::size(names); ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookies[i], nullptr);
        if (reply && reply->atom != XCB_ATOM_NONE) atoms_[names[i]] = reply->atom;
        std::free(reply);
    }
}

std::uint32_t X11Desktop::atom(const char* name) {
    internAtoms();
    auto known = atoms_.find(name);
    if (known != atoms_.end()) return known->second;
    auto cookie =
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
    const std::uint32_t result = reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
    std::free(reply);
    if (result != XCB_ATOM_NONE) atoms_[name] = result;
    return result;
}

// A window manager that follows EWMH names a check window on the root.
bool X11Desktop::hasWindowManager() {
    if (hasWindowManager_) return *hasWindowManager_;
    auto cookie = xcb_get_property(connection_, 0, root_, atom("_NET_SUPPORTING_WM_CHECK"),
                                   XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_, cookie, nullptr);
    bool found =
        reply && reply->type == XCB_ATOM_WINDOW && xcb_get_property_value_length(reply) == 4;
    std::free(reply);
    hasWindowManager_ = found;
    return found;
}

void X11Desktop::setStatesBeforeMap(std::uint32_t window, bool skipTaskbar, bool above) {
    std::vector<std::uint32_t> states;
    if (skipTaskbar) {
        states.push_back(atom("_NET_WM_STATE_SKIP_TASKBAR"));
        states.push_back(atom("_NET_WM_STATE_SKIP_PAGER"));
    }
    if (above) states.push_back(atom("_NET_WM_STATE_ABOVE"));
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_STATE"),
                        XCB_ATOM_ATOM, 32, static_cast<std::uint32_t>(states.size()),
                        states.data());
}

// The EWMH request to the window manager; without one nobody reads it.
void X11Desktop::changeAbove(std::uint32_t window, bool above) {
    if (!hasWindowManager()) return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("_NET_WM_STATE");
    message.data.data32[0] = above ? 1 : 0;  // add or remove
    message.data.data32[1] = atom("_NET_WM_STATE_ABOVE");
    message.data.data32[3] = 1;  // from a normal application
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
}

// Motif's decorations: a border and a title, no menu, minimise or maximise
// button. The allowed actions belong to the window manager, which replaces
// them with what it grants; set before the map, they say what we ask for.
void X11Desktop::allowMoveOnly(std::uint32_t window, bool titleBar) {
    enum : std::uint32_t { kFunctions = 1, kDecorations = 2, kMove = 4, kBorder = 2, kTitle = 8 };
    const std::uint32_t hints[5] = {kFunctions | kDecorations, kMove,
                                    titleBar ? kBorder | kTitle : kBorder, 0, 0};
    const std::uint32_t property = atom("_MOTIF_WM_HINTS");
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, property, property, 32, 5,
                        hints);
    const std::uint32_t move = atom("_NET_WM_ACTION_MOVE");
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_ALLOWED_ACTIONS"),
                        XCB_ATOM_ATOM, 32, 1, &move);
}

// The user time on the window and the request from an application (source
// 1) with that time: what focus-stealing prevention lets through when the
// user's action is the newest one.
void X11Desktop::activate(std::uint32_t window, std::uint32_t userTime, std::uint32_t focused) {
    if (userTime) {
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_USER_TIME"),
                            XCB_ATOM_CARDINAL, 32, 1, &userTime);
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("_NET_ACTIVE_WINDOW");
    message.data.data32[0] = 1;
    message.data.data32[1] = userTime;
    message.data.data32[2] = focused;
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
}

void X11Desktop::clearTitle(std::uint32_t window) {
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_NAME"),
                        atom("UTF8_STRING"), 8, 0, nullptr);
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, 0, nullptr);
}

std::optional<FrameExtents> X11Desktop::readFrameExtents(std::uint32_t window) {
    auto cookie = xcb_get_property(connection_, 0, window, atom("_NET_FRAME_EXTENTS"),
                                   XCB_ATOM_CARDINAL, 0, 4);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection_, cookie, nullptr);
    std::optional<FrameExtents> result;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16) {
        const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        result = FrameExtents{int(v[0]), int(v[1]), int(v[2]), int(v[3])};
    }
    std::free(reply);
    return result;
}

std::optional<FrameExtents> X11Desktop::requestFrameExtents(std::uint32_t window) {
    if (!hasWindowManager()) return FrameExtents{};
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (auto extents = readFrameExtents(window)) return extents;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::nullopt;
}

std::optional<std::pair<int, int>> X11Desktop::rootPosition(std::uint32_t window) {
    auto cookie = xcb_translate_coordinates(connection_, window, root_, 0, 0);
    xcb_translate_coordinates_reply_t* reply =
        xcb_translate_coordinates_reply(connection_, cookie, nullptr);
    if (!reply) return std::nullopt;
    const std::pair<int, int> position{reply->dst_x, reply->dst_y};
    std::free(reply);
    return position;
}

void X11Desktop::flush() {
    xcb_flush(connection_);
}

std::optional<int> extensionOpcode(xcb_connection_t* connection, const char* name) {
    auto cookie = xcb_query_extension(connection, std::strlen(name), name);
    xcb_query_extension_reply_t* reply = xcb_query_extension_reply(connection, cookie, nullptr);
    std::optional<int> opcode;
    if (reply && reply->present) opcode = reply->major_opcode;
    std::free(reply);
    return opcode;
}

}  // namespace platform::qt
