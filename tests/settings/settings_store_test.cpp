// Loading and saving every setting and entry, across runs of the program.
#include <gtest/gtest.h>

#include "harness.h"
#include "settings/extra_options.h"
#include "settings/store_layout.h"

namespace {

using namespace testing_support;
namespace store = settings::store;

TEST(SettingsStore, EmptyStoreGivesTheDefaults) {
    Program run;
    run.start();
    auto& spm = run.spm();
    EXPECT_EQ(spm.MainPlace, 1);
    EXPECT_EQ(spm.ButtonCaptionStyle, 0);
    EXPECT_EQ(spm.FasterFlags, 7);
    EXPECT_EQ(spm.MainColor, 16777215);
    EXPECT_TRUE(spm.Options.isOn(settings::option::kShowIcons));
    for (int i = 0; i < settings::kEntryCount; ++i) {
        EXPECT_EQ(spm.EntryTable.Exe[i], "");
        EXPECT_EQ(spm.EntryTable.APName[i], "<<空き家>>");
        EXPECT_EQ(spm.EntryTable.APPath[i], "");
    }
    EXPECT_EQ(run.desktop.store().writes, 0) << "starting writes nothing";
}

TEST(SettingsStore, SaveThenRestartRestoresEverythingExactly) {
    auto saved = std::make_shared<Store>();
    settings::EntryColumns table;
    {
        Program first(saved);
        first.start();
        auto& spm = first.spm();
        spm.EntryTable.Exe[0] = "C:\\Program Files\\ヒヨコ\\a b.exe";
        spm.EntryTable.APName[0] = "  日本語のタイトル  ";
        spm.EntryTable.APPath[0] = "C:\\Program Files\\ヒヨコ\\";
        spm.EntryTable.Exe[37] = std::string(600, 'x') + "\"quoted\" = ;#\\";
        spm.EntryTable.APName[37] = "";
        spm.EntryTable.APName[99] = "<<空き家>>";
        spm.EntryTable.APPath[55] = "only a folder";
        spm.MainPlace = 2;
        spm.ButtonCaptionStyle = 3;
        spm.FasterFlags = 13;
        spm.MainColor = 255;
        spm.Options.setOn(settings::option::kShowIcons, false);
        first.ranch().Move(1234.5, 777.25, first.ranch().Width(), first.ranch().Height());
        first.toro().Move(-30, 13000, first.toro().Width(), first.toro().Height());
        spm.SaveSettings();
        table = spm.EntryTable;
    }
    Program second(saved);
    second.start();
    auto& spm = second.spm();
    EXPECT_EQ(spm.EntryTable, table);
    EXPECT_EQ(spm.MainPlace, 2);
    EXPECT_EQ(spm.ButtonCaptionStyle, 3);
    EXPECT_EQ(spm.FasterFlags, 13);
    EXPECT_EQ(spm.MainColor, 255);
    EXPECT_FALSE(spm.Options.isOn(settings::option::kShowIcons));
    EXPECT_EQ(second.ranch().Left(), 1234) << "1234.5 reads back rounded half to even";
    EXPECT_EQ(second.ranch().Top(), 777);
    EXPECT_EQ(second.toro().Left(), -30) << "a place partly off the screen is kept";
    EXPECT_EQ(second.toro().Top(), 13000);
    EXPECT_EQ(*saved->get(store::kSettingSection, "SUB_LEFT"), "1234.5");
    EXPECT_EQ(*saved->get(store::kSettingSection, "Version"), "Ver1.96");
}

TEST(SettingsStore, WritesNineSettingsEachExtraOptionAndThreeHundredEntryKeys) {
    Program run;
    run.start();
    run.spm().EntryTable.Exe[5] = "box0slot5";
    run.spm().EntryTable.APPath[99] = "last";
    run.spm().EntryTable.APName[37] = "box3slot7";
    run.spm().SaveSettings();
    std::size_t extraKeys = 0;
    for (const auto& row : settings::ExtraOptions()) extraKeys += row.key != nullptr;
    EXPECT_EQ(run.desktop.store().count(store::kSettingSection), 9u + extraKeys);
    EXPECT_EQ(run.desktop.store().count(store::kEntrySection), 300u);
    auto& s = run.desktop.store();
    EXPECT_EQ(*s.get(store::kEntrySection, "Exe05"), "box0slot5");
    EXPECT_EQ(*s.get(store::kEntrySection, "APPath99"), "last");
    EXPECT_EQ(*s.get(store::kEntrySection, "APName37"), "box3slot7");
    EXPECT_EQ(*s.get(store::kEntrySection, "APName00"), "<<空き家>>");
    EXPECT_EQ(*s.get(store::kSettingSection, "ShowIcons"), "1");
}

// Every value the store can hold survives a load and a save unchanged.
TEST(SettingsStore, ExtremePositionsAreWrittenBackAsTheyWereRead) {
    auto saved = std::make_shared<Store>();
    saved->set(store::kSettingSection, "TORO_LEFT", "2147483647");
    saved->set(store::kSettingSection, "TORO_TOP", "-2147483648");
    saved->set(store::kSettingSection, "SUB_LEFT", "16777217");
    Program run(saved);
    // A desktop that reaches that far, so the places are kept, not centred.
    run.desktop.setMonitors({{-200'000'000, -200'000'000, 400'000'000, 400'000'000}});
    run.start();
    ASSERT_TRUE(run.spm().SaveSettings());
    EXPECT_EQ(*saved->get(store::kSettingSection, "TORO_LEFT"), "2147483647");
    EXPECT_EQ(*saved->get(store::kSettingSection, "TORO_TOP"), "-2147483648");
    EXPECT_EQ(*saved->get(store::kSettingSection, "SUB_LEFT"), "16777217");
}

TEST(SettingsStore, CentresOnlyOnExactlyMinusOne) {
    auto saved = std::make_shared<Store>();
    saved->set(store::kSettingSection, "SUB_LEFT", "-1");
    saved->set(store::kSettingSection, "SUB_TOP", "300");
    saved->set(store::kSettingSection, "TORO_LEFT", "-1.4");  // rounds to -1: centred too
    saved->set(store::kSettingSection, "TORO_TOP", "-2");
    Program run(saved);
    run.start();
    auto& ranch = run.ranch();
    EXPECT_EQ(ranch.Left(), forms::roundHalfEven((run.spm().ScreenWidthTw - ranch.Width()) / 2));
    EXPECT_EQ(ranch.Top(), 300);
    auto& toro = run.toro();
    EXPECT_EQ(toro.Left(), forms::roundHalfEven((run.spm().ScreenWidthTw - toro.Width()) / 2));
    EXPECT_EQ(toro.Top(), -2);
}

// Junk in a numeric value loads as that value's default instead of failing.
TEST(SettingsStore, NumericValueThatIsNoNumberLoadsAsItsDefault) {
    auto saved = std::make_shared<Store>();
    saved->set(store::kSettingSection, "MAIN_PLACE", "右下");
    saved->set(store::kSettingSection, "Button_Caption", "99999999999");
    saved->set(store::kSettingSection, "Faster", "");
    saved->set(store::kSettingSection, "MAIN_COLOR", "red");
    saved->set(store::kSettingSection, "SUB_LEFT", "1e999");
    saved->set(store::kSettingSection, "SUB_TOP", "12px");
    saved->set(store::kSettingSection, "ShowIcons", "off");
    Program run(saved);
    run.start();
    auto& spm = run.spm();
    EXPECT_TRUE(spm.Options.isOn(settings::option::kShowIcons));
    EXPECT_EQ(spm.MainPlace, 1);
    EXPECT_EQ(spm.ButtonCaptionStyle, 0);
    EXPECT_EQ(spm.FasterFlags, 7);
    EXPECT_EQ(spm.MainColor, 16777215);
    EXPECT_EQ(run.ranch().Left(),
              forms::roundHalfEven((spm.ScreenWidthTw - run.ranch().Width()) / 2));
    EXPECT_EQ(run.ranch().Top(),
              forms::roundHalfEven((spm.ScreenHeightTw - run.ranch().Height()) / 2));
}

// A switch stored as any number reads as on or off and is written back as 1 or 0.
TEST(SettingsStore, ExtraSwitchTakesAnyNumberAndIsWrittenAsOneOrZero) {
    for (const auto& [stored, on] : {std::pair{"0", false}, {" 2 ", true}, {"-1", true}}) {
        auto saved = std::make_shared<Store>();
        saved->set(store::kSettingSection, "ShowIcons", stored);
        Program run(saved);
        run.start();
        EXPECT_EQ(run.spm().Options.isOn(settings::option::kShowIcons), on) << stored;
        run.spm().SaveSettings();
        EXPECT_EQ(*saved->get(store::kSettingSection, "ShowIcons"), on ? "1" : "0");
    }
}

// The store found could not be read whole and was kept aside: the user
// hears where, once, before the call point shows.
TEST(SettingsStore, KeptCopyOfTheFoundStoreIsNamedOnce) {
    auto saved = std::make_shared<Store>();
    const std::string copy = "/home/u/.config/hiyokorapper/hiyokorapper.ini.bad-20250101-093000";
    saved->keptCopy = copy;
    Program first(saved);
    first.start();
    ASSERT_EQ(first.desktop.messageBoxes.size(), 1u);
    const auto& box = first.desktop.messageBoxes[0];
    EXPECT_EQ(box.title, "ヒヨコらっぱーVer1.96");
    EXPECT_EQ(box.style, platform::mb::kExclamation);
    EXPECT_NE(box.text.find("\n\n" + copy + "\n\n"), std::string::npos) << box.text;
    Program second(saved);
    second.start();
    EXPECT_TRUE(second.desktop.messageBoxes.empty());
}

// A save the store refuses (a full disk, a read-only folder) is told with
// the store's name and the reason; everything stays in memory and the next
// save writes it.
TEST(SettingsStore, FailedSaveIsToldAndTheNextSaveRetries) {
    auto saved = std::make_shared<Store>();
    Program run(saved);
    run.start();
    run.spm().EntryTable.Exe[5] = "/bin/kept";
    saved->failure = platform::StoreFailure{"/home/u/.config/hiyokorapper/hiyokorapper.ini",
                                            "No space left on device"};
    EXPECT_FALSE(run.spm().SaveSettings());
    ASSERT_EQ(run.desktop.messageBoxes.size(), 1u);
    const auto& box = run.desktop.messageBoxes[0];
    EXPECT_EQ(box.title, "ヒヨコらっぱーVer1.96");
    EXPECT_EQ(box.style, platform::mb::kExclamation);
    EXPECT_NE(box.text.find("/home/u/.config/hiyokorapper/hiyokorapper.ini"), std::string::npos);
    EXPECT_NE(box.text.find("No space left on device"), std::string::npos);
    EXPECT_EQ(run.spm().EntryTable.Exe[5], "/bin/kept");
    EXPECT_FALSE(saved->get(store::kEntrySection, "Exe05").has_value()) << "nothing reached it";
    saved->failure.reset();
    EXPECT_TRUE(run.spm().SaveSettings());
    EXPECT_EQ(run.desktop.messageBoxes.size(), 1u);
    EXPECT_EQ(*saved->get(store::kEntrySection, "Exe05"), "/bin/kept");
}

TEST(SettingsStore, SavingChangesNothingInMemory) {
    Program run;
    run.start();
    auto before = run.spm().EntryTable;
    const double left = run.ranch().Left();
    run.spm().SaveSettings();
    run.spm().SaveSettings();
    EXPECT_EQ(run.spm().EntryTable, before);
    EXPECT_EQ(run.ranch().Left(), left);
    EXPECT_EQ(run.desktop.store().flushes, 2);
}

}  // namespace
