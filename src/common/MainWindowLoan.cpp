#include "MainWindowLoan.h"

#include "MainWindowPort.h"
#include "WindowOwner.h"

MainWindowLoan::MainWindowLoan(MainWindowPort &port) : m_port(port), m_main(port.mainWindow()) {}

void MainWindowLoan::take(QWidget *window, Away away)
{
    if (!m_main)
        return;
    WindowOwner::keepAbove(window, m_main);
    m_main->setEnabled(false);
    if (away == Away::Hidden)
        m_main->hide();
    m_held = true;
}

bool MainWindowLoan::giveBack()
{
    if (!held())
        return false;
    m_held = false;
    m_port.returnToMain();
    return true;
}

MainWindowPort *MainWindowLoan::port() const
{
    return m_main ? &m_port : nullptr;
}
