// Headless pointer and keyboard: what a user's moves, clicks and key presses
// reach, found by hit-testing the windows and controls of the model.
#include <algorithm>

#include "forms/numeric.h"
#include "forms/runtime.h"
#include "platform/headless/headless_platform.h"

namespace platform::headless {

namespace {
constexpr double kTw = forms::kTwipsPerPixel;

bool isWindowless(const forms::Control& c) {
    switch (c.kind()) {
        case forms::ControlKind::Label:
        case forms::ControlKind::Image:
        case forms::ControlKind::Line:
        case forms::ControlKind::Timer:
            return true;
        default:
            return false;
    }
}

// Inside the control and inside every frame that holds it.
bool contains(const forms::Control& c, double x, double y) {
    for (const forms::Control* k = &c; k; k = k->Container()) {
        double left = k->clientLeft(), top = k->clientTop();
        if (x < left || y < top || x >= left + k->Width() || y >= top + k->Height()) return false;
    }
    return true;
}
// The front-most shown, enabled control of one kind (windowed or drawn) under
// a client point; drawn ones only on the given surface (a frame, or the form).
forms::Control* topControlAt(const forms::Form& form, double x, double y, bool windowless,
                             const forms::Control* surface) {
    const auto& controls = form.controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        forms::Control& c = **it;
        if (isWindowless(c) != windowless || c.kind() == forms::ControlKind::Line ||
            c.kind() == forms::ControlKind::Timer || !c.isShown() || !c.Enabled()) {
            continue;
        }
        if (windowless && c.Container() != surface) continue;
        if (contains(c, x, y)) return &c;
    }
    return nullptr;
}
}  // namespace

double HeadlessPlatform::clientOriginX(const forms::Form& form) const {
    auto nc = const_cast<HeadlessPlatform*>(this)->nonClientSize(form.style().frame);
    return form.Left() + nc.width / 2;
}

double HeadlessPlatform::clientOriginY(const forms::Form& form) const {
    auto nc = const_cast<HeadlessPlatform*>(this)->nonClientSize(form.style().frame);
    return form.Top() + nc.height - nc.width / 2;
}

bool HeadlessPlatform::underBars(int x, int y) const {
    for (const RectPx& bar : barsTakingThePointer) {
        if (x >= bar.x && y >= bar.y && x < bar.x + bar.width && y < bar.y + bar.height)
            return true;
    }
    return false;
}

// The desktop's bars lie above every window.
forms::Form* HeadlessPlatform::windowAt(int x, int y) const {
    if (underBars(x, y)) return nullptr;
    for (forms::Form* form : zOrder()) {
        if (!form->Visible()) continue;
        int left = static_cast<int>(forms::roundHalfEven(form->Left() / kTw));
        int top = static_cast<int>(forms::roundHalfEven(form->Top() / kTw));
        int width = std::max<int>(1, static_cast<int>(forms::roundHalfEven(form->Width() / kTw)));
        int height = std::max<int>(1, static_cast<int>(forms::roundHalfEven(form->Height() / kTw)));
        if (form->Width() <= 0 || form->Height() <= 0) continue;
        if (x >= left && y >= top && x < left + width && y < top + height) return form;
    }
    return nullptr;
}

HeadlessPlatform::Hit HeadlessPlatform::hitTest(int x, int y) const {
    Hit hit;
    hit.form = windowAt(x, y);
    if (!hit.form) return hit;
    const double cx = x * kTw - clientOriginX(*hit.form);
    const double cy = y * kTw - clientOriginY(*hit.form);
    hit.x = cx;
    hit.y = cy;
    // The window under the pointer is the front-most windowed control; labels
    // and images only take the pointer on the surface they are drawn on.
    forms::Control* window = topControlAt(*hit.form, cx, cy, false, nullptr);
    forms::Control* target = window;
    if (!window || window->kind() == forms::ControlKind::Frame) {
        if (auto* drawn = topControlAt(*hit.form, cx, cy, true, window)) target = drawn;
    }
    if (target) {
        hit.control = target;
        hit.x = cx - target->clientLeft();
        hit.y = cy - target->clientTop();
    }
    return hit;
}

void HeadlessPlatform::moveMouse(int x, int y) {
    pointer_ = {x, y};
    Hit hit = hitTest(x, y);
    if (hit.control) {
        if (hit.control->onMouseMove) hit.control->onMouseMove(0, 0, hit.x, hit.y);
    } else if (hit.form && hit.form->onMouseMove) {
        hit.form->onMouseMove(0, 0, hit.x, hit.y);
    }
}

void HeadlessPlatform::click(int button, int shift) {
    Hit hit = hitTest(pointer_.x, pointer_.y);
    if (!hit.form) return;
    hit.form->runtime().userActivated(*hit.form);
    forms::Control* c = hit.control;
    if (c && c->canFocus()) hit.form->focusControl(c);
    if (!c) {
        if (hit.form->onMouseDown) hit.form->onMouseDown(button, shift, hit.x, hit.y);
        return;
    }
    if (c->onMouseDown) c->onMouseDown(button, shift, hit.x, hit.y);
    if (button != forms::kLeftButton) return;
    if (auto* check = dynamic_cast<forms::CheckBox*>(c))
        check->setValue(check->Value() == 0 ? 1 : 0);
    if (auto* option = dynamic_cast<forms::OptionButton*>(c)) option->setValue(true);
    if (c->kind() != forms::ControlKind::Frame && c->onClick) c->onClick();
}

void HeadlessPlatform::deliverKey(int virtualKey, int shift) {
    forms::Form* form = nullptr;
    for (forms::Form* f : zOrder()) {
        if (f->Visible() && f->runtime().activeForm() == f) form = f;
    }
    if (!form) return;
    forms::Control* focused = form->ActiveControl();
    if (focused && focused->isShown() && focused->Enabled()) {
        if (focused->onKeyDown) focused->onKeyDown(virtualKey, shift);
    } else if (form->onKeyDown) {
        form->onKeyDown(virtualKey, shift);
    }
}

void HeadlessPlatform::pressKey(int virtualKey, int shift) {
    deliverKey(virtualKey, shift);
}

void HeadlessPlatform::deliverSentKeys() {
    while (!sentKeys.empty()) {
        int key = sentKeys.front();
        sentKeys.pop_front();
        deliverKey(key, 0);
    }
}

PointPx HeadlessPlatform::screenPointOf(const forms::Control& control) const {
    const forms::Form& form = control.form();
    double x = clientOriginX(form) + control.clientLeft() + control.Width() / 2;
    double y = clientOriginY(form) + control.clientTop() + control.Height() / 2;
    return {static_cast<int>(x / kTw), static_cast<int>(y / kTw)};
}

void HeadlessPlatform::hoverControl(forms::Control& control) {
    auto p = screenPointOf(control);
    moveMouse(p.x, p.y);
}

void HeadlessPlatform::clickControl(forms::Control& control, int button) {
    hoverControl(control);
    click(button);
}

void HeadlessPlatform::hoverForm(forms::Form& form, double clientX, double clientY) {
    moveMouse(static_cast<int>((clientOriginX(form) + clientX) / kTw),
              static_cast<int>((clientOriginY(form) + clientY) / kTw));
}

void HeadlessPlatform::requestClose(forms::Form& form) {
    if (form.onCloseRequest) form.onCloseRequest();
}

}  // namespace platform::headless
