// The top-level window of a form: creation with the frame the model asks
// for, geometry both ways, visibility, activation, and the window procedure
// that hands each message to the part of the peer that deals with it.
#include "platform/win32/win32_form_window.h"

#include <algorithm>
// After windows.h.
#include <windowsx.h>

#include "forms/runtime.h"
#include "platform/win32/win32_late_binding.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_units.h"

namespace platform::win32 {

namespace {
constexpr const wchar_t* kFormClass = L"HiyokorapperForm";
}

// No system menu, minimise, maximise or close box on any frame; windows
// off the taskbar are tool windows or, with a normal caption, owned.
FrameStyles frameStyles(forms::FrameStyle frame, bool showInTaskbar) {
    const DWORD offTaskbar = showInTaskbar ? WS_EX_APPWINDOW : 0;
    switch (frame) {
        case forms::FrameStyle::None:
            return {WS_POPUP, showInTaskbar ? DWORD(WS_EX_APPWINDOW) : DWORD(WS_EX_TOOLWINDOW)};
        case forms::FrameStyle::ToolWindow:
            return {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW};
        case forms::FrameStyle::Dialog:
            return {WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME | offTaskbar};
        case forms::FrameStyle::DialogBare:
            return {WS_POPUP | WS_DLGFRAME, WS_EX_DLGMODALFRAME | offTaskbar};
    }
    return {WS_POPUP, 0};
}

void FormWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &FormWindow::windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);  // a second registration fails harmlessly
}

FormWindow::FormWindow(Win32Platform& platform, forms::Form& form)
    : platform_(platform), form_(form) {
    createWindow();
    if (form.style().takesDrops) acceptDroppedFiles();
    listChildren();
    applyVisibility();
}

FormWindow::~FormWindow() {
    alive_.reset();
    revokeDropTarget();
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    for (Child& child : children_) {
        if (child.hwnd && child.subclassed) {
            commonControls().removeSubclass(child.hwnd, &FormWindow::childProc, 0);
        }
    }
    DestroyWindow(hwnd_);
}

void FormWindow::createWindow() {
    const auto& style = form_.style();
    const FrameStyles frame = frameStyles(style.frame, style.showInTaskbar);
    // Normal frames stay off the taskbar by being owned by a hidden window.
    const bool owned = !style.showInTaskbar && !(frame.exStyle & WS_EX_TOOLWINDOW);
    const std::u16string caption = toUtf16(form_.Caption());
    dpi_ = platform_.desktop().atModel(form_.Left(), form_.Top()).dpi;
    const RECT r = deviceRect();
    hwnd_ = CreateWindowExW(frame.exStyle, kFormClass, reinterpret_cast<LPCWSTR>(caption.c_str()),
                            frame.style | WS_CLIPCHILDREN, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, owned ? platform_.hiddenOwner() : nullptr, nullptr,
                            platform_.instance(), this);
    // The system has the last word on which monitor the window is on.
    if (const int dpi = platform_.windowDpi(hwnd_); dpi != dpi_) {
        dpi_ = dpi;
        applyGeometry();
    }
    if (style.iconId != 0) {
        for (WPARAM which : {WPARAM(ICON_BIG), WPARAM(ICON_SMALL)}) {
            const int size = GetSystemMetrics(which == ICON_BIG ? SM_CXICON : SM_CXSMICON);
            HANDLE icon = LoadImageW(platform_.instance(), MAKEINTRESOURCEW(style.iconId),
                                     IMAGE_ICON, size, size, LR_SHARED);
            SendMessageW(hwnd_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
        }
    }
}

LRESULT CALLBACK FormWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<FormWindow*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        scaleFrameWithDpi(hwnd);
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->handle(msg, wParam, lParam);
}

// Every branch that calls into the model returns right after it: the
// handler may have unloaded the form and destroyed this peer.
LRESULT FormWindow::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // paint() covers every pixel
        case WM_PAINT:
            paint();
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
            return controlColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                 msg);
        case WM_COMMAND:
            if (lParam) command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && setCursorFor(reinterpret_cast<HWND>(wParam)))
                return TRUE;
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
            mouseOnSurface(nullptr, msg, wParam, lParam);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            keyDown(nullptr, wParam);
            if (msg == WM_SYSKEYDOWN) break;  // Alt+F4 and the like still work
            return 0;
        case WM_SETFOCUS:
            restoreFocus();
            return 0;
        case WM_KILLFOCUS:
            if (focusLeftForOtherWindow(reinterpret_cast<HWND>(wParam)) && form_.onLostFocus) {
                form_.onLostFocus();
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) return 0;
            restoreFocus();
            if (LOWORD(wParam) == WA_CLICKACTIVE) form_.runtime().userActivated(form_);
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (!applyingGeometry_) userMovedWindow();
            return 0;
        case WM_DPICHANGED:
            dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_GETMINMAXINFO: {
            // The program shrinks its windows to nothing in its animations.
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {0, 0};
            return 0;
        }
        case WM_TIMER:
            fireTimer(wParam);
            return 0;
        case WM_DROPFILES:
            filesDropped(wParam);
            return 0;
        case WM_CLOSE:
            if (form_.onCloseRequest) form_.onCloseRequest();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // Logging off ends the program through its own shutdown.
            if (wParam && isStartupForm() && form_.onCloseRequest) form_.onCloseRequest();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void FormWindow::formChanged(forms::Prop what) {
    switch (what) {
        case forms::Prop::Geometry:
            applyGeometry();
            break;
        case forms::Prop::Caption: {
            const std::u16string caption = toUtf16(form_.Caption());
            SetWindowTextW(hwnd_, reinterpret_cast<LPCWSTR>(caption.c_str()));
            break;
        }
        case forms::Prop::Visible:
            applyVisibility();
            break;
        case forms::Prop::Focus:
            activate();
            break;
        case forms::Prop::BackColor:
        case forms::Prop::ForeColor:
        case forms::Prop::Drawing:
            invalidateAll();
            break;
        default:
            break;
    }
}

