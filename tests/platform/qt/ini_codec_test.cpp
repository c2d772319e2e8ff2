// The escaping INI codec: values of any content survive a write and a read,
// and any text is read, a line that cannot be read costing only itself.
#include "platform/qt/ini_codec.h"

#include <gtest/gtest.h>

namespace platform::qt {
namespace {

std::string roundTrip(const std::string& key, const std::string& value) {
    auto read = readIni(writeIni({{"User Setting", {{key, value}}}}));
    EXPECT_EQ(read.linesSkipped, 0);
    return read.document.at("User Setting").at(key);
}

TEST(IniCodec, HardValuesRoundTrip) {
    const std::string longValue(1500, 'x');
    const std::string values[] = {
        "",
        "  leading and trailing blanks  ",
        " ",
        "\t tab at the start",
        "\"quoted\" and 'single'",
        "a=b=c",
        "; not a comment",
        "# not a comment either",
        "[not a section]",
        "C:\\Program Files\\app.exe \\\\server\\share\\",
        "line one\nline two\r\nline three\n",
        "trailing backslash\\",
        "\\x41 is not an escape here",
        "C:\nnot a typed path but a line end",
        "C:",
        "C: ",
        "\xEF\xBB\xBF mark at the start of a value",
        "ヒヨコらっぱー <<空き家>> ｲﾛﾊﾆﾎ",
        std::string("nul\0inside", 10),
        "\x01\x1f\x7f control characters",
        "\xff\xfe invalid UTF-8 \xe3\x81",
        longValue + "=;#\\\n" + longValue,
    };
    for (const auto& value : values) EXPECT_EQ(roundTrip("APName00", value), value) << value;
}

TEST(IniCodec, HardKeysAndSectionsRoundTrip) {
    const IniDocument document = {
        {"Hiyokorapper Setting", {{"SUB_LEFT", "-1"}, {"=starts with equals", "1"}}},
        {"[odd] section = ; #", {{";key", "2"}, {"#key", "3"}, {"[key]", "4"}, {" key ", "5"}}},
        {"", {{"\xEF\xBB\xBFkey above every section", "6"}, {"", "empty key"}}},
        {"C:=C:\xFF", {{"D:=", "E:\x01"}}},
        {"\xEF\xBB\xBF", {}},
    };
    auto read = readIni(writeIni(document));
    EXPECT_EQ(read.linesSkipped, 0);
    EXPECT_EQ(read.document, document);
    EXPECT_EQ(readIni(writeIni({{"", {}}})).document, (IniDocument{{"", {}}}));
}

TEST(IniCodec, WrittenFileIsReadableText) {
    const std::string text =
        writeIni({{"User Setting", {{"APName00", " a\nb "}, {"Exe00", "C:\\x.exe"}}}});
    EXPECT_EQ(text, "[User Setting]\nAPName00=\\x20a\\nb\\x20\nExe00=C:\\\\x.exe\n");
}

// Files edited by hand or copied from Windows: every line that can be read
// is, whatever its line end, with comments, a byte-order mark, backslashes
// as typed and keys above the first section.
TEST(IniCodec, HandEditedFileIsRead) {
    const char* lines[] = {"\xEF\xBB\xBF; settings",
                           "",
                           "MAIN_PLACE=0",
                           "[Hiyokorapper Setting] ; comment",
                           "MAIN_PLACE = 3",
                           "# comment",
                           "[ User Setting ]\tnote: no comment",
                           "APPath05=C:\\Windows\\System32",
                           "Exe05=C:\\new\\tools\\a.exe",
                           "Exe06=\\\\server\\share\\x.exe",
                           "APName00=ok"};
    for (const char* lineEnd : {"\n", "\r\n", "\r"}) {
        std::string text;
        for (const char* line : lines) text += (text.empty() ? "" : lineEnd) + std::string(line);
        const auto read = readIni(text);
        const auto& document = read.document;
        EXPECT_EQ(document.at("").at("MAIN_PLACE"), "0");
        EXPECT_EQ(document.at("Hiyokorapper Setting").at("MAIN_PLACE"), "3");
        EXPECT_EQ(document.at("User Setting").at("APPath05"), "C:\\Windows\\System32");
        EXPECT_EQ(document.at("User Setting").at("Exe05"), "C:\\new\\tools\\a.exe");
        EXPECT_EQ(document.at("User Setting").at("Exe06"), "\\\\server\\share\\x.exe");
        EXPECT_EQ(document.at("User Setting").at("APName00"), "ok") << "the last line, cut off";
        EXPECT_EQ(read.linesSkipped, 1) << "the header with text after it";
    }
}

// A line that cannot be read costs only itself, and is counted, so that
// the file is kept before anything replaces it.
TEST(IniCodec, EachBadLineCostsOnlyItself) {
    const auto read = readIni(
        "[User Setting]\nAPName00=first\nno separator\nAPName01=bad escape \\q\n"
        "APName02=short hex \\x4\nAPName03=dangling \\\nbinary \x01\x02=garbage\n"
        "APName04=twice\nAPName04=given twice\n[unclosed section\nAPName05=in it\nAPName0");
    const IniDocument expected = {
        {"User Setting",
         {{"APName00", "first"},
          {"APName01", "bad escape \\q"},
          {"APName02", "short hex \\x4"},
          {"APName03", "dangling \\"},
          {"APName04", "given twice"}}},
        {"unclosed section", {{"APName05", "in it"}}},
    };
    EXPECT_EQ(read.document, expected);
    EXPECT_EQ(read.linesSkipped, 4);
    EXPECT_EQ(readIni("\x89PNG\r\n\x1a\n binary garbage").linesSkipped, 3);
}

TEST(IniCodec, EmptyTextIsAnEmptyStore) {
    const auto read = readIni("");
    EXPECT_TRUE(read.document.empty());
    EXPECT_EQ(read.linesSkipped, 0);
}

}  // namespace
}  // namespace platform::qt
