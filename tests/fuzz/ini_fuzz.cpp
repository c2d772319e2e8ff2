// Fuzz target for the text of the Linux settings file. Any bytes read as a
// file: reading never fails as a whole, and what is written from it reads
// back the same with no line skipped. The same bytes cut into sections,
// keys and values: any text in any of them survives a write and a read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/qt/ini_codec.h"

using platform::qt::IniDocument;
using platform::qt::readIni;
using platform::qt::writeIni;

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

void checkWrittenReadsBack(const IniDocument& document) {
    const std::string written = writeIni(document);
    const auto again = readIni(written);
    check(again.linesSkipped == 0);
    check(again.document == document);
}

// NUL-separated pieces taken three at a time: section, key, value.
IniDocument documentOf(const std::string& bytes) {
    IniDocument document;
    std::string pieces[3];
    std::size_t piece = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\0') {
            pieces[piece] += bytes[i];
            continue;
        }
        if (++piece == 3) {
            document[pieces[0]][pieces[1]] = pieces[2];
            for (auto& p : pieces) p.clear();
            piece = 0;
        }
    }
    return document;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    checkWrittenReadsBack(readIni(bytes).document);
    checkWrittenReadsBack(documentOf(bytes));
    return 0;
}
