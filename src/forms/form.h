// A top-level window of the model: geometry in twips, title, colours, the
// print/point list, its controls in creation order, and its event slots.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/peer.h"
#include "forms/types.h"

namespace forms {

class Runtime;

// One entry of the list of what was printed or plotted on a form.
struct DrawOp {
    enum class Kind { Text, Point } kind;
    double x, y;
    std::string text;
    Color color;
    Font font;
};

struct FormStyle {
    FrameStyle frame = FrameStyle::Dialog;
    bool showInTaskbar = false;
    int iconId = 0;           // 0: no icon of its own
    bool takesDrops = false;  // files dragged in from other programs
};

class Form {
  public:
    Form(Runtime& runtime, std::string name, FormStyle style, double clientWidth,
         double clientHeight);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Runtime& runtime() const { return runtime_; }
    const std::string& Name() const { return name_; }
    const FormStyle& style() const { return style_; }

    // Outer geometry in twips, frame included.
    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setLeft(double v) { Move(v, top_, width_, height_); }
    void setTop(double v) { Move(left_, v, width_, height_); }
    void setWidth(double v) { Move(left_, top_, v, height_); }
    void setHeight(double v) { Move(left_, top_, width_, v); }
    void Move(double left, double top, double width, double height);
    // Client area, never negative.
    double ScaleWidth() const;
    double ScaleHeight() const;

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string text);

    std::optional<Color> BackColor() const { return backColor_; }
    void setBackColor(Color c);  // also clears what was printed
    Color ForeColor() const { return foreColor_; }
    void setForeColor(Color c);
    const Font& font() const { return font_; }
    void setFont(const Font& f);
    void setFontSize(double size);

    int DrawWidth() const { return drawWidth_; }
    void setDrawWidth(int v) { drawWidth_ = v; }
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void Print(const std::string& text);
    void PSet(double x, double y, Color color);
    const std::vector<DrawOp>& drawList() const { return drawList_; }

    bool Visible() const { return visible_; }
    // Showing a form restores it when it was minimised.
    void Show();
    // Shown where it stands, the keyboard left where it is: a window that
    // comes back by itself, not at the user's request.
    void ShowWithoutActivating();
    void Hide();

    // Normal or minimised; a backend writes back what the window manager did.
    int WindowState() const { return windowState_; }
    void setWindowState(int state);

    bool isLoaded() const { return loaded_; }
    bool everShown() const { return everShown_; }
    void Load();    // creates the peer and runs onLoad, once
    void Unload();  // runs onUnload, drops the peer

    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    Control* find(const std::string& qualifiedName) const;
    Control* ActiveControl() const { return focus_; }
    void focusControl(Control* c);    // by the program
    void userFocused(Control* c);     // reported by a backend
    Control* firstFocusable() const;  // lowest tab index that can take focus now

    FormPeer* peer() const { return peer_.get(); }
    // A backend writes what the user did through the setters inside this
    // guard, so that the change is not echoed back to it.
    class NoEcho {
      public:
        explicit NoEcho(Form& f) : form_(f) { ++form_.echoBlock_; }
        ~NoEcho() { --form_.echoBlock_; }

      private:
        Form& form_;
    };
    void notify(Prop what);
    void notify(Control& c, Prop what);

    std::function<void()> onLoad;
    std::function<void()> onActivate;
    std::function<void()> onUnload;
    std::function<void()> onLostFocus;
    // A hidden form is about to be shown: the program may still move it.
    std::function<void()> onShowing;
    // The window system asks the window to close (a close command, log-off).
    std::function<void()> onCloseRequest;
    std::function<void(int keyCode, int shift)> onKeyDown;
    std::function<void(int button, int shift, double x, double y)> onMouseDown;
    std::function<void(int button, int shift, double x, double y)> onMouseMove;
    // Files dragged from another program (forms whose style takes drops): the
    // drag comes over the window, moves over it (on the form or a control
    // without a slot of its own), leaves it, or is dropped, which ends it
    // without a leave. A backend may report only the drop.
    std::function<void()> onDragEnter;
    std::function<void()> onDragLeave;
    std::function<void(double x, double y)> onDragOver;
    std::function<void(const DroppedFiles& files, double x, double y)> onDragDrop;
    // For backends: a drag moving over, or dropped at, a point of the client
    // area (twips) where `control` lies (null: the bare form).
    void dragOverAt(Control* control, double x, double y);
    void dropAt(Control* control, const DroppedFiles& files, double x, double y);

  protected:
    template <class T>
    T& add(const std::string& name, int index = -1) {
        auto owned = std::make_unique<T>(*this, name, index);
        T& ref = *owned;
        controls_.push_back(std::move(owned));
        return ref;
    }
    template <class T>
    ControlArray<T> addArray(const std::string& name, int count) {
        ControlArray<T> array;
        for (int i = 0; i < count; ++i) array.add(add<T>(name, i));
        return array;
    }

  private:
    friend class Runtime;
    void setVisibleFlag(bool v);

    Runtime& runtime_;
    std::string name_;
    FormStyle style_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string caption_;
    std::optional<Color> backColor_;
    Color foreColor_ = 0;
    Font font_;
    int drawWidth_ = 1;
    double currentX_ = 0, currentY_ = 0;
    std::vector<DrawOp> drawList_;
    bool visible_ = false;
    int windowState_ = kWindowNormal;
    bool loaded_ = false;
    bool everShown_ = false;
    std::vector<std::unique_ptr<Control>> controls_;
    Control* focus_ = nullptr;
    std::unique_ptr<FormPeer> peer_;
    int echoBlock_ = 0;
};

}  // namespace forms
