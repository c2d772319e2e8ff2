// The registration dialog: fill, browse, confirm, cancel, keys, window close.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using namespace testing_support;

class Registration : public ::testing::Test {
  protected:
    Program program;
    dialogs::Toro& toro() { return program.toro(); }
    panel::Ranch& ranch() { return program.ranch(); }
    settings::EntryColumns& table() { return program.spm().EntryTable; }
    void SetUp() override {
        program.start();
        program.touchCallPoint();
        program.desktop.clickControl(ranch().Command1[3]);  // empty slot: entry 4
        ASSERT_TRUE(toro().Visible());
    }
};

TEST_F(Registration, OpensOnAnEmptyEntryAndEnterStoresItUnchanged) {
    EXPECT_EQ(toro().Title.Text(), "<<空き家>>");
    EXPECT_EQ(toro().ComLine.Text(), "");
    EXPECT_EQ(toro().EXEPath.Text(), "");
    const int writes = program.desktop.store().writes;
    program.desktop.pressKey(13);
    EXPECT_FALSE(toro().Visible());
    EXPECT_TRUE(ranch().Visible());
    EXPECT_EQ(table().APName[3], "<<空き家>>");
    EXPECT_EQ(table().Exe[3], "");
    EXPECT_GT(program.desktop.store().writes, writes) << "Bnk saves even an unchanged entry";
}

TEST_F(Registration, LabelsAreAsWideAsTheirTexts) {
    for (forms::Label* label : {&toro().Label1, &toro().Label2, &toro().Label3}) {
        EXPECT_EQ(label->Width(),
                  program.desktop.measureText(label->font(), label->Caption()).width)
            << label->Caption();
    }
}

TEST_F(Registration, OkStoresTheTextsExactlyAndThePanelShowsTheTitle) {
    const std::string longPath = "/opt/長い パス/" + std::string(520, 'p') + "/run me.sh";
    toro().Title.setText(" 日本語 \"title\" ");
    toro().ComLine.setText(longPath);
    toro().EXEPath.setText("/opt/長い パス/");
    program.desktop.clickControl(toro().Command2);
    EXPECT_EQ(table().APName[3], " 日本語 \"title\" ");
    EXPECT_EQ(table().Exe[3], longPath);
    EXPECT_EQ(table().APPath[3], "/opt/長い パス/");
    EXPECT_EQ(ranch().Command1[3].Caption(), " 日本語 \"title\" ");
    EXPECT_EQ(*program.desktop.store().get("User Setting", "Exe03"), longPath);

    Program restarted(std::make_shared<Store>(program.desktop.store()));
    restarted.start();
    EXPECT_EQ(restarted.spm().EntryTable.Exe[3], longPath);
    EXPECT_EQ(restarted.spm().EntryTable.APName[3], " 日本語 \"title\" ");
}

TEST_F(Registration, CancelKeepsTheEntryAndTheTypedTextUntilTheNextActivation) {
    toro().Title.setText("typed");
    program.desktop.pressKey(27);
    EXPECT_FALSE(toro().Visible());
    EXPECT_TRUE(ranch().Visible());
    EXPECT_EQ(table().APName[3], "<<空き家>>");
    EXPECT_EQ(toro().Title.Text(), "typed");
    program.desktop.clickControl(ranch().Command1[3]);
    EXPECT_EQ(toro().Title.Text(), "<<空き家>>");
}

TEST_F(Registration, EnterAndEscapeActOnceFromEveryControlWhateverTheShiftState) {
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &toro().Title, &toro().ComLine, &toro().EXEPath, &toro().Command1, &toro().Command2,
             &toro().Command3}) {
        int shows = 0;
        auto refresh = ranch().onActivate;
        ranch().onActivate = [&] {
            ++shows;
            refresh();
        };
        c->SetFocus();
        program.desktop.pressKey(13, forms::kShiftMask);
        EXPECT_FALSE(toro().Visible()) << c->Name();
        EXPECT_EQ(shows, 1) << c->Name();
        ranch().onActivate = refresh;
        program.desktop.clickControl(ranch().Command1[3], forms::kRightButton);
        c->SetFocus();
        program.desktop.pressKey(27, forms::kCtrlMask);
        EXPECT_FALSE(toro().Visible()) << c->Name();
        program.desktop.clickControl(ranch().Command1[3], forms::kRightButton);
    }
    program.desktop.pressKey('A');
    EXPECT_TRUE(toro().Visible()) << "other keys only edit";
}

