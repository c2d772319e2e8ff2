// The call point: opening the panel, its re-arming timer, clicks and keys.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace testing_support;
using settings::hover::kJustOpened;

class CallPoint : public ::testing::Test {
  protected:
    Program program;
    void SetUp() override { program.start(); }
    int activations = 0;
    void countActivations() {
        auto& ranch = program.ranch();
        auto refresh = ranch.onActivate;
        ranch.onActivate = [this, refresh] {
            ++activations;
            refresh();
        };
    }
};

TEST_F(CallPoint, TouchOpensThePanelAboveAllAndTradesTheBand) {
    program.touchCallPoint();
    auto& ranch = program.ranch();
    EXPECT_TRUE(ranch.Visible());
    EXPECT_EQ(program.app.runtime().activeForm(), &ranch);
    EXPECT_TRUE(program.desktop.isTopmost(ranch));
    EXPECT_FALSE(program.desktop.isTopmost(program.sp()));
    EXPECT_EQ(program.spm().LastHoverId, kJustOpened);
    EXPECT_EQ(ranch.Command1[0].Caption(), "<<空き家>>");
}

TEST_F(CallPoint, PassingBackAndForthDoesNotReopenUntilTheTimerTick) {
    countActivations();
    program.touchCallPoint();
    EXPECT_EQ(activations, 1);
    // The user hides the panel and comes straight back.
    program.ranch().Form_LostFocus();
    for (int i = 0; i < 5; ++i) {
        program.desktop.moveMouse(600, 400);
        program.touchCallPoint();
    }
    EXPECT_FALSE(program.ranch().Visible());
    EXPECT_EQ(activations, 1);
    program.desktop.advance(3333);  // the tick re-arms
    EXPECT_EQ(program.spm().LastHoverId, 0);
    program.touchCallPoint();
    EXPECT_TRUE(program.ranch().Visible());
    EXPECT_EQ(activations, 2);
}

TEST_F(CallPoint, TimerPutsAStrayCallPointBackAndLeavesOtherHoverIds) {
    program.sp().Move(100, 100, 15, 15);
    program.spm().LastHoverId = 14;
    program.desktop.advance(3333);
    EXPECT_EQ(program.sp().Left(), program.spm().ScreenWidthTw - 15);
    EXPECT_EQ(program.sp().Top(), 0);
    EXPECT_EQ(program.spm().LastHoverId, 14);
}

TEST_F(CallPoint, NothingOpensWhileTheDialogIsVisible) {
    program.toro().Show();
    program.touchCallPoint();
    EXPECT_FALSE(program.ranch().Visible());
    EXPECT_NE(program.spm().LastHoverId, kJustOpened);
}

TEST_F(CallPoint, LeftClickShowsAboutAndLiftsTheCallPointAboveThePanel) {
    program.touchCallPoint();
    program.desktop.click(forms::kLeftButton);
    EXPECT_TRUE(program.desktop.isTopmost(program.sp()));
    EXPECT_FALSE(program.desktop.isTopmost(program.ranch()));
    ASSERT_EQ(program.desktop.messageBoxes.size(), 1u);
    const auto& box = program.desktop.messageBoxes[0];
    EXPECT_EQ(box.title, "ヒヨコらっぱー についてよ");
    EXPECT_EQ(box.style, platform::mb::kInformation);
    EXPECT_EQ(box.text,
              "ヒヨコらっぱーVer1.96\n\n" + program.ranch().VerH[1].Caption() + " ヒヨコノスケ");
}

TEST_F(CallPoint, RightClickAsksToEndAndNoChangesNothingButTheBand) {
    program.touchCallPoint();
    auto before = program.spm().EntryTable;
    program.desktop.messageBoxAnswers = {platform::mb::kAnswerNo};
    program.desktop.click(forms::kRightButton);
    ASSERT_EQ(program.desktop.messageBoxes.size(), 1u);
    const auto& box = program.desktop.messageBoxes[0];
    EXPECT_EQ(box.text, "保存＆終了しますよん");
    EXPECT_EQ(box.title, "ヒヨコらっぱーVer1.96");
    EXPECT_EQ(box.style, 4 + 48 + 256);
    EXPECT_TRUE(program.ranch().Visible());
    EXPECT_EQ(program.desktop.store().writes, 0);
    EXPECT_TRUE(program.desktop.isTopmost(program.sp()));
}

