// The services of the Qt backend beside the windows: time and posted work,
// timers, synthetic keys, the topmost band, message boxes, file filters,
// fonts, shell open, the end of the session and the single-instance lock.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QAbstractItemView>
#include <QColorDialog>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>

#include "platform/popup_menu.h"
#include "platform/qt/instance_lock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_session.h"
#include "qt_test_support.h"

namespace {

using namespace qt_testing;
using platform::qt::InstanceLock;

// Runs the event loop until the condition holds or a second has passed.
template <class Condition>
bool waitFor(Condition done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 1000) {
        sharedPlatform().doEvents();
        sharedPlatform().sleep(1);
    }
    return done();
}

TEST(Events, PostedTasksRunAtTheNextDoEventsInOrder) {
    std::vector<int> ran;
    sharedPlatform().post([&] { ran.push_back(1); });
    sharedPlatform().post([&] { ran.push_back(2); });
    EXPECT_TRUE(ran.empty());
    sharedPlatform().doEvents();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(Events, SleepReallySleepsAndClockIsSecondsOfTheDay) {
    QElapsedTimer clock;
    clock.start();
    sharedPlatform().sleep(30);
    EXPECT_GE(clock.elapsed(), 30);
    const double seconds = sharedPlatform().clockSeconds();
    EXPECT_GE(seconds, 0.0);
    EXPECT_LT(seconds, 86400.0);
}

TEST(Events, TimersTickWhileArmedAndNeverNestInsideTheirOwnHandler) {
    Desktop d;
    TestForm form(d.runtime);
    auto& timer = form.add<forms::Timer>("Deta");
    int ticks = 0, depth = 0, deepest = 0;
    timer.onTimer = [&] {
        ++ticks;
        deepest = std::max(deepest, ++depth);
        for (int i = 0; i < 30; ++i) {  // a handler that processes events meanwhile
            sharedPlatform().doEvents();
            sharedPlatform().sleep(1);
        }
        --depth;
    };
    form.Load();
    timer.setInterval(5);
    EXPECT_TRUE(waitFor([&] { return ticks >= 3; }));
    EXPECT_EQ(deepest, 1);
    timer.setInterval(0);
    const int stopped = ticks;
    sharedPlatform().sleep(30);
    sharedPlatform().doEvents();
    EXPECT_EQ(ticks, stopped);
}

TEST(Events, SentKeyReachesTheFocusedControlOfTheActiveForm) {
    Desktop d;
    TestForm inactive(d.runtime), active(d.runtime);
    auto& slot = active.add<forms::CommandButton>("Command1");
    slot.Move(0, 0, 900, 300);
    std::vector<int> keys;
    slot.onKeyDown = [&](int k, int) { keys.push_back(k); };
    inactive.onKeyDown = [&](int k, int) { keys.push_back(-k); };
    showAt(inactive, 0, 0);
    showAt(active, 3000, 0);
    slot.SetFocus();
    d.platform.sendKey('M');
    d.platform.sendKey('D');
    EXPECT_TRUE(keys.empty());  // delivered with the next events, not inside sendKey
    EXPECT_TRUE(waitFor([&] { return keys.size() == 2; }));
    EXPECT_EQ(keys, (std::vector<int>{'M', 'D'}));
}

// Bottom-to-top order of the top-level X windows.
std::vector<xcb_window_t> stackingOrder() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
    std::vector<xcb_window_t> order(xcb_query_tree_children(tree),
                                    xcb_query_tree_children(tree) + tree->children_len);
    free(tree);
    return order;
}

bool isAbove(QWidget* upper, QWidget* lower) {
    const auto order = stackingOrder();
    auto position = [&](QWidget* w) {
        return std::find(order.begin(), order.end(), xcb_window_t(w->winId())) - order.begin();
    };
    return position(upper) > position(lower);
}

