#include "platform/win32/win32_popup_menu.h"

#include "forms/form.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_units.h"

namespace platform::win32 {

namespace {

// Opened by a key, the menu hangs from the control's lower left corner.
POINT menuPlace(Win32Platform& platform, HWND owner, const forms::Control& anchor, bool atPointer) {
    POINT at{0, 0};
    if (atPointer || !owner) {
        GetCursorPos(&at);
        return at;
    }
    const int dpi = platform.windowDpi(owner);
    at = {toDevice(anchor.clientLeft(), dpi), toDevice(anchor.clientTop() + anchor.Height(), dpi)};
    ClientToScreen(owner, &at);
    return at;
}

}  // namespace

std::optional<int> Win32PopupMenu::popUp(forms::Control& anchor, bool atPointer,
                                         const std::vector<MenuItem>& items) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return std::nullopt;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].separatorBefore) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        const std::u16string text = toUtf16(items[i].text);
        const UINT checked = items[i].checkable && items[i].checked ? MF_CHECKED : MF_UNCHECKED;
        AppendMenuW(menu, MF_STRING | checked, UINT_PTR(i + 1),
                    reinterpret_cast<LPCWSTR>(text.c_str()));
    }
    HWND owner = Win32Platform::windowOf(&anchor.form());
    const POINT at = menuPlace(platform_, owner, anchor, atPointer);
    // The system closes a menu when its owner loses the foreground, so the
    // owner takes it first, and a posted message ends the menu's loop cleanly.
    if (owner) SetForegroundWindow(owner);
    const UINT command = UINT(TrackPopupMenuEx(
        menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x,
        at.y, owner ? owner : platform_.hiddenOwner(), nullptr));
    if (owner) PostMessageW(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (command == 0) return std::nullopt;
    return int(command - 1);
}

}  // namespace platform::win32
