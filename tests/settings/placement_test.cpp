// The call point's corner, the box tabs' captions, the topmost band.
#include <gtest/gtest.h>

#include "harness.h"
#include "settings/store_layout.h"

namespace {

using namespace testing_support;

std::string tabCaptions(panel::Ranch& ranch) {
    std::string all;
    for (int i = 0; i < 10; ++i) all += ranch.Command2[i].Caption();
    return all;
}

class Placement : public ::testing::Test {
protected:
    Program run;
    void SetUp() override {
        run.desktop.setScreenSize(1280, 960);  // 19200 x 14400 twips
        run.start();
    }
};

TEST_F(Placement, EachCornerPutsTheWholeSquareOnScreen) {
    const double expected[4][2] = {{0, 0}, {19185, 0}, {0, 14385}, {19185, 14385}};
    for (int corner = 0; corner < 4; ++corner) {
        run.spm().MainPlace = corner;
        run.spm().PlaceCallPoint(true);
        EXPECT_EQ(run.sp().Left(), expected[corner][0]) << corner;
        EXPECT_EQ(run.sp().Top(), expected[corner][1]) << corner;
        EXPECT_EQ(run.sp().Width(), 15);
    }
}

TEST_F(Placement, UnknownCornerLeavesTheCallPointButStillCaptionsTabs) {
    run.sp().Move(500, 600, 15, 15);
    run.spm().MainPlace = 7;
    run.spm().ButtonCaptionStyle = 2;
    run.spm().PlaceCallPoint(false);
    EXPECT_EQ(run.sp().Left(), 500);
    EXPECT_EQ(run.sp().Top(), 600);
    EXPECT_EQ(tabCaptions(run.ranch()), "ABCDEFGHIJ");
}

TEST_F(Placement, FourCaptionStylesAndUnknownOnesLeaveCaptions) {
    const char* expected[] = {"ｲﾛﾊﾆﾎﾍﾄﾁﾘﾇ", "ｱｶｻﾀﾅﾊﾏﾔﾗﾜ", "ABCDEFGHIJ", "0123456789"};
    for (int style = 0; style < 4; ++style) {
        run.spm().ButtonCaptionStyle = style;
        run.spm().PlaceCallPoint(false);
        EXPECT_EQ(tabCaptions(run.ranch()), expected[style]) << style;
    }
    run.spm().ButtonCaptionStyle = -1;
    run.spm().PlaceCallPoint(false);
    EXPECT_EQ(tabCaptions(run.ranch()), "0123456789");
}

TEST_F(Placement, MoveOnlyNeverTouchesTabCaptions) {
    run.spm().ButtonCaptionStyle = 1;
    run.spm().PlaceCallPoint(true);
    EXPECT_EQ(tabCaptions(run.ranch()), "ｲﾛﾊﾆﾎﾍﾄﾁﾘﾇ");
}

TEST_F(Placement, TopmostAndBackKeepsPlaceAndSize) {
    auto& ranch = run.ranch();
    ranch.Show();
    const double left = ranch.Left(), top = ranch.Top(), width = ranch.Width();
    run.spm().MakeTopmost(ranch);
    EXPECT_TRUE(run.desktop.isTopmost(ranch));
    run.spm().MakeNotTopmost(ranch);
    EXPECT_FALSE(run.desktop.isTopmost(ranch));
    EXPECT_EQ(ranch.Left(), left);
    EXPECT_EQ(ranch.Top(), top);
    EXPECT_EQ(ranch.Width(), width);
}

// Windows stored where no monitor shows their title bar open centred, so they
// can be reached; a second monitor counts, and the store keeps its numbers.
TEST(PlacementOffScreen, WindowsStoredOffEveryMonitorOpenCentred) {
    auto store = std::make_shared<Store>();
    store->set(settings::store::kSettingSection, "SUB_LEFT", "90000");
    store->set(settings::store::kSettingSection, "SUB_TOP", "300");
    store->set(settings::store::kSettingSection, "TORO_LEFT", "-90000");
    store->set(settings::store::kSettingSection, "TORO_TOP", "450");
    Program run(store);
    run.desktop.setScreenSize(1280, 1024);
    run.start();
    auto& ranch = run.ranch();
    auto& toro = run.toro();
    EXPECT_EQ(ranch.Left(), forms::roundHalfEven((19200 - ranch.Width()) / 2));
    EXPECT_EQ(ranch.Top(), forms::roundHalfEven((15360 - ranch.Height()) / 2));
    EXPECT_EQ(toro.Left(), forms::roundHalfEven((19200 - toro.Width()) / 2));
    EXPECT_EQ(*store->get(settings::store::kSettingSection, "SUB_LEFT"), "90000");
    EXPECT_EQ(*store->get(settings::store::kSettingSection, "TORO_LEFT"), "-90000");

    Program moreMonitors(store);
    moreMonitors.desktop.setScreenSize(1280, 1024);
    moreMonitors.desktop.setMonitors({{0, 0, 1280, 1024}, {-6400, 0, 1920, 1080}, {1280, 0, 4800, 1080}});
    moreMonitors.start();
    EXPECT_EQ(moreMonitors.ranch().Left(), 90000) << "on the monitor to the right";
    EXPECT_EQ(moreMonitors.toro().Left(), -90000) << "its title bar's right end is on the left monitor";
    EXPECT_EQ(moreMonitors.toro().Top(), 450);
}

}  // namespace
