// The yardstick for start-up: a frameless Qt window of the launcher's main window size, shown once,
// with nothing else in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    // The main window's 8775 x 3540 twips at 15 twips to the pixel.
    window.resize(585, 236);
    window.show();
    return QApplication::exec();
}
