// What a 100 ms pointer poll costs in Qt by itself: the minimal window that
// reads the pointer's position ten times a second, as auto-hide does.
#include <QApplication>
#include <QCursor>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    window.setGeometry(0, 0, 1, 1);
    window.show();
    QPoint seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&seen] { seen = QCursor::pos(); });
    poll.start(100);
    return QApplication::exec();
}
