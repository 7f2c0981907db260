// An empty Qt window of the Main window's size: what any Qt program costs to show a window,
// against which scripts/bench-startup measures the program's start-up.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty Qt window"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
