// The Windows backend's portable parts, which so run here: what crosses the
// UTF-8 / UTF-16 boundary must arrive whole, the model's pixels land on the
// right device pixels at any DPI, and missing faces get fitting stand-ins.
#include <gtest/gtest.h>

#include "platform/win32/win32_desktop_map.h"
#include "platform/win32/win32_face_choice.h"
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
    const std::string text =
        "\xF0\xA0\xAE\x9F"
        "x";  // U+20B9F, then x
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
          std::u16string{u'x', char16_t(0xDBFF)},
          std::u16string{char16_t(0xDC00), char16_t(0xD800)}}) {
        EXPECT_EQ(toUtf16(toUtf8(name)), name);
    }
}

TEST(Win32Text, BytesThatAreNoUtf8BecomeReplacementsAndTheRestIsKept) {
    EXPECT_EQ(toUtf16("a\x80"
                      "b"),
              u"a\uFFFDb");                             // stray continuation
    EXPECT_EQ(toUtf16("a\xE3\x81"), u"a\uFFFD\uFFFD");  // cut off at the end
    EXPECT_EQ(toUtf16("\xC0\xAF"
                      "z"),
              u"\uFFFDz");  // overlong '/'
    EXPECT_EQ(toUtf16("\xFF"
                      "ok"),
              u"\uFFFDok");
    EXPECT_EQ(toUtf16("\xF4\x90\x80\x80"), u"\uFFFD");  // past U+10FFFF
    EXPECT_EQ(toUtf16("\xE3"
                      "x"
                      "\xE3\x81\x82"),
              u"\uFFFDx\u3042");
}

TEST(Win32Text, EmptyTextStaysEmpty) {
    EXPECT_TRUE(toUtf16("").empty());
    EXPECT_TRUE(toUtf8(u"").empty());
}

TEST(Win32Text, FilterBecomesANulSeparatedListEndedTwice) {
    const std::u16string list = fileFilterList("EXE型実行ﾌｧｲﾙ(*.exe)|*.exe|全ﾌｧｲﾙ|*.*");
    const std::u16string expected = std::u16string(u"EXE型実行ﾌｧｲﾙ(*.exe)") + u'\0' + u"*.exe" +
                                    u'\0' + u"全ﾌｧｲﾙ" + u'\0' + u"*.*" + u'\0' + u'\0';
    EXPECT_EQ(list, expected);
    EXPECT_EQ(fileFilterList(""), std::u16string(2, u'\0'));
}

TEST(Win32Units, DevicePixelsRoundHalvesToEven) {
    using platform::win32::toDevice;
    EXPECT_EQ(toDevice(15, 96), 1);
    EXPECT_EQ(toDevice(7.5, 96), 0);   // half a pixel: to the even 0
    EXPECT_EQ(toDevice(22.5, 96), 2);  // one and a half: to the even 2
    EXPECT_EQ(toDevice(19200 - 15, 96), 1279);
    EXPECT_EQ(toDevice(-22.5, 96), -2);
    EXPECT_EQ(toDevice(1e12, 96), 2147483647);  // clamped, not wrapped
    EXPECT_EQ(toDevice(255, 144), 26);          // the status line's 17 rows: 25.5
    EXPECT_EQ(toDevice(4905, 144), 490);        // the panel's width: 490.5
    EXPECT_EQ(toDevice(15, 192), 2);
}

// Font sizes of the layout are pixel sizes in points; each maps back to
// its whole pixel height at 96 dpi, and scales with the DPI.
TEST(Win32Units, FontHeightsInPixels) {
    using platform::win32::fontHeightPx;
    EXPECT_EQ(fontHeightPx(9, 96), -12);
    EXPECT_EQ(fontHeightPx(9.75, 96), -13);
    EXPECT_EQ(fontHeightPx(8.25, 96), -11);
    EXPECT_EQ(fontHeightPx(20.25, 96), -27);
    EXPECT_EQ(fontHeightPx(2.25, 96), -3);
    EXPECT_EQ(fontHeightPx(13.5, 96), -18);
    EXPECT_EQ(fontHeightPx(9, 144), -18);
    EXPECT_EQ(fontHeightPx(9.75, 144), -20);  // 19.5, to the even 20
}

