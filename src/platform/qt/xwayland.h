// Wayland sessions. The program's windows need X11 (positions, the topmost
// band), so they go to XWayland; XWayland sees the pointer only while it is
// over an X11 window and keeps the last position it saw otherwise.
#pragma once

#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace platform::qt {

// Before Qt starts: in a Wayland session Qt is sent to XWayland, whatever
// QT_QPA_PLATFORM asks for (any choice other than Wayland stays). False
// when the session has no X server to reach.
bool routeWaylandSessionToX11();
// Tells the user that the session has no XWayland, in a box drawn on
// Wayland itself; the program's exit status.
int reportMissingXWayland();

// The pointer as XWayland knows it.
class XWaylandPointer {
  public:
    // Null on any X server other than XWayland.
    static std::unique_ptr<XWaylandPointer> detect(xcb_connection_t* connection);
    // False while the pointer lies over no X11 window (a native Wayland
    // window, the shell's own bars): then the position is a stale one.
    bool overX11Window() const;

  private:
    XWaylandPointer(xcb_connection_t* connection, std::uint32_t root)
        : connection_(connection), root_(root) {}
    xcb_connection_t* connection_;
    std::uint32_t root_;
};

}  // namespace platform::qt
