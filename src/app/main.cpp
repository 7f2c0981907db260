#include "AnsweredDialogs.h"
#include "Program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AnsweredDialogs::installFromEnvironment();
    Program program;
    if (!program.start())
        return Program::StartUpFailed;
    const int status = app.exec();
    return program.startUpFailed() ? Program::StartUpFailed : status;
}
