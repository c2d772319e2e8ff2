// Files dropped from Explorer and other programs. Where OLE takes the
// window as a drop target (win32_drop_target.cpp) the drag is seen as it
// passes; elsewhere the window takes drops through its WS_EX_ACCEPTFILES
// style (WM_DROPFILES), which is all DragAcceptFiles would do, and hears
// only of the drop. Either way shell32 loads at the first drag, not at start.
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
    const bool folder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return {toUtf8(path), toUtf8(name), folder, {}};  // no desktop entries on Windows
}

}  // namespace

// Every path the drop carries, each as long as it is (no MAX_PATH limit).
forms::DroppedFiles filesOfDrop(HANDLE dropHandle) {
    forms::DroppedFiles files;
    const auto queryFile = dropFunctions().queryFile;
    if (!queryFile || !dropHandle) return files;
    const auto drop = static_cast<HDROP>(dropHandle);
    const UINT count = queryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = queryFile(drop, i, nullptr, 0);
        std::u16string path(std::size_t(length) + 1, u'\0');
        const UINT copied = queryFile(drop, i, reinterpret_cast<LPWSTR>(path.data()), length + 1);
        path.resize(std::min<std::size_t>(copied, length));
        if (!path.empty()) files.push_back(droppedFile(path));
    }
    return files;
}

void FormWindow::acceptDroppedFiles() {
    if (registerDropTarget()) return;
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE,
                      GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
}

void FormWindow::filesDropped(WPARAM dropHandle) {
    const DropFunctions& shell = dropFunctions();
    if (!shell.queryFile || !shell.queryPoint || !shell.finish) return;
    const auto drop = reinterpret_cast<HDROP>(dropHandle);
    const forms::DroppedFiles files = filesOfDrop(drop);
    POINT at{};
    shell.queryPoint(drop, &at);
    shell.finish(drop);
    dropAt(files, at);
}

// Hands the files to whoever takes them at a client point; false when
// nobody there does, or there are none.
bool FormWindow::dropAt(const forms::DroppedFiles& files, POINT at) {
    forms::Control* control = dropTargetAt(at);
    if (files.empty() || !takesDrop(control)) return false;
    form_.dropAt(control, files, twips(at.x), twips(at.y));
    return true;
}

bool FormWindow::takesDrop(const forms::Control* control) const {
    return (control && control->onDragDrop) || form_.onDragDrop;
}

// The control under a client point, as the mouse finds it: the child
// window there, or a control the form or a frame paints itself.
forms::Control* FormWindow::dropTargetAt(POINT at) {
    POINT screen = at;
    ClientToScreen(hwnd_, &screen);
    const HWND hit = WindowFromPoint(screen);
    Child* child = hit && hit != hwnd_ ? childOf(hit) : nullptr;
    if (child && child->control->kind() != forms::ControlKind::Frame) return child->control;
    const forms::Frame* surface =
        child ? static_cast<const forms::Frame*>(child->control) : nullptr;
    if (surface) {
        const RECT frame = childRect(*surface);
        at.x -= frame.left;
        at.y -= frame.top;
    }
    return windowlessAt(surface, at);
}

}  // namespace platform::win32
