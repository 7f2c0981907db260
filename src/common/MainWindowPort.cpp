#include "MainWindowPort.h"

#include <QWidget>

void MainWindowPort::returnToMain()
{
    mainWindow()->setEnabled(true);
    mainWindow()->show();
}
