// An empty Qt window, against which scripts/bench-startup measures the program's start-up:
// what any Qt program costs to show a window. With --text the window holds one push button
// with a word on it: what showing the first text costs on top (the fonts found and
// loaded, the style's first drawing), a floor no window with words on it gets under.
#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool text = app.arguments().contains(QStringLiteral("--text"));
    QWidget window;
    window.setWindowTitle(text ? QStringLiteral("Qt window with a word")
                               : QStringLiteral("Empty Qt window"));
    window.resize(800, 600);
    if (text)
        (new QPushButton(QStringLiteral("Start"), &window))->move(20, 20);
    window.show();
    return app.exec();
}
