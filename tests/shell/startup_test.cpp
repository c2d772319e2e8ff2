// The start-up: what a first run on an empty store shows, the option bits,
// and the refusal of a second instance.
#include <gtest/gtest.h>

#include "harness.h"
#include "settings/store_layout.h"

namespace {

using namespace testing_support;

TEST(StartUp, EmptyStoreShowsAWhiteCallPointTopRightAndCentresTheWindows) {
    Program run;
    run.start();
    auto& sp = run.sp();
    const auto& spm = run.spm();
    EXPECT_EQ(spm.ScreenWidthTw, 1280 * 15);
    EXPECT_TRUE(sp.Visible());
    EXPECT_EQ(sp.Width(), 15);
    EXPECT_EQ(sp.Height(), 15);
    EXPECT_EQ(sp.Left(), spm.ScreenWidthTw - 15);
    EXPECT_EQ(sp.Top(), 0);
    EXPECT_EQ(sp.BackColor(), forms::rgb(255, 255, 255));
    EXPECT_TRUE(run.desktop.isTopmost(sp)) << "Jiko is on by default";

    auto& ranch = run.ranch();
    EXPECT_FALSE(ranch.Visible());
    EXPECT_EQ(ranch.Left(), forms::roundHalfEven((spm.ScreenWidthTw - ranch.Width()) / 2));
    EXPECT_EQ(ranch.Top(), forms::roundHalfEven((spm.ScreenHeightTw - ranch.Height()) / 2));
    auto& toro = run.toro();
    EXPECT_FALSE(toro.Visible());
    EXPECT_EQ(toro.Left(), forms::roundHalfEven((spm.ScreenWidthTw - toro.Width()) / 2));
    EXPECT_EQ(toro.Top(), forms::roundHalfEven((spm.ScreenHeightTw - toro.Height()) / 2));

    std::string tabs;
    for (int i = 0; i < 10; ++i) tabs += ranch.Command2[i].Caption();
    EXPECT_EQ(tabs, "ｲﾛﾊﾆﾎﾍﾄﾁﾘﾇ");
    EXPECT_EQ(ranch.Bnk.Value(), 1);
    EXPECT_EQ(ranch.Jiko.Value(), 1);
    EXPECT_EQ(ranch.MoE.Value(), 1);
    EXPECT_EQ(ranch.Tao.Value(), 0);
    EXPECT_EQ(spm.BlankLine, "\n\n");
}

TEST(StartUp, PanelIsHalvedAndItsLauncherControlsMovedUp) {
    Program run;
    run.start();
    auto& ranch = run.ranch();
    auto nc = run.desktop.nonClientSize(forms::FrameStyle::ToolWindow);
    EXPECT_EQ(ranch.ScaleHeight(), 2790);  // the status line (2520 + 255) shows whole
    EXPECT_EQ(ranch.Height(), 2790 + nc.height);
    EXPECT_EQ(ranch.Command1[0].Top(), 60);
    EXPECT_EQ(ranch.Command1[9].Top(), 1500);
    EXPECT_EQ(ranch.Command1[9].Left(), 2520);
    EXPECT_EQ(ranch.Command1[7].Width(), 2355);
    EXPECT_EQ(ranch.Command2[9].Left(), 3840);
    EXPECT_EQ(ranch.Command2[9].Top(), 1980);
    EXPECT_EQ(ranch.Caption(), "ヒヨコらっぱーVer1.96");
    EXPECT_EQ(run.toro().Caption(), "タイトル及びリンク先を指定してぇ");
}

// Each bit goes onto its own check box; only Jiko lifts the call point.
TEST(StartUp, OptionBitsGoOntoTheCheckBoxesAndStayInFasterFlags) {
    struct Case {
        const char* stored;
        int tao, bnk, jiko, moe;
        bool topmost;
    };
    for (const Case& c :
         {Case{"7", 0, 1, 1, 1, true}, Case{"8", 1, 0, 0, 0, false}, Case{"0", 0, 0, 0, 0, false},
          Case{"15", 1, 1, 1, 1, true}, Case{"5", 0, 1, 0, 1, false}}) {
        auto saved = std::make_shared<Store>();
        saved->set(settings::store::kSettingSection, "Faster", c.stored);
        Program run(saved);
        run.start();
        auto& ranch = run.ranch();
        EXPECT_EQ(ranch.Tao.Value(), c.tao) << c.stored;
        EXPECT_EQ(ranch.Bnk.Value(), c.bnk) << c.stored;
        EXPECT_EQ(ranch.Jiko.Value(), c.jiko) << c.stored;
        EXPECT_EQ(ranch.MoE.Value(), c.moe) << c.stored;
        EXPECT_EQ(run.desktop.isTopmost(run.sp()), c.topmost) << c.stored;
        EXPECT_EQ(run.spm().FasterFlags, std::stoi(c.stored));
    }
}

TEST(StartUp, SecondInstanceIsRefusedAndTouchesNothing) {
    auto saved = std::make_shared<Store>();
    auto lock = std::make_shared<platform::headless::InstanceLock>();
    Program first(saved, lock);
    first.start();
    first.spm().SaveSettings();
    const auto before = saved->values;
    const int writes = saved->writes;

    Program second(saved, lock);
    EXPECT_THROW(second.app.start(), ProcessEnded);
    ASSERT_EQ(second.desktop.messageBoxes.size(), 1u);
    const auto& box = second.desktop.messageBoxes[0];
    EXPECT_EQ(box.text, "重複起動は認めませんよぉ～(￣ー￣)");
    EXPECT_EQ(box.title, "ヒヨコらっぱーVer1.96");
    EXPECT_EQ(box.style, platform::mb::kStop);
    EXPECT_EQ(saved->values, before);
    EXPECT_EQ(saved->writes, writes);
    EXPECT_EQ(second.app.r2Instance(), nullptr);
    EXPECT_TRUE(first.sp().Visible()) << "the running instance is untouched";
}

}  // namespace
