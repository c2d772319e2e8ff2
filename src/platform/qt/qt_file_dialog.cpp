// The open-file dialog: Qt's own (it speaks the program's language), with
// the classic filter list, each description shown once, and the programs of
// this desktop in place of the classic .exe files.
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QStringList>

#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_platform.h"

namespace platform::qt {

namespace {
const QString kProgramsDescription = QStringLiteral("実行ﾌｧｲﾙ(実行可能, *.desktop)");
}

const QString kProgramsFilter = kProgramsDescription + QStringLiteral(" (*)");

namespace {

// The dialog names its filters without their details.
bool isProgramsFilter(const QString& filter) {
    return filter == kProgramsFilter || filter == kProgramsDescription;
}

QString patternsOf(const QString& classic) {
    QStringList out;
    for (const QString& p : classic.split(';', Qt::SkipEmptyParts)) {
        const QString pattern = p.trimmed();
        if (pattern.isEmpty()) continue;
        if (pattern == QStringLiteral("*.*")) return QStringLiteral("*");  // names need no dot here
        out << pattern;
        if (pattern.toUpper() != pattern) out << pattern.toUpper();
    }
    return out.join(' ');
}

// Folders, executable files and .desktop entries while the programs filter
// is chosen; everything the name patterns let through otherwise.
class ProgramsOnly : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setActive(bool active) {
        active_ = active;
        invalidateFilter();
    }

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (!active_) return true;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files) return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable() || info.suffix() == QStringLiteral("desktop");
    }

  private:
    bool active_ = false;
};

}  // namespace

QString qtFileFilter(const std::string& classicFilter) {
    const QStringList parts = QString::fromStdString(classicFilter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = patternsOf(parts[i + 1]);
        if (patterns.isEmpty()) continue;
        if (parts[i + 1].trimmed().compare(QStringLiteral("*.exe"), Qt::CaseInsensitive) == 0) {
            filters << kProgramsFilter;
        } else {
            filters << parts[i].trimmed() + " (" + patterns + ")";
        }
    }
    return filters.join(";;");
}

// The descriptions carry their patterns already ("EXE型実行ﾌｧｲﾙ(*.exe)"), so
// the dialog hides the ones it would add. The first filter is chosen.
std::optional<OpenFileResult> QtPlatform::openFile(const OpenFileRequest& request) {
    QtFormPeer* owner = request.owner ? peerOf(*request.owner) : nullptr;
    QFileDialog dialog(owner ? owner->window() : nullptr, QString::fromStdString(request.title));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    auto* programs = new ProgramsOnly(&dialog);
    dialog.setProxyModel(programs);
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, programs,
        [programs](const QString& filter) { programs->setActive(isProgramsFilter(filter)); });
    const QString filters = qtFileFilter(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters.split(QStringLiteral(";;")));
        programs->setActive(isProgramsFilter(dialog.selectedNameFilter()));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    return OpenFileResult{path.toStdString(), QFileInfo(path).fileName().toStdString()};
}

}  // namespace platform::qt
