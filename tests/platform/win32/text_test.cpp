// The Windows backend's text and unit conversions, which are portable and
// so run here: what crosses the UTF-8 / UTF-16 boundary must arrive whole.
#include <gtest/gtest.h>

#include "platform/win32/win32_text.h"
#include "platform/win32/win32_units.h"

namespace {

using platform::win32::fileFilterList;
using platform::win32::toUtf16;
using platform::win32::toUtf8;

TEST(Win32Text, JapaneseAndHalfWidthKanaConvertBothWays) {
    const std::string text = "ヒヨコらっぱーVer1.96 ｲﾛﾊﾆﾎ(*_･)ｷﾗﾘ";
    const std::u16string wide = toUtf16(text);
    EXPECT_EQ(wide.substr(0, 3), u"ヒヨコ");
    EXPECT_EQ(wide.find(u'\uFF72'), 15u);  // ｲ after 15 characters of one unit each
    EXPECT_EQ(toUtf8(wide), text);
}

TEST(Win32Text, CharactersBeyondTheBasicPlaneBecomeSurrogatePairs) {
    const std::string text = "\xF0\xA0\xAE\x9F" "x";  // U+20B9F, then x
    const std::u16string wide = toUtf16(text);
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_EQ(wide[0], char16_t(0xD842));
    EXPECT_EQ(wide[1], char16_t(0xDF9F));
    EXPECT_EQ(toUtf8(wide), text);
}

// A file name the system hands over may hold a lone surrogate; it must get
// back to the shell unchanged or the entry would point nowhere.
TEST(Win32Text, UnpairedSurrogatesFromWindowsSurviveTheRoundTrip) {
    for (const std::u16string& name :
         {std::u16string{u'a', char16_t(0xD800), u'b'}, std::u16string{char16_t(0xDC01)},
          std::u16string{u'x', char16_t(0xDBFF)}, std::u16string{char16_t(0xDC00), char16_t(0xD800)}}) {
        EXPECT_EQ(toUtf16(toUtf8(name)), name);
    }
}

TEST(Win32Text, BytesThatAreNoUtf8BecomeReplacementsAndTheRestIsKept) {
    EXPECT_EQ(toUtf16("a\x80" "b"), u"a\uFFFDb");           // stray continuation
    EXPECT_EQ(toUtf16("a\xE3\x81"), u"a\uFFFD\uFFFD");     // cut off at the end
    EXPECT_EQ(toUtf16("\xC0\xAF" "z"), u"\uFFFDz");         // overlong '/'
    EXPECT_EQ(toUtf16("\xFF" "ok"), u"\uFFFDok");
    EXPECT_EQ(toUtf16("\xF4\x90\x80\x80"), u"\uFFFD");     // past U+10FFFF
    EXPECT_EQ(toUtf16("\xE3" "x" "\xE3\x81\x82"), u"\uFFFDx\u3042");
}

TEST(Win32Text, EmptyTextStaysEmpty) {
    EXPECT_TRUE(toUtf16("").empty());
    EXPECT_TRUE(toUtf8(u"").empty());
}

TEST(Win32Text, FilterBecomesANulSeparatedListEndedTwice) {
    const std::u16string list = fileFilterList("EXE型実行ﾌｧｲﾙ(*.exe)|*.exe|全ﾌｧｲﾙ|*.*");
    const std::u16string expected = std::u16string(u"EXE型実行ﾌｧｲﾙ(*.exe)") + u'\0' + u"*.exe" + u'\0' +
                                    u"全ﾌｧｲﾙ" + u'\0' + u"*.*" + u'\0' + u'\0';
    EXPECT_EQ(list, expected);
    EXPECT_EQ(fileFilterList(""), std::u16string(2, u'\0'));
}

TEST(Win32Units, PixelsRoundHalvesToEven) {
    using platform::win32::toPixels;
    EXPECT_EQ(toPixels(15), 1);
    EXPECT_EQ(toPixels(7.5), 0);     // half a pixel: to the even 0
    EXPECT_EQ(toPixels(22.5), 2);    // one and a half: to the even 2
    EXPECT_EQ(toPixels(19200 - 15), 1279);
    EXPECT_EQ(toPixels(-22.5), -2);
    EXPECT_EQ(toPixels(1e12), 2147483647);  // clamped, not wrapped
}

// Font sizes of the layout are pixel sizes in points; each maps back to
// its whole pixel height.
TEST(Win32Units, FontHeightsInPixelsAtNinetySixDpi) {
    using platform::win32::fontHeightPx;
    EXPECT_EQ(fontHeightPx(9), -12);
    EXPECT_EQ(fontHeightPx(9.75), -13);
    EXPECT_EQ(fontHeightPx(8.25), -11);
    EXPECT_EQ(fontHeightPx(20.25), -27);
    EXPECT_EQ(fontHeightPx(2.25), -3);
    EXPECT_EQ(fontHeightPx(13.5), -18);
}

}  // namespace
