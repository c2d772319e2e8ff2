// The DPI of the monitors and of our windows, and the frames' size at a DPI.
// The calls that tell them per monitor came with later systems and are
// looked up when first needed; without them every monitor has the system's
// DPI, which is all those systems know.
#include "platform/win32/win32_form_window.h"
#include "platform/win32/win32_late_binding.h"

namespace platform::win32 {

namespace {

// The calls of user32 that came with per-monitor DPI; null where missing.
struct DpiCalls {
    UINT(WINAPI* getDpiForWindow)(HWND);
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT);
    BOOL(WINAPI* enableNonClientDpiScaling)(HWND);
};

const DpiCalls& dpiCalls() {
    static const DpiCalls calls{
        lateBound<decltype(DpiCalls::getDpiForWindow)>(L"user32.dll", "GetDpiForWindow"),
        lateBound<decltype(DpiCalls::adjustWindowRectExForDpi)>(L"user32.dll",
                                                                "AdjustWindowRectExForDpi"),
        lateBound<decltype(DpiCalls::enableNonClientDpiScaling)>(L"user32.dll",
                                                                 "EnableNonClientDpiScaling"),
    };
    return calls;
}

using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

struct FoundMonitor {
    HMONITOR handle;
    Monitor monitor;
};

BOOL CALLBACK collectMonitor(HMONITOR handle, HDC, RECT*, LPARAM found) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(handle, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    auto& list = *reinterpret_cast<std::vector<FoundMonitor>*>(found);
    const FoundMonitor monitor{handle,
                               {{r.left, r.right - r.left}, {r.top, r.bottom - r.top}, kDesignDpi}};
    // The primary monitor first: the program's screen is that one.
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        list.insert(list.begin(), monitor);
    } else {
        list.push_back(monitor);
    }
    return TRUE;
}

}  // namespace

void scaleFrameWithDpi(HWND hwnd) {
    if (dpiCalls().enableNonClientDpiScaling) dpiCalls().enableNonClientDpiScaling(hwnd);
}

int Win32Platform::systemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

int Win32Platform::windowDpi(HWND hwnd) {
    const UINT dpi = dpiCalls().getDpiForWindow ? dpiCalls().getDpiForWindow(hwnd) : 0;
    return dpi > 0 ? int(dpi) : systemDpi();
}

// One monitor takes the DPI of our hidden window on it; only several need
// the shell's per-monitor call, and with it a library the usual case can
// do without.
DesktopMap Win32Platform::measureDesktop() {
    std::vector<FoundMonitor> found;
    EnumDisplayMonitors(nullptr, nullptr, &collectMonitor, reinterpret_cast<LPARAM>(&found));
    if (found.empty()) {
        found.push_back(
            {nullptr, {{0, GetSystemMetrics(SM_CXSCREEN)}, {0, GetSystemMetrics(SM_CYSCREEN)}, 0}});
    }
    const int common = windowDpi(helper_);
    const auto perMonitor = found.size() > 1
                                ? lateBound<GetDpiForMonitorCall>(L"shcore.dll", "GetDpiForMonitor")
                                : nullptr;
    std::vector<Monitor> monitors;
    for (FoundMonitor& f : found) {
        UINT x = 0, y = 0;
        const bool own = perMonitor && f.handle &&
                         SUCCEEDED(perMonitor(f.handle, kEffectiveDpi, &x, &y)) && y > 0;
        f.monitor.dpi = own ? int(y) : common;
        monitors.push_back(f.monitor);
    }
    return DesktopMap(std::move(monitors));
}

const DesktopMap& Win32Platform::desktop() {
    if (!desktop_) desktop_.emplace(measureDesktop());
    return *desktop_;
}

// Several notices often come at once (each window hears of a new DPI): the
// program hears of them once, from the event loop.
void Win32Platform::desktopChanged() {
    desktop_.reset();
    if (!screensChanged_ || screenNoticePending_) return;
    screenNoticePending_ = true;
    post([this] {
        screenNoticePending_ = false;
        screensChanged_();
    });
}

SIZE Win32Platform::frameSize(forms::FrameStyle frame, int dpi) {
    const auto forDpi = dpiCalls().adjustWindowRectExForDpi;
    const FrameStyles styles = frameStyles(frame, false);
    RECT r{0, 0, 0, 0};
    if (!forDpi || !forDpi(&r, styles.style, FALSE, styles.exStyle, UINT(dpi))) {
        AdjustWindowRectEx(&r, styles.style, FALSE, styles.exStyle);
    }
    return {r.right - r.left, r.bottom - r.top};
}

SizePx Win32Platform::screenSize() {
    return desktop().primarySize();
}

std::vector<RectPx> Win32Platform::monitors() {
    return desktop().modelRects();
}

PointPx Win32Platform::cursorPos() {
    POINT p{0, 0};
    GetCursorPos(&p);
    return desktop().toModel(p.x, p.y);
}

SizeTw Win32Platform::nonClientSize(forms::FrameStyle frame) {
    const int dpi = desktop().primary().dpi;
    const SIZE size = frameSize(frame, dpi);
    return {toTwips(size.cx, dpi), toTwips(size.cy, dpi)};
}

}  // namespace platform::win32
