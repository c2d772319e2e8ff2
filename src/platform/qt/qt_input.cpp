// Native -> model: what the user does with the pointer, the keyboard and the
// controls, written back into the model (inside NoEcho) and handed to the
// event slots. A handler may unload the form; after each call into the model
// nothing of this peer is touched unless it is still alive.
#include <QAbstractButton>
#include <QCheckBox>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>

#include "forms/runtime.h"
#include "platform/qt/qt_control_widgets.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_platform.h"

namespace platform::qt {

namespace {

constexpr double kTw = forms::kTwipsPerPixel;

// Kinds whose click the model gets from a mouse release on them, not from a
// Qt signal.
bool clicksOnRelease(forms::ControlKind kind) {
    return kind == forms::ControlKind::Label || kind == forms::ControlKind::PictureBox ||
           kind == forms::ControlKind::Image;
}

}  // namespace

void QtFormPeer::connectUserActions(forms::Control& control, QWidget* widget) {
    if (auto* box = dynamic_cast<forms::CheckBox*>(&control)) {
        QObject::connect(qobject_cast<QCheckBox*>(widget), &QCheckBox::clicked, this,
                         [this, box] { userCheckedBox(*box); });
    } else if (auto* option = dynamic_cast<forms::OptionButton*>(&control)) {
        QObject::connect(qobject_cast<QRadioButton*>(widget), &QRadioButton::clicked, this,
                         [this, option] { userChoseOption(*option); });
    } else if (control.kind() == forms::ControlKind::CommandButton) {
        QObject::connect(qobject_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                         [&control] {
                             if (control.onClick) control.onClick();
                         });
    } else if (auto* text = dynamic_cast<forms::TextBox*>(&control)) {
        QObject::connect(qobject_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this,
                         [this, text](const QString& typed) { userTyped(*text, typed); });
    }
}

// A click turns an unchecked box on and a checked or grey one off.
void QtFormPeer::userCheckedBox(forms::CheckBox& box) {
    {
        forms::Form::NoEcho guard(form_);
        box.setValue(box.Value() == 0 ? 1 : 0);
    }
    syncChoiceWidgets();
    if (box.onClick) box.onClick();
}

void QtFormPeer::userChoseOption(forms::OptionButton& option) {
    {
        forms::Form::NoEcho guard(form_);
        option.setValue(true);
    }
    syncChoiceWidgets();
    if (option.onClick) option.onClick();
}

void QtFormPeer::userTyped(forms::TextBox& box, const QString& text) {
    forms::Form::NoEcho guard(form_);
    box.setText(text.toStdString());
}

bool QtFormPeer::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::Enter:
            return mouseEvent(widget, event);
        case QEvent::Leave:
            // The next arrival counts again, even on the same pixel of a 1x1 window.
            if (lastMoveWidget_ == widget) lastMoveWidget_ = nullptr;
            return false;
        case QEvent::KeyPress:
            return keyEvent(widget, event);
        case QEvent::Show:
        case QEvent::WinIdChange:
            // A native window made anew must still tell which form it shows.
            if (widget == window_) window_->setWindowRole(QString::fromStdString(form_.Name()));
            return false;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            focusEvent(widget, event);
            return false;
        case QEvent::Close:
        case QEvent::Move:
        case QEvent::WindowStateChange:
        case QEvent::WindowDeactivate:
            return widget == window_ && windowEvent(event);
        default:
            return false;
    }
}

// Entering a window counts as a move: a one-pixel window may get no motion
// event after the pointer lands on it. Repeats of one position are dropped.
void QtFormPeer::deliverMove(QWidget* widget, QPointF position, int buttons, int shift) {
    const QPoint pixel = position.toPoint();
    if (lastMoveWidget_ == widget && lastMovePosition_ == pixel) return;
    lastMoveWidget_ = widget;
    lastMovePosition_ = pixel;
    forms::Control* control = controls_.value(widget);
    const double x = position.x() * kTw, y = position.y() * kTw;
    auto& slot = control ? control->onMouseMove : form_.onMouseMove;
    if (slot) slot(buttons, shift, x, y);
}

