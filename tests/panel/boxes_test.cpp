// The panel's boxes: the refresh from the entry table and switching boxes.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace testing_support;

class Boxes : public ::testing::Test {
  protected:
    Program program;
    panel::Ranch& ranch() { return program.ranch(); }
    void SetUp() override {
        program.start();
        for (int i = 0; i < 100; ++i)
            program.spm().EntryTable.APName[i] = "entry " + std::to_string(i);
        program.touchCallPoint();
    }
    // Exactly one tab bold at 20 points: the current box's.
    void expectOnlyCurrentTabMarked() {
        for (int b = 0; b < 10; ++b) {
            const auto& font = ranch().Command2[b].font();
            bool current = b == program.spm().CurrentBox;
            EXPECT_EQ(font.Bold, current) << "tab " << b;
            EXPECT_EQ(font.Size, current ? 20 : 9) << "tab " << b;
        }
    }
};

TEST_F(Boxes, OpensOnBoxZeroWithItsTabMarked) {
    EXPECT_EQ(ranch().Command1[0].Caption(), "entry 0");
    EXPECT_EQ(ranch().Command1[9].Caption(), "entry 9");
    expectOnlyCurrentTabMarked();
}

TEST_F(Boxes, TabClickSwitchesAndClickingTheCurrentTabRedrawsIt) {
    ranch().MoE.setValue(0);
    program.spm().EntryTable.APName[53] = "changed";
    program.desktop.clickControl(ranch().Command2[5]);
    EXPECT_EQ(program.spm().CurrentBox, 5);
    EXPECT_EQ(program.spm().PreviousBox, 0);
    EXPECT_EQ(ranch().Command1[3].Caption(), "changed");
    expectOnlyCurrentTabMarked();
    program.desktop.clickControl(ranch().Command2[5]);
    expectOnlyCurrentTabMarked();
    EXPECT_EQ(program.spm().PreviousBox, 5);
}

TEST_F(Boxes, HoveringSwitchesOnlyWithMoEAndOnlyToAnotherBox) {
    ranch().MoE.setValue(0);
    program.desktop.hoverControl(ranch().Command2[3]);
    EXPECT_EQ(program.spm().CurrentBox, 0);
    ranch().MoE.setValue(1);
    program.desktop.hoverControl(ranch().Command2[3]);
    EXPECT_EQ(program.spm().CurrentBox, 3);
    EXPECT_EQ(ranch().Command1[0].Caption(), "entry 30");
    program.desktop.hoverControl(ranch().Command2[3]);
    EXPECT_EQ(program.spm().PreviousBox, 0) << "hovering the current tab changes nothing";
    expectOnlyCurrentTabMarked();
}

TEST_F(Boxes, ReopeningShowsTheLastBoxAndTheCurrentTable) {
    program.desktop.clickControl(ranch().Command2[7]);
    ranch().Form_LostFocus();
    program.spm().EntryTable.APName[72] = "<<空き家>>";
    program.desktop.advance(3333);
    program.touchCallPoint();
    EXPECT_EQ(program.spm().CurrentBox, 7);
    EXPECT_EQ(ranch().Command1[2].Caption(), "<<空き家>>");
}

}  // namespace
