#include "MarkBook.h"

#include "EngineErrors.h"
#include "StoreConnection.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

namespace MarkBook {

namespace {

std::string name(const QString &table)
{
    const QString t = WordDatabase::canonicalTable(table);
    if (t.isEmpty() || t == QLatin1String("Details"))
        throw StoreError(QStringLiteral("There is no collection called %1.").arg(table));
    return t.toStdString();
}

} // namespace

namespace {

// Earlier versions kept the pointers in a table called PointerMarks, a name a user's own
// table could well have. Ours is recognised by its exact columns; a user's table of that
// name is left alone.
constexpr char OldTable[] = "PointerMarks";

bool isOurOldTable(WordDatabase &db)
{
    if (!StoreConnection::of(db).tableExists(OldTable))
        return false;
    SQLite::Statement columns(StoreConnection::of(db),
                              std::string("PRAGMA table_info(") + OldTable + ")");
    std::vector<std::string> names;
    while (columns.executeStep())
        names.push_back(columns.getColumn(1).getString());
    return names == std::vector<std::string>{"tbl", "rid", "word", "pointer"};
}

// Drops a trigger of ours by name, but only one that writes the given marks table.
void dropOurTrigger(WordDatabase &db, const std::string &trigger, const std::string &marks)
{
    SQLite::Statement sql(StoreConnection::of(db),
                          "SELECT sql FROM sqlite_schema WHERE type = 'trigger' AND name = ?");
    sql.bind(1, trigger);
    if (sql.executeStep() && sql.getColumn(0).getString().find(marks) != std::string::npos) {
        sql.reset();
        StoreConnection::of(db).exec("DROP TRIGGER \"" + trigger + "\"");
    }
}

void migrateOldTable(WordDatabase &db)
{
    if (!isOurOldTable(db))
        return;
    StoreConnection::of(db).exec(std::string("INSERT OR IGNORE INTO ") + Table +
                                 " (tbl, rid, word, pointer) "
                                 "SELECT tbl, rid, word, pointer FROM " +
                                 OldTable);
    for (const QString &table : WordDatabase::collectionTables()) {
        const std::string t = table.toStdString();
        dropOurTrigger(db, t + "_marks_delete", OldTable);
        dropOurTrigger(db, t + "_marks_update", OldTable);
    }
    StoreConnection::of(db).exec(std::string("DROP TABLE ") + OldTable);
}

} // namespace

void prepare(WordDatabase &db)
{
    StoreConnection::of(db).exec(
        std::string("CREATE TABLE IF NOT EXISTS ") + Table +
        " (tbl TEXT NOT NULL, rid INTEGER NOT NULL, word TEXT, pointer TEXT, "
        "PRIMARY KEY (tbl, rid))");
    migrateOldTable(db);
    for (const QString &table : WordDatabase::collectionTables()) {
        if (!db.hasTable(table))
            continue;
        const std::string t = table.toStdString();
        const std::string forget = std::string(" BEGIN DELETE FROM ") + Table + " WHERE tbl = '" +
                                   t + "' AND rid = old.rowid; END";
        StoreConnection::of(db).exec("CREATE TRIGGER IF NOT EXISTS " + std::string(TriggerPrefix) +
                                     t + "_delete AFTER DELETE ON " + t + forget);
        // Anything but the mark itself (same word and meaning, pointer set to the marker)
        // is an edit or a clearing, after which the kept pointer no longer belongs.
        StoreConnection::of(db).exec(
            "CREATE TRIGGER IF NOT EXISTS " + std::string(TriggerPrefix) + t +
            "_update AFTER UPDATE ON " + t +
            " WHEN new.word IS NOT old.word OR new.meaning IS NOT old.meaning OR " +
            "new.pointer IS NOT 'Got it wrong' OR new.rowid IS NOT old.rowid" + forget);
    }
}

int markWord(WordDatabase &db, const QString &table, const QString &word)
{
    return EngineErrors::translated([&] {
        const std::string t = name(table);
        SQLite::Transaction tx(StoreConnection::of(db));
        // Keep the first pointer only: a record marked again keeps what it had before the first.
        SQLite::Statement keep(StoreConnection::of(db),
                               std::string("INSERT OR IGNORE INTO ") + Table +
                                   " (tbl, rid, word, pointer) SELECT '" + t +
                                   "', rowid, word, pointer FROM " + t +
                                   " WHERE word = ? AND pointer IS NOT 'Got it wrong'");
        keep.bind(1, word.toStdString());
        keep.exec();
        SQLite::Statement mark(StoreConnection::of(db),
                               "UPDATE " + t + " SET pointer = 'Got it wrong' WHERE word = ?");
        mark.bind(1, word.toStdString());
        const int marked = mark.exec();
        tx.commit();
        return marked;
    });
}

bool hasMarks(WordDatabase &db, const QString &table)
{
    return EngineErrors::translated([&] {
        SQLite::Statement any(StoreConnection::of(db), "SELECT EXISTS (SELECT 1 FROM " +
                                                           name(table) +
                                                           " WHERE pointer = 'Got it wrong')");
        any.executeStep();
        return any.getColumn(0).getInt() != 0;
    });
}

int clearMarks(WordDatabase &db, const QString &table)
{
    return EngineErrors::translated([&] {
        const std::string t = name(table);
        SQLite::Transaction tx(StoreConnection::of(db));
        // The kept pointer of a record that still holds the word it was kept with, exactly as it
        // was (a missing pointer stays missing); "" for a record with nothing kept.
        const std::string kept = std::string(" FROM ") + Table + " m WHERE m.tbl = '" + t +
                                 "' AND m.rid = " + t + ".rowid AND m.word IS " + t + ".word";
        SQLite::Statement clear(StoreConnection::of(db),
                                "UPDATE " + t + " SET pointer = CASE WHEN EXISTS (SELECT 1" + kept +
                                    ") THEN (SELECT m.pointer" + kept +
                                    ") ELSE '' END WHERE pointer = 'Got it wrong'");
        const int cleared = clear.exec();
        StoreConnection::of(db).exec(std::string("DELETE FROM ") + Table + " WHERE tbl = '" + t +
                                     "'");
        tx.commit();
        return cleared;
    });
}

} // namespace MarkBook
