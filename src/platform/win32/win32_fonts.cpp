// Fonts of the model as GDI fonts at the DPI they are drawn at, and text
// measured with them for labels sized to their text. Every font uses the
// Shift-JIS character set; a Japanese face the machine lacks is replaced by
// the closest one it has (win32_face_choice.h).
#include "platform/win32/win32_face_choice.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_units.h"

namespace platform::win32 {

namespace {
// What a control without a face of its own shows on a Japanese system.
constexpr char16_t kDefaultFace[] = u"ＭＳ Ｐゴシック";

int CALLBACK collectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    reinterpret_cast<std::vector<InstalledFace>*>(faces)->push_back(
        {std::u16string(reinterpret_cast<const char16_t*>(font->lfFaceName)),
         (font->lfPitchAndFamily & 3) == FIXED_PITCH});
    return 1;
}

// The families that can show Japanese, one entry each.
std::vector<InstalledFace> installedJapaneseFaces() {
    std::vector<InstalledFace> faces;
    const WindowDc screen(nullptr);
    LOGFONTW query{};
    query.lfCharSet = SHIFTJIS_CHARSET;
    EnumFontFamiliesExW(screen, &query, &collectFace, reinterpret_cast<LPARAM>(&faces), 0);
    return faces;
}
}  // namespace

// The fonts are listed once, when the first face is asked for, and each
// name is looked up once.
std::u16string Win32Platform::faceFor(const std::u16string& wanted) {
    if (auto it = faces_.find(wanted); it != faces_.end()) return it->second;
    if (!installedFaces_) installedFaces_ = installedJapaneseFaces();
    return faces_.emplace(wanted, closestFace(wanted, *installedFaces_)).first->second;
}

// Created once per face, size, style and DPI, and kept until the end: the
// animations cycle through a few dozen sizes many times over.
HFONT Win32Platform::font(const forms::Font& f, int dpi) {
    const auto key = std::make_tuple(f.Name, f.Size, f.Bold, f.Italic, dpi);
    if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    LOGFONTW lf{};
    lf.lfHeight = fontHeightPx(f.Size, dpi);
    lf.lfWeight = f.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.Italic ? TRUE : FALSE;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::u16string face =
        faceFor(f.Name.empty() ? std::u16string(kDefaultFace) : toUtf16(f.Name));
    // A face name longer than LOGFONT holds is cut, never overrun.
    face.copy(reinterpret_cast<char16_t*>(lf.lfFaceName), LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectW(&lf);
    if (!handle)
        handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));  // freeing it is a no-op
    fonts_.emplace(key, Font(handle));
    return handle;
}

// Measured at the primary monitor's DPI, where the windows nearly always
// are, and given back in twips, so that the size fits the drawn text there.
SizeTw Win32Platform::measureText(const forms::Font& f, const std::string& text) {
    const int dpi = desktop().primary().dpi;
    const WindowDc dc(nullptr);
    Selected selected(dc, font(f, dpi));
    const std::u16string wide = toUtf16(text);
    SIZE extent{0, 0};
    GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(wide.c_str()), int(wide.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return {toTwips(extent.cx, dpi), toTwips(metrics.tmHeight, dpi)};
}

}  // namespace platform::win32
