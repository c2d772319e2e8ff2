// The escaping INI codec: values of any content survive a write and a read,
// and text it could not have written is refused rather than half-read.
#include "platform/qt/ini_codec.h"

#include <gtest/gtest.h>

namespace platform::qt {
namespace {

std::string roundTrip(const std::string& key, const std::string& value) {
    auto document = readIni(writeIni({{"User Setting", {{key, value}}}}));
    EXPECT_TRUE(document.has_value());
    if (!document) return "<unreadable>";
    return document->at("User Setting").at(key);
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
    };
    auto read = readIni(writeIni(document));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, document);
}

TEST(IniCodec, WrittenFileIsReadableText) {
    const std::string text =
        writeIni({{"User Setting", {{"APName00", " a\nb "}, {"Exe00", "C:\\x.exe"}}}});
    EXPECT_EQ(text, "[User Setting]\nAPName00=\\x20a\\nb\\x20\nExe00=C:\\\\x.exe\n");
}

TEST(IniCodec, HandEditedFileIsRead) {
    auto document = readIni(
        "; settings\r\n\r\n[Hiyokorapper Setting]\r\nMAIN_PLACE = 3\r\n# comment\r\n"
        "[User Setting]\r\nAPName00=ok\r\n");
    ASSERT_TRUE(document.has_value());
    EXPECT_EQ(document->at("Hiyokorapper Setting").at("MAIN_PLACE"), "3");
    EXPECT_EQ(document->at("User Setting").at("APName00"), "ok");
}

TEST(IniCodec, TextItCouldNotHaveWrittenIsRefused) {
    for (const char* bad : {"[User Setting]\nno separator\n", "key=before any section\n",
                            "[User Setting]\nAPName00=bad escape \\q\n",
                            "[User Setting]\nAPName00=short hex \\x4\n",
                            "[User Setting]\nAPName00=dangling \\\n", "[unclosed section\n",
                            "\x89PNG\r\n\x1a\n binary garbage"}) {
        EXPECT_FALSE(readIni(bad).has_value()) << bad;
    }
}

TEST(IniCodec, EmptyTextIsAnEmptyStore) {
    auto document = readIni("");
    ASSERT_TRUE(document.has_value());
    EXPECT_TRUE(document->empty());
}

}  // namespace
}  // namespace platform::qt
