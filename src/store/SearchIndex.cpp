#include "SearchIndex.h"

#include "MarkBook.h"
#include "StoreConnection.h"
#include "StoreProgress.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>

#include <QScopeGuard>

#include <sqlite3.h>

namespace SearchIndex {

namespace {

constexpr int ProgressSteps = 20000; // virtual machine steps between ticks

std::string quotedName(const std::string &name)
{
    return "\"" + name + "\"";
}

bool exists(SQLite::Database &db, const std::string &name)
{
    SQLite::Statement find(db, "SELECT 1 FROM sqlite_schema WHERE name = ?");
    find.bind(1, name);
    return find.executeStep();
}

void createTextIndex(SQLite::Database &db, const std::string &table, const std::string &index)
{
    const std::string t = quotedName(table);
    const std::string i = quotedName(index);
    // detail=none keeps only which rows hold a trigram: half the size of positions, and
    // every candidate is checked by the real like matcher anyway.
    db.exec("CREATE VIRTUAL TABLE " + i +
            " USING fts5(word, meaning, pointer, content=" + t +
            ", content_rowid='rowid', tokenize='trigram', detail=none, columnsize=0)");
    const std::string values = "(new.rowid, new.word, new.meaning, new.pointer)";
    const std::string forget = "INSERT INTO " + i + "(" + i +
                               ", rowid, word, meaning, pointer) VALUES ('delete', old.rowid, "
                               "old.word, old.meaning, old.pointer);";
    db.exec("CREATE TRIGGER " + quotedName(index + "_insert") + " AFTER INSERT ON " + t +
            " BEGIN INSERT INTO " + i + "(rowid, word, meaning, pointer) VALUES " + values +
            "; END");
    db.exec("CREATE TRIGGER " + quotedName(index + "_delete") + " AFTER DELETE ON " + t +
            " BEGIN " + forget + " END");
    db.exec("CREATE TRIGGER " + quotedName(index + "_update") + " AFTER UPDATE ON " + t +
            " BEGIN " + forget + " INSERT INTO " + i + "(rowid, word, meaning, pointer) VALUES " +
            values + "; END");
    // A larger in-memory buffer than the 1 MB default: an import or Delete all of 100,000
    // words then writes its trigrams in a few large pieces rather than many small ones.
    db.exec("INSERT INTO " + i + "(" + i + ", rank) VALUES ('hashsize', 16777216)");
    db.exec("INSERT INTO " + i + "(" + i + ") VALUES ('rebuild')");
}

// The first fill reads every word of the table in one statement; the engine's progress
// handler ticks while it runs. It cannot be broken off: the file is being opened.
void fillWatched(SQLite::Database &db, const QString &table, const std::string &index)
{
    StoreProgress::run(QStringLiteral("Preparing the word search of %1...").arg(table), false,
                       [&](const StoreProgress::Tick &tick) {
                           sqlite3 *handle = db.getHandle();
                           sqlite3_progress_handler(
                               handle, ProgressSteps,
                               [](void *t) {
                                   (*static_cast<const StoreProgress::Tick *>(t))(0, 0);
                                   return 0;
                               },
                               const_cast<StoreProgress::Tick *>(&tick));
                           const auto off = qScopeGuard(
                               [&] { sqlite3_progress_handler(handle, 0, nullptr, nullptr); });
                           createTextIndex(db, table.toStdString(), index);
                       });
}

} // namespace

std::string textIndexName(const QString &table)
{
    return "lexmora_text_" + table.toStdString();
}

void ensure(WordDatabase &db)
{
    SQLite::Database &sql = StoreConnection::of(db);
    for (const QString &table : WordDatabase::collectionTables()) {
        const std::string t = table.toStdString();
        if (!sql.tableExists(t))
            continue;
        const std::string index = textIndexName(table);
        if (!exists(sql, index))
            fillWatched(sql, table, index);
        sql.exec("CREATE INDEX IF NOT EXISTS " + quotedName("lexmora_marked_" + t) + " ON " +
                 quotedName(t) + " (pointer) WHERE pointer = '" +
                 QString(MarkBook::Marker).toStdString() + "'");
    }
}

std::string Probe::indexFor(const std::string &table, const std::string &match)
{
    const QString canonical = WordDatabase::canonicalTable(QString::fromStdString(table));
    if (!WordDatabase::collectionTables().contains(canonical))
        return {};
    const std::string index = textIndexName(canonical);
    try {
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
