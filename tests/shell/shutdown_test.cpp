// The shutdown: save first, then the farewell show, then the end.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness.h"
#include "settings/extra_options.h"

namespace {

using namespace testing_support;

class Shutdown : public ::testing::Test {
  protected:
    Program program;
    panel::Ranch& ranch() { return program.ranch(); }
    void SetUp() override {
        program.start();
        program.spm().EntryTable.Exe[42] = "/bin/kept";
        program.touchCallPoint();
    }
    // Runs the shutdown to its end; returns the exit code.
    int shutDown() {
        try {
            program.sp().Unload();
        } catch (const ProcessEnded& ended) {
            return ended.exitCode;
        }
        ADD_FAILURE() << "the process did not end";
        return -1;
    }
};

TEST_F(Shutdown, SavesEverythingBeforeAnythingMoves) {
    ranch().Move(3000, 2000, ranch().Width(), ranch().Height());
    bool checked = false;
    program.desktop.onDoEvents = [&] {
        if (checked) return;
        checked = true;
        auto& store = program.desktop.store();
        EXPECT_EQ(*store.get("Hiyokorapper Setting", "SUB_LEFT"), "3000");
        EXPECT_EQ(*store.get("Hiyokorapper Setting", "SUB_TOP"), "2000");
        EXPECT_EQ(*store.get("Hiyokorapper Setting", "Faster"), "7");
        EXPECT_EQ(*store.get("User Setting", "Exe42"), "/bin/kept");
        std::size_t extraKeys = 0;
        for (const auto& row : settings::ExtraOptions()) extraKeys += row.key != nullptr;
        EXPECT_EQ(store.values.size(), 309u + extraKeys);
        EXPECT_EQ(program.spm().ShuttingDown, -1);
    };
    EXPECT_EQ(shutDown(), 0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(program.desktop.isTopmost(ranch()));
    EXPECT_FALSE(program.desktop.isTopmost(program.sp()));
}

TEST_F(Shutdown, SlideOutSpinsTheRingFiftyTimesAndHidesEverySlotAndTab) {
    // Each ring step is followed by two event turns; keep one entry per step.
    std::vector<std::string> perStep;
    int turns = 0;
    program.desktop.onDoEvents = [&] {
        if (ranch().Sette.Caption() == "滅" || perStep.size() == 50) return;
        if (turns++ % 2 == 0) perStep.push_back(ranch().Sette.Caption());
    };
    shutDown();
    ASSERT_EQ(perStep.size(), 50u);
    EXPECT_EQ(perStep[0], "_");
    EXPECT_EQ(perStep[11], ".");
    EXPECT_EQ(perStep[12], "_") << "the ring wraps from 12 back to 1";
    EXPECT_EQ(perStep[48], "_");
    EXPECT_EQ(perStep[49], ".") << "last shown: position 2";
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(ranch().Command1[i].Visible());
        EXPECT_FALSE(ranch().Command2[i].Visible());
    }
    EXPECT_EQ(ranch().Command1[0].Top(), 60 + 375);
    EXPECT_EQ(ranch().Command2[9].Left(), 3840 + 435);
}

TEST_F(Shutdown, SetteGrowsToCoverThePanelThenTheFadesRunToTheirEnds) {
    std::vector<forms::Color> colours;
    bool grownSeen = false;
    program.desktop.onDoEvents = [&] {
        auto& sette = ranch().Sette;
        if (sette.Caption() == "滅" && sette.font().Size == 152 && !grownSeen) {
            grownSeen = true;
            EXPECT_EQ(sette.Left(), 0);
            EXPECT_EQ(sette.Top(), 0);
            EXPECT_EQ(sette.Width(), 4935);
            EXPECT_EQ(sette.Height(), 2515);
        }
        if (auto c = ranch().BackColor()) {
            if (colours.empty() || colours.back() != *c) colours.push_back(*c);
        }
    };
    shutDown();
    EXPECT_TRUE(grownSeen);
    EXPECT_FALSE(ranch().Sette.Visible());
    EXPECT_FALSE(ranch().Stetus.Visible());
    EXPECT_EQ(ranch().Caption(), "");
    ASSERT_EQ(colours.size(), 128u + 52u);
    EXPECT_EQ(colours[0], forms::rgb(255, 255, 255));
    EXPECT_EQ(colours[127], forms::rgb(1, 1, 1)) << "last colour of the fade to black";
    EXPECT_EQ(colours[128], forms::rgb(0, 0, 0));
    EXPECT_EQ(colours.back(), forms::rgb(255, 255, 255));
}

TEST_F(Shutdown, NameRainPrintsSixtyNamesAtRandomPointsAndTheFadeClearsThem) {
    std::size_t mostDrawn = 0;
    program.desktop.onDoEvents = [&] {
        mostDrawn = std::max(mostDrawn, ranch().drawList().size());
    };
    const double width = ranch().Width(), height = ranch().Height();
    shutDown();
    EXPECT_EQ(mostDrawn, 118u) << "59 names and points drawn when the last turn runs";
    EXPECT_TRUE(ranch().drawList().empty());
    EXPECT_EQ(ranch().font().Size, 60);
    EXPECT_EQ(ranch().Width(), width - 40 * 123);
    EXPECT_EQ(ranch().Height(), height - 40 * 69);
}

// The collapse stops at size zero: a smaller panel never turns negative.
TEST_F(Shutdown, CollapseOfASmallPanelStopsAtZero) {
    ranch().Move(100, 100, 3000, 1000);
    double smallestWidth = 1, smallestHeight = 1;
    program.desktop.onDoEvents = [&] {
        smallestWidth = std::min(smallestWidth, ranch().Width());
        smallestHeight = std::min(smallestHeight, ranch().Height());
    };
    EXPECT_EQ(shutDown(), 0);
    EXPECT_EQ(smallestWidth, 0);
    EXPECT_EQ(smallestHeight, 0);
    EXPECT_EQ(ranch().Width(), 0);
}

TEST_F(Shutdown, HiddenPanelStillEndsAndTheSettingsButtonIsIgnoredMeanwhile) {
    ranch().Form_LostFocus();
    int clicks = 0;
    program.desktop.onDoEvents = [&] {
        if (clicks++ == 10) ranch().Sette_Click();  // a click during the show
    };
    EXPECT_EQ(shutDown(), 0);
    EXPECT_FALSE(ranch().Visible());
    EXPECT_EQ(ranch().Sette.font().Size, 152) << "the click did not flip the view";
}

// At exit a save that fails asks whether to try again: Yes tries again (the
// user has made room meanwhile), No ends without the save.
TEST_F(Shutdown, FailedSaveAsksToTryAgainBeforeTheShow) {
    auto& store = program.desktop.store();
    store.failure = platform::StoreFailure{"/home/u/.config/hiyokorapper/hiyokorapper.ini",
                                           "No space left on device"};
    program.desktop.messageBoxAnswers = {platform::mb::kAnswerYes};
    program.desktop.onMessageBox = [&](const auto&) {
        EXPECT_FALSE(program.desktop.isTopmost(ranch())) << "the box is not hidden under the panel";
        store.failure.reset();
    };
    bool showSeenAfterSave = false;
    program.desktop.onDoEvents = [&] {
        showSeenAfterSave = store.get("User Setting", "Exe42").has_value();
    };
    EXPECT_EQ(shutDown(), 0);
    ASSERT_EQ(program.desktop.messageBoxes.size(), 1u);
    const auto& box = program.desktop.messageBoxes[0];
    EXPECT_EQ(box.style, platform::mb::kYesNo | platform::mb::kExclamation) << "Yes by default";
    EXPECT_EQ(box.title, "ヒヨコらっぱーVer1.96");
    EXPECT_NE(box.text.find("No space left on device"), std::string::npos);
    EXPECT_TRUE(showSeenAfterSave);
    EXPECT_EQ(*store.get("User Setting", "Exe42"), "/bin/kept");
    EXPECT_TRUE(program.desktop.isTopmost(ranch())) << "the show plays on top";
}

TEST_F(Shutdown, FailedSaveAnsweredNoEndsWithoutIt) {
    auto& store = program.desktop.store();
    store.failure = platform::StoreFailure{"where", "why"};
    program.desktop.messageBoxAnswers = {platform::mb::kAnswerYes, platform::mb::kAnswerNo};
    EXPECT_EQ(shutDown(), 0);
    EXPECT_EQ(program.desktop.messageBoxes.size(), 2u) << "asked again after a retry that failed";
    EXPECT_EQ(store.flushes, 2);
    EXPECT_FALSE(store.get("User Setting", "Exe42").has_value());
}

// The session may end under the farewell show: a close of the call point
// then starts no second shutdown.
TEST_F(Shutdown, CloseDuringTheShowDoesNothing) {
    int turns = 0;
    program.desktop.onDoEvents = [&] {
        if (turns++ == 5) program.desktop.requestClose(program.sp());
    };
    EXPECT_EQ(shutDown(), 0);
    EXPECT_EQ(program.desktop.store().flushes, 1);
}

TEST_F(Shutdown, EndQuestionYesRunsTheWholeShowWithinSeconds) {
    program.desktop.messageBoxAnswers = {platform::mb::kAnswerYes};
    const double before = program.desktop.now();
    EXPECT_THROW(program.desktop.click(forms::kRightButton), ProcessEnded);
    const double took = program.desktop.now() - before;
    EXPECT_GT(took, 1500);
    EXPECT_LT(took, 5000);
}

}  // namespace
