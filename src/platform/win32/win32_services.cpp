// The rest of the desktop: set-up and tear-down of the backend, the topmost
// band, the shell, time, pending events and posted tasks, the event loop,
// the single instance, sent keys, and the end.

#include "platform/win32/win32_form_window.h"
// After windows.h.
#include <objbase.h>
#include <shellapi.h>
#include <timeapi.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

#include "platform/win32/win32_late_binding.h"
#include "platform/win32/win32_text.h"

namespace platform::win32 {

namespace {
constexpr const wchar_t* kHelperClass = L"HiyokorapperHelper";
constexpr UINT kRunPostedMessage = WM_APP + 1;
constexpr const wchar_t* kInstanceMutex = L"hiyokorapper.single-instance";
// Enough for a frame of an animation; a flood of messages cannot hold a
// paced loop inside one doEvents for ever.
constexpr int kMessagesPerDoEvents = 2000;
}  // namespace

// The animations' 1 ms pauses must stay 1 ms: a high-resolution timer does
// that for each pause alone. Before Windows 10 1803 there is none, and the
// system timer is made fine for the rest of the process instead (winmm,
// late bound: a resident program that never animates again needs neither).
Win32Platform::Win32Platform()
    : instance_(GetModuleHandleW(nullptr)),
      pauseTimer_(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                         TIMER_ALL_ACCESS)) {
    if (!pauseTimer_) {
        auto begin = lateBound<decltype(&timeBeginPeriod)>(L"winmm.dll", "timeBeginPeriod");
        finePeriod_ = begin && begin(1) == TIMERR_NOERROR;
    }
    FormWindow::registerClass(instance_);
    createHelperWindow();
}

Win32Platform::~Win32Platform() {
    closeSectionKeys();
    if (helper_) DestroyWindow(helper_);
    if (instanceMutex_) CloseHandle(instanceMutex_);
    if (comInitialized_) {
        if (auto uninitialize =
                lateBound<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize")) {
            uninitialize();
        }
    }
    if (pauseTimer_) CloseHandle(pauseTimer_);
    if (finePeriod_) {
        if (auto end = lateBound<decltype(&timeEndPeriod)>(L"winmm.dll", "timeEndPeriod")) end(1);
    }
}

// A hidden top-level window: it owns the dialogs kept off the taskbar and
// wakes the event loop for posted tasks.
void Win32Platform::createHelperWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Win32Platform::helperProc;
    wc.hInstance = instance_;
    wc.lpszClassName = kHelperClass;
    RegisterClassExW(&wc);
    helper_ = CreateWindowExW(WS_EX_TOOLWINDOW, kHelperClass, L"hiyokorapper", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, instance_, nullptr);
    SetWindowLongPtrW(helper_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK Win32Platform::helperProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == kRunPostedMessage) {
        self->runPosted();
        return 0;
    }
    // Monitors came, went or changed their resolution or scale, or a bar
    // took a monitor's edge.
    const bool workArea = msg == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA;
    if (self && (msg == WM_DISPLAYCHANGE || msg == WM_DPICHANGED || workArea))
        self->desktopChanged();
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Win32Platform::setTopmost(forms::Form& form, bool topmost) {
    HWND hwnd = windowOf(&form);
    if (!hwnd) return;
    SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The wide call, so that any path reaches the shell unchanged.
// Paths past MAX_PATH cannot be started by the shell anyway, and some shells
// crash on them instead of failing: such an entry starts nothing, like any
// failed launch.
static bool shellCanTake(const std::u16string& target, std::u16string folder) {
    while (!folder.empty() && folder.back() == u'\\') folder.pop_back();
    return target.size() < MAX_PATH && folder.size() + 1 < MAX_PATH;
}

void Win32Platform::shellOpen(forms::Form* owner, const std::string& file,
                              const std::string& directory) {
    const std::u16string target = toUtf16(file), folder = toUtf16(directory);
    if (!shellCanTake(target, folder)) return;
    auto shellExecute = lateBound<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (!shellExecute) return;
    initializeCom();
    shellExecute(windowOf(owner), nullptr, reinterpret_cast<LPCWSTR>(target.c_str()), nullptr,
                 folder.empty() ? nullptr : reinterpret_cast<LPCWSTR>(folder.c_str()),
                 SW_SHOWNORMAL);
}

// The shell and the common dialogs may hand work to COM objects, which want
// the thread set up for them; done before the first such call.
void Win32Platform::initializeCom() {
    if (comTried_) return;
    comTried_ = true;
    auto initialize = lateBound<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    comInitialized_ =
        initialize &&
        SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

void Win32Platform::sleep(int milliseconds) {
    if (milliseconds <= 0 || pauseOnTimer(milliseconds)) return;
    Sleep(DWORD(milliseconds));
}

bool Win32Platform::pauseOnTimer(int milliseconds) {
    if (!pauseTimer_) return false;
    LARGE_INTEGER due;
    due.QuadPart = -10000LL * milliseconds;  // relative, in 100 ns
    return SetWaitableTimer(pauseTimer_, &due, 0, nullptr, nullptr, FALSE) &&
           WaitForSingleObject(pauseTimer_, INFINITE) == WAIT_OBJECT_0;
}

// Seconds since midnight, local time, as the classic clock seeds with.
double Win32Platform::clockSeconds() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

void Win32Platform::post(std::function<void()> task) {
    posted_.push_back(std::move(task));
    PostMessageW(helper_, kRunPostedMessage, 0, 0);
}

// Tasks posted while these run wait for the next turn.
void Win32Platform::runPosted() {
    auto tasks = std::move(posted_);
    posted_.clear();
    for (auto& task : tasks) task();
}

// Pending window messages (and with them due timers and paints), dispatched
// without a dialog manager, then the posted tasks.
// What is pending on screen is painted first: the system paints only when
// the queue is otherwise empty, so a frame of an animation that starts right
// after a view change would otherwise show the old view around what moves.
void Win32Platform::doEvents() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM) -> BOOL {
            if (IsWindowVisible(hwnd))
                RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            return TRUE;
        },
        0);
    MSG msg;
    for (int n = 0; n < kMessagesPerDoEvents && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));  // leave it for the event loop
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    runPosted();
}

int Win32Platform::runEventLoop() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return int(msg.wParam);
}

bool Win32Platform::acquireSingleInstance() {
    if (instanceMutex_) return true;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceMutex);
    if (!mutex) return true;  // no lock to be had: better run than refuse
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    instanceMutex_ = mutex;
    return true;
}

// Press and release, queued for whichever window has the focus; the caller
// does not wait for it to arrive.
void Win32Platform::sendKey(int virtualKey) {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = WORD(virtualKey);
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

void Win32Platform::endProcess(int exitCode) {
    flushSettings();
    ExitProcess(UINT(exitCode));
}

PopupMenu& Win32Platform::popupMenu() {
    if (!menus_) menus_ = std::make_unique<Win32PopupMenu>(*this);
    return *menus_;
}

}  // namespace platform::win32
