// Native -> model: clicks, typing, keys, pointer moves and focus reach the
// model's slots and setters once, without being echoed back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "qt_test_support.h"

namespace {

using namespace qt_testing;

struct Event {
    std::string what;
    int a = 0, b = 0;
    double x = 0, y = 0;
    bool operator==(const Event&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Event& e) {
    return out << e.what << "(" << e.a << "," << e.b << "," << e.x << "," << e.y << ")";
}

TEST(UserInput, CheckBoxClickCyclesOnOffAndGreyToOff) {
    Desktop d;
    TestForm form(d.runtime);
    auto& box = form.add<forms::CheckBox>("Check1");
    box.Move(0, 0, 1500, 300);
    std::vector<int> valuesSeenInClick;
    box.onClick = [&] { valuesSeenInClick.push_back(box.Value()); };
    showAt(form, 0, 0);
    auto* widget = widgetNamed<QCheckBox>(form, "Check1");
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 8));
    box.setValue(2);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 8));
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_EQ(valuesSeenInClick, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(widget->checkState(), Qt::Checked);
}

TEST(UserInput, OptionClickSelectsItAndClearsItsGroupOnly) {
    Desktop d;
    TestForm form(d.runtime);
    auto& frame = form.add<forms::Frame>("Frame1");
    auto& a = form.add<forms::OptionButton>("Opt", 0);
    auto& b = form.add<forms::OptionButton>("Opt", 1);
    auto& outside = form.add<forms::OptionButton>("Other");
    frame.Move(0, 0, 2400, 1200);
    for (auto* o : {&a, &b}) o->setContainer(&frame);
    a.Move(150, 300, 900, 300);
    b.Move(150, 750, 900, 300);
    outside.Move(0, 1500, 900, 300);
    a.setValue(true);
    outside.setValue(true);
    int clicks = 0;
    b.onClick = [&] { ++clicks; };
    showAt(form, 0, 0);
    auto* bWidget = widgetNamed<QRadioButton>(form, "Opt(1)");
    QTest::mouseClick(bWidget, Qt::LeftButton, {}, QPoint(5, 8));
    QTest::mouseClick(bWidget, Qt::LeftButton, {}, QPoint(5, 8));  // stays chosen
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(b.Value());
    EXPECT_FALSE(a.Value());
    EXPECT_TRUE(outside.Value());
    EXPECT_TRUE(bWidget->isChecked());
    EXPECT_FALSE(widgetNamed<QRadioButton>(form, "Opt(0)")->isChecked());
}

TEST(UserInput, TypedTextGoesIntoTheModel) {
    Desktop d;
    TestForm form(d.runtime);
    auto& text = form.add<forms::TextBox>("Title");
    text.Move(0, 0, 2400, 300);
    showAt(form, 0, 0);
    auto* edit = widgetNamed<QLineEdit>(form, "Title");
    edit->setFocus();
    QTest::keyClicks(edit, "note.txt");
    EXPECT_EQ(text.Text(), "note.txt");
    EXPECT_EQ(form.ActiveControl(), &text);
    text.setText("ｲﾛﾊ");
    EXPECT_EQ(edit->text(), "ｲﾛﾊ");
}

