// The yardsticks for start-up: a frameless Qt window of the launcher's main window size, shown once,
// with nothing else in it; with --text, the same window showing one line of text, which is what any
// window with a caption pays first (reading the font configuration, building Qt's font database).
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    // The main window's 8775 x 3540 twips at 15 twips to the pixel.
    window.resize(585, 236);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto* label = new QLabel(QStringLiteral("Korvalin"), &window);
        label->move(8, 8);
    }
    window.show();
    return QApplication::exec();
}
