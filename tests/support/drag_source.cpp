// A file manager in a few lines, for the desktop scenarios: a press on its
// window drags the files named on its command line (as text/uri-list,
// offering copy, move and link as file managers do); how the drag ended is
// printed ("drop: link", "drop: copy", "drop: move" or "drop: none").
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource : public QWidget {
  public:
    explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {}

  protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* data = new QMimeData;
        data->setUrls(urls_);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        const Qt::DropAction done = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
        const char* name = done == Qt::LinkAction   ? "link"
                           : done == Qt::CopyAction ? "copy"
                           : done == Qt::MoveAction ? "move"
                                                    : "none";
        std::printf("drop: %s\n", name);
        std::fflush(stdout);
    }

  private:
    QList<QUrl> urls_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (int i = 1; i < argc; ++i) urls << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));
    DragSource window(urls);
    window.setWindowTitle("drag source");
    window.setGeometry(20, 20, 160, 100);
    window.show();
    return QApplication::exec();
}
