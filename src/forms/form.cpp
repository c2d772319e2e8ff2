#include "forms/form.h"

#include <algorithm>

#include "forms/runtime.h"
#include "platform/platform.h"

namespace forms {

Form::Form(Runtime& runtime, std::string name, FormStyle style, double clientWidth,
           double clientHeight)
    : runtime_(runtime), name_(std::move(name)), style_(style) {
    auto frame = runtime_.platform().nonClientSize(style_.frame);
    width_ = clientWidth + frame.width;
    height_ = clientHeight + frame.height;
}

Form::~Form() = default;

void Form::Move(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notify(Prop::Geometry);
}

double Form::ScaleWidth() const {
    return std::max(0.0, width_ - runtime_.platform().nonClientSize(style_.frame).width);
}

double Form::ScaleHeight() const {
    return std::max(0.0, height_ - runtime_.platform().nonClientSize(style_.frame).height);
}

void Form::setCaption(std::string text) {
    caption_ = std::move(text);
    notify(Prop::Caption);
}

void Form::setBackColor(Color c) {
    backColor_ = c;
    drawList_.clear();
    notify(Prop::BackColor);
}

void Form::setForeColor(Color c) {
    foreColor_ = c;
    notify(Prop::ForeColor);
}

void Form::setFont(const Font& f) {
    font_ = f;
    notify(Prop::Font);
}

void Form::setFontSize(double size) {
    Font f = font_;
    f.Size = size;
    setFont(f);
}

// Prints at the drawing position; like a printed line, the position then moves
// to the start of the next line.
void Form::Print(const std::string& text) {
    drawList_.push_back({DrawOp::Kind::Text, currentX_, currentY_, text, foreColor_, font_});
    currentY_ += runtime_.platform().measureText(font_, text).height;
    currentX_ = 0;
    notify(Prop::Drawing);
}

void Form::PSet(double x, double y, Color color) {
    drawList_.push_back({DrawOp::Kind::Point, x, y, {}, color, font_});
    currentX_ = x;
    currentY_ = y;
    notify(Prop::Drawing);
}

void Form::setVisibleFlag(bool v) {
    visible_ = v;
    notify(Prop::Visible);
}

void Form::setWindowState(int state) {
    windowState_ = state;
    notify(Prop::WindowState);
}

void Form::Show() {
    ShowWithoutActivating();
    if (!focus_ || !focus_->isShown() || !focus_->Enabled()) focusControl(firstFocusable());
    runtime_.activateByProgram(*this);
}

// Labels sized to their text are measured when their form is first shown:
// measuring loads each font, which a window nobody has seen yet can spare.
void Form::ShowWithoutActivating() {
    if (!loaded_) Load();
    if (!everShown_) {
        everShown_ = true;
        for (const auto& c : controls_) {
            if (auto* label = dynamic_cast<Label*>(c.get())) label->fitToText();
        }
    }
    if (windowState_ == kWindowMinimized) setWindowState(kWindowNormal);
    if (!visible_ && onShowing) onShowing();
    if (!visible_) setVisibleFlag(true);
}

void Form::Hide() {
    if (!loaded_) Load();
    if (visible_) setVisibleFlag(false);
    runtime_.formHidden(*this);
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    peer_ = runtime_.platform().createPeer(*this);
    runtime_.formLoaded(*this);
    runtime_.beginLoad();
    if (onLoad) onLoad();
    runtime_.endLoad();
}

void Form::Unload() {
    if (!loaded_) return;
    if (onUnload) onUnload();
    visible_ = false;
    runtime_.formHidden(*this);
    runtime_.formUnloaded(*this);
    peer_.reset();
    loaded_ = false;
}

Control* Form::find(const std::string& qualifiedName) const {
    for (const auto& c : controls_) {
        if (c->qualifiedName() == qualifiedName) return c.get();
    }
    return nullptr;
}

void Form::focusControl(Control* c) {
    if (focus_ == c) return;
    focus_ = c;
    if (c) notify(*c, Prop::Focus);
}

void Form::userFocused(Control* c) {
    focus_ = c;
}

Control* Form::firstFocusable() const {
    Control* best = nullptr;
    for (const auto& c : controls_) {
        if (c->canFocus() && c->isShown() && c->Enabled() &&
            (!best || c->TabIndex() < best->TabIndex())) {
            best = c.get();
        }
    }
    return best;
}

void Form::notify(Prop what) {
    if (peer_ && echoBlock_ == 0) peer_->formChanged(what);
}

void Form::notify(Control& c, Prop what) {
    if (peer_ && echoBlock_ == 0) peer_->controlChanged(c, what);
}

}  // namespace forms
