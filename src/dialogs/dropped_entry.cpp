// Entries from dropped files, and the dialog filled with one. A Linux
// desktop entry (.desktop) names its program inside the file, whose text
// the backend hands over; everything else is named by its file name.
#include "dialogs/dropped_entry.h"

#include <optional>

#include "dialogs/toro.h"

namespace dialogs {

namespace {

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A title is one line: the escapes for line breaks and tabs become blanks.
std::string unescaped(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == '\\'                                                 ? '\\'
               : (next == 's' || next == 'n' || next == 't' || next == 'r') ? ' '
                                                                            : next;
    }
    return out;
}

// The entry's Name, Japanese first, from its [Desktop Entry] group.
std::optional<std::string> desktopEntryName(const std::string& text) {
    const char* preferred[] = {"Name[ja_JP]", "Name[ja]", "Name"};
    std::optional<std::string> found[3];
    bool inEntryGroup = false;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inEntryGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inEntryGroup || equals == std::string::npos) continue;
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = unescaped(trimmed(line.substr(equals + 1)));
        for (int k = 0; k < 3; ++k) {
            if (key == preferred[k] && !value.empty() && !found[k]) found[k] = value;
        }
    }
    for (const auto& name : found) {
        if (name) return name;
    }
    return std::nullopt;
}

std::string titleOf(const forms::DroppedFile& file) {
    if (file.name.empty()) return file.path;
    if (file.isFolder) return file.name;
    if (endsWith(file.name, ".desktop")) {
        if (auto name = desktopEntryName(file.desktopEntry)) return *name;
    }
    // A leading dot belongs to the name (.profile), not to an extension.
    const auto dot = file.name.rfind('.');
    return dot == std::string::npos || dot == 0 ? file.name : file.name.substr(0, dot);
}

}  // namespace

EntryTexts EntryFromDroppedFile(const forms::DroppedFile& file) {
    std::string folder;
    if (!file.name.empty() && endsWith(file.path, file.name)) {
        folder = file.path.substr(0, file.path.size() - file.name.size());
    }
    return {titleOf(file), file.path, folder};
}

void Toro::FillBoxes(const EntryTexts& texts) {
    Title.setText(texts.APName);
    ComLine.setText(texts.Exe);
    EXEPath.setText(texts.APPath);
}

}  // namespace dialogs
