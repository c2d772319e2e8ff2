// The events come through Qt's connection, ahead of Qt: the root's
// properties (Qt listens to them already), the active window's properties
// and moves, and the root's children mapped, moved and gone. What is read
// from the server is read once per burst of events, on the event loop.
#include "platform/qt/x11_foreground_watch.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace platform::qt {

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

constexpr std::uint32_t kRootMask =
    XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
constexpr std::uint32_t kActiveMask =
    XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;

// A window may be gone by the time the request arrives: its error is
// dropped here rather than printed by Qt.
void selectEvents(xcb_connection_t* connection, std::uint32_t window, std::uint32_t mask) {
    auto cookie =
        xcb_change_window_attributes_checked(connection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_discard_reply(connection, cookie.sequence);
}

std::vector<std::uint32_t> values32(xcb_get_property_reply_t* reply) {
    if (!reply || reply->format != 32) return {};
    const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    return {v, v + xcb_get_property_value_length(reply) / 4};
}

bool holds(const std::vector<std::uint32_t>& list, std::uint32_t value) {
    return value != XCB_ATOM_NONE && std::find(list.begin(), list.end(), value) != list.end();
}

// The model counts Qt's pixels, which are device pixels over Qt's scale.
RectPx toModel(const RectPx& device) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    auto scaled = [ratio](int v) { return static_cast<int>(std::lround(v / ratio)); };
    return {scaled(device.x), scaled(device.y), scaled(device.width), scaled(device.height)};
}

}  // namespace

X11ForegroundWatch::X11ForegroundWatch(X11Desktop desktop, std::function<bool(std::uint32_t)> ours)
    : desktop_(std::move(desktop)), ours_(std::move(ours)) {}

X11ForegroundWatch::~X11ForegroundWatch() {
    stop();
}

void X11ForegroundWatch::start(std::function<void()> changed) {
    const bool first = !changed_;
    changed_ = std::move(changed);
    if (!first) return;
    for (const char* name :
         {"_NET_ACTIVE_WINDOW", "_NET_WM_STATE", "_NET_WM_STATE_FULLSCREEN", "_NET_WM_WINDOW_TYPE",
          "_NET_WM_WINDOW_TYPE_DESKTOP", "_NET_FRAME_EXTENTS"}) {
        desktop_.atom(name);  // asked now, not while an event waits
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
    selectOnRoot(true);
    scanUnmanaged();
    activeDirty_ = true;
    refreshLater();
}

void X11ForegroundWatch::stop() {
    if (!changed_) return;
    changed_ = nullptr;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    selectOnRoot(false);
    follow(0);
    activeFront_.reset();
    unmanaged_.clear();
    toMeasure_.clear();
    desktop_.flush();
}

Front X11ForegroundWatch::front() {
    Front front;
    if (activeFront_) {
        front.active = *activeFront_;
        front.active->client = toModel(activeFront_->client);
    }
    for (const auto& [window, rect] : unmanaged_) {
        front.unmanaged.push_back({toModel(rect), false, false, false});
    }
    return front;
}

// Adds to what Qt asked of the root (the same connection has one mask per
// window), and takes back only what it added.
void X11ForegroundWatch::selectOnRoot(bool watching) {
    xcb_connection_t* connection = desktop_.connection();
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, desktop_.root()), nullptr));
    if (!attributes) return;
    const std::uint32_t mask = attributes->your_event_mask;
    if (watching) {
        rootMaskAdded_ = kRootMask & ~mask;
        selectEvents(connection, desktop_.root(), mask | rootMaskAdded_);
    } else {
        selectEvents(connection, desktop_.root(), mask & ~rootMaskAdded_);
        rootMaskAdded_ = 0;
    }
}