TEST(TopmostBand, StaysAboveOtherWindowsWithoutAWindowManager) {
    Desktop d;
    TestForm callPoint(d.runtime), panel(d.runtime);
    QWidget* callPointWindow = showAt(callPoint, 0, 0);
    d.platform.setTopmost(callPoint, true);
    const QRect placed = callPointWindow->geometry();
    QWidget* panelWindow = showAt(panel, 0, 0);
    settle();
    EXPECT_TRUE(isAbove(callPointWindow, panelWindow));
    d.platform.setTopmost(callPoint, false);
    d.platform.setTopmost(panel, true);
    panel.Show();
    callPoint.Show();
    settle();
    EXPECT_TRUE(isAbove(panelWindow, callPointWindow));
    EXPECT_EQ(callPointWindow->geometry(), placed);  // not re-created, not moved
    EXPECT_TRUE(callPointWindow->isVisible());
}

// The panel leaves the band while hidden and enters it again when shown.
TEST(TopmostBand, EnteringAndLeavingKeepsTheSameNativeWindow) {
    Desktop d;
    TestForm panel(d.runtime, forms::FrameStyle::ToolWindow);
    QWidget* window = showAt(panel, 0, 0);
    const WId id = window->winId();
    for (int round = 0; round < 2; ++round) {
        d.platform.setTopmost(panel, false);
        panel.Hide();
        settle();
        panel.Show();
        d.platform.setTopmost(panel, true);
        settle();
    }
    EXPECT_EQ(window->winId(), id);
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(id), "WM_WINDOW_ROLE"});
    ASSERT_TRUE(xprop.waitForFinished(5000));
    EXPECT_TRUE(xprop.readAllStandardOutput().contains("\"testform\""));
}

TEST(TopmostBand, NoFrameWithoutAWindowManager) {
    for (auto frame : {forms::FrameStyle::None, forms::FrameStyle::ToolWindow,
                       forms::FrameStyle::Dialog, forms::FrameStyle::DialogBare}) {
        auto size = sharedPlatform().nonClientSize(frame);
        EXPECT_EQ(size.width, 0);
        EXPECT_EQ(size.height, 0);
    }
}

// Answers the next modal message box from inside its own event loop.
void answerNextBox(std::function<void(QMessageBox&)> answer) {
    QTimer::singleShot(0, [answer] {
        QElapsedTimer clock;
        clock.start();
        while (!qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) &&
               clock.elapsed() < 2000) {
            QCoreApplication::processEvents();
        }
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) answer(*box);
    });
}

TEST(MessageBox, StyleBitsGiveIconButtonsAndDefaultAndAnswersAreClassic) {
    using namespace platform::mb;
    QString title, text, defaultButton;
    QMessageBox::Icon icon{};
    answerNextBox([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        defaultButton = box.defaultButton()->text();
        box.buttons().at(0)->click();
    });
    int answer = sharedPlatform().messageBox("保存＆終了しますよん\n\n",
                                             kYesNo | kExclamation | kDefaultButton2,
                                             "ヒヨコらっぱーVer1.96");
    EXPECT_EQ(answer, kAnswerYes);
    EXPECT_EQ(title, "ヒヨコらっぱーVer1.96");
    EXPECT_EQ(text, "保存＆終了しますよん\n\n");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(defaultButton, "いいえ(&N)");

    answerNextBox([](QMessageBox& box) { box.reject(); });  // closed without a choice
    EXPECT_EQ(sharedPlatform().messageBox("?", kYesNo, "t"), kAnswerNo);

    // Every character is in the box's own face: one from a fallback font may
    // be cut off at the line's edge (the "￣" were).
    const QString refusal = QStringLiteral("重複起動は認めませんよぉ～(￣ー￣)");
    QString missing = "no label";
    answerNextBox([&](QMessageBox& box) {
        icon = box.icon();
        for (QLabel* label : box.findChildren<QLabel*>()) {
            if (label->text() != refusal) continue;
            const QRawFont face = QRawFont::fromFont(label->font());
            missing.clear();
            for (QChar c : refusal) {
                if (!face.supportsCharacter(c)) missing += c;
            }
        }
        box.buttons().at(0)->click();
    });
    EXPECT_EQ(sharedPlatform().messageBox(refusal.toStdString(), kStop, "t"), kAnswerOk);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(missing.toStdString(), "") << "not in the box's face";
}

