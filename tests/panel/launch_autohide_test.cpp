// Starting an entry through the shell, and the ways the panel goes away.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace testing_support;

class LaunchAndHide : public ::testing::Test {
  protected:
    Program program;
    panel::Ranch& ranch() { return program.ranch(); }
    void SetUp() override {
        program.start();
        auto& table = program.spm().EntryTable;
        table.Exe[2] = "C:\\Tools\\ツール a.exe";
        table.APName[2] = "tool";
        table.APPath[2] = "C:\\Tools\\";
        table.Exe[3] = "/home/user/notes.txt";
        table.APName[3] = "notes";
        program.touchCallPoint();
    }
    // Pointer to a screen pixel relative to the panel's outer top-left.
    void pointerAtPanel(double dxTw, double dyTw) {
        program.desktop.moveMouse(static_cast<int>((ranch().Left() + dxTw) / 15),
                                  static_cast<int>((ranch().Top() + dyTw) / 15));
    }
};

TEST_F(LaunchAndHide, ClickOnAFilledSlotOpensItInItsFolderAndHidesThePanel) {
    program.spm().LastHoverId = 14;
    program.desktop.clickControl(ranch().Command1[2]);
    ASSERT_EQ(program.desktop.shellOpens.size(), 1u);
    EXPECT_EQ(program.desktop.shellOpens[0].file, "C:\\Tools\\ツール a.exe");
    EXPECT_EQ(program.desktop.shellOpens[0].directory, "C:\\Tools\\");
    EXPECT_EQ(program.desktop.shellOpens[0].owner, "ranch");
    EXPECT_EQ(program.spm().LastHoverId, 0);
    EXPECT_FALSE(ranch().Visible());
    EXPECT_TRUE(program.desktop.isTopmost(program.sp()));
    EXPECT_FALSE(program.desktop.isTopmost(ranch()));
    EXPECT_TRUE(program.desktop.messageBoxes.empty()) << "nothing is reported";
}

TEST_F(LaunchAndHide, EmptyWorkingFolderIsPassedEmpty) {
    program.desktop.clickControl(ranch().Command1[3]);
    ASSERT_EQ(program.desktop.shellOpens.size(), 1u);
    EXPECT_EQ(program.desktop.shellOpens[0].directory, "");
}

TEST_F(LaunchAndHide, BackgroundRightClickHidesLeftClickDoesNot) {
    program.desktop.hoverForm(ranch(), 4890, 1000);
    program.desktop.click(forms::kLeftButton);
    EXPECT_TRUE(ranch().Visible());
    program.desktop.click(forms::kRightButton);
    EXPECT_FALSE(ranch().Visible());
    EXPECT_TRUE(program.desktop.isTopmost(program.sp()));
}

TEST_F(LaunchAndHide, HideDoesNothingWhileShuttingDown) {
    program.spm().ShuttingDown = -1;
    ranch().Form_LostFocus();
    EXPECT_TRUE(ranch().Visible());
    EXPECT_TRUE(program.desktop.isTopmost(ranch()));
}

TEST_F(LaunchAndHide, WithoutTaoThePanelStaysOpenWhereverThePointerGoes) {
    ranch().Tao.setValue(0);
    program.desktop.hoverControl(ranch().Command1[0]);
    program.desktop.moveMouse(5, 900);
    program.desktop.advance(1000);
    EXPECT_TRUE(ranch().Visible());
    EXPECT_EQ(ranch().Deta.Interval(), 0);
}

TEST_F(LaunchAndHide, PanelOpenedUnderAPointerThatNeverEntersStaysOpen) {
    ranch().Tao.setValue(1);
    program.desktop.advance(2000);
    EXPECT_TRUE(ranch().Visible());
    EXPECT_EQ(ranch().Deta.Interval(), 0);
}

TEST_F(LaunchAndHide, WithTaoThePanelVanishesOnceThePointerLeaves) {
    ranch().Tao.setValue(1);
    program.desktop.hoverControl(ranch().Command1[4]);
    EXPECT_EQ(ranch().Deta.Interval(), 100);
    program.desktop.advance(300);
    EXPECT_TRUE(ranch().Visible()) << "pointer still inside";
    program.desktop.moveMouse(2, 2);
    program.desktop.advance(100);
    EXPECT_FALSE(ranch().Visible());
    EXPECT_EQ(ranch().Deta.Interval(), 0);
    EXPECT_TRUE(program.desktop.isTopmost(ranch())) << "the poll's plain hide keeps the band";
}

TEST_F(LaunchAndHide, PointerOnTheExactLeftOrTopEdgeCountsAsOutside) {
    ranch().Tao.setValue(1);
    ranch().Move(1500, 3000, ranch().Width(), ranch().Height());  // whole pixels
    program.desktop.hoverControl(ranch().Command1[0]);
    pointerAtPanel(0, 300);
    program.desktop.advance(100);
    EXPECT_FALSE(ranch().Visible());

    ranch().Show();
    program.desktop.hoverControl(ranch().Command1[0]);
    pointerAtPanel(300, 0);
    program.desktop.advance(100);
    EXPECT_FALSE(ranch().Visible());

    ranch().Show();
    program.desktop.hoverControl(ranch().Command1[0]);
    pointerAtPanel(15, 15);
    program.desktop.advance(100);
    EXPECT_TRUE(ranch().Visible()) << "one pixel in is inside";
}

}  // namespace
