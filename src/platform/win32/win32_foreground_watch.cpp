// What other programs have in front on Windows: the foreground window with
// its client area and frame, and the shell's notification state. Followed
// through win event hooks (the foreground changing, and the foreground
// window's own moves), which arrive as messages of this thread: no poll.
#include "platform/win32/win32_foreground_watch.h"

#include <shellapi.h>

#include <cwchar>
#include <iterator>

#include "platform/win32/win32_late_binding.h"

namespace platform::win32 {

namespace {

// A hook procedure is told no context of its own; one watch per program.
Win32ForegroundWatch* hooked = nullptr;

void CALLBACK onWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG, DWORD, DWORD) {
    if (hooked) hooked->heard(event, hwnd, object);
}

bool ownWindow(HWND hwnd) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    return process == GetCurrentProcessId();
}

// The desktop, its wallpaper layer and the taskbars are the shell's own.
bool shellWindow(HWND hwnd) {
    if (hwnd == GetShellWindow() || hwnd == GetDesktopWindow()) return true;
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
    for (const wchar_t* shell :
         {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"}) {
        if (std::wcscmp(name, shell) == 0) return true;
    }
    return false;
}

// Wine answers "accepts notifications" whatever runs.
ShellNotice shellNotice() {
    using Query = HRESULT(WINAPI*)(QUERY_USER_NOTIFICATION_STATE*);
    static const auto query = lateBound<Query>(L"shell32.dll", "SHQueryUserNotificationState");
    QUERY_USER_NOTIFICATION_STATE state{};
    if (!query || FAILED(query(&state))) return ShellNotice::None;
    switch (state) {
        case QUNS_BUSY:
        case QUNS_RUNNING_D3D_FULL_SCREEN:
            return ShellNotice::FullScreenProgram;
        case QUNS_PRESENTATION_MODE:
            return ShellNotice::Presentation;
        default:
            return ShellNotice::None;
    }
}

}  // namespace

Win32ForegroundWatch::Win32ForegroundWatch(Win32Platform& platform) : platform_(platform) {}

Win32ForegroundWatch::~Win32ForegroundWatch() {
    stop();
}

void Win32ForegroundWatch::start(std::function<void()> changed) {
    const bool first = !changed_;
    changed_ = std::move(changed);
    if (!first) return;
    hooked = this;
    foregroundHook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                      onWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    followMoves(GetForegroundWindow());
    tell();
}

void Win32ForegroundWatch::stop() {
    if (!changed_) return;
    changed_ = nullptr;
    followMoves(nullptr);
    if (foregroundHook_) UnhookWinEvent(foregroundHook_);
    foregroundHook_ = nullptr;
    if (hooked == this) hooked = nullptr;
}

void Win32ForegroundWatch::heard(DWORD event, HWND hwnd, LONG object) {
    if (event == EVENT_SYSTEM_FOREGROUND) {
        followMoves(hwnd);
        tell();
    } else if (event == EVENT_OBJECT_LOCATIONCHANGE && hwnd == followed_ &&
               object == OBJID_WINDOW) {
        tell();
    }
}

// Only the foreground window's own thread is hooked: a hook on every
// program would hear each caret and pointer move of the desktop.
void Win32ForegroundWatch::followMoves(HWND hwnd) {
    if (moveHook_) UnhookWinEvent(moveHook_);
    moveHook_ = nullptr;
    followed_ = hwnd && !ownWindow(hwnd) ? hwnd : nullptr;
    if (!followed_) return;
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(followed_, &process);
    moveHook_ = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr,
                                onWinEvent, process, thread, WINEVENT_OUTOFCONTEXT);
}

// A drag of a window moves it many times between two turns of the loop:
// the program hears of it once.
void Win32ForegroundWatch::tell() {
    if (tellPending_) return;
    tellPending_ = true;
    platform_.post([this] {
        tellPending_ = false;
        if (changed_) changed_();
    });
}

Front Win32ForegroundWatch::front() {
    Front front;
    front.notice = shellNotice();
    HWND hwnd = GetForegroundWindow();
    if (!hwnd || ownWindow(hwnd)) return front;
    RECT client{};
    POINT origin{0, 0};
    if (!GetClientRect(hwnd, &client) || !ClientToScreen(hwnd, &origin)) return front;
    const DesktopMap& desktop = platform_.desktop();
    const PointPx topLeft = desktop.toModel(origin.x, origin.y);
    const PointPx lastPixel =
        desktop.toModel(origin.x + client.right - 1, origin.y + client.bottom - 1);
    FrontWindow window;
    window.client = {topLeft.x, topLeft.y, lastPixel.x + 1 - topLeft.x,
                     lastPixel.y + 1 - topLeft.y};
    window.decorated = (GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    window.desktop = shellWindow(hwnd);
    front.active = window;
    return front;
}

ForegroundWatch* Win32Platform::foregroundWatch() {
    if (!foregroundWatch_) foregroundWatch_ = std::make_unique<Win32ForegroundWatch>(*this);
    return foregroundWatch_.get();
}

}  // namespace platform::win32
