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
    window_->installEventFilter(this);
    for (const auto& c : form.controls())
        creationIndex_.insert(c.get(), int(creationIndex_.size()));
    createTimers();
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

QWidget* QtFormPeer::window() const {
    return window_;
}

void QtFormPeer::createTimers() {
    for (const auto& owned : form_.controls()) {
        auto* timer = dynamic_cast<forms::Timer*>(owned.get());
        if (!timer) continue;
        timers_.push_back({timer, new QTimer(this)});
        QObject::connect(timers_.back().qtimer, &QTimer::timeout, this, [this, timer] {
            for (auto& s : timers_) {
                if (s.timer == timer) fireTimer(s);
            }
        });
        armTimer(*timer);
    }
}

// Widgets are made when they are first needed on screen: the controls of a
// form when it is first shown, and then each control when it is first shown.
// Most controls start hidden (the splash's, the settings view's), and the
// call point should not wait for them. A widget is built from the model as
// it stands then.
void QtFormPeer::ensureBuilt() {
    if (built_) return;
    built_ = true;
    // Painted, so only for a window the window manager shows with its icon.
    if (!(window_->windowFlags() & Qt::X11BypassWindowManagerHint)) {
        window_->setWindowIcon(iconFor(form_.style().iconId));
    }
    buildShownControls();
}

void QtFormPeer::buildShownControls() {
    if (!built_) return;
    for (const auto& owned : form_.controls()) {
        if (owned->kind() != forms::ControlKind::Timer && owned->isShown()) ensureWidget(*owned);
    }
}

QWidget* QtFormPeer::widgetOf(const forms::Control& control) {
    ensureBuilt();
    return ensureWidget(const_cast<forms::Control&>(control));
}

// A frame's widget is made before the controls it holds.
QWidget* QtFormPeer::ensureWidget(forms::Control& control) {
    if (QWidget* existing = widgets_.value(&control)) return existing;
    if (control.kind() == forms::ControlKind::Timer) return nullptr;
    QWidget* parent = control.Container() ? ensureWidget(*control.Container()) : window_;
    QWidget* widget = createControlWidget(control, parent);
    widgets_.insert(&control, widget);
    controls_.insert(widget, &control);
    widget->installEventFilter(this);
    applyAllControlProperties(control, widget, platform_.fonts());
    connectUserActions(control, widget);
    placeInStackingOrder(control, widget);
    if (form_.ActiveControl() == &control) widget->setFocus(Qt::OtherFocusReason);
    return widget;
}

// Labels, lines and images are painted on their container beneath every
// control that is a window of its own; within each layer, later controls lie
// on top. A widget made late still goes to its place.
void QtFormPeer::placeInStackingOrder(const forms::Control& control, QWidget* widget) {
    auto rank = [this](const forms::Control& c) {
        return std::pair(isGraphical(c.kind()) ? 0 : 1, creationIndex_.value(&c));
    };
    const auto mine = rank(control);
    QWidget* above = nullptr;
    std::pair<int, int> aboveRank;
    for (auto it = widgets_.cbegin(); it != widgets_.cend(); ++it) {
        if (it.value() == widget || it.value()->parentWidget() != widget->parentWidget()) continue;
        const auto theirs = rank(*it.key());
        if (theirs > mine && (!above || theirs < aboveRank)) {
            above = it.value();
            aboveRank = theirs;
        }
    }
    if (above) {
        widget->stackUnder(above);
    } else {
        widget->raise();
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
        case Prop::Geometry:
            applyFormGeometry();
            break;
        case Prop::Caption:
            applyCaption();
            break;
        case Prop::BackColor: {
            QPalette palette = window_->palette();
            if (auto back = form_.BackColor()) {
                palette.setColor(
                    QPalette::Window,
                    QColor(forms::redOf(*back), forms::greenOf(*back), forms::blueOf(*back)));
            }
            window_->setPalette(palette);
            window_->update();
            break;
        }
        case Prop::Drawing:
            window_->update();
            break;
        case Prop::Visible:
            applyFormVisibility();
            break;
        case Prop::Focus:
            activate();
            break;
        case Prop::WindowState:
            applyWindowState();
            break;
        default:
            break;
    }
}

// Qt puts the program's name in place of an empty title; the window's own
// title stays empty (the farewell show's, for one). Before the first show
// the window has no X window yet: prepareToShow says it then.
void QtFormPeer::applyCaption() {
    window_->setWindowTitle(QString::fromStdString(form_.Caption()));
    if (form_.Caption().empty() && platform_.x11() && window_->internalWinId()) {
        platform_.x11()->clearTitle(static_cast<std::uint32_t>(window_->internalWinId()));
    }
}