// Answers the next popup menu from inside its own event loop.
void answerNextMenu(std::function<void(QMenu&)> answer) {
    QTimer::singleShot(0, [answer] {
        QElapsedTimer clock;
        clock.start();
        while (!qobject_cast<QMenu*>(QApplication::activePopupWidget()) && clock.elapsed() < 2000) {
            QCoreApplication::processEvents();
        }
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) answer(*menu);
    });
}

// Opened by a key, the menu hangs under the control; its items keep their
// check marks and separators, and the answer is the index of the chosen one.
TEST(PopupMenu, ItemsKeepChecksAndTheChoiceComesBackAsItsIndex) {
    Desktop desktop;
    TestForm form(desktop.runtime);
    auto& button = form.add<forms::CommandButton>("Anchor");
    button.Move(300, 600, 900, 375);
    showAt(form, 1500, 1500);
    const std::vector<platform::MenuItem> items{
        {"ｱｲｺﾝで顔見せ", true, true}, {"静かに", true, false}, {"書き出し…", false, false, true}};
    QStringList texts;
    std::vector<bool> checks;
    int separators = 0;
    QPoint placed, expected;
    answerNextMenu([&](QMenu& menu) {
        placed = menu.pos();
        QWidget* anchor = widgetNamed(form, "Anchor");
        expected = anchor->mapToGlobal(QPoint(0, anchor->height()));
        for (QAction* action : menu.actions()) {
            if (action->isSeparator()) {
                ++separators;
                continue;
            }
            texts << action->text();
            checks.push_back(action->isCheckable() && action->isChecked());
        }
        QTest::mouseClick(&menu, Qt::LeftButton, {},
                          menu.actionGeometry(menu.actions().at(1)).center());
    });
    EXPECT_EQ(sharedPlatform().popupMenu().popUp(button, false, items), 1);
    EXPECT_EQ(texts.join("|").toStdString(), "ｱｲｺﾝで顔見せ|静かに|書き出し…");
    EXPECT_EQ(checks, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(separators, 1);
    EXPECT_EQ(placed, expected);

    answerNextMenu([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_Escape); });
    EXPECT_EQ(sharedPlatform().popupMenu().popUp(button, true, items), std::nullopt);
}

// Texts that Qt's dialogs show when no Japanese catalogue is loaded.
QStringList englishTextsOf(QWidget& dialog) {
    static const QStringList english = {"&Open",         "&Cancel",        "Cancel",
                                        "Look in:",      "File &name:",    "Files of type:",
                                        "&Basic colors", "&Custom colors", "&Add to Custom Colors"};
    QStringList found;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (english.contains(label->text())) found << label->text();
    }
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (english.contains(button->text())) found << button->text();
    }
    return found;
}

// Runs `answer` on the next modal dialog of type D once it is up.
template <class D>
void answerNextDialog(std::function<void(D&)> answer) {
    QTimer::singleShot(0, [answer] {
        QElapsedTimer clock;
        clock.start();
        while (!qobject_cast<D*>(QApplication::activeModalWidget()) && clock.elapsed() < 3000) {
            QCoreApplication::processEvents();
        }
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) answer(*dialog);
    });
}

// The names the dialog's file list shows for a folder, once it has read it.
QStringList listedNames(QFileDialog& dialog, int expected) {
    auto* view = dialog.findChild<QAbstractItemView*>("listView");
    QStringList names;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 3000) {
        QCoreApplication::processEvents();
        names.clear();
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
            names << view->model()->index(row, 0, view->rootIndex()).data().toString();
        }
        if (names.size() == expected) break;
    }
    names.sort();
    return names;
}

