// The controls' child windows: which standard class each kind becomes,
// where it sits, and how a change of the model reaches it. All children
// hang directly on the form, at their client-area position, stacked in
// creation order so that a later control lies above an earlier one.

#include "forms/controls.h"
#include "platform/win32/win32_form_window.h"
#include "platform/win32/win32_late_binding.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_units.h"

namespace platform::win32 {

namespace {

struct ChildClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ChildClass classFor(const forms::Control& control) {
    using forms::ControlKind;
    switch (control.kind()) {
        case ControlKind::CommandButton: {
            const auto& button = static_cast<const forms::CommandButton&>(control);
            return {L"BUTTON",
                    DWORD((button.isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP), 0};
        }
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_3STATE | WS_TABSTOP, 0};
        case ControlKind::OptionButton:
            return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::TextBox:
            return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::Label: {
            const auto& label = static_cast<const forms::Label&>(control);
            DWORD style = SS_NOTIFY | SS_NOPREFIX;
            style |= label.alignment() == forms::Alignment::Center ? SS_CENTER : SS_LEFT;
            if (label.bordered()) style |= WS_BORDER;
            return {L"STATIC", style, 0};
        }
        case ControlKind::PictureBox:
            return {L"STATIC", SS_NOTIFY | SS_LEFT, 0};
        default:
            return {nullptr, 0, 0};
    }
}

}  // namespace

bool isWindowless(const forms::Control& control) {
    switch (control.kind()) {
        case forms::ControlKind::Label:
            return static_cast<const forms::Label&>(control).transparent();
        case forms::ControlKind::Image:
        case forms::ControlKind::Line:
        case forms::ControlKind::Timer:
            return true;
        default:
            return false;
    }
}

// Timers run from the start, shown or not.
void FormWindow::listChildren() {
    const auto& controls = form_.controls();
    children_.resize(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        children_[i].control = controls[i].get();
        if (controls[i]->kind() == forms::ControlKind::Timer) startTimer(children_[i], int(i) + 1);
    }
}

// Each window is made from the model as it stands now.
void FormWindow::createChildWindows() {
    if (childWindowsCreated_) return;
    childWindowsCreated_ = true;
    for (std::size_t i = 0; i < children_.size(); ++i) createChild(children_[i], int(i) + 1);
    // Children are created below their elder siblings; restack so that
    // creation order is bottom to top, as the model defines it.
    for (const Child& child : children_) {
        if (child.hwnd) {
            SetWindowPos(child.hwnd, HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

void FormWindow::createChild(Child& child, int id) {
    forms::Control& control = *child.control;
    if (isWindowless(control)) return;
    const ChildClass cls = classFor(control);
    if (!cls.name) return;
    const RECT r = childRect(control);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | cls.style;
    if (!control.Enabled()) style |= WS_DISABLED;
    child.hwnd = CreateWindowExW(cls.exStyle, cls.name, L"", style, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, hwnd_, reinterpret_cast<HMENU>(INT_PTR(id)),
                                 platform_.instance(), nullptr);
    if (!child.hwnd) return;
    const CommonControls& common = commonControls();
    child.subclassed =
        common.setSubclass && common.setSubclass(child.hwnd, &FormWindow::childProc, 0,
                                                 reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(child.hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(platform_.font(control.font(), dpi_)), FALSE);
    setChildText(child);
    syncChild(child, forms::Prop::Value);
    showChild(child);
}

void FormWindow::controlChanged(forms::Control& control, forms::Prop what) {
    if (Child* child = childOf(control)) syncChild(*child, what);
}

void FormWindow::syncChild(Child& child, forms::Prop what) {
    forms::Control& control = *child.control;
    if (!child.hwnd) {
        if (what == forms::Prop::Interval) startTimer(child, int(&child - children_.data()) + 1);
        if (control.kind() != forms::ControlKind::Timer) invalidateSurface(surfaceOf(control));
        return;
    }
    switch (what) {
        case forms::Prop::Geometry:
            placeChild(child);
            if (control.kind() == forms::ControlKind::Frame) {
                placeContents(static_cast<const forms::Frame&>(control));
            }
            break;
        case forms::Prop::Caption:
        case forms::Prop::Text:
            setChildText(child);
            break;
        case forms::Prop::Value: {
            int check = -1;
            if (auto* box = dynamic_cast<forms::CheckBox*>(&control)) check = box->Value();
            if (auto* option = dynamic_cast<forms::OptionButton*>(&control))
                check = option->Value();
            if (check >= 0) SendMessageW(child.hwnd, BM_SETCHECK, WPARAM(check), 0);
            break;
        }
        case forms::Prop::BackColor:
        case forms::Prop::ForeColor:
            InvalidateRect(child.hwnd, nullptr, TRUE);
            break;
        case forms::Prop::Font:
            SendMessageW(child.hwnd, WM_SETFONT,
                         reinterpret_cast<WPARAM>(platform_.font(control.font(), dpi_)), TRUE);
            break;
        case forms::Prop::Visible:
            showChild(child);
            if (control.kind() == forms::ControlKind::Frame) {
                for (Child& inner : children_) {
                    if (inner.hwnd && surfaceOf(*inner.control) == &control) showChild(inner);
                }
            }
            break;
        case forms::Prop::Enabled:
            EnableWindow(child.hwnd, control.Enabled());
            break;
        case forms::Prop::Focus:
            if (GetActiveWindow() == hwnd_ && control.isShown()) SetFocus(child.hwnd);
            break;
        default:
            break;
    }
}

// Each edge rounds on its own, so controls that meet in the model meet on
// the device at any DPI.
RECT FormWindow::childRect(const forms::Control& control) const {
    const double left = control.clientLeft(), top = control.clientTop();
    return {device(left), device(top), device(left + control.Width()),
            device(top + control.Height())};
}

void FormWindow::placeChild(const Child& child) {
    const RECT r = childRect(*child.control);
    SetWindowPos(child.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Controls inside a frame move with it.
void FormWindow::placeContents(const forms::Frame& frame) {
    for (Child& inner : children_) {
        if (surfaceOf(*inner.control) != &frame) continue;
        if (inner.hwnd) placeChild(inner);
        if (inner.control->kind() == forms::ControlKind::Frame) {
            placeContents(static_cast<const forms::Frame&>(*inner.control));
        }
    }
    invalidateSurface(&frame);
}

// The window's DPI changed: every control anew in its size and font.
void FormWindow::rescaleChildren() {
    for (Child& child : children_) {
        if (!child.hwnd) continue;
        placeChild(child);
        SendMessageW(child.hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(platform_.font(child.control->font(), dpi_)), FALSE);
    }
    invalidateAll();
}

void FormWindow::showChild(const Child& child) {
    const bool shown = child.control->isShown();
    if (shown == bool(GetWindowLongPtrW(child.hwnd, GWL_STYLE) & WS_VISIBLE)) return;
    ShowWindow(child.hwnd, shown ? SW_SHOWNA : SW_HIDE);
}

void FormWindow::setChildText(const Child& child) {
    std::string text;
    if (auto* captioned = dynamic_cast<forms::CaptionedControl*>(child.control))
        text = captioned->Caption();
    if (auto* box = dynamic_cast<forms::TextBox*>(child.control)) text = box->Text();
    const std::u16string wide = toUtf16(text);
    settingText_ = true;  // the edit's change notice is ours, not the user's
    SetWindowTextW(child.hwnd, reinterpret_cast<LPCWSTR>(wide.c_str()));
    settingText_ = false;
}

// After the user picked an option the model cleared its neighbours without
// telling us (the change was not echoed); bring every mark in line.
void FormWindow::syncCheckMarks() {
    for (Child& child : children_) {
        if (child.hwnd) syncChild(child, forms::Prop::Value);
    }
}

void FormWindow::startTimer(Child& child, int id) {
    auto* timer = static_cast<forms::Timer*>(child.control);
    if (timer->Interval() > 0) {
        SetTimer(hwnd_, UINT_PTR(id), UINT(timer->Interval()), nullptr);
    } else {
        KillTimer(hwnd_, UINT_PTR(id));
    }
}

// A tick while the same timer's handler still runs (it processes events
// inside) is dropped, as the headless clock and the classic runtime do.
void FormWindow::fireTimer(UINT_PTR id) {
    if (id == 0 || id > children_.size()) return;
    Child& child = children_[id - 1];
    auto* timer = dynamic_cast<forms::Timer*>(child.control);
    if (!timer || child.timerRunning) return;
    std::weak_ptr<int> alive = alive_;
    child.timerRunning = true;
    timer->fire();
    if (!alive.expired()) child.timerRunning = false;
}

FormWindow::Child* FormWindow::childOf(HWND hwnd) {
    for (Child& child : children_) {
        if (child.hwnd == hwnd) return &child;
    }
    return nullptr;
}

FormWindow::Child* FormWindow::childOf(const forms::Control& control) {
    for (Child& child : children_) {
        if (child.control == &control) return &child;
    }
    return nullptr;
}

// The form stands in for a frame whose window is not made yet: a null
// window would mean the whole screen to the calls that take this.
HWND FormWindow::surfaceWindow(const forms::Frame* surface) const {
    if (!surface) return hwnd_;
    for (const Child& child : children_) {
        if (child.control == surface && child.hwnd) return child.hwnd;
    }
    return hwnd_;
}

void FormWindow::invalidateSurface(const forms::Frame* surface) {
    InvalidateRect(surfaceWindow(surface), nullptr, TRUE);
}

}  // namespace platform::win32