// A minimised window that the program shows again is restored (a hidden one
// only takes the state along to its next show).
void QtFormPeer::applyWindowState() {
    const bool minimise = form_.WindowState() == forms::kWindowMinimized;
    if (minimise == window_->isMinimized()) return;
    window_->setWindowState(minimise ? window_->windowState() | Qt::WindowMinimized
                                     : window_->windowState() & ~Qt::WindowMinimized);
}

void QtFormPeer::controlChanged(forms::Control& control, forms::Prop what) {
    if (auto* timer = dynamic_cast<forms::Timer*>(&control)) {
        if (what == forms::Prop::Interval) armTimer(*timer);
        return;
    }
    if (!built_) return;  // read whole when the widgets are made
    if (what == forms::Prop::Visible) buildShownControls();
    if (QWidget* widget = widgets_.value(&control)) {
        applyControlProperty(control, widget, what, platform_.fonts());
    }
}

// The model's outer rectangle is the frame's; Qt places the client area.
// A window with no size at all is unmapped until the model gives it one; a
// size below a pixel still shows one pixel, as a tiny window still shows.
// Without a window manager a framed window never gets smaller than the
// frame's own minimum, which it then draws itself, so a window of a twip
// (the splash as it starts) is seen as a tiny framed square.
void QtFormPeer::applyFormGeometry() {
    const FrameExtents frame = platform_.frameExtents(form_.style().frame);
    const int left = toPixels(form_.Left()) + frame.left;
    const int top = toPixels(form_.Top()) + frame.top;
    int width = toPixels(form_.Width()) - frame.left - frame.right;
    int height = toPixels(form_.Height()) - frame.top - frame.bottom;
    const bool framed = form_.style().frame != forms::FrameStyle::None;
    const bool unframed = frame.left + frame.right + frame.top + frame.bottom == 0;
    // A frame keeps two pixels inside it; ours is 3 pixels wide, as a dialog frame.
    const int smallest = framed ? (unframed ? 8 : 2) : 1;
    const bool miniature = framed && unframed && (width < smallest || height < smallest);
    width = std::max(width, smallest);
    height = std::max(height, smallest);
    window_->setMiniatureFrame(miniature);
    const bool wasCollapsed = collapsed_;
    collapsed_ = form_.Width() <= 0 || form_.Height() <= 0;
    applyingGeometry_ = true;
    if (!collapsed_) {
        window_->setFixedSize(width, height);
        window_->setGeometry(left, top, width, height);
        sincePlaced_.start();
        placementRetries_ = 0;
        appliedPositions_.push_back(QPoint(left, top));
        if (appliedPositions_.size() > 64) appliedPositions_.pop_front();
    }
    applyingGeometry_ = false;
    if (collapsed_ != wasCollapsed) applyFormVisibility();
    // Placing an unmanaged topmost window (the call point re-placed by its
    // timer) also puts it back above windows other programs raised meanwhile.
    if (platform_.isTopmost(form_) && window_->isVisible() &&
        !isManagedByWindowManager(platform_, *window_)) {
        window_->raise();
    }
}

void QtFormPeer::applyFormVisibility() {
    const bool shown = form_.Visible() && !collapsed_;
    if (shown == window_->isVisible()) return;
    if (!shown) {
        window_->hide();
        return;
    }
    ensureBuilt();
    prepareToShow(platform_, *window_, form_.style(), platform_.isTopmost(form_));
    // A window manager may leave a window it let go of where its frame was,
    // a title bar higher (mutter does): it shows again at the form's place.
    moveToAppliedPosition();
    window_->show();
    sincePlaced_.start();
    raiseWindow();
}

// Asks for the model's place again after the window manager put the window
// elsewhere.
void QtFormPeer::reapplyPlacement() {
    if (!window_->isVisible()) return;
    moveToAppliedPosition();
    // Some compositors place X11 windows themselves (weston) whatever we ask:
    // the form then learns where its window is, which the auto-hide poll reads.
    if (platform_.onXWayland()) QTimer::singleShot(300, this, [this] { adoptWindowPlace(); });
}

void QtFormPeer::adoptWindowPlace() {
    auto& x11 = platform_.x11();
    if (!x11 || !window_->isVisible() || appliedPositions_.empty()) return;
    const auto position = x11->rootPosition(static_cast<std::uint32_t>(window_->winId()));
    if (!position) return;
    const QPoint now(position->first, position->second);
    if (now == appliedPositions_.back()) return;
    learnWindowPosition(now);
}

void QtFormPeer::moveToAppliedPosition() {
    if (appliedPositions_.empty() || window_->geometry().topLeft() == appliedPositions_.back())
        return;
    applyingGeometry_ = true;
    window_->setGeometry(QRect(appliedPositions_.back(), window_->size()));
    applyingGeometry_ = false;
}

void QtFormPeer::raiseWindow() {
    if (!window_->isVisible()) return;
    window_->raise();
    platform_.restackTopmost();
}

void QtFormPeer::activate() {
    if (!window_->isVisible()) return;
    raiseWindow();
    platform_.activateWindow(*window_);
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
