#include "SearchIndex.h"

#include "MarkBook.h"
#include "Skip.h"
#include "StoreConnection.h"
#include "StoreProgress.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <QScopeGuard>

#include <cstdint>
#include <optional>

#include <sqlite3.h>

namespace SearchIndex {

namespace {

// Rows added to a growing index in one transaction: about 10 ms of work, so the windows
// paint between two of them and another copy of the program waits no longer than that.
constexpr int DefaultSliceRows = 8192;
int sliceRows = DefaultSliceRows;

std::string quotedName(const std::string &name)
{
    return "\"" + name + "\"";
}

std::string quotedText(const std::string &text)
{
    return "'" + text + "'"; // table names only: no quotes in them
}

bool exists(SQLite::Database &db, const std::string &name)
{
    SQLite::Statement find(db, "SELECT 1 FROM sqlite_schema WHERE name = ?");
    find.bind(1, name);
    return find.executeStep();
}

// An empty trigram index over the table. detail=none keeps only which rows hold a trigram:
// half the size of positions, and every candidate is checked by the real like matcher
// anyway.
void createIndexTable(SQLite::Database &db, const std::string &table, const std::string &index)
{
    const std::string i = quotedName(index);
    db.exec("CREATE VIRTUAL TABLE " + i + " USING fts5(word, meaning, pointer, content=" +
            quotedName(table) +
            ", content_rowid='rowid', tokenize='trigram', detail=none, columnsize=0)");
    // A larger in-memory buffer than the 1 MB default: an import or Delete all of 100,000
    // words then writes its trigrams in a few large pieces rather than many small ones.
    db.exec("INSERT INTO " + i + "(" + i + ", rank) VALUES ('hashsize', 16777216)");
}

std::string forgetOld(const std::string &i)
{
    return "INSERT INTO " + i + "(" + i + ", rowid, word, meaning, pointer) SELECT 'delete', "
           "old.rowid, old.word, old.meaning, old.pointer";
}

std::string addNew(const std::string &i)
{
    return "INSERT INTO " + i + "(rowid, word, meaning, pointer) SELECT new.rowid, new.word, "
           "new.meaning, new.pointer";
}

// Every commit to an index merges its pieces a little once `segments` of a size are there,
// and all of them at once at four times that. The defaults (4 and 16) suit a complete
// index; while one grows, each slice's commit would merge again what the last ones made
// (half the work of the fill at 100,000 words, and slices of 225 ms at a million).
constexpr int CompleteAutomerge = 4;
constexpr int GrowingAutomerge = 16;

void setAutomerge(SQLite::Database &db, const std::string &index, int segments)
{
    const std::string i = quotedName(index);
    db.exec("INSERT INTO " + i + "(" + i + ", rank) VALUES ('automerge', " +
            std::to_string(segments) + ")");
    db.exec("INSERT INTO " + i + "(" + i + ", rank) VALUES ('crisismerge', " +
            std::to_string(segments * 4) + ")");
}

// The triggers that keep a complete index in step with its table.
void createTriggers(SQLite::Database &db, const std::string &table, const std::string &index)
{
    const std::string t = quotedName(table);
    const std::string i = quotedName(index);
    db.exec("CREATE TRIGGER " + quotedName(index + "_insert") + " AFTER INSERT ON " + t +
            " BEGIN " + addNew(i) + "; END");
    db.exec("CREATE TRIGGER " + quotedName(index + "_delete") + " AFTER DELETE ON " + t +
            " BEGIN " + forgetOld(i) + "; END");
    db.exec("CREATE TRIGGER " + quotedName(index + "_update") + " AFTER UPDATE ON " + t +
            " BEGIN " + forgetOld(i) + "; " + addNew(i) + "; END");
}

// While an index grows in slices it holds the rows up to the rowid its fill has reached,
// and its triggers follow changes of those rows only; the later ones come with their
// slices. Both halves of an update are in one trigger, in this order: with detail=none
// a delete after the insert of the same rowid would take the new trigrams away.
void createFillTriggers(SQLite::Database &db, const std::string &table, const std::string &fill)
{
    const std::string t = quotedName(table);
    const std::string i = quotedName(fill);
    const std::string reached = " <= (SELECT filled FROM " + quotedName(FillStateTable) +
                                " WHERE tbl = " + quotedText(table) + ")";
    db.exec("CREATE TRIGGER " + quotedName(fill + "_insert") + " AFTER INSERT ON " + t +
            " BEGIN " + addNew(i) + " WHERE new.rowid" + reached + "; END");
    db.exec("CREATE TRIGGER " + quotedName(fill + "_delete") + " AFTER DELETE ON " + t +
            " BEGIN " + forgetOld(i) + " WHERE old.rowid" + reached + "; END");
    db.exec("CREATE TRIGGER " + quotedName(fill + "_update") + " AFTER UPDATE ON " + t +
            " BEGIN " + forgetOld(i) + " WHERE old.rowid" + reached + "; " + addNew(i) +
            " WHERE new.rowid" + reached + "; END");
}

void dropFillTriggers(SQLite::Database &db, const std::string &fill)
{
    for (const char *event : {"_insert", "_delete", "_update"})
        db.exec("DROP TRIGGER IF EXISTS " + quotedName(fill + event));
}

// Where the fill of a table has come to: no row, no fill under way; a null, no rows yet.
struct FillState
{
    bool underWay = false;
    std::optional<int64_t> filled;
};

FillState fillState(SQLite::Database &db, const std::string &table)
{
    if (!db.tableExists(FillStateTable))
        return {};
    SQLite::Statement state(db, "SELECT filled FROM " + quotedName(FillStateTable) +
                                    " WHERE tbl = ?");
    state.bind(1, table);
    if (!state.executeStep())
        return {};
    if (state.getColumn(0).isNull())
        return {true, std::nullopt};
    return {true, state.getColumn(0).getInt64()};
}

qint64 countRows(SQLite::Database &db, const std::string &sql, std::optional<int64_t> bound = {})
{
    SQLite::Statement count(db, sql);
    if (bound)
        count.bind(1, *bound);
    count.executeStep();
    return count.getColumn(0).getInt64();
}

void forgetFill(SQLite::Database &db, const std::string &table)
{
    const std::string fill = fillIndexName(QString::fromStdString(table));
    dropFillTriggers(db, fill);
    db.exec("DROP TABLE IF EXISTS " + quotedName(fill));
    if (!db.tableExists(FillStateTable))
        return;
    SQLite::Statement forget(db, "DELETE FROM " + quotedName(FillStateTable) + " WHERE tbl = ?");
    forget.bind(1, table);
    forget.exec();
    if (countRows(db, "SELECT count(*) FROM " + quotedName(FillStateTable)) == 0)
        db.exec("DROP TABLE " + quotedName(FillStateTable));
}

void startFill(SQLite::Database &db, const std::string &table)
{
    const std::string fill = fillIndexName(QString::fromStdString(table));
    db.exec("CREATE TABLE IF NOT EXISTS " + quotedName(FillStateTable) +
            " (tbl TEXT PRIMARY KEY, filled INTEGER)");
    createIndexTable(db, table, fill);
    setAutomerge(db, fill, GrowingAutomerge);
    createFillTriggers(db, table, fill);
    SQLite::Statement state(db, "INSERT INTO " + quotedName(FillStateTable) + " VALUES (?, NULL)");
    state.bind(1, table);
    state.exec();
}

// The grown index takes the index's own name and the triggers of a complete one.
void finishFill(SQLite::Database &db, const std::string &table)
{
    const std::string fill = fillIndexName(QString::fromStdString(table));
    const std::string index = textIndexName(QString::fromStdString(table));
    dropFillTriggers(db, fill);
    {
        // Nothing refers to the fill's name any more; the legacy rename leaves alone the
        // user's views and triggers, which a modern one re-reads and fails on if one of
        // them names something that is gone.
        db.exec("PRAGMA legacy_alter_table=ON");
        const auto off = qScopeGuard([&] { db.exec("PRAGMA legacy_alter_table=OFF"); });
        db.exec("ALTER TABLE " + quotedName(fill) + " RENAME TO " + quotedName(index));
    }
    setAutomerge(db, index, CompleteAutomerge);
    createTriggers(db, table, index);
    forgetFill(db, table);
}

// Adds one slice to the growing index, in a transaction of its own that takes the write
// lock up front (another copy may be growing it too). False when the index is complete,
// by this slice or by another copy of the program.
bool addSlice(SQLite::Database &db, const std::string &table, qint64 &done)
{
    SQLite::Transaction tx(db, SQLite::TransactionBehavior::IMMEDIATE);
    const FillState state = fillState(db, table);
    if (!state.underWay)
        return false;
    const std::string t = quotedName(table);
    const std::string after = state.filled ? " WHERE rowid > ?" : "";
    SQLite::Statement last(db, "SELECT max(rowid) FROM (SELECT rowid FROM " + t + after +
                                   " ORDER BY rowid LIMIT " + std::to_string(sliceRows) + ")");
    if (state.filled)
        last.bind(1, *state.filled);
    last.executeStep();
    if (last.getColumn(0).isNull()) {
        last.reset(); // a table is renamed only when no statement reads
        finishFill(db, table);
        tx.commit();
        return false;
    }
    const int64_t upTo = last.getColumn(0).getInt64();
    last.reset();
    const std::string fill = quotedName(fillIndexName(QString::fromStdString(table)));
    SQLite::Statement slice(db, "INSERT INTO " + fill + "(rowid, word, meaning, pointer) "
                                "SELECT rowid, word, meaning, pointer FROM " + t +
                                    " WHERE rowid <= ?1" + (state.filled ? " AND rowid > ?2" : ""));
    slice.bind(1, upTo);
    if (state.filled)
        slice.bind(2, *state.filled);
    done += slice.exec();
    SQLite::Statement reached(db, "UPDATE " + quotedName(FillStateTable) +
                                      " SET filled = ? WHERE tbl = ?");
    reached.bind(1, upTo);
    reached.bind(2, table);
    reached.exec();
    tx.commit();
    return true;
}

// Grows the index of one table to its end under the program's box. False when the user
// broke it off or it failed; the file keeps what was added, and the next open goes on.
bool growIndex(SQLite::Database &db, const QString &table)
{
    bool complete = false;
    const std::string t = table.toStdString();
    StoreProgress::run(
        QStringLiteral("Preparing the word search of %1...").arg(table), true,
        [&](const StoreProgress::Tick &tick) {
            skipOnFailure(lcStore(), "growing the word search index", [&] {
                // A slice lost to a power cut is only added again, so the slices' commits
                // need not wait for the disk; every other commit does.
                db.exec("PRAGMA synchronous=NORMAL");
                const auto full = qScopeGuard([&] {
                    skipOnFailure(lcStore(), "waiting for the disk again",
                                  [&] { db.exec("PRAGMA synchronous=FULL"); });
                });
                const FillState state = fillState(db, t);
                const qint64 total = countRows(db, "SELECT count(*) FROM " + quotedName(t));
                qint64 done = state.filled ? countRows(db, "SELECT count(*) FROM " +
                                                               quotedName(t) + " WHERE rowid <= ?",
                                                       state.filled)
                                           : 0;
                while (tick(done, total))
                    if (!addSlice(db, t, done)) {
                        complete = true;
                        return;
                    }
            });
        });
    return complete;
}

// Whether anything of a growing index is in the file: its table, a trigger, its state.
bool fillLeftOver(SQLite::Database &db, const std::string &table)
{
    const std::string fill = fillIndexName(QString::fromStdString(table));
    SQLite::Statement find(db, "SELECT 1 FROM sqlite_schema WHERE name IN (?, ?, ?, ?)");
    find.bind(1, fill);
    find.bind(2, fill + "_insert");
    find.bind(3, fill + "_delete");
    find.bind(4, fill + "_update");
    return find.executeStep() || fillState(db, table).underWay;
}

// The trigram index of one table: kept when complete or still growing; otherwise made,
// at once for a table of one slice and as a growing one for a larger table.
void prepareTextIndex(SQLite::Database &db, const QString &table)
{
    const std::string t = table.toStdString();
    const std::string index = textIndexName(table);
    const bool complete = exists(db, index);
    if (!complete && exists(db, fillIndexName(table)) && fillState(db, t).underWay)
        return; // it goes on growing after the open
    // What is left of a growing index: one an older version of the program (which builds
    // the index in one go) overtook, or one that lost part of itself and starts again.
    if (fillLeftOver(db, t))
        forgetFill(db, t);
    if (complete)
        return;
    const qint64 few = countRows(db, "SELECT count(*) FROM (SELECT 1 FROM " + quotedName(t) +
                                         " LIMIT " + std::to_string(sliceRows + 1) + ")");
    if (few > sliceRows) {
        startFill(db, t);
        return;
    }
    createIndexTable(db, t, index);
    db.exec("INSERT INTO " + quotedName(index) + "(" + quotedName(index) + ") VALUES ('rebuild')");
    createTriggers(db, t, index);
}

} // namespace

std::string textIndexName(const QString &table)
{
    return "lexmora_text_" + table.toStdString();
}

std::string fillIndexName(const QString &table)
{
    return "lexmora_textfill_" + table.toStdString();
}

void setSliceRowsForTests(int rows)
{
    sliceRows = rows > 0 ? rows : DefaultSliceRows;
}

void ensure(WordDatabase &db)
{
    SQLite::Database &sql = StoreConnection::of(db);
    for (const QString &table : WordDatabase::collectionTables()) {
        const std::string t = table.toStdString();
        if (!sql.tableExists(t))
            continue;
        prepareTextIndex(sql, table);
        sql.exec("CREATE INDEX IF NOT EXISTS " + quotedName("lexmora_marked_" + t) + " ON " +
                 quotedName(t) + " (pointer) WHERE pointer = '" +
                 QString(MarkBook::Marker).toStdString() + "'");
    }
}

bool complete(WordDatabase &db)
{
    SQLite::Database &sql = StoreConnection::of(db);
    for (const QString &table : WordDatabase::collectionTables())
        if (exists(sql, fillIndexName(table)) && !growIndex(sql, table))
            return false;
    return true;
}

std::string Probe::indexFor(const std::string &table, const std::string &match)
{
    const QString canonical = WordDatabase::canonicalTable(QString::fromStdString(table));
    if (!WordDatabase::collectionTables().contains(canonical))
        return {};
    const std::string index = textIndexName(canonical);
    try {
        // An index still growing is not there yet: the query reads the table.
        if (!exists(StoreConnection::of(m_db), index))
            return {};
        SQLite::Statement count(StoreConnection::of(m_db),
                                "SELECT count(*) FROM (SELECT 1 FROM " + quotedName(index) +
                                    " WHERE " + quotedName(index) + " MATCH ? LIMIT " +
                                    std::to_string(MaxCandidates + 1) + ")");
        count.bind(1, match);
        count.executeStep();
        return count.getColumn(0).getInt() <= MaxCandidates ? index : std::string();
    } catch (const std::exception &) {
        return {}; // an index that cannot answer leaves the query to the scan
    }
}

} // namespace SearchIndex
