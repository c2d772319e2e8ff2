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
    moreMonitors.desktop.setMonitors(
        {{0, 0, 1280, 1024}, {-6400, 0, 1920, 1080}, {1280, 0, 4800, 1080}});
    moreMonitors.start();
    EXPECT_EQ(moreMonitors.ranch().Left(), 90000) << "on the monitor to the right";
    EXPECT_EQ(moreMonitors.toro().Left(), -90000)
        << "its title bar's right end is on the left monitor";
    EXPECT_EQ(moreMonitors.toro().Top(), 450);
}

// Starts the program on these monitors, the first of them the primary.
void startOnMonitors(Program& run, std::vector<platform::RectPx> monitors) {
    run.desktop.setScreenSize(monitors.front().width, monitors.front().height);
    run.desktop.setMonitors(std::move(monitors));
    run.start();
}

// Several monitors: the call point goes where a pointer thrown into the
// desktop's corner stops, the outer corner of the outermost monitor.
TEST(PlacementMonitors, CornerOfTheWholeDesktop) {
    using platform::RectPx;
    struct Layout {
        const char* name;
        std::vector<RectPx> monitors;  // primary first
        double corners[4][2];          // Left, Top for MainPlace 0-3
    };
    const Layout layouts[] = {
        {"primary left",
         {{0, 0, 1280, 1024}, {1280, 0, 1280, 1024}},
         {{0, 0}, {38385, 0}, {0, 15345}, {38385, 15345}}},
        {"primary right, other at negative x",
         {{0, 0, 1280, 1024}, {-1920, 0, 1920, 1080}},
         {{-28800, 0}, {19185, 0}, {-28800, 16185}, {19185, 15345}}},
        {"stacked, other above",
         {{0, 0, 1280, 1024}, {0, -1024, 1280, 1024}},
         {{0, -15360}, {19185, -15360}, {0, 15345}, {19185, 15345}}},
        {"L shape",
         {{0, 0, 1920, 1080}, {0, 1080, 1280, 1024}},
         {{0, 0}, {28785, 0}, {0, 31545}, {28785, 16185}}},
        {"different heights side by side",
         {{0, 0, 1920, 1080}, {1920, 200, 1280, 1024}},
         {{0, 0}, {47985, 3000}, {0, 16185}, {47985, 18345}}},
    };
    for (const Layout& layout : layouts) {
        Program run;
        startOnMonitors(run, layout.monitors);
        for (int corner = 0; corner < 4; ++corner) {
            run.spm().MainPlace = corner;
            run.spm().PlaceCallPoint(true);
            EXPECT_EQ(run.sp().Left(), layout.corners[corner][0]) << layout.name << " " << corner;
            EXPECT_EQ(run.sp().Top(), layout.corners[corner][1]) << layout.name << " " << corner;
            run.touchCallPoint();
            EXPECT_TRUE(run.ranch().Visible()) << "the pointer reaches it: " << layout.name;
            run.ranch().Hide();
            run.spm().LastHoverId = 0;
        }
    }
}

// Centred windows open on the call point's monitor; the splash flies into
// that monitor's corner.
TEST(PlacementMonitors, WindowsOpenOnTheCallPointsMonitor) {
    auto store = std::make_shared<Store>();
    store->set(settings::store::kSettingSection, "MAIN_PLACE", "3");
    Program run(store);
    startOnMonitors(run, {{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}});
    auto& ranch = run.ranch();
    auto& toro = run.toro();
    EXPECT_EQ(ranch.Left(), forms::roundHalfEven(19200 + (28800 - ranch.Width()) / 2));
    EXPECT_EQ(ranch.Top(), forms::roundHalfEven((16200 - ranch.Height()) / 2));
    EXPECT_EQ(toro.Left(), forms::roundHalfEven(19200 + (28800 - toro.Width()) / 2));
    EXPECT_EQ(run.sp().Left(), 47985);
    EXPECT_NEAR(run.app.r2Instance()->Left(), 48000, 1e-6);
    EXPECT_NEAR(run.app.r2Instance()->Top(), 16200, 1e-6);
}

