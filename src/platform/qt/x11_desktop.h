// The few X11 window-manager conversations Qt has no API for: is there a
// window manager, keep a window off the taskbar, ask for frame extents,
// offer only moving, activate with the user's time, an empty title, the
// desktop shell's bars.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

struct xcb_connection_t;

namespace platform::qt {

struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};

// The major opcode of the server's extension of that name; nullopt when it has none.
std::optional<int> extensionOpcode(xcb_connection_t* connection, const char* name);

class X11Desktop {
  public:
    // Null when the program does not run on X11 (then every call is a no-op).
    static std::optional<X11Desktop> current();

    bool hasWindowManager();
    // Before the window is mapped: its _NET_WM_STATE (off taskbar and pager,
    // above the others). A window manager clears it when the window is hidden,
    // so this runs before every show; Qt adds its own states to these.
    void setStatesBeforeMap(std::uint32_t window, bool skipTaskbar, bool above);
    // A mapped window enters or leaves the band above the others.
    void changeAbove(std::uint32_t window, bool above);
    // Only moving is allowed (no menu, minimise, maximise, close or resize),
    // in Motif's hints and in EWMH's allowed actions: Qt cannot say that,
    // and window managers then offer every button.
    void allowMoveOnly(std::uint32_t window, bool titleBar);
    // Asks the window manager to activate the window for a user's action
    // made at userTime (X server time), from the window that has the focus.
    void activate(std::uint32_t window, std::uint32_t userTime, std::uint32_t focused);
    // An empty title, said explicitly: Qt would put the program's name.
    void clearTitle(std::uint32_t window);
    // Asks the window manager what frame it would give the (unmapped)
    // window; nullopt when it does not answer within a short wait.
    std::optional<FrameExtents> requestFrameExtents(std::uint32_t window);
    // Where the server has the window's client corner, whatever its toolkit believes.
    std::optional<std::pair<int, int>> rootPosition(std::uint32_t window);
    // Whether a compositing desktop shell takes the pointer at this root
    // pixel above every window (GNOME Shell's top bar on X11). Not for
    // XWayland, where the overlay would be a window covering the session.
    bool shellBarsTakePointerAt(int x, int y);
    void flush();
    xcb_connection_t* connection() const { return connection_; }
    std::uint32_t root() const { return root_; }
    // The atom of that name, asked once.
    std::uint32_t atom(const char* name);

  private:
    X11Desktop(xcb_connection_t* connection, std::uint32_t root)
        : connection_(connection), root_(root) {}
    void internAtoms();
    std::optional<FrameExtents> readFrameExtents(std::uint32_t window);

    xcb_connection_t* connection_;
    std::uint32_t root_;
    std::optional<bool> hasWindowManager_;
    std::map<std::string, std::uint32_t> atoms_;
};

}  // namespace platform::qt
