// Helper for the crash test of the Linux settings file.
//   store_crash_writer write FILE   saves all 309 values again and again
//   store_crash_writer check FILE   exit 0 when FILE is whole: every value of
//                                   one and the same save, nothing half
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/qt/ini_codec.h"
#include "platform/qt/settings_file.h"
#include "settings/store_layout.h"

namespace {

namespace store = settings::store;
const char* kSettingKeys[] = {"Version",    "SUB_LEFT",       "SUB_TOP",    "TORO_LEFT", "TORO_TOP",
                              "MAIN_PLACE", "Button_Caption", "MAIN_COLOR", "Faster"};
const char* kColumns[] = {"Exe", "APName", "APPath"};

// A value that says which save wrote it, long enough to make writes slow.
std::string valueOf(long generation, const std::string& key) {
    return std::to_string(generation) + ":" + key + ":" + std::string(200, 'x') + " ツール";
}

template <class Visit>
void forEachKey(Visit visit) {
    for (const char* key : kSettingKeys) visit(store::kSettingSection, std::string(key));
    for (int i = 0; i < 100; ++i) {
        for (const char* column : kColumns) visit(store::kEntrySection, store::entryKey(column, i));
    }
}

int writeForever(const std::string& path) {
    platform::qt::SettingsFile file(path);
    for (long generation = 1;; ++generation) {
        forEachKey([&](const std::string& section, const std::string& key) {
            file.set(section, key, valueOf(generation, key));
        });
        if (file.flush()) return 2;
    }
}

int check(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return 0;  // killed before the first save finished: nothing written yet
    std::ostringstream text;
    text << in.rdbuf();
    const auto read = platform::qt::readIni(text.str());
    if (read.linesSkipped > 0) {
        std::fprintf(stderr, "%d lines unreadable\n", read.linesSkipped);
        return 1;
    }
    const auto* document = &read.document;
    long generation = -1;
    int bad = 0;
    forEachKey([&](const std::string& section, const std::string& key) {
        auto s = document->find(section);
        if (s == document->end() || !s->second.count(key)) {
            ++bad;
            return;
        }
        const std::string& value = s->second.at(key);
        long g = std::stol(value.substr(0, value.find(':')));
        if (generation < 0) generation = g;
        if (g != generation || value != valueOf(g, key)) ++bad;
    });
    if (bad) std::fprintf(stderr, "%d values missing or from another save\n", bad);
    return bad ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 64;
    const std::string mode = argv[1];
    if (mode == "write") return writeForever(argv[2]);
    if (mode == "check") return check(argv[2]);
    return 64;
}
