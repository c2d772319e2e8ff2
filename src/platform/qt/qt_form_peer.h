// The native side of one form: a top-level QWidget with a child widget per
// control, kept in step with the model, and the user's input written back
// into the model (qt_input.cpp).
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <deque>
#include <memory>
#include <vector>

#include "forms/form.h"
#include "forms/peer.h"

class QTimer;
class QWidget;

namespace platform::qt {

class QtPlatform;
class FormWindow;

class QtFormPeer : public QObject, public forms::FormPeer {
  public:
    QtFormPeer(QtPlatform& platform, forms::Form& form);
    ~QtFormPeer() override;

    void formChanged(forms::Prop what) override;
    void controlChanged(forms::Control& control, forms::Prop what) override;

    forms::Form& form() const { return form_; }
    QWidget* window() const;
    // Makes the controls' widgets if the form was never shown yet.
    QWidget* widgetOf(const forms::Control& control);
    // The control a widget of this form shows; null for any other widget.
    forms::Control* controlOf(const QWidget* widget) const { return controls_.value(widget); }
    // Where a key for this form goes: its focused control, else the window.
    QWidget* keyboardTarget() const;
    void raiseWindow();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct TimerSlot {
        forms::Timer* timer;
        QTimer* qtimer;
        bool running = false;
    };
    void createTimers();
    void ensureBuilt();
    void buildShownControls();
    QWidget* ensureWidget(forms::Control& control);
    void placeInStackingOrder(const forms::Control& control, QWidget* widget);
    forms::Control* nextInTabOrder(forms::Control* from, bool backwards) const;
    void connectUserActions(forms::Control& control, QWidget* widget);
    void applyFormGeometry();
    void applyFormVisibility();
    void applyCaption();
    void applyWindowState();
    void activate();
    void syncChoiceWidgets();
    void armTimer(forms::Timer& timer);
    void fireTimer(TimerSlot& slot);

    // Input, in qt_input.cpp.
    bool mouseEvent(QWidget* widget, QEvent* event);
    bool keyEvent(QWidget* widget, QEvent* event);
    void focusEvent(QWidget* widget, QEvent* event);
    bool windowEvent(QEvent* event);
    void windowStateChanged();
    void reapplyPlacement();
    void moveToAppliedPosition();
    void adoptWindowPlace();
    void learnWindowPosition(QPoint now);
    void deliverMove(QWidget* widget, QPointF position, int buttons, int shift);
    void userCheckedBox(forms::CheckBox& box);
    void userChoseOption(forms::OptionButton& option);
    void userTyped(forms::TextBox& box, const QString& text);

    QtPlatform& platform_;
    forms::Form& form_;
    FormWindow* window_;  // deleted later: a handler may unload the form inside its own event
    QHash<const forms::Control*, QWidget*> widgets_;
    QHash<const QWidget*, forms::Control*> controls_;
    QHash<const forms::Control*, int> creationIndex_;
    std::vector<TimerSlot> timers_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool built_ = false;
    bool collapsed_ = false;  // the model's size rounds to no pixel: unmapped
    bool applyingGeometry_ = false;
    std::deque<QPoint> appliedPositions_;  // X reports our own moves late
    QElapsedTimer sincePlaced_;
    int placementRetries_ = 0;
    QPointer<QWidget> lastMoveWidget_;
    QPoint lastMovePosition_;
    QPointer<QWidget> pressedWidget_;
};

}  // namespace platform::qt