// The first filter, chosen when the dialog opens, lists this desktop's
// programs: executable files and .desktop entries; the others list by name.
TEST(FileDialog, ChosenFileGivesPathAndBareNameAndCancelGivesNothing) {
    QTemporaryDir dir;
    const QString chosen = dir.filePath("ﾊﾞｯﾁ file.bat");
    QFile(chosen).open(QIODevice::WriteOnly);
    for (const char* name : {"a.exe", "notes.txt", "app.desktop", "run-me"}) {
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    }
    QFile(dir.filePath("run-me")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    QString title, filters;
    QStringList programs, batches, english;
    answerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filters = dialog.nameFilters().join(";;");
        english = englishTextsOf(dialog);
        dialog.setDirectory(dir.path());
        programs = listedNames(dialog, 2);
        dialog.selectNameFilter(dialog.nameFilters().at(1));
        emit dialog.filterSelected(dialog.selectedNameFilter());
        batches = listedNames(dialog, 1);
        dialog.findChild<QLineEdit*>("fileNameEdit")
            ->setText(QFileInfo(chosen).fileName());  // typed
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    auto result = sharedPlatform().openFile(
        {nullptr, "なにを登録いたしやしょう(*_･)ｷﾗﾘ",
         "EXE型実行ﾌｧｲﾙ(*.exe)|*.exe|ﾊﾞｯﾁﾌｧｲﾙ(*.bat)|*.bat|全ﾌｧｲﾙ|*.*", 0});
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->path, chosen.toStdString());
    EXPECT_EQ(result->fileTitle, "ﾊﾞｯﾁ file.bat");
    EXPECT_EQ(title, "なにを登録いたしやしょう(*_･)ｷﾗﾘ");
    EXPECT_EQ(filters,
              platform::qt::kProgramsFilter + ";;ﾊﾞｯﾁﾌｧｲﾙ(*.bat) (*.bat *.BAT);;全ﾌｧｲﾙ (*)");
    EXPECT_EQ(programs.join(" | ").toStdString(), "app.desktop | run-me");
    EXPECT_EQ(batches.join(" | ").toStdString(), "ﾊﾞｯﾁ file.bat");
    EXPECT_EQ(english.join(" | ").toStdString(), "");

    answerNextDialog<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(sharedPlatform().openFile({nullptr, "t", "", 0}).has_value());
}