TEST(UserInput, KeysReachTheFocusedControlOnceAsVirtualKeys) {
    Desktop d;
    TestForm form(d.runtime);
    auto& button = form.add<forms::CommandButton>("Command1");
    auto& frame = form.add<forms::Frame>("Frame1");
    auto& inner = form.add<forms::TextBox>("Inner");
    inner.setContainer(&frame);
    button.Move(0, 0, 900, 300);
    frame.Move(0, 600, 2400, 900);
    inner.Move(150, 300, 900, 300);
    std::vector<Event> events;
    button.onKeyDown = [&](int k, int s) { events.push_back({"button", k, s}); };
    inner.onKeyDown = [&](int k, int s) { events.push_back({"inner", k, s}); };
    form.onKeyDown = [&](int k, int s) { events.push_back({"form", k, s}); };
    showAt(form, 0, 0);
    button.SetFocus();
    QTest::keyClick(widgetNamed(form, "Command1"), Qt::Key_M);
    // A click with a modifier presses the modifier key first, which is a key too.
    QTest::keyClick(widgetNamed(form, "Command1"), Qt::Key_M, Qt::ShiftModifier);
    QTest::keyClick(widgetNamed(form, "Command1"), Qt::Key_F1, Qt::ControlModifier);
    inner.SetFocus();
    QTest::keyClick(widgetNamed(form, "Inner"), Qt::Key_Escape);  // unused by the edit
    QTest::keyClick(widgetNamed(form, "Inner"), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(events, (std::vector<Event>{{"button", 'M', 0},
                                          {"button", 16, forms::kShiftMask},
                                          {"button", 'M', forms::kShiftMask},
                                          {"button", 17, forms::kCtrlMask},
                                          {"button", 112, forms::kCtrlMask},
                                          {"inner", 27, 0},
                                          {"inner", 18, forms::kAltMask},
                                          {"inner", 40, forms::kAltMask}}));
}

TEST(UserInput, FormWithoutFocusableControlsGetsTheKeys) {
    Desktop d;
    TestForm form(d.runtime, forms::FrameStyle::None, 15, 15);
    std::vector<Event> events;
    form.onKeyDown = [&](int k, int s) { events.push_back({"form", k, s}); };
    QWidget* window = showAt(form, 0, 0);
    QTest::keyClick(window, Qt::Key_D);
    QTest::keyClick(window, Qt::Key_D, Qt::ShiftModifier);
    EXPECT_EQ(events, (std::vector<Event>{
                          {"form", 'D', 0}, {"form", 16, forms::kShiftMask}, {"form", 'D', 1}}));
}

TEST(UserInput, TabMovesFocusInTabIndexOrderSkippingWhatCannotTakeIt) {
    Desktop d;
    TestForm form(d.runtime);
    auto& third = form.add<forms::CommandButton>("Third");
    auto& hidden = form.add<forms::CommandButton>("Hidden");
    auto& first = form.add<forms::TextBox>("First");
    auto& second = form.add<forms::CheckBox>("Second");
    third.setTabIndex(2);
    hidden.setTabIndex(1);
    first.setTabIndex(0);
    second.setTabIndex(1);
    hidden.setVisible(false);
    int y = 0;
    for (forms::Control* c :
         {static_cast<forms::Control*>(&third), static_cast<forms::Control*>(&first),
          static_cast<forms::Control*>(&second)}) {
        c->Move(0, y, 900, 300);
        y += 450;
    }
    std::vector<int> keys;
    first.onKeyDown = [&](int k, int) { keys.push_back(k); };
    showAt(form, 0, 0);
    first.SetFocus();
    QTest::keyClick(widgetNamed(form, "First"), Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControl(), &second);
    QTest::keyClick(widgetNamed(form, "Second"), Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControl(), &third);
    QTest::keyClick(widgetNamed(form, "Third"), Qt::Key_Tab);  // wraps round
    EXPECT_EQ(form.ActiveControl(), &first);
    QTest::keyClick(widgetNamed(form, "First"), Qt::Key_Backtab);
    EXPECT_EQ(form.ActiveControl(), &third);
    EXPECT_TRUE(keys.empty());  // Tab moves focus; it is no key for the control
}

// Enter reaches the key handlers once and clicks nothing by itself: the
// registration dialog confirms through its key handlers, exactly once.
TEST(UserInput, EnterGoesToTheKeyHandlersOnlyAndClicksNoButton) {
    Desktop d;
    TestForm form(d.runtime);
    auto& ok = form.add<forms::CommandButton>("OK");
    auto& text = form.add<forms::TextBox>("Text1");
    ok.setDefault(true);
    ok.Move(0, 0, 900, 300);
    text.Move(0, 600, 900, 300);
    int clicks = 0, enters = 0;
    ok.onClick = [&] { ++clicks; };
    text.onKeyDown = [&](int code, int) { enters += code == 13; };
    showAt(form, 0, 0);
    text.SetFocus();
    QTest::keyClick(widgetNamed(form, "Text1"), Qt::Key_Return);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(clicks, 0);
}

TEST(UserInput, PointerMoveOverAOnePixelWindowReachesTheForm) {
    Desktop d;
    TestForm form(d.runtime, forms::FrameStyle::None, 15, 15);
    std::vector<Event> events;
    form.onMouseMove = [&](int b, int s, double x, double y) {
        events.push_back({"move", b, s, x, y});
    };
    QWidget* window = showAt(form, 1515, 1530);
    ASSERT_EQ(window->size(), QSize(1, 1));
    // These warp the real X pointer: the events come back from the server.
    QTest::mouseMove(window, QPoint(3, 3));  // from beside it ...
    settle();
    QTest::mouseMove(window, QPoint(0, 0));  // ... onto its one pixel
    settle();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), (Event{"move", 0, 0, 0, 0}));
}

