// Quiet while a full-screen program runs: which windows silence the call
// point's monitor, and what the call point does while silenced and after.
#include "shell/full_screen_quiet.h"

#include <gtest/gtest.h>

#include "harness.h"
#include "settings/store_layout.h"

namespace {

using namespace testing_support;
using platform::Front;
using platform::FrontWindow;
using platform::RectPx;
using platform::ShellNotice;

constexpr RectPx kLeft{0, 0, 1280, 1024};
constexpr RectPx kRight{1280, 0, 1920, 1080};

FrontWindow fullScreen(RectPx monitor) {
    return {monitor, true, false, false};
}
// Maximised with a title bar: its client area starts below the bar.
FrontWindow maximised(RectPx monitor) {
    return {{monitor.x, monitor.y + 24, monitor.width, monitor.height - 24}, false, true, false};
}

Front activeOnly(FrontWindow window, ShellNotice notice = ShellNotice::None) {
    return {window, {}, notice};
}

TEST(QuietFullScreenRule, WhatFillsTheMonitor) {
    const FrontWindow borderless{kLeft, false, false, false};
    const FrontWindow desktopWindow{kLeft, false, false, true};
    const FrontWindow desktopInFullScreenState{kLeft, true, false, true};
    const FrontWindow decoratedCovering{{-4, -30, 1288, 1058}, false, true, false};
    const FrontWindow smallWindow{{100, 100, 640, 480}, false, true, false};
    const FrontWindow spanning{{0, 0, 3200, 1080}, false, false, false};
    const struct {
        const char* name;
        Front front;
        bool fillsLeft, fillsRight;
    } cases[] = {
        {"full-screen state", activeOnly(fullScreen(kLeft)), true, false},
        {"full-screen state on the other monitor", activeOnly(fullScreen(kRight)), false, true},
        {"full-screen state, placed a little short", activeOnly({{0, 0, 1270, 1000}, true, true}),
         true, false},
        {"borderless covering", activeOnly(borderless), true, false},
        {"borderless over both monitors", activeOnly(spanning), true, true},
        {"maximised", activeOnly(maximised(kLeft)), false, false},
        {"decorated, its frame off the screen", activeOnly(decoratedCovering), false, false},
        {"the desktop's own window", activeOnly(desktopWindow), false, false},
        {"the desktop, whatever its state", activeOnly(desktopInFullScreenState), false, false},
        {"nothing in front", {}, false, false},
        {"unmanaged covering, another window active", {smallWindow, {borderless}, {}}, true, false},
        {"unmanaged small", {{}, {{{10, 10, 300, 200}, false, false, false}}, {}}, false, false},
        {"shell: full-screen program", activeOnly(smallWindow, ShellNotice::FullScreenProgram),
         true, false},
        {"shell: full-screen program, over the desktop",
         activeOnly(desktopWindow, ShellNotice::FullScreenProgram), false, false},
        {"shell: full-screen program, none of another program active",
         {{}, {}, ShellNotice::FullScreenProgram},
         false,
         false},
        {"shell: presentation settings", {{}, {}, ShellNotice::Presentation}, true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shell::FillsMonitor(c.front, kLeft), c.fillsLeft) << c.name;
        EXPECT_EQ(shell::FillsMonitor(c.front, kRight), c.fillsRight) << c.name;
    }
}

class QuietFullScreen : public ::testing::Test {
  protected:
    Program program;
    platform::headless::FakeForegroundWatch& watch = program.desktop.foreground;

