// The status line's hints and the rule against rebuilding them.
#include <gtest/gtest.h>

#include <set>

#include "harness.h"

namespace {

using namespace testing_support;

class Hints : public ::testing::Test {
  protected:
    Program program;
    panel::Ranch& ranch() { return program.ranch(); }
    const std::string& status() { return ranch().Stetus.Caption(); }
    void SetUp() override {
        program.start();
        auto& table = program.spm().EntryTable;
        table.Exe[0] = "/bin/a";
        table.APName[0] = "エディタ";
        table.Exe[1] = "/bin/b";
        table.APName[1] = "ブラウザ";
        program.touchCallPoint();
        ranch().MoE.setValue(0);
    }
    void hover(forms::Control& c) { program.desktop.hoverControl(c); }
    void hoverBackground() { program.desktop.hoverForm(ranch(), 4890, 1000); }
};

TEST_F(Hints, SlotHintsInThePlainState) {
    hoverBackground();
    hover(ranch().Command1[0]);
    EXPECT_EQ(status(), "ｸﾘｯｸ:｢エディタ｣起動  逆ｸﾘ:登録編集");
    hover(ranch().Command1[5]);
    EXPECT_EQ(status(), "ｸﾘｯｸ:｢新規登録｣  逆ｸﾘ:新規登録");
}

TEST_F(Hints, TabHintsForEveryMode) {
    hover(ranch().Command2[0]);
    EXPECT_EQ(status(), "ｸﾘｯｸ:｢ｲ｣BOX表示  逆ｸﾘ:ﾗｯﾊﾟを隠す");
    program.desktop.pressKey('D');
    hover(ranch().Command2[1]);
    EXPECT_EQ(status(), "ｸﾘｯｸ:｢ﾛ｣BOX表示  逆ｸﾘ:削除中止");
    program.desktop.pressKey('X');
    program.desktop.pressKey('P');
    hover(ranch().Command2[2]);
    EXPECT_EQ(status(), "ｸﾘｯｸ:｢ﾊ｣の内容を移動  逆ｸﾘ:移動中止");
    program.desktop.clickControl(ranch().Command2[2]);
    hover(ranch().Command2[3]);
    EXPECT_EQ(status(), "ｸﾘｯｸ:｢ﾆ｣の移動先決定  逆ｸﾘ:移動中止");
    program.desktop.pressKey('X');
    program.desktop.pressKey('M');
    hover(ranch().Command2[4]);
    EXPECT_EQ(status(), "ｸﾘｯｸ:｢ﾎ｣BOX表示  逆ｸﾘ:移動中止");
}

TEST_F(Hints, RestingHintStaysWhenAModeStartsUntilThePointerReenters) {
    hover(ranch().Command1[0]);
    program.desktop.pressKey('D');
    hover(ranch().Command1[0]);
    EXPECT_EQ(status(), "ｸﾘｯｸ:｢エディタ｣起動  逆ｸﾘ:登録編集");
    hoverBackground();
    EXPECT_EQ(status(), "");
    hover(ranch().Command1[0]);
    EXPECT_EQ(status(), "ｸﾘｯｸ:｢エディタ｣の登録削除  逆ｸﾘ:削除中止");
}

TEST_F(Hints, MoveModeShowsTheSourceTitleOnEverySlot) {
    program.desktop.pressKey('M');
    hover(ranch().Command1[1]);
    EXPECT_EQ(status(), "ｸﾘｯｸ:｢ブラウザ｣を移動  逆ｸﾘ:移動中止");
    program.desktop.clickControl(ranch().Command1[1]);
    for (int s : {0, 4, 9}) {
        hover(ranch().Command1[s]);
        EXPECT_EQ(status(), "ｸﾘｯｸ:｢ブラウザ｣の移動先決定  逆ｸﾘ:移動中止") << s;
    }
}

TEST_F(Hints, ARecordedHintIsNotRebuiltWhileThePointerStays) {
    hover(ranch().Command1[0]);
    ranch().Stetus.setCaption("marker");
    hover(ranch().Command1[0]);
    EXPECT_EQ(status(), "marker");
    hover(ranch().Command1[1]);
    EXPECT_NE(status(), "marker");
}

TEST_F(Hints, BnkHintAndTheTwoWaysOfClearing) {
    ranch().Sette_Click();
    hover(ranch().Bnk);
    EXPECT_EQ(status(), "登録･削除･修正が行われた瞬間にその変化を記録します");
    EXPECT_EQ(program.spm().LastHoverId, settings::hover::kBnk);
    program.desktop.hoverForm(ranch(), ranch().BunWak.Left() + 1000, ranch().BunWak.Top() + 150);
    EXPECT_EQ(status(), "");
    EXPECT_EQ(program.spm().LastHoverId, settings::hover::kBnk) << "the frame leaves the record";
    hover(ranch().Bnk);
    EXPECT_EQ(status(), "") << "same record: not rebuilt";
    hoverBackground();
    EXPECT_EQ(program.spm().LastHoverId, 0);
}

TEST_F(Hints, EverySlotAndTabHasItsOwnRecord) {
    std::set<std::int32_t> ids = {0, 10, 11, 13, 14, 15, 19, 20, 21, 99};
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(ids.insert(settings::hover::slot(i)).second) << "slot " << i;
        EXPECT_TRUE(ids.insert(settings::hover::tab(i)).second) << "tab " << i;
    }
}

TEST_F(Hints, HoveringStartsTheAutoHidePollOnlyWithTao) {
    ranch().Tao.setValue(0);
    hover(ranch().Command1[0]);
    EXPECT_EQ(ranch().Deta.Interval(), 0);
    ranch().Tao.setValue(1);
    hover(ranch().Command2[0]);
    EXPECT_EQ(ranch().Deta.Interval(), 100);
}

}  // namespace
