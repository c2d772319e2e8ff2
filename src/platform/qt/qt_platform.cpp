// Construction of the backend: the one QApplication of the process in the
// program's language, the X11 connection when there is one, and the lock
// file name.
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <atomic>
#include <clocale>
#include <mutex>
#include <string_view>

#include "platform/qt/qt_style.h"
#include "settings/texts.h"

namespace platform::qt {

namespace {

// Qt's own dialogs and menus speak the program's Japanese, whatever the
// user's locale (Debian's qt6-translations-l10n has the catalogue). It is
// read at the first text Qt looks up (the first dialog, a text box's menu),
// not at start-up, where nothing of Qt's own is shown.
class QtCatalogue : public QTranslator {
  public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }  // so that it is asked at all
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        if (!asksForText(context, source) && !loaded_) return {};
        std::call_once(loading_, [this] {
            (void)catalogue_.load(QStringLiteral("qtbase_ja"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            loaded_ = true;
        });
        return catalogue_.translate(context, source, disambiguation, n);
    }

  private:
    // Qt asks at start-up too, for what nobody sees: the writing direction
    // (Japanese runs left to right, as without a catalogue) and the text of
    // a failed file access (the program shows none).
    static bool asksForText(const char* context, const char* source) {
        const std::string_view asked(context ? context : "");
        if (asked == "QIODevice") return false;
        return !(asked == "QGuiApplication" &&
                 std::string_view(source ? source : "") == "QT_LAYOUT_DIRECTION");
    }

    mutable std::once_flag loading_;
    mutable std::atomic<bool> loaded_ = false;
    mutable QTranslator catalogue_;
};

void speakJapanese() {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QCoreApplication::installTranslator(new QtCatalogue(QCoreApplication::instance()));
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

PopupMenu& QtPlatform::popupMenu() {
    if (!menus_) menus_ = std::make_unique<QtPopupMenu>(*this);
    return *menus_;
}

SizeTw QtPlatform::measureText(const forms::Font& font, const std::string& text) {
    return fonts_.measureText(font, text);
}

}  // namespace platform::qt
