// Twips, device pixels and points. The model keeps twips and takes 15 of
// them for a pixel, that is pixels of 96 dpi; the windows are drawn at the
// DPI of their monitor, where a pixel is 1440 / dpi twips. Model values
// round to device pixels only here.
#pragma once

#include "forms/numeric.h"
#include "forms/types.h"

namespace platform::win32 {

constexpr int kDesignDpi = 96;  // the DPI at which 15 twips are one pixel
constexpr double kTwipsPerInch = 1440;

inline int toDevice(double twips, int dpi) {
    return forms::roundToInt32(twips * dpi / kTwipsPerInch);
}

inline double toTwips(int pixels, int dpi) {
    return double(pixels) * kTwipsPerInch / dpi;
}

// The character height of a font of `points`, negative as LOGFONT wants
// it; at 96 dpi 9.75 pt is 13 pixels, not the 12 of whole points.
inline int fontHeightPx(double points, int dpi) {
    return -forms::roundToInt32(points * dpi / 72.0);
}

}  // namespace platform::win32
