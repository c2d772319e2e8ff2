#include "platform/win32/win32_late_binding.h"

namespace platform::win32 {

FARPROC lateBoundProc(const wchar_t* library, const char* function) {
    HMODULE module = GetModuleHandleW(library);
    // Only the system folder: a library of that name beside the exe or in
    // the working folder must not be picked up instead.
    if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? GetProcAddress(module, function) : nullptr;
}

namespace {
constexpr const wchar_t* kCommonControls = L"comctl32.dll";

CommonControls loadCommonControls() {
    // The manifest makes this the version 6 library, as it would for an
    // imported one.
    auto initialize =
        lateBound<decltype(&InitCommonControlsEx)>(kCommonControls, "InitCommonControlsEx");
    if (!initialize) return {};
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    initialize(&classes);
    CommonControls loaded{
        lateBound<decltype(&SetWindowSubclass)>(kCommonControls, "SetWindowSubclass"),
        lateBound<decltype(&RemoveWindowSubclass)>(kCommonControls, "RemoveWindowSubclass"),
        lateBound<decltype(&DefSubclassProc)>(kCommonControls, "DefSubclassProc"),
    };
    if (!loaded.setSubclass || !loaded.removeSubclass || !loaded.callNext) return {};
    return loaded;
}
}  // namespace

const CommonControls& commonControls() {
    static const CommonControls loaded = loadCommonControls();
    return loaded;
}

}  // namespace platform::win32
