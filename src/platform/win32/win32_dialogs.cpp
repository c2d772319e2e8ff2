// The modal dialogs: message boxes with the classic styles, the open-file
// dialog and the colour dialog. Each is owned by one of our windows so it
// stays in front of the program.

#include "platform/win32/win32_platform.h"
// After windows.h.
#include <commdlg.h>

#include <vector>

#include "forms/form.h"
#include "platform/win32/win32_late_binding.h"
#include "platform/win32/win32_text.h"

namespace platform::win32 {

namespace {

LPCWSTR wide(const std::u16string& text) {
    return reinterpret_cast<LPCWSTR>(text.c_str());
}

// The colour dialog has no title field; set it once the dialog exists.
UINT_PTR CALLBACK colorDialogTitle(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        const auto* request = reinterpret_cast<const CHOOSECOLORW*>(lParam);
        SetWindowTextW(dialog, reinterpret_cast<LPCWSTR>(request->lCustData));
    }
    return 0;
}

}  // namespace

// The style bits are the classic ones, equal to the MB_ flags.
int Win32Platform::messageBox(const std::string& text, int style, const std::string& title) {
    const std::u16string body = toUtf16(text), caption = toUtf16(title);
    return MessageBoxW(GetActiveWindow(), wide(body), wide(caption), UINT(style));
}

std::optional<OpenFileResult> Win32Platform::openFile(const OpenFileRequest& request) {
    std::vector<wchar_t> file(32768, L'\0');  // room for long paths
    const std::u16string filter = fileFilterList(request.filter);
    const std::u16string title = toUtf16(request.title);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = windowOf(request.owner);
    ofn.lpstrFilter = request.filter.empty() ? nullptr : wide(filter);
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = DWORD(file.size());
    ofn.lpstrTitle = title.empty() ? nullptr : wide(title);
    ofn.Flags = DWORD(request.flags);
    auto getOpenFileName =
        lateBound<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!getOpenFileName) return std::nullopt;
    initializeCom();
    if (!getOpenFileName(&ofn)) return std::nullopt;
    const std::u16string path(reinterpret_cast<const char16_t*>(file.data()));
    const std::size_t nameAt = ofn.nFileOffset <= path.size() ? ofn.nFileOffset : path.size();
    return OpenFileResult{toUtf8(path), toUtf8(std::u16string_view(path).substr(nameAt))};
}

std::optional<forms::Color> Win32Platform::chooseColor(const ColorRequest& request) {
    const std::u16string title = toUtf16(request.title);
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = windowOf(request.owner);
    cc.lpCustColors = customColors_.data();
    cc.Flags = DWORD(request.flags);
    if (!title.empty()) {
        cc.Flags |= CC_ENABLEHOOK;
        cc.lpfnHook = &colorDialogTitle;
        cc.lCustData = reinterpret_cast<LPARAM>(title.c_str());
    }
    auto chooseColor = lateBound<decltype(&ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    if (!chooseColor || !chooseColor(&cc)) return std::nullopt;
    return forms::Color(cc.rgbResult & 0xFFFFFF);
}

}  // namespace platform::win32
