// Key codes of the window model: Windows virtual-key codes on every backend
// (the backends translate), named where the program tests for them.
#pragma once

namespace forms::keys {

constexpr int kReturn = 13;
constexpr int kShift = 16;
constexpr int kControl = 17;
constexpr int kMenu = 18;  // Alt
constexpr int kEscape = 27;
constexpr int kRightWindows = 92;

// A modifier pressed alone: it never counts as a key of its own.
constexpr bool isModifier(int keyCode) {
    return keyCode == kShift || keyCode == kControl || keyCode == kMenu || keyCode == kRightWindows;
}

}  // namespace forms::keys
