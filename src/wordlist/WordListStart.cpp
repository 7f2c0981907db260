#include "WordListStart.h"

#include "Dialogs.h"
#include "EditingTexts.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "StoreError.h"
#include "TableCursor.h"
#include "WordList.h"

WordListStart::WordListStart(MainWindowPort &main, QObject *parent) : QObject(parent), m_main(main)
{
    setObjectName(QStringLiteral("WordListStart"));
}

WordList *WordListStart::window() const
{
    return m_window;
}

void WordListStart::command23Click()
{
    if (m_window) {
        m_window->raise();
        m_window->activateWindow();
        return;
    }
    m_main.highlightReset();
    if (!Module1::database || !Module1::words) {
        Dialogs::current().message(
            QStringLiteral("Sorry, the word list could not be opened: ") +
                EditingTexts::CollectionNotOpen,
            EditingTexts::Title);
        return;
    }
    try {
        // The window deletes itself when it closes.
        m_window = new WordList(*Module1::database, Module1::words->table(), m_main.mainWindow());
    } catch (const StoreError &e) {
        Dialogs::current().message(QStringLiteral("Sorry, the word list could not be opened: ") +
                                       EditingTexts::sentence(e.message()),
                                   EditingTexts::Title);
        return;
    }
    connect(m_window, &WordList::wordsChanged, this, &WordListStart::wordsChanged);
    m_window->show();
}
