#include "forms/controls.h"

#include "forms/form.h"
#include "forms/runtime.h"
#include "platform/platform.h"

namespace forms {

void CaptionedControl::setCaption(std::string text) {
    caption_ = std::move(text);
    changed(Prop::Caption);
}

void Label::setCaption(std::string text) {
    CaptionedControl::setCaption(std::move(text));
    fitToText();
}

void Label::setAutoSize(bool v) {
    autoSize_ = v;
    fitToText();
}

// An empty label keeps its size: the design gives the empty version labels a
// width of their own until their texts are set. Before its form is first
// shown a label keeps its design size; the first show fits it.
void Label::fitToText() {
    if (!autoSize_ || Caption().empty() || !form().everShown()) return;
    auto size = form().runtime().platform().measureText(font(), Caption());
    // A centred label grows about its centre, so it stays where it was designed.
    double left = alignment_ == Alignment::Center ? Left() + (Width() - size.width) / 2 : Left();
    Move(left, Top(), size.width, size.height);
}

void CheckBox::setValue(int v) {
    if (v < 0 || v > 2) v = 0;
    value_ = v;
    changed(Prop::Value);
}

void OptionButton::setValue(bool v) {
    value_ = v;
    changed(Prop::Value);
    if (!v) return;
    for (const auto& other : form().controls()) {
        auto* option = dynamic_cast<OptionButton*>(other.get());
        if (option && option != this && option->Container() == Container() && option->value_) {
            option->value_ = false;
            form().notify(*option, Prop::Value);
        }
    }
}

void TextBox::setText(std::string text) {
    text_ = std::move(text);
    changed(Prop::Text);
}

void Line::setEnds(double x1, double y1, double x2, double y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    changed(Prop::Geometry);
}

void Timer::setInterval(int ms) {
    if (ms < 0) ms = 0;
    if (ms == interval_) return;  // re-arming with the same value keeps the countdown
    interval_ = ms;
    changed(Prop::Interval);
}

}  // namespace forms
