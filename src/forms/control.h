// A control of a form: the common properties and event slots of every kind.
// Setters record the value and tell the form's peer; nothing here draws.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "forms/types.h"

namespace forms {

class Form;
class Frame;

class Control {
  public:
    Control(Form& form, ControlKind kind, std::string name, int index);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    ControlKind kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }  // -1 outside a control array
    std::string qualifiedName() const;    // "Command1(3)" or "Sette"

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setLeft(double v) { Move(v, top_, width_, height_); }
    void setTop(double v) { Move(left_, v, width_, height_); }
    void setWidth(double v) { Move(left_, top_, v, height_); }
    void setHeight(double v) { Move(left_, top_, width_, v); }
    virtual void Move(double left, double top, double width, double height);
    // The design place of a control: position, size and tab order at once.
    void place(double left, double top, double width, double height, int tabIndex) {
        Move(left, top, width, height);
        tabIndex_ = tabIndex;
    }

    bool Visible() const { return visible_; }
    void setVisible(bool v);
    // Visible, inside a visible container chain, on a visible form.
    bool isShown() const;

    bool Enabled() const { return enabled_; }
    void setEnabled(bool v);

    int TabIndex() const { return tabIndex_; }
    void setTabIndex(int v) { tabIndex_ = v; }

    Frame* Container() const { return container_; }
    void setContainer(Frame* frame) { container_ = frame; }

    const Font& font() const { return font_; }
    void setFont(const Font& f);
    void setFontSize(double size);
    void setFontBold(bool bold);

    // Empty means the platform's standard colour for this kind.
    std::optional<Color> BackColor() const { return backColor_; }
    void setBackColor(Color c);
    std::optional<Color> ForeColor() const { return foreColor_; }
    void setForeColor(Color c);

    MousePointer mousePointer() const { return pointer_; }
    void setMousePointer(MousePointer p) { pointer_ = p; }

    // Whether keyboard focus can rest here (when shown and enabled).
    virtual bool canFocus() const { return false; }
    void SetFocus();
    bool hasFocus() const;

    // Screen-independent position of the top-left corner in the form's client area.
    double clientLeft() const;
    double clientTop() const;

    std::function<void()> onClick;
    std::function<void(int button, int shift, double x, double y)> onMouseDown;
    std::function<void(int button, int shift, double x, double y)> onMouseMove;
    std::function<void(int keyCode, int shift)> onKeyDown;
    std::function<void()> onLostFocus;
    // Files dragged from another program: moving over the control, dropped on
    // it (point relative to the control). Without a slot the form gets them.
    std::function<void(double x, double y)> onDragOver;
    std::function<void(const DroppedFiles& files, double x, double y)> onDragDrop;

  protected:
    void changed(Prop p);

  private:
    Form& form_;
    ControlKind kind_;
    std::string name_;
    int index_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    int tabIndex_ = 0;
    Frame* container_ = nullptr;
    Font font_;
    std::optional<Color> backColor_;
    std::optional<Color> foreColor_;
    MousePointer pointer_ = MousePointer::Default;
};

}  // namespace forms