TEST(ColourDialog, ChosenColourComesBackWithRedInTheLowByte) {
    QString title;
    QStringList english;
    answerNextDialog<QColorDialog>([&](QColorDialog& dialog) {
        title = dialog.windowTitle();
        english = englishTextsOf(dialog);
        dialog.setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog.accept();
    });
    auto colour = sharedPlatform().chooseColor({nullptr, "呼び出し点の色設定", 2});
    ASSERT_TRUE(colour.has_value());
    EXPECT_EQ(*colour, 0x563412);
    EXPECT_EQ(title, "呼び出し点の色設定");
    EXPECT_EQ(english.join(" | ").toStdString(), "");
    answerNextDialog<QColorDialog>([](QColorDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(sharedPlatform().chooseColor({nullptr, "t", 0}).has_value());
}

TEST(ScreenAndPointer, PixelsOfThePrimaryScreenAndTheRealPointer) {
    auto screen = sharedPlatform().screenSize();
    EXPECT_EQ(screen.width, 1280);  // the test server's screen (with_xvfb.sh)
    EXPECT_EQ(screen.height, 1024);
    QCursor::setPos(123, 45);
    EXPECT_TRUE(waitFor([] {
        auto p = sharedPlatform().cursorPos();
        return p.x == 123 && p.y == 45;
    }));
}

TEST(FileDialog, ClassicFilterBecomesQtSyntax) {
    using platform::qt::qtFileFilter;
    EXPECT_EQ(qtFileFilter("EXE型実行ﾌｧｲﾙ(*.exe)|*.exe|COM型実行ﾌｧｲﾙ(*.com)|*.com|全ﾌｧｲﾙ|*.*"),
              platform::qt::kProgramsFilter + ";;COM型実行ﾌｧｲﾙ(*.com) (*.com *.COM);;全ﾌｧｲﾙ (*)");
    EXPECT_EQ(qtFileFilter("Programs|*.exe;*.com"), "Programs (*.exe *.EXE *.com *.COM)");
    EXPECT_EQ(qtFileFilter("Dangling|*.bat|no pattern"), "Dangling (*.bat *.BAT)");
    EXPECT_EQ(qtFileFilter(""), "");
    EXPECT_EQ(qtFileFilter("|||"), "");
}

TEST(Keys, VirtualKeyCodesBothWays) {
    using namespace platform::qt;
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_A, Qt::NoModifier), 65);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_Z, Qt::ShiftModifier), 90);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_Exclam, Qt::ShiftModifier), '1');
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_5, Qt::KeypadModifier), 101);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_F12, Qt::NoModifier), 123);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_Super_R, Qt::NoModifier), 92);
    EXPECT_EQ(virtualKeyFromQt(Qt::Key_unknown, Qt::NoModifier), 0);
    for (int vk :
         {8, 9, 13, 16, 17, 18, 27, 32, 37, 38, 39, 40, 46, 65, 77, 90, 48, 57, 112, 135}) {
        EXPECT_EQ(virtualKeyFromQt(qtKeyFromVirtual(vk), Qt::NoModifier), vk) << vk;
    }
    EXPECT_EQ(buttonBits(Qt::LeftButton | Qt::MiddleButton), 5);
    EXPECT_EQ(shiftBits(Qt::ControlModifier | Qt::AltModifier), 6);
}

TEST(Fonts, WindowsFacesMapToIpaAndTextIsMeasuredInTwips) {
    auto& p = sharedPlatform();
    auto resolved = [&](const char* face) {
        return QFontInfo(p.fonts().toQFont({face, 9, false, false})).family();
    };
    EXPECT_EQ(resolved("ＭＳ Ｐ明朝"), "IPAPMincho");
    EXPECT_EQ(resolved("ＭＳ Ｐゴシック"), "IPAPGothic");
    EXPECT_EQ(resolved("ＭＳ ゴシック"), "IPAGothic");
    EXPECT_EQ(resolved("ＭＳ 明朝"), "IPAMincho");
    EXPECT_EQ(resolved("System"), QFontInfo(QApplication::font()).family());
    EXPECT_EQ(resolved(""), "IPAPGothic") << "no face: the Japanese desktop's control default";
    EXPECT_EQ(resolved("IPAPGothic"), "IPAPGothic");  // a face that exists is used as named
    const forms::Font small{"ＭＳ Ｐ明朝", 9, true, false};
    const forms::Font large{"ＭＳ Ｐ明朝", 20.25, true, false};
    auto one = p.measureText(small, "色");
    auto two = p.measureText(small, "色色");
    EXPECT_GT(one.width, 0);
    EXPECT_EQ(std::fmod(one.width, 15.0), 0.0);
    EXPECT_NEAR(two.width, 2 * one.width, 30);
    EXPECT_GT(p.measureText(large, "色").height, one.height);
    EXPECT_EQ(p.measureText(small, "a\nb").height, 2 * p.measureText(small, "a").height);
    EXPECT_EQ(p.measureText(small, "").width, 0);
}

class ShellOpen : public ::testing::Test {
  protected:
    // The desktop's handler (see CMakeLists.txt) notes its argument and
    // folder in the file this names.
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        record = dir.filePath("record.txt");
        qputenv("SHELL_OPEN_RECORD", record.toUtf8());
    }
    QString writeScript(const QString& name, const QString& body) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + body).toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QString recorded() {
        waitFor([&] { return QFile::exists(record) && QFile(record).size() > 0; });
        QFile file(record);
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).trimmed();
    }
    QTemporaryDir dir;
    QString record;
};