using platform::win32::DesktopMap;
using platform::win32::DeviceSpan;
using platform::win32::Monitor;
using platform::win32::WindowAxis;
using platform::win32::windowSpan;

// The call point as the program places it: one model pixel whose far
// edge is the screen's model size in twips (corner 3: bottom right).
std::pair<DeviceSpan, DeviceSpan> callPointAtBottomRight(const Monitor& m) {
    const DesktopMap map({m});
    const double right = map.primarySize().width * 15.0, bottom = map.primarySize().height * 15.0;
    return {windowSpan(m.x, m.dpi, m.dpi, WindowAxis{right - 15, 15, 0, 0}),
            windowSpan(m.y, m.dpi, m.dpi, WindowAxis{bottom - 15, 15, 0, 0})};
}

// A screen whose device size the DPI does not divide gives the program a
// rounded size; the call point still lands on the one corner pixel.
TEST(Win32Desktop, TheCallPointIsOneDevicePixelInTheCornerAtAnyDpi) {
    for (int dpi : {96, 120, 144, 168, 192}) {
        for (auto [w, h] : {std::pair{1280, 1024}, std::pair{1366, 768}, std::pair{1920, 1080}}) {
            const auto [x, y] = callPointAtBottomRight(Monitor{{0, w}, {0, h}, dpi});
            EXPECT_EQ(x.start, w - 1) << dpi << " dpi, " << w;
            EXPECT_EQ(y.start, h - 1) << dpi << " dpi, " << h;
            EXPECT_EQ(x.length, 1);
            EXPECT_EQ(y.length, 1);
        }
    }
    const Monitor m{{0, 1280}, {0, 1024}, 144};
    const DeviceSpan topLeft = windowSpan(m.x, 144, 144, WindowAxis{0, 15, 0, 0});
    EXPECT_EQ(topLeft.start, 0);
    EXPECT_EQ(topLeft.length, 1);
}

TEST(Win32Desktop, WindowsScaleTheirClientAndKeepTheirFrameAtTheWindowsDpi) {
    const Monitor m{{0, 1280}, {0, 1024}, 144};
    const DesktopMap map({m});
    EXPECT_EQ(map.primarySize().width, 853);
    EXPECT_EQ(map.primarySize().height, 683);
    // The panel at 200,100 model pixels: 327 pixels of client and a frame
    // that the system draws with 6 pixels at this DPI.
    const WindowAxis across{3000, 4905 + 60, 60, 6};
    const DeviceSpan span = windowSpan(m.x, 144, 144, across);
    EXPECT_EQ(span.start, 300);
    EXPECT_EQ(span.length, 6 + 490);
    EXPECT_DOUBLE_EQ(platform::win32::windowLengthTw(144, span.length, across), 60 + 4900);
    // At 96 dpi nothing moves: the model's pixels are the device's.
    const Monitor plain{{0, 1280}, {0, 1024}, 96};
    const DeviceSpan same = windowSpan(plain.x, 96, 96, WindowAxis{3000, 4905 + 90, 90, 6});
    EXPECT_EQ(same.start, 200);
    EXPECT_EQ(same.length, 333);
    // A window that ends where the screen ends, but is no call point.
    const DeviceSpan flush = windowSpan(m.x, 144, 144, WindowAxis{12795 - 4995, 4995, 90, 9});
    EXPECT_EQ(flush.start + flush.length, 1280);
}

// A second monitor to the right at 150 %: points on it convert about its
// own corner, so the pointer and a window on it agree.
TEST(Win32Desktop, EachMonitorConvertsAboutItsOwnCorner) {
    const Monitor primary{{0, 1920}, {0, 1080}, 96};
    const Monitor second{{1920, 2560}, {0, 1440}, 144};
    const DesktopMap map({primary, second});
    EXPECT_EQ(map.primarySize().width, 1920);
    const platform::PointPx p = map.toModel(1920 + 300, 150);
    EXPECT_EQ(p.x, 1920 + 200);
    EXPECT_EQ(p.y, 100);
    EXPECT_EQ(map.toModel(100, 100).x, 100);
    const Monitor& on = map.atModel(p.x * 15.0, p.y * 15.0);
    EXPECT_EQ(on.dpi, 144);
    EXPECT_EQ(windowSpan(on.x, on.dpi, on.dpi, WindowAxis{p.x * 15.0, 150, 0, 0}).start,
              1920 + 300);
    EXPECT_EQ(map.atModel(1919 * 15.0, 0).dpi, 96);
    // Off every monitor: the nearest one.
    EXPECT_EQ(map.atDevice(1920 + 2560 + 50, 10).dpi, 144);
    EXPECT_EQ(map.atDevice(-50, 10).dpi, 96);
}

