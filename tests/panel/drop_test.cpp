// Files dragged in from other programs: the way to the panel, one file into
// the registration dialog, several into the empty slots, drops that register
// nothing, and the titles each kind of file gets.
#include <gtest/gtest.h>

#include "dialogs/dropped_entry.h"
#include "harness.h"

namespace {

using namespace testing_support;
using forms::DroppedFile;

class Drops : public ::testing::Test {
  protected:
    Program program;
    HeadlessPlatform& desktop() { return program.desktop; }
    panel::Ranch& ranch() { return program.ranch(); }
    settings::EntryColumns& table() { return program.spm().EntryTable; }
    void SetUp() override {
        program.start();
        ranch().MoE.setValue(0);
        table().Exe[4] = "/bin/four";
        table().APName[4] = "four";
    }
    // A drag from a file manager in the middle of the screen, over the call
    // point (which opens the panel) and onto a control of the panel.
    void dragOntoPanel(forms::DroppedFiles files, forms::Control& control) {
        desktop().startDrag(std::move(files));
        desktop().dragTo(100, 500);
        auto& sp = program.sp();
        desktop().dragTo(static_cast<int>(sp.Left() / 15), static_cast<int>(sp.Top() / 15));
        desktop().dragToControl(control);
    }
    void dropOn(forms::DroppedFiles files, forms::Control& control) {
        dragOntoPanel(std::move(files), control);
        desktop().drop();
    }
    static forms::DroppedFiles files(std::initializer_list<const char*> paths) {
        forms::DroppedFiles list;
        for (const char* p : paths) list.push_back(HeadlessPlatform::droppedFile(p));
        return list;
    }
    int saves() { return desktop().store().flushes; }
};

TEST_F(Drops, OneFileOnASlotFillsTheDialogEnterStoresItEscapeKeepsTheEntry) {
    ASSERT_FALSE(ranch().Visible());
    dragOntoPanel(files({"/home/user/bin/memo pad.sh"}), ranch().Command1[3]);
    EXPECT_TRUE(ranch().Visible()) << "the drag touching the call point opened the panel";
    desktop().drop();
    auto& toro = program.toro();
    ASSERT_TRUE(toro.Visible());
    EXPECT_FALSE(ranch().Visible());
    EXPECT_EQ(toro.DrawWidth(), 4);
    EXPECT_EQ(toro.Title.Text(), "memo pad");
    EXPECT_EQ(toro.ComLine.Text(), "/home/user/bin/memo pad.sh");
    EXPECT_EQ(toro.EXEPath.Text(), "/home/user/bin/");
    EXPECT_EQ(table().Exe[3], "") << "nothing is stored before OK";
    const int before = saves();
    desktop().pressKey(13);
    EXPECT_EQ(table().APName[3], "memo pad");
    EXPECT_EQ(table().Exe[3], "/home/user/bin/memo pad.sh");
    EXPECT_EQ(table().APPath[3], "/home/user/bin/");
    EXPECT_EQ(saves(), before + 1) << "Bnk is on";
    EXPECT_TRUE(ranch().Visible());

    dropOn(files({"/opt/other.bin"}), ranch().Command1[4]);  // a filled slot: edited
    ASSERT_TRUE(toro.Visible());
    EXPECT_EQ(toro.Title.Text(), "other");
    desktop().pressKey(27);
    EXPECT_EQ(table().Exe[4], "/bin/four");
    EXPECT_EQ(table().APName[4], "four");
    EXPECT_EQ(saves(), before + 1);
}

TEST_F(Drops, SeveralFilesFillTheEmptySlotsFromTheDropPointAndSaveOnce) {
    const int before = saves();
    dropOn(files({"/a/one.exe", "/b/two.txt", "/c/three"}), ranch().Command1[3]);
    EXPECT_FALSE(program.toro().Visible());
    EXPECT_EQ(table().Exe[3], "/a/one.exe");
    EXPECT_EQ(table().Exe[4], "/bin/four") << "a filled slot is passed over";
    EXPECT_EQ(table().APName[5], "two");
    EXPECT_EQ(table().APPath[5], "/b/");
    EXPECT_EQ(table().APName[6], "three");
    EXPECT_EQ(table().Exe[2], "");
    EXPECT_EQ(table().Exe[7], "");
    EXPECT_EQ(ranch().Command1[5].Caption(), "two");
    EXPECT_EQ(saves(), before + 1);
    EXPECT_EQ(*desktop().store().get("User Setting", "Exe06"), "/c/three");
    EXPECT_EQ(ranch().Stetus.Caption(), "") << "all found a place";

    // Slots 7 and 8 are left; of four files two are left out.
    table().Exe[9] = "/bin/nine";
    dropOn(files({"/d/w", "/d/x", "/d/y", "/d/z"}), ranch().Command1[7]);
    EXPECT_EQ(table().Exe[7], "/d/w");
    EXPECT_EQ(table().Exe[8], "/d/x");
    EXPECT_EQ(table().Exe[9], "/bin/nine");
    EXPECT_EQ(table().Exe[10], "") << "the next box is not filled";
    EXPECT_EQ(ranch().Stetus.Caption(), "空き家が足りなくて2個はお留守番ですよん");
    EXPECT_EQ(saves(), before + 2);
}

TEST_F(Drops, OnAFullBoxNothingIsStoredAndAllAreCountedLeftOut) {
    for (int i = 0; i < 10; ++i) table().Exe[i] = "/bin/" + std::to_string(i);
    const auto tableBefore = table();
    const int before = saves();
    dropOn(files({"/x/a", "/x/b"}), ranch().Command1[0]);
    EXPECT_EQ(table(), tableBefore);
    EXPECT_EQ(saves(), before);
    EXPECT_EQ(ranch().Stetus.Caption(), "空き家が足りなくて2個はお留守番ですよん");
    EXPECT_FALSE(program.toro().Visible());
}

TEST_F(Drops, ADropDuringAModeEndsItAndOnATabOrTheBackgroundChangesNothing) {
    const auto tableBefore = table();
    program.touchCallPoint();
    auto dropOnBackground = [&](forms::DroppedFiles list) {
        desktop().startDrag(std::move(list));
        desktop().dragToForm(ranch(), 4890, 100);  // right of the slots
        desktop().drop();
    };
    desktop().pressKey('D');
    dropOn(files({"/x/a"}), ranch().Command1[3]);
    EXPECT_TRUE(ranch().inPlainState());
    desktop().pressKey('P');
    dropOnBackground(files({"/x/a"}));
    EXPECT_TRUE(ranch().inPlainState());
    desktop().pressKey('M');
    desktop().clickControl(ranch().Command1[4]);  // a move under way
    dropOn(files({"/x/a", "/x/b"}), ranch().Command2[0]);
    EXPECT_TRUE(ranch().inPlainState());
    EXPECT_EQ(ranch().Caption(), "ヒヨコらっぱーVer1.96");

    dropOn(files({"/x/a"}), ranch().Command2[2]);
    dropOn(files({"/x/a"}), ranch().Stetus);
    dropOnBackground(files({"/x/a", "/x/b"}));
    EXPECT_EQ(table(), tableBefore);
    EXPECT_TRUE(desktop().messageBoxes.empty());
    EXPECT_FALSE(program.toro().Visible());
    EXPECT_TRUE(ranch().Visible());
}

TEST_F(Drops, ADragKeepsThePanelOpenAndEachTabItPassesShowsItsBox) {
    ranch().Tao.setValue(1);
    program.touchCallPoint();
    desktop().hoverControl(ranch().Command1[0]);  // starts the auto-hide poll
    dragOntoPanel(files({"/x/a"}), ranch().Command2[6]);
    EXPECT_EQ(program.spm().CurrentBox, 6) << "without MoE";
    desktop().dragToControl(ranch().Command2[2]);
    EXPECT_EQ(program.spm().CurrentBox, 2);
    ranch().onLostFocus();  // pressing on the file manager took the focus
    desktop().advance(1000);
    EXPECT_TRUE(ranch().Visible()) << "neither the poll nor the lost focus hides it";
    desktop().dragTo(5, 5);
    EXPECT_FALSE(ranch().Visible()) << "the lost focus hides it once the drag left";

    program.touchCallPoint();
    dropOn(files({"/x/a", "/x/b"}), ranch().Command1[0]);
    ranch().onLostFocus();
    EXPECT_FALSE(ranch().Visible()) << "after the drop the lost focus hides again";
}

std::string titleOf(const std::string& path, bool isFolder = false) {
    return dialogs::EntryFromDroppedFile(HeadlessPlatform::droppedFile(path, isFolder)).APName;
}
std::string titleOfDesktopEntry(const std::string& name, const std::string& text) {
    return dialogs::EntryFromDroppedFile({"/usr/share/applications/" + name, name, false, text})
        .APName;
}

TEST(DroppedTitles, EachKindOfFileGetsItsOwnTitle) {
    EXPECT_EQ(titleOf("/src/archive.tar.gz"), "archive.tar");
    EXPECT_EQ(titleOf("/home/u/.profile"), ".profile");
    EXPECT_EQ(titleOf("/home/u/my.project", true), "my.project") << "a folder has no extension";
    EXPECT_EQ(titleOf("/"), "/");
    const auto shortcut = dialogs::EntryFromDroppedFile(
        {"C:\\Users\\u\\デスクトップ\\メモ帳.lnk", "メモ帳.lnk", false, {}});
    EXPECT_EQ(shortcut.APName, "メモ帳");
    EXPECT_EQ(shortcut.APPath, "C:\\Users\\u\\デスクトップ\\");

    EXPECT_EQ(titleOfDesktopEntry("editor.desktop",
                                  "[Desktop Entry]\nType=Application\nName=Text Editor\n"
                                  "Name[de]=Texteditor\nName[ja] = テキスト\\sエディター\n"
                                  "[Desktop Action new]\nName[ja]=新しいウィンドウ\n"),
              "テキスト エディター");
    EXPECT_EQ(titleOfDesktopEntry("plain.desktop",
                                  "# Name=comment\r\n[Desktop Entry]\r\nName=Plain\\\\Tool\r\n"),
              "Plain\\Tool");
    EXPECT_EQ(titleOfDesktopEntry("nameless.desktop", "[Desktop Entry]\nExec=true\n"), "nameless");
    EXPECT_EQ(titleOfDesktopEntry("unread.desktop", ""), "unread")
        << "a pipe or a missing file gives no text";
}

}  // namespace