// A move onto a monitor of another DPI changes the window's DPI on the way
// (dpiChanged); its size is then that of the new DPI.
void FormWindow::applyGeometry() {
    const int dpi = dpi_;
    placeWindow(deviceRect());
    if (dpi_ != dpi) placeWindow(deviceRect());
}

void FormWindow::placeWindow(const RECT& r) {
    applyingGeometry_ = true;
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    applyingGeometry_ = false;
}

// The model's twips of the window on the device: placed by the monitor its
// top-left corner is on, sized at the window's DPI, the frame as the
// system draws it there.
RECT FormWindow::deviceRect() const {
    const Monitor& monitor = platform_.desktop().atModel(form_.Left(), form_.Top());
    const auto [x, y] = axes();
    const DeviceSpan across = windowSpan(monitor.x, monitor.dpi, dpi_, x);
    const DeviceSpan down = windowSpan(monitor.y, monitor.dpi, dpi_, y);
    return {across.start, down.start, across.start + across.length, down.start + down.length};
}

std::pair<WindowAxis, WindowAxis> FormWindow::axes() const {
    const forms::FrameStyle frame = form_.style().frame;
    const SizeTw frameTw = platform_.nonClientSize(frame);
    const SIZE frameDevice = platform_.frameSize(frame, dpi_);
    return {{form_.Left(), form_.Width(), frameTw.width, int(frameDevice.cx)},
            {form_.Top(), form_.Height(), frameTw.height, int(frameDevice.cy)}};
}

// The window went onto a monitor of another DPI, or its monitor's scale
// changed. Dragged there, it keeps the place the system suggests and takes
// the size of its model at the new DPI; its controls and fonts follow.
void FormWindow::dpiChanged(int dpi, const RECT& suggested) {
    platform_.desktopChanged();
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    if (!applyingGeometry_) {
        const RECT size = deviceRect();
        placeWindow({suggested.left, suggested.top, suggested.left + (size.right - size.left),
                     suggested.top + (size.bottom - size.top)});
        userMovedWindow();
    }
    rescaleChildren();
}

void FormWindow::applyVisibility() {
    const bool visible = form_.isLoaded() && form_.Visible();
    if (visible == bool(IsWindowVisible(hwnd_))) return;
    if (visible) createChildWindows();
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

// The model made this form the active one: bring its window forward. The
// panel opens when the pointer merely touches the call point, with no
// click into the program, so the system would refuse it the foreground;
// sharing the foreground thread's input for the moment lets it through.
void FormWindow::activate() {
    if (!IsWindowVisible(hwnd_)) return;
    const DWORD ours = GetCurrentThreadId();
    HWND front = GetForegroundWindow();
    const DWORD theirs = front ? GetWindowThreadProcessId(front, nullptr) : ours;
    const bool attach = theirs != ours && AttachThreadInput(theirs, ours, TRUE);
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
    if (attach) AttachThreadInput(theirs, ours, FALSE);
    restoreFocus();
}

// Keyboard focus goes where the model says it is, or to the form itself.
void FormWindow::restoreFocus() {
    if (GetActiveWindow() != hwnd_) return;
    forms::Control* target = form_.ActiveControl();
    Child* child = target ? childOf(*target) : nullptr;
    HWND focus =
        (child && child->hwnd && target->isShown() && target->Enabled()) ? child->hwnd : hwnd_;
    if (GetFocus() != focus) SetFocus(focus);
}

// A window dragged by the user (or placed by the window system) moves the
// model with it; sizes stay as the model has them unless the pixels differ.
void FormWindow::userMovedWindow() {
    RECT r;
    if (!GetWindowRect(hwnd_, &r)) return;
    const RECT model = deviceRect();
    const bool moved = r.left != model.left || r.top != model.top;
    const bool sized = (r.right - r.left) != (model.right - model.left) ||
                       (r.bottom - r.top) != (model.bottom - model.top);
    if (!moved && !sized) return;
    const Monitor& monitor = platform_.desktop().atDevice(r.left, r.top);
    const auto [x, y] = axes();
    forms::Form::NoEcho guard(form_);
    form_.Move(moved ? deviceToTwips(monitor.x, monitor.dpi, r.left) : form_.Left(),
               moved ? deviceToTwips(monitor.y, monitor.dpi, r.top) : form_.Top(),
               sized ? windowLengthTw(dpi_, r.right - r.left, x) : form_.Width(),
               sized ? windowLengthTw(dpi_, r.bottom - r.top, y) : form_.Height());
}

// The form itself held the focus and another of the program's windows took
// it: the one case the model's LostFocus stands for. Handing the focus on to
// one of our own controls, or another program coming forward, is not it.
bool FormWindow::focusLeftForOtherWindow(HWND next) const {
    if (!next || next == hwnd_ || IsChild(hwnd_, next)) return false;
    return GetWindowThreadProcessId(next, nullptr) == GetCurrentThreadId();
}

bool FormWindow::isStartupForm() const {
    const auto& loaded = form_.runtime().loadedForms();
    return !loaded.empty() && loaded.front() == &form_;
}

void FormWindow::invalidateAll() {
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HWND Win32Platform::windowOf(const forms::Form* form) {
    if (!form) return nullptr;
    auto* peer = dynamic_cast<FormWindow*>(form->peer());
    return peer ? peer->hwnd() : nullptr;
}

std::unique_ptr<forms::FormPeer> Win32Platform::createPeer(forms::Form& form) {
    return std::make_unique<FormWindow>(*this, form);
}

}  // namespace platform::win32