TEST_F(ShellOpen, ExecutableStartsDetachedInItsWorkingFolder) {
    const QString work = dir.filePath("work dir");
    QDir().mkpath(work);
    const QString program = writeScript("tool.sh", "pwd > '" + record + "'\n");
    sharedPlatform().shellOpen(nullptr, program.toStdString(), work.toStdString());
    EXPECT_EQ(recorded(), work);
}

TEST_F(ShellOpen, MissingFolderFallsBackToTheProgramsOwn) {
    const QString program = writeScript("tool.sh", "pwd > '" + record + "'\n");
    sharedPlatform().shellOpen(nullptr, program.toStdString(), "/no/such/folder");
    EXPECT_EQ(recorded(), dir.path());
}

// A name that starts with "-" reaches the handler as a whole path, never
// as an option.
TEST_F(ShellOpen, DocumentsAndUrlsGoToTheDefaultHandler) {
    const QString document = dir.filePath("memo 1.txt");
    QFile(document).open(QIODevice::WriteOnly);
    sharedPlatform().shellOpen(nullptr, document.toStdString(), "");
    EXPECT_EQ(recorded().toStdString(), (document + "|" + dir.path()).toStdString());
    QFile::remove(record);
    QFile(dir.filePath("-n memo.txt")).open(QIODevice::WriteOnly);
    sharedPlatform().shellOpen(nullptr, "-n memo.txt", dir.path().toStdString());
    EXPECT_EQ(recorded().toStdString(),
              (dir.filePath("-n memo.txt") + "|" + dir.path()).toStdString());
    QFile::remove(record);
    sharedPlatform().shellOpen(nullptr, "https://example.invalid/a%20b", dir.path().toStdString());
    EXPECT_EQ(recorded().toStdString(),
              "https://example.invalid/a%20b|" + dir.path().toStdString());
}

// Through GIO, which reads the entry's Exec line; in the entry's working folder.
TEST_F(ShellOpen, DesktopEntryStartsItsApplicationInTheWorkingFolder) {
    const QString work = dir.filePath("work dir");
    QDir().mkpath(work);
    const QString program = writeScript("tool.sh", "echo \"$1|$PWD\" > '" + record + "'\n");
    QFile entry(dir.filePath("tool.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write(("[Desktop Entry]\nType=Application\nName=Tool\nExec=\"" + program + "\" first\n")
                    .toUtf8());
    entry.close();
    sharedPlatform().shellOpen(nullptr, entry.fileName().toStdString(), work.toStdString());
    EXPECT_EQ(recorded().toStdString(), ("first|" + work).toStdString());
}

