// The settings view, the collection of options, and the option hints.
#include <gtest/gtest.h>

#include "harness.h"
#include "settings/extra_options.h"
#include "settings/store_layout.h"

namespace {

using namespace testing_support;

class SettingsView : public ::testing::Test {
  protected:
    Program program;
    panel::Ranch& ranch() { return program.ranch(); }
    settings::Spm& spm() { return program.spm(); }
    void SetUp() override {
        program.start();
        program.touchCallPoint();
    }
    std::string tabs() {
        std::string all;
        for (int i = 0; i < 10; ++i) all += ranch().Command2[i].Caption();
        return all;
    }
};

TEST_F(SettingsView, OpeningFlipsTheViewAndShowsItsControls) {
    program.desktop.clickControl(ranch().Sette);
    EXPECT_FALSE(ranch().inLauncherView());
    EXPECT_EQ(ranch().Sette.font().Size, 18);
    EXPECT_TRUE(ranch().Sette.font().Bold);
    EXPECT_EQ(ranch().Caption(), "ヒヨコらっぱー の 諸設定☆ﾐ");
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(ranch().Command1[i].Visible());
    EXPECT_TRUE(ranch().Yobidasi_Docchi[1].Value());
    EXPECT_TRUE(ranch().BunBn[0].Value());
    EXPECT_TRUE(ranch().Yobidasi_Docchi[2].isShown());
    EXPECT_TRUE(ranch().NcC.isShown());
    EXPECT_TRUE(ranch().Nc.isShown());
    EXPECT_EQ(ranch().Nc.BackColor(), spm().MainColor);
    EXPECT_EQ(ranch().VerH[0].Caption(), "ヒヨコらっぱーVer1.96");
    EXPECT_EQ(ranch().VerH[2].Caption(), "ヒヨコノスケ");
    EXPECT_GT(ranch().VerH[0].Width(), 105) << "sized to its text";
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(ranch().Li[k].Visible());
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(ranch().SSave[k].Visible());
}

TEST_F(SettingsView, OpenAndCloseWithoutChangesKeepsOptionsButReplacesAndRecaptions) {
    program.sp().Move(10, 10, 15, 15);
    for (int i = 0; i < 10; ++i) ranch().Command2[i].setCaption("?");
    ranch().Sette_Click();
    ranch().Sette_Click();
    EXPECT_EQ(spm().FasterFlags, 7);
    EXPECT_EQ(spm().MainPlace, 1);
    EXPECT_EQ(spm().ButtonCaptionStyle, 0);
    EXPECT_EQ(program.sp().Left(), spm().ScreenWidthTw - 15);
    EXPECT_EQ(tabs(), "ｲﾛﾊﾆﾎﾍﾄﾁﾘﾇ");
    EXPECT_TRUE(ranch().inLauncherView());
    EXPECT_FALSE(ranch().Sette.font().Bold);
    EXPECT_EQ(ranch().Caption(), "ヒヨコらっぱーVer1.96");
    EXPECT_TRUE(ranch().Command1[3].Visible());
    EXPECT_FALSE(ranch().YobiWak.Visible());
    EXPECT_FALSE(ranch().Li[0].Visible());
}

TEST_F(SettingsView, BottomLeftMovesTheCallPointOnlyWhenTheViewCloses) {
    ranch().Sette_Click();
    program.desktop.clickControl(ranch().Yobidasi_Docchi[2]);
    EXPECT_EQ(spm().MainPlace, 2) << "the corner is taken at once";
    EXPECT_EQ(program.sp().Top(), 0) << "but the call point waits";
    program.desktop.advance(3333);  // even the timer puts it into the new corner
    ranch().Sette_Click();
    EXPECT_EQ(program.sp().Left(), 0);
    EXPECT_EQ(program.sp().Top(), spm().ScreenHeightTw - 15);
}

TEST_F(SettingsView, AbcdeStyleRecaptionsTheTabsOnClose) {
    ranch().Sette_Click();
    program.desktop.clickControl(ranch().BunBn[2]);
    EXPECT_EQ(tabs(), "ｲﾛﾊﾆﾎﾍﾄﾁﾘﾇ");
    ranch().Sette_Click();
    EXPECT_EQ(spm().ButtonCaptionStyle, 2);
    EXPECT_EQ(tabs(), "ABCDEFGHIJ");
}

TEST_F(SettingsView, CollectOptionsCountsOnlyCheckedBoxes) {
    auto& r = ranch();
    struct Case {
        int moe, jiko, bnk, tao, expected;
    };
    for (const Case& c :
         {Case{1, 1, 1, 1, 15}, Case{0, 0, 0, 0, 0}, Case{0, 0, 1, 1, 12}, Case{2, 1, 2, 0, 2}}) {
        r.MoE.setValue(c.moe);
        r.Jiko.setValue(c.jiko);
        r.Bnk.setValue(c.bnk);
        r.Tao.setValue(c.tao);
        spm().CollectOptions();
        EXPECT_EQ(spm().FasterFlags, c.expected);
    }
    r.Yobidasi_Docchi[3].setValue(true);
    r.BunBn[2].setValue(true);
    spm().CollectOptions();
    EXPECT_EQ(spm().MainPlace, 3);
    EXPECT_EQ(spm().ButtonCaptionStyle, 2);
}

TEST_F(SettingsView, CollectingRightAfterStartUpReproducesAnyLoadedFlags) {
    for (int flags = 0; flags <= 15; ++flags) {
        auto store = std::make_shared<Store>();
        store->set("Hiyokorapper Setting", "Faster", std::to_string(flags));
        Program fresh(store);
        fresh.start();
        fresh.spm().CollectOptions();
        EXPECT_EQ(fresh.spm().FasterFlags, flags);
    }
}

// In the settings view the slot keys do nothing, and a right-click on 設
// opens the menu of extra options instead of hiding the panel.
TEST_F(SettingsView, SetteKeysAndRightClickActOnlyInTheLauncherView) {
    auto& menus = program.desktop.menus;
    ranch().Sette.SetFocus();
    program.desktop.pressKey('D');
    EXPECT_EQ(spm().EditState, -1);
    program.desktop.pressKey(93);  // the context-menu key, in the launcher view
    EXPECT_TRUE(menus.shown.empty());
    EXPECT_EQ(spm().EditState, 0) << "ends the mode, as any other key";
    program.desktop.pressKey('D');
    program.desktop.clickControl(ranch().Sette);  // opening ends the mode
    EXPECT_EQ(spm().EditState, 0);
    program.desktop.pressKey('P');
    EXPECT_EQ(spm().EditState, 0);
    program.desktop.clickControl(ranch().Sette, forms::kRightButton);
    EXPECT_TRUE(ranch().Visible());
    ASSERT_EQ(menus.shown.size(), 1u);
    EXPECT_EQ(menus.shown[0].anchor, "Sette");
    EXPECT_TRUE(menus.shown[0].atPointer);
    EXPECT_FALSE(ranch().inLauncherView()) << "a dismissed menu changes nothing";
    ranch().Sette_Click();
    program.desktop.clickControl(ranch().Sette, forms::kRightButton);
    EXPECT_FALSE(ranch().Visible());
    EXPECT_EQ(menus.shown.size(), 1u);
}

// The keys that open a context menu open it under 設; F10 alone, or with
// another modifier, does not.
TEST_F(SettingsView, OptionsMenuOpensFromTheKeyboard) {
    auto& menus = program.desktop.menus;
    ranch().Sette_Click();
    ranch().Sette.SetFocus();
    program.desktop.pressKey(121);
    program.desktop.pressKey(121, forms::kShiftMask | forms::kCtrlMask);
    EXPECT_TRUE(menus.shown.empty());
    program.desktop.pressKey(121, forms::kShiftMask);
    program.desktop.pressKey(93);
    ASSERT_EQ(menus.shown.size(), 2u);
    for (const auto& shown : menus.shown) {
        EXPECT_FALSE(shown.atPointer);
        EXPECT_EQ(shown.anchor, "Sette");
    }
}

// A check item flips its option at once; only a save writes it.
TEST_F(SettingsView, OptionsMenuCheckItemFlipsItsOptionUntilTheNextSave) {
    const auto& row = settings::ExtraOptionOf(settings::option::kShowIcons);
    auto& menus = program.desktop.menus;
    ranch().Sette_Click();
    menus.choices = {row.menuText, row.menuText};
    program.desktop.clickControl(ranch().Sette, forms::kRightButton);
    EXPECT_EQ(menus.shown[0].checked(row.menuText), true);
    EXPECT_FALSE(spm().Options.isOn(row.key));
    EXPECT_FALSE(program.desktop.store().get(settings::store::kSettingSection, row.key));
    spm().SaveSettings();
    EXPECT_EQ(program.desktop.store().get(settings::store::kSettingSection, row.key), "0");
    program.desktop.clickControl(ranch().Sette, forms::kRightButton);
    EXPECT_EQ(menus.shown[1].checked(row.menuText), false);
    EXPECT_TRUE(spm().Options.isOn(row.key));
}

// The menu belongs to the panel: with the auto-hide on, the panel waits
// for it even while the pointer is over the menu, outside the panel.
TEST_F(SettingsView, PanelStaysWhileTheOptionsMenuIsOpen) {
    ranch().Tao.setValue(1);
    ranch().Sette_Click();
    program.desktop.hoverForm(ranch(), 30, 30);  // starts the auto-hide poll
    program.desktop.menus.onShow = [this](const auto&) {
        program.desktop.moveMouse(0, 0);
        program.desktop.advance(500);
        ranch().onLostFocus();
    };
    program.desktop.clickControl(ranch().Sette, forms::kRightButton);
    EXPECT_TRUE(ranch().Visible());
    program.desktop.advance(300);
    EXPECT_FALSE(ranch().Visible()) << "once the menu closed, the poll hides it";
}

TEST_F(SettingsView, OptionHints) {
    ranch().Sette_Click();
    struct Case {
        forms::Control& control;
        const char* text;
    };
    for (const Case& c :
         {Case{ranch().Sette, "ｸﾘｯｸ:｢設定画面｣と切り替え"},
          Case{ranch().Jiko, "呼出し点が他のｱプﾘと被っていてもﾒｲﾝﾒﾆｭｰを呼ベます"},
          Case{ranch().MoE, "ｸﾘｯｸﾚｽに分別BOX切り替えが出来るようになります"},
          Case{ranch().Tao, "ﾏｳｽがはみ出すと同時にﾒｲﾝﾒﾆｭｰが消え失せます"},
          Case{ranch().Yobidasi_Docchi[0], "※ﾀｽｸﾊﾞｰが↓にある時｢左下｣設定するとﾒｲｿﾒﾆｭ呼べﾏﾍﾝ"}}) {
        program.desktop.hoverControl(c.control);
        EXPECT_EQ(ranch().Stetus.Caption(), c.text) << c.control.Name();
    }
    ranch().Stetus.setCaption("kept");
    program.desktop.hoverControl(ranch().Yobidasi_Docchi[3]);
    EXPECT_EQ(ranch().Stetus.Caption(), "kept") << "one record for all four corners";
    program.desktop.hoverForm(ranch(), ranch().YobiWak.Left() + 1500, ranch().YobiWak.Top() + 600);
    EXPECT_EQ(ranch().Stetus.Caption(), "");
    EXPECT_EQ(spm().LastHoverId, 0);
}

}  // namespace