bool QtFormPeer::mouseEvent(QWidget* widget, QEvent* event) {
    auto alive = alive_;
    forms::Control* control = controls_.value(widget);
    if (event->type() == QEvent::Enter) {
        const auto* enter = static_cast<QEnterEvent*>(event);
        lastMoveWidget_ = nullptr;  // an arrival is never a repeat
        deliverMove(widget, enter->position(), 0, shiftBits(enter->modifiers()));
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int shift = shiftBits(mouse->modifiers());
    const double x = mouse->position().x() * kTw, y = mouse->position().y() * kTw;
    switch (event->type()) {
        case QEvent::MouseMove:
            deliverMove(widget, mouse->position(), buttonBits(mouse->buttons()), shift);
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            pressedWidget_ = widget;
            if (form_.runtime().activeForm() != &form_) form_.runtime().userActivated(form_);
            if (!*alive) return true;
            auto& slot = control ? control->onMouseDown : form_.onMouseDown;
            if (slot) slot(buttonNumber(mouse->button()), shift, x, y);
            // Only the left button works a Qt control; the others are the model's alone.
            return !*alive || mouse->button() != Qt::LeftButton;
        }
        case QEvent::MouseButtonRelease: {
            const bool clicked = pressedWidget_ == widget && mouse->button() == Qt::LeftButton &&
                                 widget->rect().contains(mouse->position().toPoint());
            pressedWidget_ = nullptr;
            if (clicked && control && clicksOnRelease(control->kind()) && control->onClick) {
                control->onClick();
            }
            return !*alive;
        }
        default:
            return false;
    }
}

// A key reaches the model once, from the widget that has the keyboard (Qt
// offers an unused key to the parents as well). Tab moves the focus by
// TabIndex (Qt's own focus chain follows creation order, which is the
// z-order here).
bool QtFormPeer::keyEvent(QWidget* widget, QEvent* event) {
    if (widget != keyboardTarget()) return false;
    auto alive = alive_;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const bool backwards =
            key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        if (forms::Control* next = nextInTabOrder(controls_.value(widget), backwards)) {
            widgets_.value(next)->setFocus(Qt::TabFocusReason);
            form_.userFocused(next);  // Qt reports no focus change while the window is inactive
        }
        return true;
    }
    const int code = virtualKeyFromQt(key->key(), key->modifiers());
    if (code == 0) return false;
    forms::Control* control = controls_.value(widget);
    auto& slot = control ? control->onKeyDown : form_.onKeyDown;
    if (slot) slot(code, shiftBits(key->modifiers()));
    if (!*alive) return true;
    // Enter belongs to the model's key handlers alone (the dialog confirms
    // once through them); a click of the default button as well would act twice.
    return code == 13;
}

void QtFormPeer::focusEvent(QWidget* widget, QEvent* event) {
    forms::Control* control = controls_.value(widget);
    if (!control) return;
    if (event->type() == QEvent::FocusIn) {
        form_.userFocused(control);
    } else if (control->onLostFocus) {
        control->onLostFocus();
    }
}

// The window manager's close asks the program. A move by the window manager
// right after we placed or showed the window is its own placement policy
// (some keep a one-pixel window off the screen edge): we ask again, twice at
// most. A move later on is the user's (by the title bar) and is written back
// as the form's new outer position.
bool QtFormPeer::windowEvent(QEvent* event) {
    if (event->type() == QEvent::Close) {
        event->ignore();
        if (form_.onCloseRequest) form_.onCloseRequest();
        return true;
    }
    // A form's own lost focus: only when the form itself, not one of its
    // controls, held the keyboard as its window lost it.
    if (event->type() == QEvent::WindowDeactivate) {
        if (!window_->focusWidget() && form_.onLostFocus) form_.onLostFocus();
        return false;
    }
    if (event->type() == QEvent::WindowStateChange) {
        windowStateChanged();
        return false;
    }
    // Only a window manager moves our windows; without one every move is ours.
    auto& x11 = platform_.x11();
    if (applyingGeometry_ || !window_->isVisible() || !x11 || !x11->hasWindowManager() ||
        appliedPositions_.empty()) {
        return false;
    }
    const QPoint now = window_->geometry().topLeft();
    if (now == appliedPositions_.back()) return false;
    if (sincePlaced_.elapsed() < 1000) {
        if (placementRetries_++ < 2) {
            QTimer::singleShot(150, this, [this] { reapplyPlacement(); });
        }
        return false;
    }
    if (std::find(appliedPositions_.begin(), appliedPositions_.end(), now) !=
        appliedPositions_.end()) {
        return false;  // X reporting one of our own earlier moves late
    }
    learnWindowPosition(now);
    return false;
}

// The window's client corner, put there by the window manager, as the form's new outer position.
void QtFormPeer::learnWindowPosition(QPoint now) {
    appliedPositions_.push_back(now);
    const FrameExtents frame = platform_.frameExtents(form_.style().frame);
    forms::Form::NoEcho guard(form_);
    form_.Move((now.x() - frame.left) * kTw, (now.y() - frame.top) * kTw, form_.Width(),
               form_.Height());
}

// The window manager minimised or restored the window (its button, a key,
// "show desktop"): the model learns it, so that showing the form restores it.
void QtFormPeer::windowStateChanged() {
    const int state = window_->isMinimized() ? forms::kWindowMinimized : forms::kWindowNormal;
    if (state == form_.WindowState()) return;
    forms::Form::NoEcho guard(form_);
    form_.setWindowState(state);
}

}  // namespace platform::qt