// As the classic shell does, a box names what could not be started; nothing runs.
TEST_F(ShellOpen, WhatCannotBeStartedIsNamedInAMessage) {
    QStringList texts;
    auto note = [&](QMessageBox& box) {
        texts << box.windowTitle() + ": " + box.text();
        box.buttons().at(0)->click();
    };
    const QString missing = dir.filePath("no such program");
    answerNextBox(note);
    sharedPlatform().shellOpen(nullptr, missing.toStdString(), "");
    answerNextBox(note);
    sharedPlatform().shellOpen(nullptr, "hiyoko-nothing://handles/this", "");
    QFile broken(dir.filePath("broken.desktop"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("[Desktop Entry]\nType=Application\nName=Broken\nExec=/no/such/binary\n");
    broken.close();
    answerNextBox(note);
    sharedPlatform().shellOpen(nullptr, broken.fileName().toStdString(), "");
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(
        texts[0].toStdString(),
        ("no such program: '" + missing +
         "' が見つかりません。名前を正しく入力したかどうかを確認してから、やり直してください。")
            .toStdString());
    EXPECT_TRUE(texts[1].contains("'hiyoko-nothing://handles/this' を開けません"))
        << texts[1].toStdString();
    EXPECT_TRUE(texts[2].contains("'" + broken.fileName() + "' を起動できません"))
        << texts[2].toStdString();
    EXPECT_FALSE(QFile::exists(record));
}

TEST_F(ShellOpen, EmptyTargetDoesNothing) {
    sharedPlatform().shellOpen(nullptr, "   ", dir.path().toStdString());
    sharedPlatform().sleep(100);
    EXPECT_FALSE(QFile::exists(record));
}

// SIGTERM, SIGHUP, SIGINT and the session manager's "die" (a request to quit
// the application) end the session once, from the event loop and never
// inside the signal handler; the watch leaves the default actions behind.
TEST(SessionEnd, SignalsAndTheSessionManagersDieEndTheSessionOnce) {
    sharedPlatform();  // the application the watch works in
    for (int signalNumber : {SIGTERM, SIGHUP, SIGINT, 0}) {
        std::vector<bool> ends;
        {
            platform::qt::SessionWatch watch(
                [&](bool displayGone) { ends.push_back(displayGone); });
            QEvent quit(QEvent::Quit);
            if (signalNumber == 0) {
                QCoreApplication::sendEvent(qApp, &quit);
            } else {
                ::raise(signalNumber);
                EXPECT_TRUE(ends.empty()) << "not inside the signal handler";
            }
            EXPECT_TRUE(waitFor([&] { return !ends.empty(); })) << signalNumber;
            QCoreApplication::sendEvent(qApp, &quit);
            sharedPlatform().doEvents();
        }
        EXPECT_EQ(ends, std::vector<bool>{false}) << signalNumber;
        struct sigaction now {};
        ::sigaction(SIGTERM, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL);
    }
    // Started under nohup: SIGHUP stays ignored.
    std::signal(SIGHUP, SIG_IGN);
    bool ended = false;
    {
        platform::qt::SessionWatch watch([&](bool) { ended = true; });
        ::raise(SIGHUP);
        waitFor([&] { return ended; });
    }
    EXPECT_FALSE(ended);
    std::signal(SIGHUP, SIG_DFL);
}

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstLetsGo) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("app.lock").toStdString();
    InstanceLock first(path), second(path);
    EXPECT_TRUE(first.acquire());
    EXPECT_TRUE(first.acquire());  // asking again keeps it
    EXPECT_FALSE(second.acquire());
    first.release();
    EXPECT_TRUE(second.acquire());
}

TEST(SingleInstance, CrashedHolderDoesNotBlockTheNextStart) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("app.lock").toStdString();
    const pid_t child = fork();
    if (child == 0) {
        InstanceLock held(path);
        _exit(held.acquire() ? 0 : 1);  // dies holding it, never releasing
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    InstanceLock next(path);
    EXPECT_TRUE(next.acquire());
}

// One instance per store: two starts on the same config folder share one
// owner-only lock beside the store, whatever their runtime folders; none
// is made in /tmp, where another user could take it first.
TEST(SingleInstance, OneStoreHasOneLockBesideItWhateverTheRuntimeFolder) {
    QTemporaryDir config, runtimeA, runtimeB;
    ::setenv("XDG_CONFIG_HOME", config.path().toUtf8().constData(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtimeA.path().toUtf8().constData(), 1);
    platform::qt::QtPlatform first;
    ::setenv("XDG_RUNTIME_DIR", runtimeB.path().toUtf8().constData(), 1);
    platform::qt::QtPlatform second;
    EXPECT_TRUE(first.acquireSingleInstance());
    EXPECT_FALSE(second.acquireSingleInstance());
    const std::string lock = config.filePath("hiyokorapper/hiyokorapper.lock").toStdString();
    EXPECT_EQ(platform::qt::lockPathFor("hiyokorapper"), lock);
    struct stat info {};
    ASSERT_EQ(::stat(lock.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("HOME", "/home/someone", 1);
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(platform::qt::lockPathFor("hiyokorapper"),
              "/home/someone/.config/hiyokorapper/hiyokorapper.lock");
}

}  // namespace
