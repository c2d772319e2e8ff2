// Opening an entry's link target as the desktop does: an executable file is
// started in its working folder, a .desktop entry's application through GIO,
// anything else (a document, a folder, a URL) by its default handler, also
// in the working folder. A target that cannot be started gets the shell's
// own message naming it, as the classic shell showed one; the entry stays.
// Every target reaches a helper as an absolute path or a URL, so that none
// is ever read as an option.
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "platform/qt/gio_launch.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_platform.h"

namespace platform::qt {

namespace {

bool isFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}
bool isUri(const QString& target) {
    return target.contains(QStringLiteral("://"));
}

// The named folder when it exists, else the file's own folder, else home.
QString workingFolder(const QString& file, const QString& directory) {
    if (isFolder(directory)) return directory;
    const QFileInfo info(file);
    if (info.isAbsolute() && isFolder(info.absolutePath())) return info.absolutePath();
    return QDir::homePath();
}

// A relative name means a file in the working folder when one is there.
QString resolved(const QString& file, const QString& folder) {
    if (QFileInfo(file).isAbsolute() || isUri(file)) return file;
    const QString candidate = QDir(folder).filePath(file);
    return QFileInfo::exists(candidate) ? candidate : file;
}

LaunchOutcome startTarget(const QString& target, const QString& namedFolder,
                          const QString& folder) {
    if (isUri(target))
        return openWithDefaultHandler(target.toStdString(), true, folder.toStdString());
    const QFileInfo info(resolved(target, folder));
    if (!info.exists()) return LaunchOutcome::Missing;
    const QString path = info.absoluteFilePath();
    if (info.isFile() && info.suffix() == QStringLiteral("desktop")) {
        return launchDesktopEntry(path.toStdString(),
                                  isFolder(namedFolder) ? namedFolder.toStdString() : "");
    }
    if (info.isFile() && info.isExecutable()) {
        return QProcess::startDetached(path, {}, folder) ? LaunchOutcome::Started
                                                         : LaunchOutcome::Failed;
    }
    return openWithDefaultHandler(path.toStdString(), false, folder.toStdString());
}

QString notStartedText(LaunchOutcome outcome, const QString& target) {
    const QString quoted = "'" + target + "'";
    switch (outcome) {
        case LaunchOutcome::Missing:
            return quoted +
                   " が見つかりません。名前を正しく入力したかどうかを確認してから、"
                   "やり直してください。";
        case LaunchOutcome::NoHandler:
            return quoted +
                   " を開けません。この種類のファイルを開くプログラムが"
                   "関連付けられていません。";
        default:
            return quoted + " を起動できません。";
    }
}

}  // namespace

void QtPlatform::shellOpen(forms::Form* owner, const std::string& file,
                           const std::string& directory) {
    const QString target = QString::fromStdString(file).trimmed();
    if (target.isEmpty()) return;
    const QString namedFolder = QString::fromStdString(directory);
    const LaunchOutcome outcome =
        startTarget(target, namedFolder, workingFolder(target, namedFolder));
    if (outcome == LaunchOutcome::Started) return;
    // Titled with the target's name, over the window that asked.
    QtFormPeer* peer = owner ? peerOf(*owner) : nullptr;
    const QString name = QFileInfo(target).fileName();
    showMessageBox(peer ? peer->window() : nullptr, notStartedText(outcome, target), mb::kStop,
                   name.isEmpty() ? target : name);
}

}  // namespace platform::qt