bool X11ForegroundWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t kind = event->response_type & ~0x80;
    if (kind == XCB_PROPERTY_NOTIFY) {
        const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        const bool activeChanged =
            e->window == desktop_.root() && e->atom == desktop_.atom("_NET_ACTIVE_WINDOW");
        const bool stateChanged = e->window == active_ && active_ &&
                                  (e->atom == desktop_.atom("_NET_WM_STATE") ||
                                   e->atom == desktop_.atom("_NET_WM_WINDOW_TYPE") ||
                                   e->atom == desktop_.atom("_NET_FRAME_EXTENTS"));
        if (activeChanged || stateChanged) {
            activeDirty_ = true;
            refreshLater();
        }
        return false;
    }
    return rootChildEvent(kind, event);
}

// The active window's own moves and end, and the root's children: the
// latter were asked for here alone, so Qt never sees them.
bool X11ForegroundWatch::rootChildEvent(std::uint8_t kind, const void* event) {
    const bool ownsSubstructure = rootMaskAdded_ & XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const std::uint32_t root = desktop_.root();
    switch (kind) {
        case XCB_CONFIGURE_NOTIFY: {
            const auto* e = static_cast<const xcb_configure_notify_event_t*>(event);
            if (e->window == active_ && active_) {
                activeDirty_ = true;
                refreshLater();
            }
            if (e->event != root || e->window == root) return false;
            auto known = unmanaged_.find(e->window);
            if (known != unmanaged_.end()) {
                known->second = {e->x, e->y, e->width, e->height};
                refreshLater();
            }
            return ownsSubstructure;
        }
        case XCB_MAP_NOTIFY: {
            const auto* e = static_cast<const xcb_map_notify_event_t*>(event);
            if (e->event != root) return false;
            if (e->override_redirect && !ours_(e->window)) {
                toMeasure_.insert(e->window);
                refreshLater();
            }
            return ownsSubstructure;
        }
        case XCB_UNMAP_NOTIFY:
        case XCB_DESTROY_NOTIFY:
        case XCB_REPARENT_NOTIFY: {
            // The three events keep the window in the same place.
            const auto* e = static_cast<const xcb_unmap_notify_event_t*>(event);
            if (e->window == active_ && active_ && e->event == active_) {
                if (kind == XCB_DESTROY_NOTIFY) active_ = 0;
                activeDirty_ = true;
                refreshLater();
                return false;
            }
            if (e->event != root || e->window == root) return false;
            toMeasure_.erase(e->window);
            if (unmanaged_.erase(e->window)) refreshLater();
            return ownsSubstructure;
        }
        case XCB_CREATE_NOTIFY:
        case XCB_GRAVITY_NOTIFY:
        case XCB_CIRCULATE_NOTIFY: {
            const auto* e = static_cast<const xcb_create_notify_event_t*>(event);
            return ownsSubstructure && e->parent == root;
        }
        default:
            return false;
    }
}

// One read and one word to the program per burst of events.
void X11ForegroundWatch::refreshLater() {
    if (refreshPending_) return;
    refreshPending_ = true;
    QTimer::singleShot(0, &context_, [this] {
        refreshPending_ = false;
        refresh();
    });
}

void X11ForegroundWatch::refresh() {
    if (!changed_) return;
    if (activeDirty_) {
        activeDirty_ = false;
        readActive();
    }
    measureUnmanaged();
    changed_();
}

// Asked again for the same id too: the server hands a closed window's id to
// the next window made, and a window manager may name that one active
// without the property's value changing.
void X11ForegroundWatch::follow(std::uint32_t window) {
    xcb_connection_t* connection = desktop_.connection();
    if (active_ && active_ != window) selectEvents(connection, active_, 0);
    active_ = window;
    if (active_) selectEvents(connection, active_, kActiveMask);
    desktop_.flush();
}

