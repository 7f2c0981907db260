#include "Program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Program program;
    if (!program.start())
        return 0;
    return app.exec();
}
