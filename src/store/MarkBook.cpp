#include "MarkBook.h"

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

void prepare(WordDatabase &db)
{
    SQLite::Transaction tx(db.sql());
    db.sql().exec("CREATE TABLE IF NOT EXISTS PointerMarks (tbl TEXT NOT NULL, rid INTEGER NOT "
                  "NULL, word TEXT, pointer TEXT, PRIMARY KEY (tbl, rid))");
    for (const QString &table : WordDatabase::collectionTables()) {
        const std::string t = table.toStdString();
        const std::string forget =
            " BEGIN DELETE FROM PointerMarks WHERE tbl = '" + t + "' AND rid = old.rowid; END";
        db.sql().exec("CREATE TRIGGER IF NOT EXISTS " + t + "_marks_delete AFTER DELETE ON " +
                      t + forget);
        // Anything but the mark itself (same word and meaning, pointer set to the marker)
        // is an edit or a clearing, after which the kept pointer no longer belongs.
        db.sql().exec("CREATE TRIGGER IF NOT EXISTS " + t + "_marks_update AFTER UPDATE ON " +
                      t + " WHEN new.word IS NOT old.word OR new.meaning IS NOT old.meaning OR " +
                      "new.pointer IS NOT 'Got it wrong' OR new.rowid IS NOT old.rowid" + forget);
    }
    tx.commit();
}

int markWord(WordDatabase &db, const QString &table, const QString &word)
{
    const std::string t = name(table);
    SQLite::Transaction tx(db.sql());
    // Keep the first pointer only: a record marked again keeps what it had before the first.
    SQLite::Statement keep(db.sql(), "INSERT OR IGNORE INTO PointerMarks (tbl, rid, word, pointer) "
                                     "SELECT '" + t + "', rowid, word, pointer FROM " + t +
                                         " WHERE word = ? AND pointer IS NOT 'Got it wrong'");
    keep.bind(1, word.toStdString());
    keep.exec();
    SQLite::Statement mark(db.sql(), "UPDATE " + t + " SET pointer = 'Got it wrong' WHERE word = ?");
    mark.bind(1, word.toStdString());
    const int marked = mark.exec();
    tx.commit();
    return marked;
}

bool hasMarks(WordDatabase &db, const QString &table)
{
    SQLite::Statement any(db.sql(), "SELECT EXISTS (SELECT 1 FROM " + name(table) +
                                        " WHERE pointer = 'Got it wrong')");
    any.executeStep();
    return any.getColumn(0).getInt() != 0;
}

int clearMarks(WordDatabase &db, const QString &table)
{
    const std::string t = name(table);
    SQLite::Transaction tx(db.sql());
    // The kept pointer of a record that still holds the word it was kept with, else "".
    SQLite::Statement clear(
        db.sql(), "UPDATE " + t + " SET pointer = coalesce((SELECT m.pointer FROM PointerMarks m "
                  "WHERE m.tbl = '" + t + "' AND m.rid = " + t + ".rowid AND m.word IS " + t +
                      ".word), '') WHERE pointer = 'Got it wrong'");
    const int cleared = clear.exec();
    db.sql().exec("DELETE FROM PointerMarks WHERE tbl = '" + t + "'");
    tx.commit();
    return cleared;
}

} // namespace MarkBook
