#include "platform/win32/win32_desktop_map.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform::win32 {

namespace {

constexpr double kTwipsPerModelPixel = forms::kTwipsPerPixel;

// How far a value lies outside [low, high): 0 inside.
double outside(double value, double low, double high) {
    if (value < low) return low - value;
    if (value >= high) return value - high;
    return 0;
}

double modelStart(const MonitorSpan& span) {
    return span.start * kTwipsPerModelPixel;
}

double modelEnd(const MonitorSpan& span, int dpi) {
    return (span.start + modelPixels(span, dpi)) * kTwipsPerModelPixel;
}

// The monitor a point is on, or the one nearest to it.
template <typename Distance>
const Monitor& nearest(const std::vector<Monitor>& monitors, Distance distance) {
    const Monitor* best = &monitors.front();
    double bestDistance = distance(*best);
    for (const Monitor& m : monitors) {
        const double d = distance(m);
        if (d < bestDistance) {
            best = &m;
            bestDistance = d;
        }
    }
    return *best;
}

}  // namespace

int modelPixels(const MonitorSpan& span, int dpi) {
    return forms::roundToInt32(span.length * double(kDesignDpi) / dpi);
}

double deviceToTwips(const MonitorSpan& span, int dpi, int device) {
    return modelStart(span) + toTwips(device - span.start, dpi);
}

int twipsToDevice(const MonitorSpan& span, int dpi, double twips) {
    return span.start + toDevice(twips - modelStart(span), dpi);
}

DeviceSpan windowSpan(const MonitorSpan& monitor, int monitorDpi, int windowDpi,
                      const WindowAxis& axis) {
    const double clientTw = axis.lengthTw - axis.frameTw;
    int length = 0;
    if (clientTw < 0) {
        length = toDevice(axis.lengthTw, windowDpi);  // shrunk past its frame
    } else if (clientTw > 0 && clientTw <= kTwipsPerModelPixel) {
        length = axis.frameDevice + 1;
    } else {
        length = axis.frameDevice + toDevice(clientTw, windowDpi);
    }
    // A framed window keeps its frame and two pixels inside it, so a window
    // of a twip (the splash as it starts) is seen as a tiny framed square.
    if (axis.frameTw > 0 && axis.lengthTw > 0) length = std::max(length, axis.frameDevice + 2);
    // Half a twip covers what floating point does to the sum.
    if (std::abs(axis.startTw + axis.lengthTw - modelEnd(monitor, monitorDpi)) < 0.5) {
        return {monitor.start + monitor.length - length, length};
    }
    return {twipsToDevice(monitor, monitorDpi, axis.startTw), length};
}

double windowLengthTw(int windowDpi, int deviceLength, const WindowAxis& axis) {
    if (deviceLength < axis.frameDevice) return toTwips(deviceLength, windowDpi);
    return axis.frameTw + toTwips(deviceLength - axis.frameDevice, windowDpi);
}

DesktopMap::DesktopMap(std::vector<Monitor> monitors) : monitors_(std::move(monitors)) {
    if (monitors_.empty()) monitors_.push_back(Monitor{});
}

SizePx DesktopMap::primarySize() const {
    return {modelPixels(primary().x, primary().dpi), modelPixels(primary().y, primary().dpi)};
}

std::vector<RectPx> DesktopMap::modelRects() const {
    std::vector<RectPx> rects;
    for (const Monitor& m : monitors_) {
        rects.push_back({m.x.start, m.y.start, modelPixels(m.x, m.dpi), modelPixels(m.y, m.dpi)});
    }
    return rects;
}

const Monitor& DesktopMap::atDevice(int x, int y) const {
    return nearest(monitors_, [x, y](const Monitor& m) {
        return outside(x, m.x.start, m.x.start + m.x.length) +
               outside(y, m.y.start, m.y.start + m.y.length);
    });
}

const Monitor& DesktopMap::atModel(double xTw, double yTw) const {
    return nearest(monitors_, [xTw, yTw](const Monitor& m) {
        return outside(xTw, modelStart(m.x), modelEnd(m.x, m.dpi)) +
               outside(yTw, modelStart(m.y), modelEnd(m.y, m.dpi));
    });
}

PointPx DesktopMap::toModel(int x, int y) const {
    const Monitor& m = atDevice(x, y);
    return {forms::roundToInt32(deviceToTwips(m.x, m.dpi, x) / kTwipsPerModelPixel),
            forms::roundToInt32(deviceToTwips(m.y, m.dpi, y) / kTwipsPerModelPixel)};
}

}  // namespace platform::win32
