// Fuzz target: any text in any key of the store. The program must start with
// sound values, survive its settings view and a save, and read back exactly
// what it wrote.
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
    const char* settingKeys[] = {"SUB_LEFT", "SUB_TOP", "TORO_LEFT", "TORO_TOP", "MAIN_PLACE",
                                 "Button_Caption", "Faster", "MAIN_COLOR", "Version"};
    std::size_t next = 0;
    for (const char* key : settingKeys) {
        if (next < values.size()) s.set(store::kSettingSection, key, values[next++]);
    }
    const char* columns[] = {"Exe", "APName", "APPath"};
    for (int i = 0; i < 100 && next < values.size(); ++i) {
        for (const char* column : columns) {
            if (next < values.size()) s.set(store::kEntrySection, store::entryKey(column, i), values[next++]);
        }
    }
}

void check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto saved = std::make_shared<Store>();
    fill(*saved, splitValues(data, size));
    settings::EntryColumns loaded;
    {
        Program program(saved);
        program.start(false);  // the splash plays no part here
        auto& ranch = program.ranch();
        check(program.sp().Width() == 15);
        program.touchCallPoint();
        ranch.Sette_Click();  // selects the option buttons from whatever was loaded
        ranch.Sette_Click();
        program.desktop.clickControl(ranch.Command1[0]);
        program.spm().SaveSettings();
        loaded = program.spm().EntryTable;
        for (int i = 0; i < 100; ++i) {
            auto stored = saved->get(store::kEntrySection, store::entryKey("APName", i));
            check(stored && *stored == loaded.APName[i]);
        }
    }
    Program again(saved);
    again.start(false);
    check(again.spm().EntryTable == loaded);
    return 0;
}
