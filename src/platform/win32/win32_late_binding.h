// Libraries that only a rare action needs (starting an entry, browsing for
// a file, picking a colour) are loaded at that action, not at start: each
// would otherwise hold its pages, and the libraries they pull in, for the
// whole life of a program that mostly sits as one pixel in a corner.
#pragma once

#include "platform/win32/win32_platform.h"

namespace platform::win32 {

// The named function of a system library, loaded from the system folder on
// the first call; null when either cannot be had.
FARPROC lateBoundProc(const wchar_t* library, const char* function);

template <typename Function>
Function lateBound(const wchar_t* library, const char* function) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(lateBoundProc(library, function)));
}

// The common controls library, loaded and initialised when the first form
// shows its controls; every member is null when it cannot be had.
struct CommonControls {
    decltype(&SetWindowSubclass) setSubclass = nullptr;
    decltype(&RemoveWindowSubclass) removeSubclass = nullptr;
    decltype(&DefSubclassProc) callNext = nullptr;
};
const CommonControls& commonControls();

}  // namespace platform::win32