// The screens change while the program runs: the call point is in its new
// corner at the next turn of the event loop, a visible panel left on a
// monitor that went away comes back, a hidden dialog when it is next shown,
// and the store keeps its numbers until a save.
TEST(PlacementMonitors, FollowsTheScreensWhileRunning) {
    auto store = std::make_shared<Store>();
    store->set(settings::store::kSettingSection, "TORO_LEFT", "30000");
    store->set(settings::store::kSettingSection, "TORO_TOP", "600");
    Program run(store);
    startOnMonitors(run, {{0, 0, 1280, 1024}, {1280, 0, 1280, 1024}});
    auto& ranch = run.ranch();
    ranch.Move(25000, 3000, ranch.Width(), ranch.Height());
    run.touchCallPoint();
    ASSERT_TRUE(ranch.Visible());
    EXPECT_EQ(run.toro().Left(), 30000);

    run.desktop.changeScreens({1280, 1024}, {{0, 0, 1280, 1024}});  // undocked
    run.desktop.advance(1);
    EXPECT_EQ(run.sp().Left(), 19185) << "well before the 3333 ms tick";
    EXPECT_EQ(ranch.Left(), forms::roundHalfEven((19200 - ranch.Width()) / 2));
    EXPECT_EQ(ranch.Top(), forms::roundHalfEven((15360 - ranch.Height()) / 2));
    EXPECT_EQ(run.toro().Left(), 30000) << "hidden: looked at when shown";
    run.toro().Show();
    EXPECT_EQ(run.toro().Left(), forms::roundHalfEven((19200 - run.toro().Width()) / 2));
    EXPECT_EQ(*store->get(settings::store::kSettingSection, "TORO_LEFT"), "30000");

    run.desktop.changeScreens({1600, 900}, {});  // a resolution changed
    run.desktop.advance(1);
    EXPECT_EQ(run.spm().ScreenWidthTw, 24000);
    EXPECT_EQ(run.sp().Left(), 23985);
    EXPECT_EQ(run.sp().Top(), 0);
}

// The desktop's own bar covers the top corners (GNOME Shell on X11): the
// call point stands in the corner below, the user hears it once in the run,
// the stored corner stays, and a corner chosen anew is checked at once.
TEST(PlacementBars, ACornerUnderTheDesktopsBarIsStoodInForAndToldOnce) {
    Program run;
    run.desktop.setScreenSize(1280, 960);
    run.desktop.barsTakingThePointer = {{0, 0, 1280, 27}};
    run.start();  // the first tick after the splash looks at the corners
    ASSERT_EQ(run.spm().MainPlace, 1);
    EXPECT_EQ(run.sp().Left(), 19185);
    EXPECT_EQ(run.sp().Top(), 14385);
    ASSERT_EQ(run.desktop.messageBoxes.size(), 1u);
    const std::string& told = run.desktop.messageBoxes[0].text;
    EXPECT_NE(told.find("左上・右上 の隅がデスクトップのバーの下"), std::string::npos) << told;
    EXPECT_NE(told.find("触れられるのは 左下・右下 の隅なので、今回は 右下 に置いときますよん。"),
              std::string::npos)
        << told;
    run.touchCallPoint();
    EXPECT_TRUE(run.ranch().Visible());

    // Another covered corner chosen in the settings view: its stand-in at once, no second box.
    run.spm().MainPlace = 0;
    run.spm().PlaceCallPoint(false);
    EXPECT_EQ(run.sp().Left(), 0);
    EXPECT_EQ(run.sp().Top(), 14385);
    run.desktop.advance(3333);
    EXPECT_EQ(run.desktop.messageBoxes.size(), 1u);
    ASSERT_TRUE(run.spm().SaveSettings());
    EXPECT_EQ(*run.desktop.store().get(settings::store::kSettingSection, "MAIN_PLACE"), "0");

    // A full-screen window hides the bar for a while: the call point stays.
    run.desktop.barsTakingThePointer.clear();
    run.desktop.advance(3333);
    EXPECT_EQ(run.sp().Top(), 14385);
    run.spm().PlaceCallPoint(false);  // the settings view closes
    EXPECT_EQ(run.sp().Top(), 0) << "back in its own corner";
}

// The store's first position is read before the window it places exists:
// referring to the window is what creates it.
TEST(PlacementMonitors, PositionsAreReadBeforeTheirWindowsExist) {
    Program run;
    std::vector<std::pair<std::string, bool>> reads;
    run.desktop.onSettingRead = [&](const std::string& key) {
        if (key == "SUB_LEFT") reads.emplace_back(key, run.app.ranchInstance() != nullptr);
        if (key == "TORO_LEFT") reads.emplace_back(key, run.app.toroInstance() != nullptr);
    };
    run.start();
    const std::vector<std::pair<std::string, bool>> expected{{"SUB_LEFT", false},
                                                             {"TORO_LEFT", false}};
    EXPECT_EQ(reads, expected);
}

}  // namespace
