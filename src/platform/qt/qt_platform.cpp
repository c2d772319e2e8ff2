// Construction of the backend: the one QApplication of the process in the
// program's language, the X11 connection when there is one, and the lock
// file name.
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>

#include "platform/qt/qt_style.h"
#include "settings/texts.h"

namespace platform::qt {

namespace {

// Qt's own dialogs and buttons speak the program's Japanese, whatever the
// user's locale (Debian's qt6-translations-l10n has the catalogue).
void speakJapanese() {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}

}  // namespace

QtPlatform::QtPlatform() : lock_(lockPathFor(settings::kAppName)) {
    if (!QApplication::instance()) app_ = std::make_unique<QApplication>(argc_, argv_);
    // QApplication took the user's locale for the C library too; the stored
    // numbers are written and read with a point whatever the user's comma.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QString::fromUtf8(settings::kAppName));
    // The program decides when it ends; hiding the last window is no reason.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(createClassicMetricsStyle());
    speakJapanese();
    QApplication::setFont(fonts_.applicationFont());
    x11_ = X11Desktop::current();
    if (x11_) {
        inputTime_ = std::make_unique<X11InputTime>(x11_->connection());
        QCoreApplication::instance()->installNativeEventFilter(inputTime_.get());
    }
}

QtPlatform::~QtPlatform() = default;

SizeTw QtPlatform::measureText(const forms::Font& font, const std::string& text) {
    return fonts_.measureText(font, text);
}

}  // namespace platform::qt
