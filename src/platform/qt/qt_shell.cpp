// Opening an entry's link target: an executable file is started detached in
// its working folder, anything else (a document, a folder, a URL) goes to the
// desktop's default handler, also started there. Nothing is reported to the
// user when it fails, as the classic shell call reported nothing either.
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "platform/qt/qt_platform.h"

namespace platform::qt {

namespace {

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

// The named folder when it exists, else the file's own folder, else home.
QString workingFolder(const QString& file, const QString& directory) {
    if (isFolder(directory)) return directory;
    const QFileInfo info(file);
    if (info.isAbsolute() && isFolder(info.absolutePath())) return info.absolutePath();
    return QDir::homePath();
}

// A relative name means a file in the working folder when one is there.
QString resolved(const QString& file, const QString& folder) {
    if (QFileInfo(file).isAbsolute() || file.contains(QStringLiteral("://"))) return file;
    const QString candidate = QDir(folder).filePath(file);
    return QFileInfo::exists(candidate) ? candidate : file;
}

}  // namespace

void QtPlatform::shellOpen(forms::Form*, const std::string& file, const std::string& directory) {
    const QString target = QString::fromStdString(file).trimmed();
    if (target.isEmpty()) return;
    const QString folder = workingFolder(target, QString::fromStdString(directory));
    const QString path = resolved(target, folder);
    const QFileInfo info(path);
    if (info.isFile() && info.isExecutable()) {
        QProcess::startDetached(info.absoluteFilePath(), {}, folder);
    } else {
        QProcess::startDetached(documentOpener, {path}, folder);
    }
}

}  // namespace platform::qt
