#include "DeleteAll.h"

#include "Backups.h"
#include "Dialogs.h"
#include "EditingTexts.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "TableCursor.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

using namespace EditingTexts;

namespace {

// " WHERE rowid IN (?, ?, ...)" with n placeholders.
std::string batchCondition(std::size_t n)
{
    std::string sql = " WHERE rowid IN (?";
    for (std::size_t i = 1; i < n; ++i)
        sql += ", ?";
    return sql + ")";
}

} // namespace

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
    // A copy of the database while every word is still there. Without one, the user says
    // whether to go on.
    if (Module1::database) {
        const Backups::Outcome copy = Backups::beforeBulkChange(*Module1::database, table);
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
    // deletions made are kept.
    QString failure;
    const auto remember = [&failure](const std::exception &e) {
        if (failure.isEmpty())
            failure = describe(e);
    };
    try {
        SQLite::Transaction tx(Module1::database->sql());
        // The rowids in table order, then deleted a batch per statement: the text index
        // writes its changes once per statement, so one statement a record is many times
        // slower. A batch that fails is done again a record at a time, so that only the
        // records that will not go are left.
        std::vector<qint64> rowids;
        for (bool more = words->moveFirst(); more; more = words->moveNext())
            rowids.push_back(words->currentRowid());
        const std::string from = "DELETE FROM \"" + words->table().toStdString() + "\"";
        SQLite::Statement one(Module1::database->sql(), from + " WHERE rowid = ?");
        std::optional<SQLite::Statement> batch;
        for (std::size_t start = 0; start < rowids.size(); start += BatchRows) {
            const std::size_t n = std::min<std::size_t>(BatchRows, rowids.size() - start);
            if (!batch || std::size_t(batch->getBindParameterCount()) != n)
                batch.emplace(Module1::database->sql(), from + batchCondition(n));
            bool done = true;
            try {
                for (std::size_t i = 0; i < n; ++i)
                    batch->bind(int(i + 1), int64_t(rowids[start + i]));
                batch->exec();
            } catch (const std::exception &) {
                // SQLite has undone the statement's part; a failure that took the whole
                // transaction with it (a full disk, say) leaves nothing to go on with.
                if (sqlite3_get_autocommit(Module1::database->sql().getHandle()))
                    throw;
                done = false;
            }
            batch->tryReset(); // reset() would throw the failure again
            if (done)
                continue;
            for (std::size_t i = start; i < start + n; ++i) {
                try {
                    one.bind(1, int64_t(rowids[i]));
                    one.exec();
                } catch (const std::exception &e) {
                    remember(e);
                }
                one.tryReset();
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
