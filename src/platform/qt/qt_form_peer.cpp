// Model -> native for a whole form: building the window and its controls,
// geometry and visibility of the window, activation, and the timers.
#include "platform/qt/qt_form_peer.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>

#include "forms/runtime.h"
#include "platform/qt/qt_control_widgets.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_windows.h"

namespace platform::qt {

QtFormPeer::QtFormPeer(QtPlatform& platform, forms::Form& form)
    : platform_(platform),
      form_(form),
      window_(new FormWindow(form, platform.fonts(), windowFlagsFor(form.style()))) {
    window_->setObjectName(QString::fromStdString(form.Name()));
    window_->setWindowRole(QString::fromStdString(form.Name()));
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    window_->setMouseTracking(true);
    window_->setFocusPolicy(Qt::NoFocus);
    window_->setWindowIcon(iconFor(form.style().iconId));
    window_->installEventFilter(this);
    buildControls();
    for (forms::Prop p : {forms::Prop::Caption, forms::Prop::BackColor, forms::Prop::Geometry}) {
        formChanged(p);
    }
    platform_.peerCreated(*this);
}

QtFormPeer::~QtFormPeer() {
    *alive_ = false;
    platform_.peerDestroyed(*this);
    for (auto& slot : timers_) slot.qtimer->stop();
    window_->removeEventFilter(this);
    for (QWidget* w : std::as_const(widgets_)) w->removeEventFilter(this);
    window_->hide();
    window_->deleteLater();
}

QWidget* QtFormPeer::window() const { return window_; }

// Frames come before the controls they hold, so a container's widget exists
// when its children are made.
void QtFormPeer::buildControls() {
    for (const auto& owned : form_.controls()) {
        forms::Control& control = *owned;
        if (auto* timer = dynamic_cast<forms::Timer*>(&control)) {
            auto* qtimer = new QTimer(this);
            timers_.push_back({timer, qtimer});
            continue;
        }
        QWidget* parent = control.Container() ? widgets_.value(control.Container()) : nullptr;
        QWidget* widget = createControlWidget(control, parent ? parent : window_);
        widgets_.insert(&control, widget);
        controls_.insert(widget, &control);
        widget->installEventFilter(this);
        applyAllControlProperties(control, widget, platform_.fonts());
        connectUserActions(control, widget);
    }
    for (auto& slot : timers_) {
        QObject::connect(slot.qtimer, &QTimer::timeout, this,
                         [this, timer = slot.timer] {
                             for (auto& s : timers_) {
                                 if (s.timer == timer) fireTimer(s);
                             }
                         });
        armTimer(*slot.timer);
    }
    stackGraphicalControlsBelow();
}

// Labels, lines and images are painted on their container beneath every
// control that is a window of its own, in creation order among themselves.
void QtFormPeer::stackGraphicalControlsBelow() {
    const auto& controls = form_.controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if (!isGraphical((*it)->kind())) continue;
        if (QWidget* w = widgets_.value(it->get())) w->lower();
    }
}

// The next control that can take the focus now, by TabIndex, wrapping round.
forms::Control* QtFormPeer::nextInTabOrder(forms::Control* from, bool backwards) const {
    std::vector<forms::Control*> order;
    for (const auto& c : form_.controls()) {
        if (c->canFocus() && c->isShown() && c->Enabled() && widgets_.contains(c.get())) {
            order.push_back(c.get());
        }
    }
    if (order.empty()) return nullptr;
    std::stable_sort(order.begin(), order.end(),
                     [](auto* a, auto* b) { return a->TabIndex() < b->TabIndex(); });
    auto at = std::find(order.begin(), order.end(), from);
    if (at == order.end()) return backwards ? order.back() : order.front();
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(order.size());
    const std::ptrdiff_t i = (at - order.begin() + (backwards ? n - 1 : 1)) % n;
    return order[static_cast<std::size_t>(i)];
}

