// Files dropped from Explorer and other programs (WM_DROPFILES). The window
// takes them through its WS_EX_ACCEPTFILES style, set here, which is all
// DragAcceptFiles would do: shell32 then loads at the first drop, not at
// start. Windows reports no drag passing over such a window, only the drop.
#include "platform/win32/win32_form_window.h"
// After windows.h.
#include <shellapi.h>

#include <algorithm>

#include "platform/win32/win32_late_binding.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_units.h"

namespace platform::win32 {

namespace {

struct DropFunctions {
    decltype(&DragQueryFileW) queryFile;
    decltype(&DragQueryPoint) queryPoint;
    decltype(&DragFinish) finish;
};

const DropFunctions& dropFunctions() {
    constexpr const wchar_t* kShell = L"shell32.dll";
    static const DropFunctions loaded{
        lateBound<decltype(&DragQueryFileW)>(kShell, "DragQueryFileW"),
        lateBound<decltype(&DragQueryPoint)>(kShell, "DragQueryPoint"),
        lateBound<decltype(&DragFinish)>(kShell, "DragFinish"),
    };
    return loaded;
}

forms::DroppedFile droppedFile(const std::u16string& path) {
    const auto cut = path.find_last_of(u"\\/");
    const std::u16string name = cut == std::u16string::npos ? path : path.substr(cut + 1);
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.c_str()));
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return {toUtf8(path), toUtf8(name), folder};
}

// Every path the drop carries, each as long as it is (no MAX_PATH limit).
forms::DroppedFiles droppedFiles(const DropFunctions& shell, HDROP drop) {
    forms::DroppedFiles files;
    const UINT count = shell.queryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = shell.queryFile(drop, i, nullptr, 0);
        std::u16string path(std::size_t(length) + 1, u'\0');
        const UINT copied = shell.queryFile(drop, i, reinterpret_cast<LPWSTR>(path.data()), length + 1);
        path.resize(std::min<std::size_t>(copied, length));
        if (!path.empty()) files.push_back(droppedFile(path));
    }
    return files;
}

}  // namespace

void FormWindow::acceptDroppedFiles() {
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
}

void FormWindow::filesDropped(WPARAM dropHandle) {
    const DropFunctions& shell = dropFunctions();
    if (!shell.queryFile || !shell.queryPoint || !shell.finish) return;
    const auto drop = reinterpret_cast<HDROP>(dropHandle);
    const forms::DroppedFiles files = droppedFiles(shell, drop);
    POINT at{};
    shell.queryPoint(drop, &at);
    shell.finish(drop);
    if (files.empty()) return;
    form_.dropAt(dropTargetAt(at), files, twips(at.x), twips(at.y));
}

// The control under a client point, as the mouse finds it: the child
// window there, or a control the form or a frame paints itself.
forms::Control* FormWindow::dropTargetAt(POINT at) {
    POINT screen = at;
    ClientToScreen(hwnd_, &screen);
    const HWND hit = WindowFromPoint(screen);
    Child* child = hit && hit != hwnd_ ? childOf(hit) : nullptr;
    if (child && child->control->kind() != forms::ControlKind::Frame) return child->control;
    const forms::Frame* surface = child ? static_cast<const forms::Frame*>(child->control) : nullptr;
    if (surface) {
        const RECT frame = childRect(*surface);
        at.x -= frame.left;
        at.y -= frame.top;
    }
    return windowlessAt(surface, at);
}

}  // namespace platform::win32
