#include "ProgressStart.h"

#include "MainWindowPort.h"
#include "ProgressWindow.h"
#include "WindowOwner.h"

ProgressStart::ProgressStart(const Controls &, MainWindowPort &port, QObject *parent)
    : QObject(parent), m_port(port)
{
    setObjectName(QStringLiteral("ProgressStart"));
}

ProgressStart::~ProgressStart()
{
    delete m_window.data();
}

ProgressWindow *ProgressStart::window() const
{
    return m_window;
}

void ProgressStart::command22Click()
{
    if (!m_window) {
        m_window = new ProgressWindow();
        // Kept above the Main window, not disabled with it: the quiz can still be started.
        WindowOwner::keepAbove(m_window, m_port.mainWindow());
        if (QWidget *main = m_port.mainWindow())
            m_window->move(main->frameGeometry().center() - m_window->rect().center());
    }
    m_window->refresh();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
