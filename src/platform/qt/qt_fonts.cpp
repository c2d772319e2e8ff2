// Font mapping and text measurement. Family lists are cached per face name:
// labels are re-measured on every caption change.
#include "platform/qt/qt_fonts.h"

#include <QApplication>
#include <QFontMetricsF>
#include <cmath>

namespace platform::qt {

namespace {

struct Substitute {
    const char* windowsFace;
    const char* ipaFace;
};

constexpr Substitute kSubstitutes[] = {
    {"ＭＳ Ｐ明朝", "IPAPMincho"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},
    {"ＭＳ 明朝", "IPAMincho"},
};

// A control without a face of its own gets the classic default of the
// Japanese desktop it was laid out for, as the Windows build does.
constexpr const char* kDefaultControlFace = "ＭＳ Ｐゴシック";

bool isDesktopFace(const QString& name) {
    return name.compare("System", Qt::CaseInsensitive) == 0;
}

}  // namespace

// The named face first and its IPA substitute after it: Qt takes the first
// that exists when it loads the font, so nothing here asks the font database
// (filling it costs start-up time before any text is drawn).
QStringList FontMapper::familiesFor(const std::string& name) {
    const QString face = QString::fromStdString(name.empty() ? kDefaultControlFace : name);
    auto cached = families_.constFind(face);
    if (cached != families_.constEnd()) return *cached;
    QStringList families{face};
    if (isDesktopFace(face)) families = QApplication::font().families();
    for (const auto& s : kSubstitutes) {
        if (face == QString::fromUtf8(s.windowsFace)) families << QString::fromUtf8(s.ipaFace);
    }
    families_.insert(face, families);
    return families;
}

// A Latin face with Japanese from a fallback font draws some characters
// outside its lines (the "￣" of "(￣ー￣)" at normal sizes is cut off), so
// the texts of message boxes and dialogs get a Japanese face of their own;
// the desktop's face stays behind it.
QFont FontMapper::applicationFont() {
    QFont font = QApplication::font();
    QStringList families = familiesFor(kDefaultControlFace);
    families << font.family();
    font.setFamilies(families);
    return font;
}

// Every attribute is set explicitly, so a widget never inherits a parent's
// font (a frame's bold face must not leak into its option buttons).
QFont FontMapper::toQFont(const forms::Font& font) {
    QFont q = QApplication::font();
    q.setFamilies(familiesFor(font.Name));
    q.setPointSizeF(font.Size <= 0 ? QApplication::font().pointSizeF() : font.Size);
    q.setBold(font.Bold);
    q.setItalic(font.Italic);
    return q;
}

SizeTw FontMapper::measureText(const forms::Font& font, const std::string& text) {
    const QFontMetricsF metrics(toQFont(font));
    const QString q = QString::fromStdString(text);
    double width = 0;
    int lines = 0;
    for (const QString& line : q.split('\n')) {
        width = std::max(width, metrics.horizontalAdvance(line));
        ++lines;
    }
    const double height = std::ceil(metrics.height()) * lines;
    const double tw = forms::kTwipsPerPixel;
    return {std::ceil(width) * tw, height * tw};
}

}  // namespace platform::qt
