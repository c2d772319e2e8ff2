// One Qt widget per control kind, and the code that puts a control's
// properties onto its widget. The form window paints what was printed on it.
#pragma once

#include <QLabel>
#include <QWidget>

#include "forms/form.h"

namespace platform::qt {

class FontMapper;

// The form's client area: background colour, printed text and points.
class FormWindow : public QWidget {
  public:
    FormWindow(forms::Form& form, FontMapper& fonts, Qt::WindowFlags flags);
    // A framed window smaller than its frame, with no window manager to draw
    // one, draws the frame itself.
    void setMiniatureFrame(bool on);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    forms::Form& form_;
    FontMapper& fonts_;
    bool miniatureFrame_ = false;
};

// Labels may carry a single-line border of their own.
class LabelWidget : public QLabel {
  public:
    using QLabel::QLabel;
    void setBordered(bool on);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool bordered_ = false;
};

// Drawn with the difference of white in inverting mode, so that what lies
// under it stays legible.
class LineWidget : public QWidget {
  public:
    LineWidget(forms::Line& line, QWidget* parent);
    // Covers the ends and the pen width; the ends are relative to the parent.
    void placeFromModel();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    forms::Line& line_;
};

// An empty rectangle with a single-line border.
class ImageWidget : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// Graphical controls are drawn on their container, under the controls that
// are windows of their own.
bool isGraphical(forms::ControlKind kind);

// Null for a timer, which has no widget.
QWidget* createControlWidget(forms::Control& control, QWidget* parent);

// Puts one property of the model onto the widget (geometry, caption, colour...).
void applyControlProperty(forms::Control& control, QWidget* widget, forms::Prop what,
                          FontMapper& fonts);
void applyAllControlProperties(forms::Control& control, QWidget* widget, FontMapper& fonts);

// Pixels of a twip value, rounded halves to even.
int toPixels(double twips);

}  // namespace platform::qt
