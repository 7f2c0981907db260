#include "ReviewQueries.h"

#include "EngineErrors.h"
#include "ReviewBook.h"
#include "StoreConnection.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>

#include <cstdint>

namespace ReviewQueries {

namespace {

using ReviewBook::AnswersTable;
using ReviewBook::QuizzesTable;
using ReviewBook::ReviewTable;

std::string collection(const QString &table)
{
    const QString t = WordDatabase::canonicalTable(table);
    if (t.isEmpty() || t == QLatin1String("Details"))
        throw StoreError(QStringLiteral("There is no collection called %1.").arg(table));
    return t.toStdString();
}

QString text(const SQLite::Column &c)
{
    return QString::fromStdString(c.getString());
}

qint64 countOf(SQLite::Database &sql, const std::string &query, const std::string &t,
               std::optional<qint64> day = std::nullopt)
{
    SQLite::Statement count(sql, query);
    count.bind(1, t);
    if (day)
        count.bind(2, std::int64_t(*day));
    count.executeStep();
    return count.getColumn(0).getInt64();
}

} // namespace

std::vector<qint64> overdue(WordDatabase &db, const QString &table, qint64 day, int limit)
{
    return EngineErrors::translated([&] {
        SQLite::Statement due(StoreConnection::of(db),
                              std::string("SELECT rid FROM ") + ReviewTable +
                                  " WHERE tbl = ? AND due_day <= ? ORDER BY due_day, rid LIMIT ?");
        due.bind(1, collection(table));
        due.bind(2, std::int64_t(day));
        due.bind(3, limit);
        std::vector<qint64> rowids;
        while (due.executeStep())
            rowids.push_back(due.getColumn(0).getInt64());
        return rowids;
    });
}

std::optional<qint64> firstNew(WordDatabase &db, const QString &table, qint64 afterRowid)
{
    return EngineErrors::translated([&]() -> std::optional<qint64> {
        const std::string t = collection(table);
        SQLite::Statement next(StoreConnection::of(db),
                               "SELECT w.rowid FROM " + t + " w WHERE w.rowid > ? AND NOT EXISTS "
                               "(SELECT 1 FROM " + ReviewTable +
                                   " r WHERE r.tbl = ? AND r.rid = w.rowid) ORDER BY w.rowid "
                                   "LIMIT 1");
        next.bind(1, std::int64_t(afterRowid));
        next.bind(2, t);
        if (!next.executeStep())
            return std::nullopt;
        return next.getColumn(0).getInt64();
    });
}

std::optional<Entry> entryAt(WordDatabase &db, const QString &table, qint64 rowid)
{
    return EngineErrors::translated([&]() -> std::optional<Entry> {
        SQLite::Statement row(StoreConnection::of(db), "SELECT word, meaning FROM " +
                                                           collection(table) + " WHERE rowid = ?");
        row.bind(1, std::int64_t(rowid));
        if (!row.executeStep())
            return std::nullopt;
        return Entry{text(row.getColumn(0)), text(row.getColumn(1))};
    });
}

Counts counts(WordDatabase &db, const QString &table, qint64 day)
{
    return EngineErrors::translated([&] {
        const std::string t = collection(table);
        SQLite::Database &sql = StoreConnection::of(db);
        const std::string from = std::string("SELECT count(*) FROM ") + ReviewTable;
        Counts c;
        c.due = countOf(sql, from + " WHERE tbl = ? AND due_day <= ?", t, day);
        c.learning = countOf(sql, from + " WHERE tbl = ? AND known = 0 AND due_day > ?", t, day);
        c.known = countOf(sql, from + " WHERE tbl = ? AND known = 1 AND due_day > ?", t, day);
        const qint64 answered = countOf(sql, from + " WHERE tbl = ?", t);
        SQLite::Statement all(sql, "SELECT count(*) FROM " + t);
        all.executeStep();
        c.newWords = std::max<qint64>(0, all.getColumn(0).getInt64() - answered);
        return c;
    });
}

std::vector<Quiz> quizzes(WordDatabase &db, const QString &table)
{
    return EngineErrors::translated([&] {
        SQLite::Statement all(StoreConnection::of(db),
                              std::string("SELECT at, asked, correct, score FROM ") +
                                  QuizzesTable + " WHERE tbl = ? AND asked > 0 ORDER BY at");
        all.bind(1, collection(table));
        std::vector<Quiz> out;
        while (all.executeStep())
            out.push_back({QDateTime::fromMSecsSinceEpoch(all.getColumn(0).getInt64()),
                           all.getColumn(1).getInt64(), all.getColumn(2).getInt64(),
                           all.getColumn(3).getInt64()});
        return out;
    });
}

std::vector<Missed> mostMissed(WordDatabase &db, const QString &table, int limit)
{
    return EngineErrors::translated([&] {
        const std::string t = collection(table);
        SQLite::Statement top(StoreConnection::of(db),
                              "SELECT r.rid, w.word, w.meaning, r.wrong FROM " +
                                  std::string(ReviewTable) + " r INDEXED BY lexmora_review_wrong "
                                  "JOIN " + t + " w ON w.rowid = r.rid WHERE r.tbl = ? AND "
                                  "r.wrong > 0 ORDER BY r.wrong DESC, r.rid LIMIT ?");
        top.bind(1, t);
        top.bind(2, limit);
        std::vector<Missed> out;
        while (top.executeStep())
            out.push_back({top.getColumn(0).getInt64(), text(top.getColumn(1)),
                           text(top.getColumn(2)), top.getColumn(3).getInt64()});
        return out;
    });
}

std::optional<Memory> memoryOf(WordDatabase &db, const QString &table, qint64 rowid)
{
    return EngineErrors::translated([&]() -> std::optional<Memory> {
        SQLite::Statement one(StoreConnection::of(db),
                              std::string("SELECT stability, difficulty, last_day, due_day, known, "
                                          "reps, wrong FROM ") +
                                  ReviewTable + " WHERE tbl = ? AND rid = ?");
        one.bind(1, collection(table));
        one.bind(2, std::int64_t(rowid));
        if (!one.executeStep())
            return std::nullopt;
        return Memory{one.getColumn(0).getDouble(), one.getColumn(1).getDouble(),
                      one.getColumn(2).getInt64(), one.getColumn(3).getInt64(),
                      one.getColumn(4).getInt() != 0, one.getColumn(5).getInt64(),
                      one.getColumn(6).getInt64()};
    });
}

qint64 answerCount(WordDatabase &db, const QString &table)
{
    return EngineErrors::translated([&] {
        return countOf(StoreConnection::of(db),
                       std::string("SELECT count(*) FROM ") + AnswersTable + " WHERE tbl = ?",
                       collection(table));
    });
}

} // namespace ReviewQueries
