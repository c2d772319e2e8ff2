// Twips, pixels and points: 15 twips are one pixel, always (the program is
// not DPI-aware on purpose), and model values round to pixels only here.
#pragma once

#include "forms/numeric.h"
#include "forms/types.h"

namespace platform::win32 {

inline int toPixels(double twips) {
    return forms::roundToInt32(twips / forms::kTwipsPerPixel);
}

inline double toTwips(int pixels) { return double(pixels) * forms::kTwipsPerPixel; }

// The character height of a font of `points` at 96 dpi, negative as
// LOGFONT wants it; 9.75 pt is 13 pixels, not the 12 of whole points.
inline int fontHeightPx(double points) { return -forms::roundToInt32(points * 96.0 / 72.0); }

}  // namespace platform::win32
