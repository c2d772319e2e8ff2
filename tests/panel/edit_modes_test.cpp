// Slot actions and the move, delete and page-move modes.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace testing_support;
using forms::rgb;

const std::string T = "ヒヨコらっぱーVer1.96";

class EditModes : public ::testing::Test {
  protected:
    Program program;
    panel::Ranch& ranch() { return program.ranch(); }
    settings::EntryColumns& table() { return program.spm().EntryTable; }
    void SetUp() override {
        program.start();
        fill(1, "one");
        fill(4, "four");
        fill(52, "fifty-two");
        program.touchCallPoint();
        ranch().MoE.setValue(0);  // no box switching while the pointer travels
    }
    void fill(int i, const std::string& name) {
        table().Exe[i] = "/bin/" + name;
        table().APName[i] = name;
        table().APPath[i] = "/dir/" + name;
    }
    void key(int vk) { program.desktop.pressKey(vk); }
    void clickSlot(int s, int button = forms::kLeftButton) {
        program.desktop.clickControl(ranch().Command1[s], button);
    }
    void clickTab(int b, int button = forms::kLeftButton) {
        program.desktop.clickControl(ranch().Command2[b], button);
    }
    void expectPlain() {
        EXPECT_EQ(ranch().Caption(), T);
        EXPECT_EQ(ranch().Stetus.BackColor(), rgb(0, 127, 0));
        EXPECT_TRUE(ranch().Sette.Visible());
        EXPECT_TRUE(ranch().Sette.Enabled());
        EXPECT_TRUE(ranch().inPlainState());
    }
};

TEST_F(EditModes, KeysStartEachModeWithItsTitleAndColour) {
    key('M');
    EXPECT_EQ(ranch().Caption(), T + " - 移動モード発動中！");
    EXPECT_EQ(ranch().Stetus.BackColor(), rgb(0, 0, 127));
    EXPECT_FALSE(ranch().Sette.Enabled());
    key('M');
    expectPlain();
    key('D');
    EXPECT_EQ(ranch().Caption(), T + " - 削除モード発動中！");
    EXPECT_EQ(ranch().Stetus.BackColor(), rgb(127, 0, 0));
    EXPECT_EQ(program.spm().EditState, -1);
    key('M');
    expectPlain();
    EXPECT_NE(ranch().Caption(), T + " - 移動モード発動中！") << "M in delete mode only cancels";
    key('P');
    EXPECT_EQ(ranch().Caption(), T + " - ページ移動モード発動中！");
    EXPECT_EQ(ranch().Stetus.BackColor(), rgb(127, 0, 127));
    EXPECT_EQ(program.spm().EditState, -2);
    key('X');
    expectPlain();
}

TEST_F(EditModes, EscapeHidesOnlyInThePlainState) {
    key('D');
    key(27);
    EXPECT_TRUE(ranch().Visible());
    expectPlain();
    key(27);
    EXPECT_FALSE(ranch().Visible());
    EXPECT_TRUE(program.desktop.isTopmost(program.sp()));
}

TEST_F(EditModes, MoveAcrossBoxesSwapsTheTwoEntriesAndSaves) {
    const int writesBefore = program.desktop.store().writes;
    key('M');
    clickSlot(1);
    EXPECT_EQ(ranch().Caption(), T + " - oneを移動中");
    EXPECT_FALSE(ranch().Sette.Visible());
    EXPECT_TRUE(ranch().Sette.Enabled());
    clickTab(5);
    EXPECT_EQ(program.spm().CurrentBox, 5);
    clickSlot(2);
    EXPECT_EQ(table().APName[52], "one");
    EXPECT_EQ(table().Exe[52], "/bin/one");
    EXPECT_EQ(table().APPath[52], "/dir/one");
    EXPECT_EQ(table().APName[1], "fifty-two");
    EXPECT_EQ(ranch().Command1[2].Caption(), "one");
    expectPlain();
    EXPECT_GT(program.desktop.store().writes, writesBefore) << "Bnk is on";
    EXPECT_EQ(*program.desktop.store().get("User Setting", "APName52"), "one");
}

TEST_F(EditModes, MovingOntoItsOwnSlotChangesNothingAndEndsTheMode) {
    const auto before = table();
    key('M');
    clickSlot(4);
    clickSlot(4);
    EXPECT_EQ(table(), before);
    expectPlain();
}

TEST_F(EditModes, MovingAnEmptySlotOntoAFilledOneSwapsThem) {
    key('M');
    clickSlot(7);
    clickSlot(4);
    EXPECT_EQ(table().Exe[7], "/bin/four");
    EXPECT_EQ(table().Exe[4], "");
    EXPECT_EQ(table().APName[4], "<<空き家>>");
    EXPECT_TRUE(program.desktop.shellOpens.empty());
}

