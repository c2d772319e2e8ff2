// The yardstick: the least a Qt Widgets program does to show one window (a
// frameless one-pixel window in a corner, as the call point is).
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    window.setGeometry(0, 0, 1, 1);
    window.show();
    return QApplication::exec();
}