void QtFormPeer::formChanged(forms::Prop what) {
    using forms::Prop;
    switch (what) {
        case Prop::Geometry: applyFormGeometry(); break;
        case Prop::Caption: window_->setWindowTitle(QString::fromStdString(form_.Caption())); break;
        case Prop::BackColor: {
            QPalette palette = window_->palette();
            if (auto back = form_.BackColor()) {
                palette.setColor(QPalette::Window, QColor(forms::redOf(*back), forms::greenOf(*back),
                                                          forms::blueOf(*back)));
            }
            window_->setPalette(palette);
            window_->update();
            break;
        }
        case Prop::Drawing: window_->update(); break;
        case Prop::Visible: applyFormVisibility(); break;
        case Prop::Focus: activate(); break;
        default: break;
    }
}

void QtFormPeer::controlChanged(forms::Control& control, forms::Prop what) {
    if (auto* timer = dynamic_cast<forms::Timer*>(&control)) {
        if (what == forms::Prop::Interval) armTimer(*timer);
        return;
    }
    if (QWidget* widget = widgets_.value(&control)) {
        applyControlProperty(control, widget, what, platform_.fonts());
    }
}

// The model's outer rectangle is the frame's; Qt places the client area.
// A window with no size at all is unmapped until the model gives it one; a
// size below a pixel still shows one pixel, as a tiny window still shows.
void QtFormPeer::applyFormGeometry() {
    const FrameExtents frame = platform_.frameExtents(form_.style().frame);
    const int left = toPixels(form_.Left()) + frame.left;
    const int top = toPixels(form_.Top()) + frame.top;
    const int width = std::max(1, toPixels(form_.Width()) - frame.left - frame.right);
    const int height = std::max(1, toPixels(form_.Height()) - frame.top - frame.bottom);
    const bool wasCollapsed = collapsed_;
    collapsed_ = form_.Width() <= 0 || form_.Height() <= 0;
    applyingGeometry_ = true;
    if (!collapsed_) {
        window_->setFixedSize(width, height);
        window_->setGeometry(left, top, width, height);
        appliedPositions_.push_back(QPoint(left, top));
        if (appliedPositions_.size() > 64) appliedPositions_.pop_front();
    }
    applyingGeometry_ = false;
    if (collapsed_ != wasCollapsed) applyFormVisibility();
}

void QtFormPeer::applyFormVisibility() {
    const bool shown = form_.Visible() && !collapsed_;
    if (shown == window_->isVisible()) return;
    if (!shown) {
        window_->hide();
        return;
    }
    prepareToShow(platform_, *window_, form_.style());
    window_->show();
    raiseWindow();
}

void QtFormPeer::raiseWindow() {
    if (!window_->isVisible()) return;
    window_->raise();
    platform_.restackTopmost();
}

void QtFormPeer::activate() {
    if (!window_->isVisible()) return;
    raiseWindow();
    window_->activateWindow();
}

QWidget* QtFormPeer::keyboardTarget() const {
    QWidget* focused = window_->focusWidget();
    return focused ? focused : window_;
}

// A user's click may change several option buttons of a group at once; the
// model tells of none of it (no echo), so all are read back.
void QtFormPeer::syncChoiceWidgets() {
    for (auto it = widgets_.begin(); it != widgets_.end(); ++it) {
        const forms::ControlKind kind = it.key()->kind();
        if (kind == forms::ControlKind::CheckBox || kind == forms::ControlKind::OptionButton) {
            applyControlProperty(*const_cast<forms::Control*>(it.key()), it.value(),
                                 forms::Prop::Value, platform_.fonts());
        }
    }
}

// Setting an interval restarts the countdown, as re-arming a timer does.
void QtFormPeer::armTimer(forms::Timer& timer) {
    for (auto& slot : timers_) {
        if (slot.timer != &timer) continue;
        if (timer.Interval() <= 0) {
            slot.qtimer->stop();
        } else {
            slot.qtimer->start(timer.Interval());
        }
    }
}

// A tick that comes while the handler of the previous one still runs (it
// processes events) is dropped, not nested.
void QtFormPeer::fireTimer(TimerSlot& slot) {
    if (slot.running) return;
    slot.running = true;
    auto alive = alive_;
    forms::Timer* timer = slot.timer;
    timer->fire();
    if (!*alive) return;
    for (auto& s : timers_) {
        if (s.timer == timer) s.running = false;
    }
}

}  // namespace platform::qt
