#include "Form1.h"
#include "Program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const auto mainWindow = Program::start();
    if (!mainWindow)
        return 0;
    return app.exec();
}
