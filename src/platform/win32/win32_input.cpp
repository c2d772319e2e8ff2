// What the user does, handed to the model: mouse moves and presses with
// their button and modifier state, clicks (a check box or option button
// writes its new value back first), typed text, keys, focus, and the Tab
// key walking the tab order (no dialog manager runs our windows).

#include "platform/win32/win32_form_window.h"
// After windows.h.
#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "forms/controls.h"
#include "platform/win32/win32_late_binding.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_units.h"

namespace platform::win32 {

namespace {

int buttonsHeld(WPARAM wParam) {
    int buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= forms::kLeftButton;
    if (wParam & MK_RBUTTON) buttons |= forms::kRightButton;
    if (wParam & MK_MBUTTON) buttons |= forms::kMiddleButton;
    return buttons;
}

int buttonPressed(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
            return forms::kLeftButton;
        case WM_RBUTTONDOWN:
            return forms::kRightButton;
        case WM_MBUTTONDOWN:
            return forms::kMiddleButton;
        default:
            return 0;
    }
}

bool isMouseMessage(UINT msg) {
    return msg == WM_MOUSEMOVE || buttonPressed(msg) != 0 || msg == WM_LBUTTONUP;
}

// Sends a move or a press to the model; x and y are twips in the
// control's (or the form's) own client area.
void deliverMouse(UINT msg, WPARAM wParam, double x, double y,
                  const std::function<void(int, int, double, double)>& onMove,
                  const std::function<void(int, int, double, double)>& onDown) {
    if (msg == WM_MOUSEMOVE && onMove) onMove(buttonsHeld(wParam), shiftState(), x, y);
    if (buttonPressed(msg) && onDown) onDown(buttonPressed(msg), shiftState(), x, y);
}

bool hasWindow(const forms::Control& control) {
    return !isWindowless(control) && control.kind() != forms::ControlKind::Timer;
}

}  // namespace

int shiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= forms::kShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) shift |= forms::kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= forms::kAltMask;
    return shift;
}

LRESULT CALLBACK FormWindow::childProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    auto* window = reinterpret_cast<FormWindow*>(self);
    Child* child = window->childOf(hwnd);
    if (!child) return commonControls().callNext(hwnd, msg, wParam, lParam);
    return window->handleChild(*child, hwnd, msg, wParam, lParam);
}

// The model hears of an input first, then the control does its own part
// (a button pressed in, a caret moved), unless the model's handler has
// unloaded the form meanwhile.
LRESULT FormWindow::handleChild(Child& child, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    forms::Control& control = *child.control;
    std::weak_ptr<int> alive = alive_;
    switch (msg) {
        case WM_NCHITTEST:
            // A group box lets the mouse through to the form; ours is a
            // control with mouse events of its own.
            if (control.kind() == forms::ControlKind::Frame) return HTCLIENT;
            break;
        case WM_ERASEBKGND:
            if (control.kind() == forms::ControlKind::Frame) {
                RECT r;
                GetClientRect(hwnd, &r);
                const Brush brush(CreateSolidBrush(control.BackColor()
                                                       ? COLORREF(*control.BackColor())
                                                       : GetSysColor(COLOR_BTNFACE)));
                FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
                return 1;
            }
            break;
        case WM_PAINT:
            if (control.kind() == forms::ControlKind::Frame) {
                const LRESULT result = commonControls().callNext(hwnd, msg, wParam, lParam);
                paintFrameOverlay(child);
                return result;
            }
            break;
        case WM_SETFOCUS:
            form_.userFocused(&control);
            break;
        case WM_KILLFOCUS:
            if (control.onLostFocus) control.onLostFocus();
            if (alive.expired()) return 0;
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (wParam == VK_TAB && msg == WM_KEYDOWN) {
                tabTo(&control, GetKeyState(VK_SHIFT) < 0);
                return 0;
            }
            keyDown(&control, wParam);
            if (alive.expired()) return 0;
            break;
        case WM_CHAR:
            // A one-line box has no use for these; unhandled they only beep.
            if (control.kind() == forms::ControlKind::TextBox &&
                (wParam == '\r' || wParam == '\n' || wParam == '\t' || wParam == 27)) {
                return 0;
            }
            break;
        default:
            if (isMouseMessage(msg)) {
                if (control.kind() == forms::ControlKind::Frame) {
                    mouseOnSurface(static_cast<const forms::Frame*>(&control), msg, wParam, lParam);
                } else {
                    deliverMouse(msg, wParam, twips(GET_X_LPARAM(lParam)),
                                 twips(GET_Y_LPARAM(lParam)), control.onMouseMove,
                                 control.onMouseDown);
                }
                if (alive.expired()) return 0;
            }
            break;
    }
    return commonControls().callNext(hwnd, msg, wParam, lParam);
}

