// Fuzz target: any text in any key of the store. The program must start with
// sound values, survive its settings view and a save, and read back exactly
// what it wrote: every entry, option and position.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "harness.h"
#include "settings/store_layout.h"

using namespace testing_support;
namespace store = settings::store;

namespace {

std::vector<std::string> splitValues(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> values(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            values.emplace_back();
        } else {
            values.back() += static_cast<char>(data[i]);
        }
    }
    return values;
}

void fill(Store& s, const std::vector<std::string>& values) {
    const char* settingKeys[] = {"SUB_LEFT", "SUB_TOP",    "TORO_LEFT",
                                 "TORO_TOP", "MAIN_PLACE", "Button_Caption",
                                 "Faster",   "MAIN_COLOR", "Version"};
    std::size_t next = 0;
    for (const char* key : settingKeys) {
        if (next < values.size()) s.set(store::kSettingSection, key, values[next++]);
    }
    const char* columns[] = {"Exe", "APName", "APPath"};
    for (int i = 0; i < 100 && next < values.size(); ++i) {
        for (const char* column : columns) {
            if (next < values.size())
                s.set(store::kEntrySection, store::entryKey(column, i), values[next++]);
        }
    }
}

void check(bool condition) {
    if (!condition) __builtin_trap();
}

struct Remembered {
    settings::EntryColumns table;
    std::int32_t place, captions, flags, colour;
    double panelLeft, panelTop, dialogLeft, dialogTop;
    bool operator==(const Remembered&) const = default;
};

Remembered remember(Program& program) {
    auto& spm = program.spm();
    return {spm.EntryTable,        spm.MainPlace,         spm.ButtonCaptionStyle,
            spm.FasterFlags,       spm.MainColor,         program.ranch().Left(),
            program.ranch().Top(), program.toro().Left(), program.toro().Top()};
}

}  // namespace

// One start per input: the second reading of what was saved goes through
// LoadSettings again, as the next start would, without building the four
// windows anew.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto saved = std::make_shared<Store>();
    fill(*saved, splitValues(data, size));
    Program program(saved);
    program.start(false);  // the splash plays no part here
    auto& ranch = program.ranch();
    check(program.sp().Width() == 15);
    program.touchCallPoint();
    ranch.Sette_Click();  // selects the option buttons from whatever was loaded
    ranch.Sette_Click();
    program.desktop.clickControl(ranch.Command1[0]);
    check(program.spm().SaveSettings());
    const Remembered before = remember(program);
    for (int i = 0; i < 100; ++i) {
        auto stored = saved->get(store::kEntrySection, store::entryKey("APName", i));
        check(stored && *stored == before.table.APName[i]);
    }
    program.spm().EntryTable = {};
    program.spm().LoadSettings();
    check(remember(program) == before);
    return 0;
}
