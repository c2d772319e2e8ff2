// Where the model's 96-dpi pixels lie on the device. Each monitor keeps its
// top-left corner at the same numbers in both and scales from there by its
// own DPI, so a point or a window converts by the monitor it is on, and the
// pointer and the windows always agree. Free of windows.h, so it is tested
// on any machine.
#pragma once

#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32_units.h"

namespace platform::win32 {

// One axis of a monitor in device pixels.
struct MonitorSpan {
    int start = 0;
    int length = 0;
};

struct Monitor {
    MonitorSpan x, y;
    int dpi = kDesignDpi;
};

// One axis of a top-level window: the model's twips and the frame's share
// of them, which the system draws at the window's own DPI.
struct WindowAxis {
    double startTw = 0;
    double lengthTw = 0;
    double frameTw = 0;
    int frameDevice = 0;
};

struct DeviceSpan {
    int start = 0;
    int length = 0;
};

// The model pixels a monitor's axis spans: what the program takes for the
// width or height of the screen.
int modelPixels(const MonitorSpan& span, int dpi);

// A device coordinate on a monitor as model twips, and back.
double deviceToTwips(const MonitorSpan& span, int dpi, int device);
int twipsToDevice(const MonitorSpan& span, int dpi, double twips);

// A window's axis in device pixels: positioned by the monitor it starts on,
// sized at the window's DPI. A window that ends where the monitor ends in the
// model ends there on the device too, and a client of one model pixel or
// less is one device pixel: the call point is one pixel in the very corner
// at any DPI.
DeviceSpan windowSpan(const MonitorSpan& monitor, int monitorDpi, int windowDpi,
                      const WindowAxis& axis);

// The model's twips of a window's device size (frame plus client).
double windowLengthTw(int windowDpi, int deviceLength, const WindowAxis& axis);

class DesktopMap {
  public:
    // The primary monitor first; an empty list stands for one 96-dpi screen.
    explicit DesktopMap(std::vector<Monitor> monitors);

    const Monitor& primary() const { return monitors_.front(); }
    SizePx primarySize() const;
    std::vector<RectPx> modelRects() const;  // every monitor, in model pixels
    const Monitor& atDevice(int x, int y) const;
    const Monitor& atModel(double xTw, double yTw) const;
    PointPx toModel(int x, int y) const;

  private:
    std::vector<Monitor> monitors_;
};

}  // namespace platform::win32
