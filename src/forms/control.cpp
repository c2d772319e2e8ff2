#include "forms/control.h"

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/runtime.h"
#include "platform/platform.h"

namespace forms {

Control::Control(Form& form, ControlKind kind, std::string name, int index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index) {}

std::string Control::qualifiedName() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::Move(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    changed(Prop::Geometry);
}

// Focus cannot stay on a control the user can no longer reach.
static void moveFocusIfLost(Form& form) {
    Control* focused = form.ActiveControl();
    if (focused && (!focused->isShown() || !focused->Enabled())) {
        form.focusControl(form.firstFocusable());
    }
}

void Control::setVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    changed(Prop::Visible);
    if (!v) moveFocusIfLost(form_);
}

bool Control::isShown() const {
    for (const Control* c = this; c; c = c->container_) {
        if (!c->visible_) return false;
    }
    return true;
}

void Control::setEnabled(bool v) {
    if (enabled_ == v) return;
    enabled_ = v;
    changed(Prop::Enabled);
    if (!v) moveFocusIfLost(form_);
}

void Control::setFont(const Font& f) {
    font_ = f;
    changed(Prop::Font);
    if (auto* label = dynamic_cast<Label*>(this)) label->fitToText();
}

void Control::setFontSize(double size) {
    Font f = font_;
    f.Size = size;
    setFont(f);
}

void Control::setFontBold(bool bold) {
    Font f = font_;
    f.Bold = bold;
    setFont(f);
}

void Control::setBackColor(Color c) {
    backColor_ = c;
    changed(Prop::BackColor);
}

void Control::setForeColor(Color c) {
    foreColor_ = c;
    changed(Prop::ForeColor);
}

void Control::SetFocus() {
    form_.focusControl(this);
}

bool Control::hasFocus() const {
    return form_.ActiveControl() == this;
}

double Control::clientLeft() const {
    double x = left_;
    for (const Control* c = container_; c; c = c->container_) x += c->left_;
    return x;
}

double Control::clientTop() const {
    double y = top_;
    for (const Control* c = container_; c; c = c->container_) y += c->top_;
    return y;
}

void Control::changed(Prop p) {
    form_.notify(*this, p);
}

}  // namespace forms
