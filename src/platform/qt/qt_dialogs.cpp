// Message boxes with the classic style bits and the colour dialog (the
// open-file dialog is in qt_file_dialog.cpp). Every dialog is modal and runs
// its own event loop, so the program's timers keep running underneath, as
// they did on the classic desktop.
#include "platform/qt/qt_dialogs.h"

#include <QColorDialog>
#include <QMessageBox>
#include <QPushButton>

#include "forms/form.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_platform.h"

namespace platform::qt {

namespace {

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
        case mb::kStop:
            return QMessageBox::Critical;
        case mb::kExclamation:
            return QMessageBox::Warning;
        case mb::kInformation:
            return QMessageBox::Information;
        case 32:
            return QMessageBox::Question;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

// The answers are the classic ones: 1 OK, 6 Yes, 7 No. Closing a Yes/No box
// answers No, as does a box that no display can show; the button captions
// are in the program's own language. Like
// the program's windows, a box offers no menu, minimise, maximise or close.
int QtPlatform::messageBox(const std::string& text, int style, const std::string& title) {
    return showMessageBox(nullptr, QString::fromStdString(text), style,
                          QString::fromStdString(title));
}

// A box with an owner stays above it (window managers keep a transient
// window over its owner, in the topmost band too).
int QtPlatform::showMessageBox(QWidget* owner, const QString& text, int style,
                               const QString& title) {
    if (displayGone_) return (style & 0x0F) == mb::kYesNo ? mb::kAnswerNo : mb::kAnswerOk;
    QMessageBox box(iconOf(style), title, text, QMessageBox::NoButton, owner);
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    if (x11_) x11_->allowMoveOnly(static_cast<std::uint32_t>(box.winId()), true);
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

std::optional<forms::Color> QtPlatform::chooseColor(const ColorRequest& request) {
    QtFormPeer* owner = request.owner ? peerOf(*request.owner) : nullptr;
    // Qt's own dialog, not the desktop's: it speaks the program's language.
    const QColor chosen = QColorDialog::getColor(Qt::white, owner ? owner->window() : nullptr,
                                                 QString::fromStdString(request.title),
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid()) return std::nullopt;
    return forms::rgb(chosen.red(), chosen.green(), chosen.blue());
}

}  // namespace platform::qt
