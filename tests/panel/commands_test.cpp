// Save, exit and help in the settings view; About and the call point's colour.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace testing_support;
using platform::mb::kAnswerNo;
using platform::mb::kAnswerYes;

class Commands : public ::testing::Test {
  protected:
    Program program;
    panel::Ranch& ranch() { return program.ranch(); }
    settings::Spm& spm() { return program.spm(); }
    auto& boxes() { return program.desktop.messageBoxes; }
    void SetUp() override {
        program.start();
        program.touchCallPoint();
        program.desktop.clickControl(ranch().Sette);
    }
    void expectCallPointOnTop() {
        EXPECT_TRUE(program.desktop.isTopmost(program.sp()));
        EXPECT_FALSE(program.desktop.isTopmost(ranch()));
    }
};

TEST_F(Commands, SaveYesWritesOptionsChangedInTheOpenView) {
    program.desktop.clickControl(ranch().Tao);
    program.desktop.clickControl(ranch().Yobidasi_Docchi[3]);
    program.desktop.messageBoxAnswers = {kAnswerYes};
    program.desktop.clickControl(ranch().SSave[0]);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "諸設定や、登録項目を保存します。\n\nよろしいですか？");
    EXPECT_EQ(boxes()[0].title, "保");
    EXPECT_EQ(boxes()[0].style, 52);
    auto& store = program.desktop.store();
    EXPECT_EQ(*store.get("Hiyokorapper Setting", "Faster"), "15");
    EXPECT_EQ(*store.get("Hiyokorapper Setting", "MAIN_PLACE"), "3");
    EXPECT_EQ(ranch().Stetus.Caption(), "保存しました。");
    EXPECT_EQ(spm().LastHoverId, 0);
    EXPECT_EQ(program.sp().Top(), 0) << "saving does not move the call point";
    expectCallPointOnTop();
}

TEST_F(Commands, SaveThatFailsSaysSoInTheStatusLine) {
    program.desktop.store().failure = platform::StoreFailure{"where", "why"};
    program.desktop.messageBoxAnswers = {kAnswerYes};
    program.desktop.clickControl(ranch().SSave[0]);
    EXPECT_EQ(boxes().size(), 2u) << "the question, then the failure";
    EXPECT_EQ(ranch().Stetus.Caption(), "保存できませんでした。");
    expectCallPointOnTop();
}

TEST_F(Commands, SaveNoWritesNothing) {
    program.desktop.messageBoxAnswers = {kAnswerNo};
    program.desktop.clickControl(ranch().SSave[0]);
    EXPECT_EQ(program.desktop.store().writes, 0);
    EXPECT_EQ(ranch().Stetus.Caption(), "保存しませんでした。");
    expectCallPointOnTop();
}

TEST_F(Commands, ExitNoKeepsTheViewYesClosesItAndEnds) {
    program.desktop.messageBoxAnswers = {kAnswerNo};
    program.desktop.clickControl(ranch().SSave[1]);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].title, "終");
    EXPECT_EQ(boxes()[0].style, 52);
    EXPECT_EQ(boxes()[0].text,
              "諸設定や登録項目を保存せずにヒヨコらっぱーを終了します。\n\n"
              "(すでに下の｢保存ボタン｣を押して保存処理済みか\n\n"
              "｢敏感らっぱー｣をチェック済みならば保存されています)\n\nよろしいですか？");
    EXPECT_FALSE(ranch().inLauncherView());
    expectCallPointOnTop();

    program.desktop.clickControl(ranch().BunBn[3]);
    program.desktop.messageBoxAnswers = {kAnswerYes};
    EXPECT_THROW(program.desktop.clickControl(ranch().SSave[1]), ProcessEnded);
    EXPECT_EQ(spm().ButtonCaptionStyle, 3) << "closing the view applied the options";
    EXPECT_EQ(*program.desktop.store().get("Hiyokorapper Setting", "Button_Caption"), "3");
}

TEST_F(Commands, HelpNoShowsNoSecondBoxYesShowsTheText) {
    program.desktop.messageBoxAnswers = {kAnswerNo};
    program.desktop.clickControl(ranch().SSave[2]);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "ヒヨコらっぱーVer1.9からの追加機能、ご覧になります？");
    EXPECT_EQ(boxes()[0].title, "ヒヨコらっぱーVer1.96");
    EXPECT_EQ(boxes()[0].style, 68);
    expectCallPointOnTop();

    program.desktop.messageBoxAnswers = {kAnswerYes};
    program.desktop.clickControl(ranch().SSave[2]);
    ASSERT_EQ(boxes().size(), 3u);
    EXPECT_EQ(boxes()[2].title, "ヒヨコらっぱーVer1.96 内蔵ヘルプ");
    EXPECT_EQ(boxes()[2].style, 64);
    EXPECT_EQ(boxes()[2].text,
              "Ver1.9からの追加機能・・・・\n\n\n\n"
              "｢D｣ｷｰを押すことにより 登録を削除するモードを発動\n\n"
              "｢M｣ｷｰを押すことにより 登録を移動するモードを発動\n\n"
              "｢P｣ｷｰを押すことにより 登録をﾍﾟｰｼﾞごと移動するモードを発動\n\n\n\n"
              "目立つとこでこんなもんですぁ");
}

TEST_F(Commands, StatusLineShowsAboutAndHidesOnRightClick) {
    program.desktop.hoverControl(ranch().Stetus);
    EXPECT_EQ(ranch().Stetus.Caption(), "ｸﾘｯｸ:｢About｣表示  逆ｸﾘ:ﾗｯﾊﾟを隠す");
    program.desktop.click();
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].title, "ヒヨコらっぱー についてよ");
    EXPECT_EQ(boxes()[0].text,
              "ヒヨコらっぱーVer1.96\n\n" + ranch().VerH[1].Caption() + " ヒヨコノスケ");
    expectCallPointOnTop();
    program.desktop.click(forms::kRightButton);
    EXPECT_FALSE(ranch().Visible());
}

TEST_F(Commands, ColourCancelChangesNothingAChoiceRecoloursAtOnce) {
    program.desktop.clickControl(ranch().Nc);
    ASSERT_EQ(program.desktop.colorRequests.size(), 1u);
    EXPECT_EQ(program.desktop.colorRequests[0].title, "呼び出し点の色設定");
    EXPECT_EQ(spm().MainColor, 16777215);
    EXPECT_EQ(program.sp().BackColor(), forms::rgb(255, 255, 255));

    program.desktop.colorAnswers = {forms::rgb(255, 0, 0)};
    program.desktop.clickControl(ranch().NcC);
    EXPECT_EQ(spm().MainColor, 255);
    EXPECT_EQ(program.sp().BackColor(), 255);
    EXPECT_EQ(ranch().Nc.BackColor(), 255);
    EXPECT_FALSE(ranch().inLauncherView()) << "before the view is closed";
    EXPECT_EQ(program.desktop.store().writes, 0) << "not written until a save";
    program.desktop.hoverControl(ranch().NcC);
    EXPECT_EQ(ranch().Stetus.Caption(), "クリックで色設定に突入");
}

}  // namespace