// Its state, type and frame, its size and where its client area lies on
// the root: the requests go out together, and the answers come back in one
// round trip.
void X11ForegroundWatch::readActive() {
    xcb_connection_t* connection = desktop_.connection();
    const std::uint32_t root = desktop_.root();
    Reply<xcb_get_property_reply_t> activeReply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, root, desktop_.atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW,
                         0, 1),
        nullptr));
    const auto ids = values32(activeReply.get());
    const std::uint32_t window = ids.empty() ? 0 : ids.front();
    follow(window && !ours_(window) ? window : 0);
    activeFront_.reset();
    if (!active_) return;
    const std::uint32_t w = active_;
    auto state =
        xcb_get_property(connection, 0, w, desktop_.atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 32);
    auto type = xcb_get_property(connection, 0, w, desktop_.atom("_NET_WM_WINDOW_TYPE"),
                                 XCB_ATOM_ATOM, 0, 32);
    auto frame = xcb_get_property(connection, 0, w, desktop_.atom("_NET_FRAME_EXTENTS"),
                                  XCB_ATOM_CARDINAL, 0, 4);
    auto geometry = xcb_get_geometry(connection, w);
    auto origin = xcb_translate_coordinates(connection, w, root, 0, 0);
    Reply<xcb_get_property_reply_t> stateReply(xcb_get_property_reply(connection, state, nullptr));
    Reply<xcb_get_property_reply_t> typeReply(xcb_get_property_reply(connection, type, nullptr));
    Reply<xcb_get_property_reply_t> frameReply(xcb_get_property_reply(connection, frame, nullptr));
    Reply<xcb_get_geometry_reply_t> size(xcb_get_geometry_reply(connection, geometry, nullptr));
    Reply<xcb_translate_coordinates_reply_t> at(
        xcb_translate_coordinates_reply(connection, origin, nullptr));
    if (!size || !at) return;  // gone meanwhile: the next active window follows
    const auto extents = values32(frameReply.get());
    FrontWindow front;
    front.client = {at->dst_x, at->dst_y, size->width, size->height};
    front.fullScreenState =
        holds(values32(stateReply.get()), desktop_.atom("_NET_WM_STATE_FULLSCREEN"));
    front.desktop = holds(values32(typeReply.get()), desktop_.atom("_NET_WM_WINDOW_TYPE_DESKTOP"));
    front.decorated = std::any_of(extents.begin(), extents.end(), [](auto v) { return v != 0; });
    activeFront_ = front;
}

// The unmanaged windows already up when the watch starts.
void X11ForegroundWatch::scanUnmanaged() {
    xcb_connection_t* connection = desktop_.connection();
    Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, desktop_.root()), nullptr));
    if (!tree) return;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    std::vector<xcb_get_window_attributes_cookie_t> cookies;
    cookies.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        cookies.push_back(xcb_get_window_attributes(connection, children[i]));
    for (int i = 0; i < count; ++i) {
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(connection, cookies[i], nullptr));
        if (attributes && attributes->override_redirect &&
            attributes->map_state == XCB_MAP_STATE_VIEWABLE && !ours_(children[i])) {
            toMeasure_.insert(children[i]);
        }
    }
}

// Unmanaged windows that draw (an input-only one is no game), with their
// place; the requests go out together.
void X11ForegroundWatch::measureUnmanaged() {
    if (toMeasure_.empty()) return;
    xcb_connection_t* connection = desktop_.connection();
    struct Asked {
        std::uint32_t window;
        xcb_get_window_attributes_cookie_t attributes;
        xcb_get_geometry_cookie_t geometry;
    };
    std::vector<Asked> asked;
    for (std::uint32_t window : toMeasure_) {
        asked.push_back({window, xcb_get_window_attributes(connection, window),
                         xcb_get_geometry(connection, window)});
    }
    toMeasure_.clear();
    for (const Asked& a : asked) {
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(connection, a.attributes, nullptr));
        Reply<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(connection, a.geometry, nullptr));
        if (!attributes || !geometry || attributes->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT ||
            attributes->map_state != XCB_MAP_STATE_VIEWABLE) {
            continue;
        }
        unmanaged_[a.window] = {geometry->x, geometry->y, geometry->width, geometry->height};
    }
}

}  // namespace platform::qt