TEST_F(CallPoint, RightClickWithTheSettingsViewOpenShowsAbout) {
    program.touchCallPoint();
    program.ranch().Sette_Click();
    program.desktop.click(forms::kRightButton);
    ASSERT_EQ(program.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(program.desktop.messageBoxes[0].title, "ヒヨコらっぱー についてよ");
}

TEST_F(CallPoint, RightClickYesEndsTheProgram) {
    program.desktop.messageBoxAnswers = {platform::mb::kAnswerYes};
    program.touchCallPoint();
    EXPECT_THROW(program.desktop.click(forms::kRightButton), ProcessEnded);
}

TEST_F(CallPoint, ModifierKeysDoNothingAndMOpensThePanelInMoveMode) {
    auto& sp = program.sp();
    for (int key : {16, 17, 18, 92}) sp.Form_KeyDown(key, 0);
    EXPECT_FALSE(program.ranch().Visible());
    EXPECT_TRUE(program.desktop.sentKeys.empty());
    const double before = program.desktop.now();
    sp.Form_KeyDown('M', 0);
    EXPECT_EQ(program.desktop.now() - before, 77) << "waits the key code in milliseconds";
    EXPECT_TRUE(program.ranch().Visible());
    program.desktop.doEvents();  // the forwarded key reaches the panel
    EXPECT_FALSE(program.ranch().Sette.Enabled());
    EXPECT_EQ(program.ranch().Caption(), "ヒヨコらっぱーVer1.96 - 移動モード発動中！");
}

// What the window manager minimised comes back at the next touch, typed
// text and all; the dialog's text gets no key forwarded from the call point.
TEST_F(CallPoint, MinimisedWindowsComeBackAtATouch) {
    auto minimise = [](forms::Form& form) {
        forms::Form::NoEcho asTheWindowManagerDid(form);
        form.setWindowState(forms::kWindowMinimized);
    };
    program.touchCallPoint();
    auto& ranch = program.ranch();
    minimise(ranch);
    program.desktop.advance(3333);
    program.touchCallPoint();
    EXPECT_EQ(ranch.WindowState(), forms::kWindowNormal);
    EXPECT_EQ(program.app.runtime().activeForm(), &ranch);

    ranch.Command1_Click(0);  // an empty slot opens the dialog
    auto& toro = program.toro();
    ASSERT_TRUE(toro.Visible());
    toro.Title.setText("typed");
    minimise(toro);
    program.desktop.advance(3333);
    program.touchCallPoint();
    EXPECT_EQ(toro.WindowState(), forms::kWindowNormal);
    EXPECT_EQ(toro.Title.Text(), "typed");
    EXPECT_FALSE(ranch.Visible());

    minimise(toro);
    program.app.runtime().userActivated(program.sp());
    program.desktop.pressKey('D');
    EXPECT_EQ(toro.WindowState(), forms::kWindowNormal);
    EXPECT_EQ(program.app.runtime().activeForm(), &toro);
    EXPECT_TRUE(program.desktop.sentKeys.empty());
}

// When the panel does not open, the key must not come back to the call point.
TEST_F(CallPoint, KeyOverTheCallPointNeverFeedsItself) {
    program.toro().Show();
    program.app.runtime().userActivated(program.sp());
    program.desktop.pressKey('D');
    EXPECT_TRUE(program.desktop.sentKeys.empty());
    program.desktop.doEvents();
    EXPECT_FALSE(program.ranch().Visible());
}

TEST_F(CallPoint, PIsNotForwardedAndTheLeftWindowsKeyOpens) {
    program.sp().Form_KeyDown('P', 0);
    EXPECT_TRUE(program.ranch().Visible());
    EXPECT_TRUE(program.desktop.sentKeys.empty());
    program.ranch().Form_LostFocus();
    program.desktop.advance(3333);
    program.sp().Form_KeyDown(91, 0);
    EXPECT_TRUE(program.ranch().Visible());
}

}  // namespace