TEST_F(EditModes, DeleteAnsweredNoKeepsModeYesEmptiesTheRow) {
    key('D');
    program.desktop.messageBoxAnswers = {platform::mb::kAnswerNo};
    clickSlot(4);
    ASSERT_EQ(program.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(program.desktop.messageBoxes[0].text, "fourの登録を殺りますよん？");
    EXPECT_EQ(program.desktop.messageBoxes[0].title, T);
    EXPECT_EQ(program.desktop.messageBoxes[0].style, 4 + 48);
    EXPECT_EQ(table().Exe[4], "/bin/four");
    EXPECT_EQ(program.spm().EditState, -1);
    program.desktop.messageBoxAnswers = {platform::mb::kAnswerYes};
    clickSlot(4);
    EXPECT_EQ(table().Exe[4], "");
    EXPECT_EQ(table().APName[4], "<<空き家>>");
    EXPECT_EQ(table().APPath[4], "");
    EXPECT_EQ(ranch().Command1[4].Caption(), "<<空き家>>");
    expectPlain();
}

TEST_F(EditModes, DeletingAnEmptySlotAsksWithItsEmptyTitle) {
    key('D');
    program.desktop.messageBoxAnswers = {platform::mb::kAnswerYes};
    clickSlot(9);
    EXPECT_EQ(program.desktop.messageBoxes.at(0).text, "<<空き家>>の登録を殺りますよん？");
    EXPECT_EQ(table().APName[9], "<<空き家>>");
}

TEST_F(EditModes, WithBnkUncheckedADeletionWritesNothing) {
    ranch().Bnk.setValue(0);
    const int writes = program.desktop.store().writes;
    key('D');
    program.desktop.messageBoxAnswers = {platform::mb::kAnswerYes};
    clickSlot(1);
    EXPECT_EQ(table().Exe[1], "");
    EXPECT_EQ(program.desktop.store().writes, writes);
}

TEST_F(EditModes, PageMoveSwapsWholeBoxesAndToItselfChangesNothing) {
    key('P');
    clickTab(5);
    EXPECT_EQ(ranch().Caption(), T + " - ﾍを移動中");
    EXPECT_EQ(program.spm().EditState, 600);
    clickTab(0);
    EXPECT_EQ(table().APName[2], "fifty-two");
    EXPECT_EQ(table().APName[51], "one");
    EXPECT_EQ(table().APName[54], "four");
    EXPECT_EQ(program.spm().CurrentBox, 0);
    EXPECT_EQ(ranch().Command1[2].Caption(), "fifty-two");
    expectPlain();

    const auto before = table();
    key('P');
    clickTab(3);
    clickTab(3);
    EXPECT_EQ(table(), before);
    expectPlain();
}

TEST_F(EditModes, PageMoveModeStillStartsAFilledSlot) {
    key('P');
    clickSlot(1);
    ASSERT_EQ(program.desktop.shellOpens.size(), 1u);
    EXPECT_EQ(program.desktop.shellOpens[0].file, "/bin/one");
}

TEST_F(EditModes, EmptySlotClickOpensTheDialogOnThatEntry) {
    clickTab(3);
    clickSlot(7);
    EXPECT_TRUE(program.toro().Visible());
    EXPECT_FALSE(ranch().Visible());
    EXPECT_EQ(program.toro().DrawWidth(), 38);
    EXPECT_EQ(program.toro().Title.Text(), "<<空き家>>");
}

TEST_F(EditModes, RightClicksEditInPlainAndCancelInModes) {
    clickSlot(4, forms::kRightButton);
    EXPECT_TRUE(program.toro().Visible());
    EXPECT_EQ(program.toro().ComLine.Text(), "/bin/four");
    program.toro().Command3_Click();
    EXPECT_TRUE(ranch().Visible());

    key('D');
    clickSlot(4, forms::kRightButton);
    EXPECT_FALSE(program.toro().Visible());
    expectPlain();

    key('M');
    clickTab(2, forms::kRightButton);
    expectPlain();
    EXPECT_TRUE(ranch().Visible());
    clickTab(2, forms::kRightButton);
    EXPECT_FALSE(ranch().Visible()) << "a tab right-click in the plain state hides";
}

TEST_F(EditModes, AModeSurvivesHidingThePanel) {
    key('D');
    ranch().Form_LostFocus();
    program.desktop.advance(3333);
    program.touchCallPoint();
    EXPECT_EQ(program.spm().EditState, -1);
    EXPECT_EQ(ranch().Caption(), T + " - 削除モード発動中！");
}

}  // namespace