TEST_F(Registration, BrowseFillsLinkAndFolderAndLeavesTheTitle) {
    toro().Title.setText("mine");
    program.desktop.openFileAnswers = {platform::OpenFileResult{"C:\\Tools\\a.exe", "a.exe"}};
    program.desktop.clickControl(toro().Command1);
    ASSERT_EQ(program.desktop.openFileRequests.size(), 1u);
    const auto& request = program.desktop.openFileRequests[0];
    EXPECT_EQ(request.title, "なにを登録いたしやしょう(*_･)ｷﾗﾘ");
    EXPECT_EQ(
        request.filter,
        "EXE型実行ﾌｧｲﾙ(*.exe)|*.exe|COM型実行ﾌｧｲﾙ(*.com)|*.com|ﾊﾞｯﾁﾌｧｲﾙ(*.bat)|*.bat|全ﾌｧｲﾙ|*.*");
    EXPECT_EQ(request.flags, 0x28100C);
    EXPECT_EQ(toro().ComLine.Text(), "C:\\Tools\\a.exe");
    EXPECT_EQ(toro().EXEPath.Text(), "C:\\Tools\\");
    EXPECT_EQ(toro().Title.Text(), "mine");
}

TEST_F(Registration, BrowseCancelledOrOddChangesNothingItCannot) {
    toro().ComLine.setText("keep");
    toro().EXEPath.setText("keep too");
    program.desktop.clickControl(toro().Command1);  // no answer queued: cancelled
    EXPECT_EQ(toro().ComLine.Text(), "keep");
    EXPECT_EQ(toro().EXEPath.Text(), "keep too");
    // A bare name longer than the path: the folder step fails alone.
    program.desktop.openFileAnswers = {platform::OpenFileResult{"短い", "とても長い名前.exe"}};
    program.desktop.clickControl(toro().Command1);
    EXPECT_EQ(toro().ComLine.Text(), "短い");
    EXPECT_EQ(toro().EXEPath.Text(), "keep too");
    // Japanese folders count characters, not bytes.
    program.desktop.openFileAnswers = {
        platform::OpenFileResult{"/home/ユーザー/ツール.sh", "ツール.sh"}};
    program.desktop.clickControl(toro().Command1);
    EXPECT_EQ(toro().EXEPath.Text(), "/home/ユーザー/");
}

TEST_F(Registration, ReactivationRefillsFromTheEntry) {
    toro().Title.setText("unconfirmed");
    program.touchCallPoint();
    program.desktop.click();  // the call point's About box
    program.desktop.clickControl(toro().Title);
    EXPECT_EQ(toro().Title.Text(), "<<空き家>>");
}

TEST_F(Registration, WithBnkUncheckedOkChangesOnlyMemory) {
    ranch().Bnk.setValue(0);
    const int writes = program.desktop.store().writes;
    toro().ComLine.setText("/bin/true");
    program.desktop.pressKey(13);
    EXPECT_EQ(table().Exe[3], "/bin/true");
    EXPECT_EQ(program.desktop.store().writes, writes);
}

// A close by the window system acts as cancel: the panel comes back.
TEST_F(Registration, WindowCloseActsAsCancel) {
    toro().Title.setText("typed");
    program.desktop.requestClose(toro());
    EXPECT_FALSE(toro().Visible());
    EXPECT_TRUE(ranch().Visible());
    EXPECT_EQ(table().APName[3], "<<空き家>>");
}

}  // namespace
