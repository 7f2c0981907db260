#include "SelectorStart.h"

#include "Form2.h"
#include "MainWindowPort.h"
#include "Module1.h"

SelectorStart::SelectorStart(MainWindowPort &main, QObject *parent) : QObject(parent), m_main(main)
{
    setObjectName(QStringLiteral("SelectorStart"));
}

Form2 *SelectorStart::window() const
{
    return m_window;
}

void SelectorStart::command18Click()
{
    if (m_window)
        return;
    m_main.displayHalt();
    m_main.highlightReset();
    if (!Module1::database)
        return;
    // The selector deletes itself when it closes.
    m_window = new Form2(m_main, *Module1::database);
    m_window->load();
}
