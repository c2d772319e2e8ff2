// Drags from other programs: only local files count (a web link is no
// entry), and the drop is taken as a link or a copy, never as a move, so a
// file manager never deletes what was dropped here.
#include "platform/qt/qt_drops.h"

#include <QDir>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <utility>

#include "platform/qt/qt_form_peer.h"
#include "platform/qt/safe_files.h"

namespace platform::qt {

namespace {

constexpr double kTw = forms::kTwipsPerPixel;
constexpr std::size_t kLongestDesktopEntry = 64 * 1024;

forms::DroppedFiles localFiles(const QMimeData* data) {
    forms::DroppedFiles files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = QDir::cleanPath(url.toLocalFile());
        const QFileInfo info(path);
        forms::DroppedFile file{
            path.toStdString(), info.fileName().toStdString(), info.isDir(), {}};
        if (file.name.ends_with(".desktop")) {
            // A pipe so named is not read (it would never end), nor anything past any real entry.
            file.desktopEntry = readWholeFile(file.path, kLongestDesktopEntry).text.value_or("");
        }
        files.push_back(std::move(file));
    }
    return files;
}

// True when the source lets us have the files without moving them.
bool takeWithoutMoving(QDropEvent* event) {
    const Qt::DropActions offered = event->possibleActions();
    if (offered & Qt::LinkAction) {
        event->setDropAction(Qt::LinkAction);
    } else if (offered & Qt::CopyAction) {
        event->setDropAction(Qt::CopyAction);
    } else {
        event->ignore();
        return false;
    }
    event->accept();
    return true;
}

class DropFilter : public QObject {
  public:
    explicit DropFilter(QtFormPeer& peer) : QObject(&peer), peer_(peer) {
        peer.window()->setAcceptDrops(true);
        peer.window()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != peer_.window()) return false;
        switch (event->type()) {
            case QEvent::DragEnter:
                enter(static_cast<QDragEnterEvent*>(event));
                return true;
            case QEvent::DragMove:
                move(static_cast<QDragMoveEvent*>(event));
                return true;
            case QEvent::DragLeave:
                leave();
                return true;
            case QEvent::Drop:
                drop(static_cast<QDropEvent*>(event));
                return true;
            default:
                return false;
        }
    }

  private:
    void enter(QDragEnterEvent* event) {
        dragged_ = localFiles(event->mimeData());
        if (dragged_.empty() || !takeWithoutMoving(event)) {
            event->ignore();
            return;
        }
        QPointer<DropFilter> alive(this);
        auto& form = peer_.form();
        if (form.onDragEnter) form.onDragEnter();
        if (alive) move(event);
    }

    // Where nothing takes a drop (the call point) the drag is refused, and
    // the window hears no more of it after this move.
    void move(QDragMoveEvent* event) {
        const QPoint at = event->position().toPoint();
        forms::Control* control = controlAt(at);
        if (!takesDrop(control) || !takeWithoutMoving(event)) event->ignore();
        peer_.form().dragOverAt(control, at.x() * kTw, at.y() * kTw);
    }

    void leave() {
        dragged_.clear();
        auto& form = peer_.form();
        if (form.onDragLeave) form.onDragLeave();
    }

    void drop(QDropEvent* event) {
        const forms::DroppedFiles files = std::exchange(dragged_, {});
        const QPoint at = event->position().toPoint();
        forms::Control* control = controlAt(at);
        if (files.empty() || !takesDrop(control) || !takeWithoutMoving(event)) {
            event->ignore();
            return;
        }
        peer_.form().dropAt(control, files, at.x() * kTw, at.y() * kTw);
    }

    bool takesDrop(const forms::Control* control) const {
        return (control && control->onDragDrop) || peer_.form().onDragDrop;
    }

    // The control whose widget lies under a point of the window, if any.
    forms::Control* controlAt(QPoint at) const {
        QWidget* window = peer_.window();
        for (QWidget* w = window->childAt(at); w && w != window; w = w->parentWidget()) {
            if (forms::Control* control = peer_.controlOf(w)) return control;
        }
        return nullptr;
    }

    QtFormPeer& peer_;
    // Read as the drag comes: a source may no longer hand the data over
    // once it has seen the drop (a Qt one, at times).
    forms::DroppedFiles dragged_;
};

}  // namespace

void acceptDrops(QtFormPeer& peer) {
    new DropFilter(peer);
}

}  // namespace platform::qt