// Mouse input on the form or a frame: a windowless control under the
// pointer gets it (the topmost one), otherwise the surface itself. A left
// press and release on the same windowless control is its click.
bool FormWindow::mouseOnSurface(const forms::Frame* surface, UINT msg, WPARAM wParam,
                                LPARAM lParam) {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    forms::Control* hit = windowlessAt(surface, p);
    if (msg == WM_LBUTTONUP) {
        forms::Control* pressed = std::exchange(pressed_, nullptr);
        if (hit && hit == pressed && hit->onClick) hit->onClick();
        return true;
    }
    if (msg == WM_LBUTTONDOWN) pressed_ = hit;
    if (hit) {
        const RECT r = childRect(*hit);
        const RECT origin = surface ? childRect(*surface) : RECT{0, 0, 0, 0};
        deliverMouse(msg, wParam, twips(p.x - (r.left - origin.left)),
                     twips(p.y - (r.top - origin.top)), hit->onMouseMove, hit->onMouseDown);
    } else if (surface) {
        deliverMouse(msg, wParam, twips(p.x), twips(p.y), surface->onMouseMove,
                     surface->onMouseDown);
    } else {
        deliverMouse(msg, wParam, twips(p.x), twips(p.y), form_.onMouseMove, form_.onMouseDown);
    }
    return true;
}

forms::Control* FormWindow::windowlessAt(const forms::Frame* surface, POINT p) const {
    const RECT origin = surface ? childRect(*surface) : RECT{0, 0, 0, 0};
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        forms::Control& c = *it->control;
        if (surfaceOf(c) != surface || !isWindowless(c) || c.kind() == forms::ControlKind::Line ||
            c.kind() == forms::ControlKind::Timer || !c.isShown() || !c.Enabled()) {
            continue;
        }
        RECT r = childRect(c);
        OffsetRect(&r, -origin.left, -origin.top);
        if (PtInRect(&r, p)) return &c;
    }
    return nullptr;
}

void FormWindow::command(HWND childWindow, WORD code) {
    Child* child = childOf(childWindow);
    if (!child) return;
    if (code == BN_CLICKED || code == STN_CLICKED) userClicked(*child);
    if (code == EN_CHANGE && !settingText_) userEdited(*child);
}

// A check box goes 0 -> 1 and 1 or 2 -> 0; an option button is chosen.
void FormWindow::userClicked(Child& child) {
    forms::Control& control = *child.control;
    if (control.kind() == forms::ControlKind::Frame) return;
    {
        forms::Form::NoEcho guard(form_);
        if (auto* box = dynamic_cast<forms::CheckBox*>(&control))
            box->setValue(box->Value() == 0 ? 1 : 0);
        if (auto* option = dynamic_cast<forms::OptionButton*>(&control)) option->setValue(true);
    }
    syncCheckMarks();
    if (control.onClick) control.onClick();
}

void FormWindow::userEdited(Child& child) {
    auto* box = dynamic_cast<forms::TextBox*>(child.control);
    if (!box) return;
    const int length = GetWindowTextLengthW(child.hwnd);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied =
        GetWindowTextW(child.hwnd, reinterpret_cast<LPWSTR>(text.data()), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    forms::Form::NoEcho guard(form_);
    box->setText(toUtf8(text));
}

// The key goes to the focused control's handler, or to the form's when
// the form itself has the focus; the code is the virtual key as it came.
void FormWindow::keyDown(forms::Control* control, WPARAM key) {
    const int code = static_cast<int>(key);
    if (control) {
        if (control->onKeyDown) control->onKeyDown(code, shiftState());
    } else if (form_.onKeyDown) {
        form_.onKeyDown(code, shiftState());
    }
}

// Next (or previous) control in tab order that can take the focus now.
void FormWindow::tabTo(forms::Control* from, bool backwards) {
    std::vector<forms::Control*> order;
    for (const Child& child : children_) {
        forms::Control& c = *child.control;
        if (child.hwnd && hasWindow(c) && c.canFocus() && c.isShown() && c.Enabled())
            order.push_back(&c);
    }
    if (order.empty()) return;
    std::stable_sort(order.begin(), order.end(),
                     [](const forms::Control* a, const forms::Control* b) {
                         return a->TabIndex() < b->TabIndex();
                     });
    auto it = std::find(order.begin(), order.end(), from);
    std::size_t index = it == order.end() ? 0 : std::size_t(it - order.begin());
    const std::size_t n = order.size();
    index = backwards ? (index + n - 1) % n : (index + 1) % n;
    if (Child* target = childOf(*order[index])) SetFocus(target->hwnd);
}

// The up-arrow pointer over the controls that ask for it.
bool FormWindow::setCursorFor(HWND target) {
    forms::Control* control = nullptr;
    Child* child = childOf(target);
    const forms::Frame* surface = nullptr;
    if (child && child->control->kind() == forms::ControlKind::Frame) {
        surface = static_cast<const forms::Frame*>(child->control);
    } else if (child) {
        control = child->control;
    }
    if (!control && (target == hwnd_ || surface)) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(target, &p);
        control = windowlessAt(surface, p);
    }
    if (!control || control->mousePointer() != forms::MousePointer::UpArrow) return false;
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32516)));  // IDC_UPARROW
    return true;
}

}  // namespace platform::win32
