#include "DeleteAll.h"

#include "Backups.h"
#include "Dialogs.h"
#include "EditingTexts.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "TableCursor.h"

#include <SQLiteCpp/Transaction.h>

using namespace EditingTexts;

DeleteAll::DeleteAll(MainWindowPort &main, QObject *parent) : QObject(parent), m_main(main)
{
    setObjectName(QStringLiteral("DeleteAll"));
}

void DeleteAll::command11Click()
{
    m_main.displayHalt();
    const QString table = Module1::currentCollection;
    if (!Dialogs::current().question(emptyQuestion(table), Title))
        return;
    // A copy of the database while every word is still there; silent, as a failed copy
    // must not stand between the user and the emptying.
    if (Module1::database)
        Backups::beforeBulkChange(*Module1::database);
    m_main.appendStatusText(deletingContents(table));

    TableCursor *words = Module1::words.get();
    if (!words || !Module1::database) {
        Dialogs::current().message(notEmptied(CollectionNotOpen), Title);
        return;
    }
    // One transaction: fast, and all or nothing should the program die part-way. A record
    // that will not go is skipped and the rest still go; the user hears of it, and the
    // deletions made are kept.
    QString failure;
    const auto remember = [&failure](const std::exception &e) {
        if (failure.isEmpty())
            failure = describe(e);
    };
    try {
        SQLite::Transaction tx(Module1::database->sql());
        for (bool more = words->moveFirst(); more; more = words->moveNext()) {
            try {
                words->deleteCurrent();
            } catch (const std::exception &e) {
                remember(e);
            }
        }
        tx.commit();
        words->moveFirst(); // an emptied set stands at both its beginning and its end
    } catch (const std::exception &e) {
        remember(e);
    }
    if (!failure.isEmpty()) {
        Dialogs::current().message(notEmptied(failure), Title);
        return;
    }
    m_main.appendStatusText(DeletedAll);
}