using platform::win32::closestFace;
using platform::win32::InstalledFace;

// The Debian IPA fonts as the system lists them (vertical faces too), in
// English and, under a Japanese locale, in Japanese.
const std::vector<InstalledFace> kIpaFaces{{u"@IPAPMincho", false}, {u"@IPAGothic", true},
                                           {u"IPAGothic", true},    {u"IPAMincho", true},
                                           {u"IPAPGothic", false},  {u"IPAPMincho", false}};
const std::vector<InstalledFace> kIpaFacesInJapanese{{u"IPAゴシック", true},
                                                     {u"IPA明朝", true},
                                                     {u"IPA Pゴシック", false},
                                                     {u"IPA P明朝", false},
                                                     {u"@IPA P明朝", false}};

TEST(Win32Faces, MissingLayoutFacesGetTheSameKindAndPitch) {
    EXPECT_EQ(closestFace(u"ＭＳ Ｐ明朝", kIpaFaces), u"IPAPMincho");
    EXPECT_EQ(closestFace(u"ＭＳ 明朝", kIpaFaces), u"IPAMincho");
    EXPECT_EQ(closestFace(u"ＭＳ Ｐゴシック", kIpaFaces), u"IPAPGothic");
    EXPECT_EQ(closestFace(u"ＭＳ ゴシック", kIpaFaces), u"IPAGothic");
    EXPECT_EQ(closestFace(u"ＭＳ Ｐ明朝", kIpaFacesInJapanese), u"IPA P明朝");
    EXPECT_EQ(closestFace(u"ＭＳ ゴシック", kIpaFacesInJapanese), u"IPAゴシック");
}

TEST(Win32Faces, InstalledFacesStayAndTheIpaFamilyComesFirst) {
    const std::vector<InstalledFace> windows{
        {u"Yu Mincho", false}, {u"MS PMincho", false}, {u"Meiryo", false}, {u"MS Gothic", true}};
    EXPECT_EQ(closestFace(u"ＭＳ Ｐ明朝", windows), u"MS PMincho");  // its English name
    EXPECT_EQ(closestFace(u"ＭＳ ゴシック", windows), u"MS Gothic");
    EXPECT_EQ(closestFace(u"ＭＳ Ｐゴシック", windows), u"Meiryo");
    EXPECT_EQ(closestFace(u"ＭＳ 明朝", windows), u"Yu Mincho");  // Mincho over pitch
    const std::vector<InstalledFace> many{{u"Noto Serif CJK JP", false},
                                          {u"IPAexMincho", false},
                                          {u"Yu Mincho", false},
                                          {u"IPAPMincho", false}};
    EXPECT_EQ(closestFace(u"ＭＳ Ｐ明朝", many), u"IPAPMincho");
    EXPECT_EQ(closestFace(u"ＭＳ 明朝", many), u"IPAPMincho");
    const std::vector<InstalledFace> withMs{{u"ＭＳ 明朝", true}, {u"IPAMincho", true}};
    EXPECT_EQ(closestFace(u"ＭＳ 明朝", withMs), u"ＭＳ 明朝");
}

TEST(Win32Faces, OtherKindsAndOtherFacesAreLeftWhereNothingFits) {
    const std::vector<InstalledFace> gothicOnly{{u"IPAGothic", true}, {u"IPAPGothic", false}};
    EXPECT_EQ(closestFace(u"ＭＳ Ｐ明朝", gothicOnly), u"IPAPGothic");  // proportional still
    EXPECT_EQ(closestFace(u"System", kIpaFaces), u"System");
    const std::vector<InstalledFace> latinOnly{{u"Tahoma", false}, {u"@IPAGothic", true}};
    EXPECT_EQ(closestFace(u"ＭＳ ゴシック", latinOnly), u"ＭＳ ゴシック");
}

}  // namespace
