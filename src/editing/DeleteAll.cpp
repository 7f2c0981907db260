#include "DeleteAll.h"

#include "Backups.h"
#include "CollectionTable.h"
#include "Dialogs.h"
#include "ExclusiveWork.h"
#include "EditingTexts.h"
#include "LongWork.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "Skip.h"
#include "TableCursor.h"

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
    ExclusiveWork::begin();
    LongWork work(m_main.mainWindow(), QStringLiteral("Deleting the words of %1...").arg(table));
    const StoreProgress::Tick tick = [&work](qint64 done, qint64 total) {
        return work.tick(done, total);
    };
    // A copy of the database while every word is still there. Without one, the user says
    // whether to go on. Cancel while it is taken stops the emptying before it starts.
    if (Module1::database) {
        const Backups::Outcome copy = Backups::beforeBulkChange(*Module1::database, table, tick);
        if (copy.failed() &&
            !Dialogs::current().questionDefaultNo(Backups::withoutCopyQuestion(copy.error), Title))
            return;
    }
    m_main.appendStatusText(deletingContents(table));

    TableCursor *words = Module1::words.get();
    if (!words || !Module1::database) {
        Dialogs::current().message(notEmptied(CollectionNotOpen), Title);
        return;
    }
    // One transaction: fast, and all or nothing should the program die part-way. A record
    // that will not go is skipped and the rest still go; the user hears of it, and the
    // deletions made are kept. Cancel keeps every word.
    CollectionTable::Emptying done;
    try {
        done = CollectionTable::deleteEachRecord(*Module1::database, words->table(), tick);
    } catch (const StoreError &e) {
        done.left = 1;
        done.firstRefusal = e.message();
    }
    // An emptied set stands at both its beginning and its end.
    skipOnFailure(lcEditing(), "moving the record set to its first record after Delete all",
                  [&] { words->moveFirst(); });
    if (done.stopped) {
        Dialogs::current().message(Stopped, Title);
        return;
    }
    if (done.left > 0) {
        Dialogs::current().message(notEmptied(done.firstRefusal), Title);
        return;
    }
    m_main.appendStatusText(DeletedAll);
}
