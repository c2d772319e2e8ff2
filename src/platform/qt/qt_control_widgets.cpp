// The widget classes that Qt lacks (a bordered label, a line, an image
// frame, the form's printing surface) and the factory for every kind.
#include "platform/qt/qt_control_widgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "forms/numeric.h"
#include "platform/qt/qt_fonts.h"

namespace platform::qt {

int toPixels(double twips) {
    return static_cast<int>(forms::roundHalfEven(twips / forms::kTwipsPerPixel));
}

namespace {
QColor toQColor(forms::Color c) {
    return QColor(forms::redOf(c), forms::greenOf(c), forms::blueOf(c));
}
}  // namespace

FormWindow::FormWindow(forms::Form& form, FontMapper& fonts, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), form_(form), fonts_(fonts) {
    setAutoFillBackground(true);
}

void FormWindow::setMiniatureFrame(bool on) {
    if (miniatureFrame_ == on) return;
    miniatureFrame_ = on;
    update();
}

// Text is printed with its top at the drawing position, as the model
// advances the position by the measured line height.
void FormWindow::paintEvent(QPaintEvent*) {
    if (miniatureFrame_) {
        QPainter painter(this);
        const QRect outer = rect().adjusted(0, 0, -1, -1);
        painter.setPen(QColor(192, 192, 192));  // the face of a dialog frame
        painter.drawRect(outer.adjusted(1, 1, -1, -1));
        painter.drawRect(outer.adjusted(2, 2, -2, -2));
        painter.setPen(QColor(255, 255, 255));
        painter.drawLine(outer.topLeft(), outer.topRight());
        painter.drawLine(outer.topLeft(), outer.bottomLeft());
        painter.setPen(QColor(64, 64, 64));
        painter.drawLine(outer.bottomLeft(), outer.bottomRight());
        painter.drawLine(outer.topRight(), outer.bottomRight());
        return;
    }
    if (form_.drawList().empty()) return;
    QPainter painter(this);
    for (const forms::DrawOp& op : form_.drawList()) {
        const QPointF at(op.x / forms::kTwipsPerPixel, op.y / forms::kTwipsPerPixel);
        painter.setPen(toQColor(op.color));
        if (op.kind == forms::DrawOp::Kind::Point) {
            painter.drawPoint(at);
            continue;
        }
        painter.setFont(fonts_.toQFont(op.font));
        painter.drawText(QRectF(at, QSizeF(width() + 1e4, height() + 1e4)),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         QString::fromStdString(op.text));
    }
}

void LabelWidget::setBordered(bool on) {
    if (bordered_ == on) return;
    bordered_ = on;
    setContentsMargins(on ? QMargins(1, 1, 1, 1) : QMargins());
    update();
}

void LabelWidget::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!bordered_) return;
    QPainter painter(this);
    painter.setPen(QColor(0, 0, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

LineWidget::LineWidget(forms::Line& line, QWidget* parent) : QWidget(parent), line_(line) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::placeFromModel() {
    const int pad = std::max(1, line_.BorderWidth());
    const int x1 = toPixels(line_.X1()), y1 = toPixels(line_.Y1());
    const int x2 = toPixels(line_.X2()), y2 = toPixels(line_.Y2());
    setGeometry(QRect(QPoint(std::min(x1, x2) - pad, std::min(y1, y2) - pad),
                      QPoint(std::max(x1, x2) + pad, std::max(y1, y2) + pad)));
    update();
}

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPoint origin = pos();
    const QPointF a(toPixels(line_.X1()) - origin.x(), toPixels(line_.Y1()) - origin.y());
    const QPointF b(toPixels(line_.X2()) - origin.x(), toPixels(line_.Y2()) - origin.y());
    QColor colour(0, 0, 0);
    if (line_.inverting()) {
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        colour = QColor(255, 255, 255);
    }
    const int width = std::max(1, line_.BorderWidth());
    painter.setPen(QPen(colour, width, Qt::SolidLine, width > 1 ? Qt::RoundCap : Qt::SquareCap));
    painter.drawLine(a, b);
}

void ImageWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QColor(0, 0, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool isGraphical(forms::ControlKind kind) {
    return kind == forms::ControlKind::Label || kind == forms::ControlKind::Image ||
           kind == forms::ControlKind::Line;
}

QWidget* createControlWidget(forms::Control& control, QWidget* parent) {
    using forms::ControlKind;
    QWidget* widget = nullptr;
    switch (control.kind()) {
        case ControlKind::Timer:
            return nullptr;
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(parent);
            button->setAutoDefault(false);
            widget = button;
            break;
        }
        case ControlKind::Label:
            widget = new LabelWidget(parent);
            break;
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(parent);
            box->setTristate(true);
            widget = box;
            break;
        }
        case ControlKind::OptionButton: {
            // The model keeps the group exclusive, per container.
            auto* option = new QRadioButton(parent);
            option->setAutoExclusive(false);
            widget = option;
            break;
        }
        case ControlKind::Frame:
            widget = new QGroupBox(parent);
            break;
        case ControlKind::TextBox:
            widget = new QLineEdit(parent);
            break;
        case ControlKind::PictureBox:
            widget = new QWidget(parent);
            widget->setAutoFillBackground(true);
            break;
        case ControlKind::Image:
            widget = new ImageWidget(parent);
            break;
        case ControlKind::Line:
            widget = new LineWidget(static_cast<forms::Line&>(control), parent);
            break;
    }
    widget->setObjectName(QString::fromStdString(control.qualifiedName()));
    widget->setMouseTracking(true);
    // An event of a control is the control's alone; it never also reaches its frame or form.
    widget->setAttribute(Qt::WA_NoMousePropagation);
    widget->setFocusPolicy(control.canFocus() ? Qt::StrongFocus : Qt::NoFocus);
    if (control.mousePointer() == forms::MousePointer::UpArrow) {
        widget->setCursor(Qt::UpArrowCursor);
    }
    return widget;
}

}  // namespace platform::qt
