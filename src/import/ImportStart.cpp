#include "ImportStart.h"

#include "Dialogs.h"
#include "Form4.h"
#include "MainWindowPort.h"
#include "Titles.h"

namespace {

const QString NeedsExcel =
    QStringLiteral("This option requires Microsoft Excel. If you do not have it, please install "
                   "it. \r\nDo you wish to proceed ? ");

} // namespace

ImportStart::ImportStart(MainWindowPort &main, QObject *parent) : QObject(parent), m_main(main)
{
    setObjectName(QStringLiteral("ImportStart"));
}

Form4 *ImportStart::window() const
{
    return m_window;
}

void ImportStart::command12Click()
{
    if (m_window)
        return;
    m_main.displayHalt();
    if (!Dialogs::current().question(NeedsExcel, Titles::WordbrawlBang))
        return;
    // The window deletes itself when it closes.
    m_window = new Form4(m_main);
    m_window->load();
}
