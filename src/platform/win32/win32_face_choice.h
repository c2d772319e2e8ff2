// Which installed face stands in for a Japanese face of the layout that the
// machine lacks. Left to itself the system picks one monospaced Gothic for
// all four; the layout's widths and its Mincho look want a face of the same
// kind and pitch. Free of windows.h, so it is tested on any machine.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::win32 {

struct InstalledFace {
    std::u16string name;
    bool fixedPitch = false;
};

// `wanted` when it is installed (under its Japanese or its English name);
// for one of the four Japanese faces of the layout that is not, the closest
// installed face: Mincho for Mincho, Gothic for Gothic, proportional for
// proportional, the IPA faces (drawn to the same widths) first. Any other
// face, or nothing Japanese installed, is left to the system.
std::u16string closestFace(std::u16string_view wanted, const std::vector<InstalledFace>& installed);

}  // namespace platform::win32