TEST(UserInput, MouseEventsCarryTwipsRelativeToTheControl) {
    Desktop d;
    TestForm form(d.runtime);
    auto& button = form.add<forms::CommandButton>("Command1");
    button.Move(300, 300, 1500, 600);
    std::vector<Event> events;
    button.onMouseDown = [&](int b, int s, double x, double y) {
        events.push_back({"down", b, s, x, y});
    };
    form.onMouseDown = [&](int b, int s, double x, double y) {
        events.push_back({"form", b, s, x, y});
    };
    QWidget* window = showAt(form, 0, 0);
    QTest::mouseClick(widgetNamed(form, "Command1"), Qt::RightButton, Qt::ShiftModifier,
                      QPoint(10, 4));
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(150, 100));
    EXPECT_EQ(events, (std::vector<Event>{{"down", 2, 1, 150, 60}, {"form", 1, 0, 2250, 1500}}));
}

TEST(UserInput, LabelClickFiresOnReleaseOverIt) {
    Desktop d;
    TestForm form(d.runtime);
    auto& label = form.add<forms::Label>("Stetus");
    label.Move(0, 0, 1500, 300);
    int clicks = 0;
    label.onClick = [&] { ++clicks; };
    showAt(form, 0, 0);
    QWidget* widget = widgetNamed(form, "Stetus");
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(500, 5));  // released elsewhere
    EXPECT_EQ(clicks, 1);
}

TEST(UserInput, ClickIntoAnotherWindowActivatesItsForm) {
    Desktop d;
    TestForm first(d.runtime), second(d.runtime);
    int activations = 0;
    second.onActivate = [&] { ++activations; };
    showAt(second, 0, 0);
    QWidget* firstWindow = showAt(first, 3000, 0);
    ASSERT_EQ(d.runtime.activeForm(), &first);
    activations = 0;
    QTest::mouseClick(windowOf(second), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(d.runtime.activeForm(), &second);
    EXPECT_EQ(activations, 1);
    QTest::mouseClick(firstWindow, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(d.runtime.activeForm(), &first);
}

TEST(UserInput, FormLosesFocusOnlyWhenItHeldTheKeyboardItself) {
    Desktop d;
    TestForm bare(d.runtime), withButton(d.runtime), other(d.runtime);
    auto& button = withButton.add<forms::CommandButton>("Command1");
    button.Move(0, 0, 900, 300);
    int bareLost = 0, buttonFormLost = 0;
    bare.onLostFocus = [&] { ++bareLost; };
    withButton.onLostFocus = [&] { ++buttonFormLost; };
    QWidget* otherWindow = showAt(other, 6000, 0);
    for (forms::Form* f :
         {static_cast<forms::Form*>(&bare), static_cast<forms::Form*>(&withButton)}) {
        QWidget* window = showAt(*f, 0, 0);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        otherWindow->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(otherWindow));
        f->Hide();
    }
    EXPECT_EQ(bareLost, 1);
    EXPECT_EQ(buttonFormLost, 0);
}

TEST(UserInput, HandlerMayUnloadItsOwnFormDuringTheEvent) {
    Desktop d;
    TestForm form(d.runtime);
    auto& button = form.add<forms::CommandButton>("Command1");
    button.Move(0, 0, 900, 300);
    button.onMouseDown = [&](int, int, double, double) { form.Unload(); };
    showAt(form, 0, 0);
    QTest::mousePress(widgetNamed(form, "Command1"), Qt::LeftButton, {}, QPoint(5, 5));
    settle();
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(d.platform.peerOf(form), nullptr);
}

}  // namespace
