// One class per control kind, with the properties that only that kind has.
#pragma once

#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

// Base of the kinds that show a caption.
class CaptionedControl : public Control {
  public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    virtual void setCaption(std::string text);

  private:
    std::string caption_;
};

class CommandButton : public CaptionedControl {
  public:
    CommandButton(Form& f, std::string name, int index = -1)
        : CaptionedControl(f, ControlKind::CommandButton, std::move(name), index) {}
    bool canFocus() const override { return true; }
    bool isDefault() const { return default_; }
    void setDefault(bool v) { default_ = v; }

  private:
    bool default_ = false;
};

class Label : public CaptionedControl {
  public:
    Label(Form& f, std::string name, int index = -1)
        : CaptionedControl(f, ControlKind::Label, std::move(name), index) {}
    void setCaption(std::string text) override;
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a) { alignment_ = a; }
    bool transparent() const { return transparent_; }
    void setTransparent(bool v) { transparent_ = v; }
    bool bordered() const { return bordered_; }
    void setBordered(bool v) { bordered_ = v; }
    // Re-measures the caption when the label is sized to its text; caption,
    // font, AutoSize and the form's first show each call it, so the order
    // they are set in never matters.
    void fitToText();

  private:
    bool autoSize_ = false;
    Alignment alignment_ = Alignment::Left;
    bool transparent_ = false;
    bool bordered_ = false;
};

class CheckBox : public CaptionedControl {
  public:
    CheckBox(Form& f, std::string name, int index = -1)
        : CaptionedControl(f, ControlKind::CheckBox, std::move(name), index) {}
    bool canFocus() const override { return true; }
    int Value() const { return value_; }  // 0 unchecked, 1 checked, 2 grey
    void setValue(int v);

  private:
    int value_ = 0;
};

class OptionButton : public CaptionedControl {
  public:
    OptionButton(Form& f, std::string name, int index = -1)
        : CaptionedControl(f, ControlKind::OptionButton, std::move(name), index) {}
    bool canFocus() const override { return true; }
    bool Value() const { return value_; }
    // Selecting one button clears the others of its container.
    void setValue(bool v);

  private:
    bool value_ = false;
};

class Frame : public CaptionedControl {
  public:
    Frame(Form& f, std::string name, int index = -1)
        : CaptionedControl(f, ControlKind::Frame, std::move(name), index) {}
};

class TextBox : public Control {
  public:
    TextBox(Form& f, std::string name, int index = -1)
        : Control(f, ControlKind::TextBox, std::move(name), index) {}
    bool canFocus() const override { return true; }
    const std::string& Text() const { return text_; }
    void setText(std::string text);

  private:
    std::string text_;
};

class PictureBox : public Control {
  public:
    PictureBox(Form& f, std::string name, int index = -1)
        : Control(f, ControlKind::PictureBox, std::move(name), index) {}
    bool canFocus() const override { return true; }
};

// An empty rectangle with a single-line border.
class Image : public Control {
  public:
    Image(Form& f, std::string name, int index = -1)
        : Control(f, ControlKind::Image, std::move(name), index) {}
};

class Line : public Control {
  public:
    Line(Form& f, std::string name, int index = -1)
        : Control(f, ControlKind::Line, std::move(name), index) {}
    double X1() const { return x1_; }
    double Y1() const { return y1_; }
    double X2() const { return x2_; }
    double Y2() const { return y2_; }
    void setEnds(double x1, double y1, double x2, double y2);
    int BorderWidth() const { return borderWidth_; }  // pixels
    void setBorderWidth(int px) { borderWidth_ = px; }
    bool inverting() const { return inverting_; }
    void setInverting(bool v) { inverting_ = v; }

  private:
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int borderWidth_ = 1;
    bool inverting_ = false;
};

class Timer : public Control {
  public:
    Timer(Form& f, std::string name, int index = -1)
        : Control(f, ControlKind::Timer, std::move(name), index) {}
    int Interval() const { return interval_; }  // 0 = idle
    void setInterval(int ms);
    std::function<void()> onTimer;
    void fire() {
        if (onTimer) onTimer();
    }

  private:
    int interval_ = 0;
};

// A control array: one name, members told apart by an index from 0.
template <class T>
class ControlArray {
  public:
    T& operator[](int i) const { return *items_.at(static_cast<std::size_t>(i)); }
    int size() const { return static_cast<int>(items_.size()); }
    void add(T& item) { items_.push_back(&item); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::vector<T*> items_;
};

}  // namespace forms
