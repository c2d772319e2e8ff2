// Message boxes with the classic style bits, the open-file dialog and the
// colour dialog. Every dialog is modal and runs its own event loop, so the
// program's timers keep running underneath, as they did on the classic desktop.
#include "platform/qt/qt_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "forms/form.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_platform.h"

namespace platform::qt {

namespace {

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
        case mb::kStop: return QMessageBox::Critical;
        case mb::kExclamation: return QMessageBox::Warning;
        case mb::kInformation: return QMessageBox::Information;
        case 32: return QMessageBox::Question;
        default: return QMessageBox::NoIcon;
    }
}

QString patternsOf(const QString& classic) {
    QStringList out;
    for (const QString& p : classic.split(';', Qt::SkipEmptyParts)) {
        const QString pattern = p.trimmed();
        if (pattern.isEmpty()) continue;
        out << pattern;
        if (pattern.toUpper() != pattern) out << pattern.toUpper();
    }
    return out.join(' ');
}

}  // namespace

QString qtFileFilter(const std::string& classicFilter) {
    const QStringList parts = QString::fromStdString(classicFilter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = patternsOf(parts[i + 1]);
        if (patterns.isEmpty()) continue;
        filters << parts[i].trimmed() + " (" + patterns + ")";
    }
    return filters.join(";;");
}

// The answers are the classic ones: 1 OK, 6 Yes, 7 No. Closing a Yes/No box
// answers No, as does a box that no display can show; the button captions
// are in the program's own language.
int QtPlatform::messageBox(const std::string& text, int style, const std::string& title) {
    if (displayGone_) return (style & 0x0F) == mb::kYesNo ? mb::kAnswerNo : mb::kAnswerOk;
    QMessageBox box(iconOf(style), QString::fromStdString(title), QString::fromStdString(text));
    box.setTextFormat(Qt::PlainText);
    if ((style & 0x0F) == mb::kYesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton((style & mb::kDefaultButton2) ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? mb::kAnswerYes : mb::kAnswerNo;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return mb::kAnswerOk;
}

std::optional<OpenFileResult> QtPlatform::openFile(const OpenFileRequest& request) {
    QtFormPeer* owner = request.owner ? peerOf(*request.owner) : nullptr;
    const QString path = QFileDialog::getOpenFileName(
        owner ? owner->window() : nullptr, QString::fromStdString(request.title), QString(),
        qtFileFilter(request.filter));
    if (path.isEmpty()) return std::nullopt;
    return OpenFileResult{path.toStdString(), QFileInfo(path).fileName().toStdString()};
}

std::optional<forms::Color> QtPlatform::chooseColor(const ColorRequest& request) {
    QtFormPeer* owner = request.owner ? peerOf(*request.owner) : nullptr;
    const QColor chosen = QColorDialog::getColor(Qt::white, owner ? owner->window() : nullptr,
                                                 QString::fromStdString(request.title));
    if (!chosen.isValid()) return std::nullopt;
    return forms::rgb(chosen.red(), chosen.green(), chosen.blue());
}

}  // namespace platform::qt
