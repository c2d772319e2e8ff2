// Model -> widget: each property of a control put onto its Qt widget. Signals
// are blocked while a value is set, so that only the user's changes come
// back as user actions.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/qt_control_widgets.h"
#include "platform/qt/qt_fonts.h"

namespace platform::qt {

namespace {

QColor toQColor(forms::Color c) {
    return QColor(forms::redOf(c), forms::greenOf(c), forms::blueOf(c));
}

QString captionOf(const forms::Control& control) {
    const auto* captioned = dynamic_cast<const forms::CaptionedControl*>(&control);
    return captioned ? QString::fromStdString(captioned->Caption()) : QString();
}

void applyGeometry(forms::Control& control, QWidget* widget) {
    if (auto* line = dynamic_cast<LineWidget*>(widget)) {
        line->placeFromModel();
        return;
    }
    widget->setGeometry(toPixels(control.Left()), toPixels(control.Top()),
                        std::max(0, toPixels(control.Width())),
                        std::max(0, toPixels(control.Height())));
}

void applyCaption(forms::Control& control, QWidget* widget) {
    const QString caption = captionOf(control);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(caption);
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        frame->setTitle(caption);
    }
}

void applyText(forms::Control& control, QWidget* widget) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    auto* box = dynamic_cast<forms::TextBox*>(&control);
    if (!edit || !box) return;
    const QString text = QString::fromStdString(box->Text());
    if (edit->text() == text) return;  // keeps the cursor where the user left it
    const QSignalBlocker block(edit);
    edit->setText(text);
}

void applyValue(forms::Control& control, QWidget* widget) {
    const QSignalBlocker block(widget);
    if (auto* check = dynamic_cast<forms::CheckBox*>(&control)) {
        static const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
        if (auto* box = qobject_cast<QCheckBox*>(widget))
            box->setCheckState(states[check->Value()]);
    } else if (auto* option = dynamic_cast<forms::OptionButton*>(&control)) {
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) radio->setChecked(option->Value());
    }
}

// The palette roles that each kind paints its text and face with.
void applyColours(forms::Control& control, QWidget* widget) {
    using forms::ControlKind;
    QPalette palette = widget->palette();
    const bool button = control.kind() == ControlKind::CommandButton;
    const bool edit = control.kind() == ControlKind::TextBox;
    if (auto fore = control.ForeColor()) {
        const QPalette::ColorRole role = button ? QPalette::ButtonText
                                         : edit ? QPalette::Text
                                                : QPalette::WindowText;
        palette.setColor(role, toQColor(*fore));
    }
    if (auto back = control.BackColor()) {
        const QPalette::ColorRole role = button ? QPalette::Button
                                         : edit ? QPalette::Base
                                                : QPalette::Window;
        palette.setColor(role, toQColor(*back));
    }
    widget->setPalette(palette);
    const bool kindFills = control.kind() == ControlKind::PictureBox;
    const auto* label = dynamic_cast<const forms::Label*>(&control);
    if (label) {
        widget->setAutoFillBackground(!label->transparent());
    } else if (!button && !edit) {
        widget->setAutoFillBackground(kindFills || control.BackColor().has_value());
    }
}

// Alignment, border and transparency have no change notice of their own;
// they are set with the layout and re-read with any change.
void applyLabelStyle(forms::Control& control, QWidget* widget) {
    auto* label = dynamic_cast<forms::Label*>(&control);
    auto* labelWidget = dynamic_cast<LabelWidget*>(widget);
    if (!label || !labelWidget) return;
    const Qt::Alignment horizontal =
        label->alignment() == forms::Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    labelWidget->setAlignment(horizontal | Qt::AlignTop);
    labelWidget->setTextFormat(Qt::PlainText);
    labelWidget->setWordWrap(!label->AutoSize());
    labelWidget->setBordered(label->bordered());
    labelWidget->setAutoFillBackground(!label->transparent());
}

void applyDefaultButton(forms::Control& control, QWidget* widget) {
    auto* command = dynamic_cast<forms::CommandButton*>(&control);
    auto* button = qobject_cast<QPushButton*>(widget);
    if (command && button) button->setDefault(command->isDefault());
}

}  // namespace

void applyControlProperty(forms::Control& control, QWidget* widget, forms::Prop what,
                          FontMapper& fonts) {
    using forms::Prop;
    switch (what) {
        case Prop::Geometry:
            applyGeometry(control, widget);
            break;
        case Prop::Caption:
            applyCaption(control, widget);
            break;
        case Prop::Text:
            applyText(control, widget);
            break;
        case Prop::Value:
            applyValue(control, widget);
            break;
        case Prop::BackColor:
        case Prop::ForeColor:
            applyColours(control, widget);
            break;
        case Prop::Font:
            widget->setFont(fonts.toQFont(control.font()));
            break;
        case Prop::Visible:
            widget->setVisible(control.Visible());
            break;
        case Prop::Enabled:
            widget->setEnabled(control.Enabled());
            break;
        case Prop::Focus:
            widget->setFocus(Qt::OtherFocusReason);
            break;
        default:
            break;
    }
    applyLabelStyle(control, widget);
    applyDefaultButton(control, widget);
}

void applyAllControlProperties(forms::Control& control, QWidget* widget, FontMapper& fonts) {
    using forms::Prop;
    for (Prop p : {Prop::Font, Prop::Caption, Prop::Text, Prop::Value, Prop::ForeColor,
                   Prop::Geometry, Prop::Enabled, Prop::Visible}) {
        applyControlProperty(control, widget, p, fonts);
    }
}

}  // namespace platform::qt
