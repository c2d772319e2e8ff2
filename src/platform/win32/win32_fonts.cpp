// Fonts of the model as GDI fonts, and text measured with them for labels
// sized to their text. Every font uses the Shift-JIS character set.
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_units.h"

namespace platform::win32 {

namespace {
// What a control without a face of its own shows on a Japanese system.
constexpr char16_t kDefaultFace[] = u"ＭＳ Ｐゴシック";
}  // namespace

// Created once per face, size and style, and kept until the end: the
// animations cycle through a few dozen sizes many times over.
HFONT Win32Platform::font(const forms::Font& f) {
    const auto key = std::make_tuple(f.Name, f.Size, f.Bold, f.Italic);
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    LOGFONTW lf{};
    lf.lfHeight = fontHeightPx(f.Size);
    lf.lfWeight = f.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.Italic ? TRUE : FALSE;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::u16string face = f.Name.empty() ? std::u16string(kDefaultFace) : toUtf16(f.Name);
    // A face name longer than LOGFONT holds is cut, never overrun.
    face.copy(reinterpret_cast<char16_t*>(lf.lfFaceName), LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectW(&lf);
    if (!handle) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts_.emplace(key, handle);
    return handle;
}

SizeTw Win32Platform::measureText(const forms::Font& f, const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font(f));
    const std::u16string wide = toUtf16(text);
    SIZE extent{0, 0};
    GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(wide.c_str()), int(wide.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {toTwips(extent.cx), toTwips(metrics.tmHeight)};
}

}  // namespace platform::win32
