// Input values as the model wants them: Windows virtual-key codes, mouse
// button numbers and shift bits, translated from Qt's.
#pragma once

#include <Qt>

namespace platform::qt {

// 0 when the key has no virtual-key code.
int virtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
// The Qt key that a synthetic press of the virtual key sends; 0 for none.
int qtKeyFromVirtual(int virtualKey);
// The text a press of that key types ("a" for 'A'), for synthetic presses.
char typedTextOfVirtual(int virtualKey);

int shiftBits(Qt::KeyboardModifiers modifiers);
int buttonNumber(Qt::MouseButton button);
int buttonBits(Qt::MouseButtons buttons);

}  // namespace platform::qt