    void startOn(std::vector<RectPx> monitors) {
        program.desktop.setScreenSize(monitors.front().width, monitors.front().height);
        program.desktop.setMonitors(std::move(monitors));
        program.start();
    }
    void show(Front front) {
        watch.show(std::move(front));
        program.desktop.advance(1);
    }
    bool touchOpens() {
        program.touchCallPoint();
        const bool opened = program.ranch().Visible();
        program.ranch().Hide();
        program.spm().LastHoverId = 0;
        return opened;
    }
};

// The start-up asks nothing of the desktop: the watch starts at the first
// tick after the splash.
TEST_F(QuietFullScreen, FollowsTheDesktopFromTheFirstTickAfterTheSplash) {
    program.start(false);
    EXPECT_EQ(watch.starts, 0) << "the start-up";
    program.desktop.advance(3332);
    EXPECT_EQ(watch.starts, 0) << "before the first tick";
    program.desktop.advance(20000);
    EXPECT_EQ(watch.starts, 1);
    EXPECT_TRUE(watch.watching());
}

// A game or a video full screen keeps its keyboard: the call point is gone
// from its corner and the pointer there opens nothing; once the window
// leaves full screen the call point is back in its corner, in its band,
// without taking the keyboard, and opens the panel again.
TEST_F(QuietFullScreen, FullScreenWindowSilencesTheCallPointUntilItLeaves) {
    startOn({kLeft});
    auto& sp = program.sp();
    const bool topmostBefore = program.desktop.isTopmost(sp);
    show(activeOnly(fullScreen(kLeft)));
    EXPECT_FALSE(sp.Visible());
    EXPECT_FALSE(touchOpens());
    EXPECT_EQ(program.app.runtime().activeForm(), nullptr) << "nothing of ours took the keyboard";

    sp.Move(300, 300, 15, 15);      // stray, while quiet
    program.desktop.advance(3333);  // the tick re-places it all the same
    EXPECT_EQ(sp.Left(), program.spm().ScreenWidthTw - 15);
    EXPECT_FALSE(sp.Visible()) << "and it stays quiet";

    show(activeOnly(maximised(kLeft)));  // left full screen
    EXPECT_TRUE(sp.Visible());
    EXPECT_EQ(sp.Left(), program.spm().ScreenWidthTw - 15);
    EXPECT_EQ(sp.Top(), 0);
    EXPECT_EQ(program.desktop.isTopmost(sp), topmostBefore);
    EXPECT_EQ(program.app.runtime().activeForm(), nullptr);
    EXPECT_TRUE(touchOpens());

    show(activeOnly(fullScreen(kLeft)));
    EXPECT_FALSE(touchOpens());
    show({});  // closed
    EXPECT_TRUE(touchOpens());
}

// Full screen on the other monitor leaves the call point's monitor alone.
TEST_F(QuietFullScreen, OnlyTheCallPointsMonitorIsSilenced) {
    startOn({kLeft, kRight});  // top right: the call point is on the right monitor
    show(activeOnly(fullScreen(kLeft)));
    EXPECT_TRUE(program.sp().Visible());
    EXPECT_TRUE(touchOpens());
    show(activeOnly(fullScreen(kRight)));
    EXPECT_FALSE(program.sp().Visible());
    EXPECT_FALSE(touchOpens());
}

// Off, the pointer opens the panel over anything, as it always did, and
// the desktop is not followed; switched in the menu of extra options, the
// call point steps aside or comes back at once.
TEST_F(QuietFullScreen, OffGivesTheClassicCallPoint) {
    program.desktop.store().set(settings::store::kSettingSection,
                                settings::option::kQuietFullScreen, "0");
    startOn({kLeft});
    show(activeOnly(fullScreen(kLeft)));
    EXPECT_EQ(watch.starts, 0);
    EXPECT_TRUE(program.sp().Visible());
    EXPECT_TRUE(touchOpens());

    const char* item = settings::ExtraOptionOf(settings::option::kQuietFullScreen).menuText;
    program.desktop.menus.choices = {item, item};
    program.ranch().OpenOptionsMenu(false);
    EXPECT_FALSE(program.sp().Visible());
    program.ranch().OpenOptionsMenu(false);
    EXPECT_TRUE(program.sp().Visible());
    EXPECT_FALSE(watch.watching());
    EXPECT_TRUE(touchOpens());
}

}  // namespace
