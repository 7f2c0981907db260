#include "ReviewBook.h"

#include "EngineErrors.h"
#include "MarkBook.h"
#include "StoreConnection.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>

#include <cstdint>
#include <SQLiteCpp/Transaction.h>
#include <QDir>

#include <optional>

namespace ReviewBook {

namespace {

using Columns = QStringList;

struct OwnTable
{
    const char *name;
    Columns columns;
    const char *definition;
};

const std::vector<OwnTable> &ownTables()
{
    static const std::vector<OwnTable> tables{
        {AnswersTable,
         {"tbl", "rid", "at", "right", "ms", "grade"},
         "(tbl TEXT NOT NULL, rid INTEGER NOT NULL, at INTEGER NOT NULL, right INTEGER NOT NULL, "
         "ms INTEGER NOT NULL, grade INTEGER NOT NULL)"},
        {ReviewTable,
         {"tbl", "rid", "stability", "difficulty", "last_at", "last_day", "due_day", "known",
          "reps", "wrong"},
         "(tbl TEXT NOT NULL, rid INTEGER NOT NULL, stability REAL NOT NULL, difficulty REAL NOT "
         "NULL, last_at INTEGER NOT NULL, last_day INTEGER NOT NULL, due_day INTEGER NOT NULL, "
         "known INTEGER NOT NULL, reps INTEGER NOT NULL, wrong INTEGER NOT NULL, "
         "PRIMARY KEY (tbl, rid))"},
        {QuizzesTable,
         {"tbl", "at", "asked", "correct", "score"},
         "(tbl TEXT NOT NULL, at INTEGER NOT NULL, asked INTEGER NOT NULL, correct INTEGER NOT "
         "NULL, score INTEGER NOT NULL)"}};
    return tables;
}

struct OwnIndex
{
    const char *name;
    const char *table;
    const char *columns;
};

// The answers by record (for the triggers), the memories by due day (the quiz's choice and
// the count due today), by state and due day (learning and known), by wrong answers (the
// words answered wrongly most often), and the quizzes by time.
const std::vector<OwnIndex> &ownIndexes()
{
    static const std::vector<OwnIndex> indexes{
        {"lexmora_answers_record", AnswersTable, "tbl, rid"},
        {"lexmora_review_due", ReviewTable, "tbl, due_day, rid"},
        {"lexmora_review_state", ReviewTable, "tbl, known, due_day"},
        {"lexmora_review_wrong", ReviewTable, "tbl, wrong"},
        {"lexmora_quizzes_time", QuizzesTable, "tbl, at"}};
    return indexes;
}

std::string collection(const QString &table)
{
    const QString t = WordDatabase::canonicalTable(table);
    if (t.isEmpty() || t == QLatin1String("Details"))
        throw StoreError(QStringLiteral("There is no collection called %1.").arg(table));
    return t.toStdString();
}

[[noreturn]] void refuse(const QString &path, const QString &type, const QString &name,
                         const QString &why)
{
    throw StoreError(QStringLiteral("The word database %1 holds a %2 named %3 that Lexmora did not "
                                    "make (%4). Lexmora keeps its own data under that name, so it "
                                    "cannot use this file; rename or remove that %2 with another "
                                    "program first. The file was left as it is.")
                         .arg(QDir::toNativeSeparators(path), type, name, why));
}

struct SchemaObject
{
    QString type;
    QString table; // the table an index or trigger belongs to
    std::string sql;
};

// The schema object of that name (in any letter case, as SQLite compares names), if any.
std::optional<SchemaObject> schemaObject(SQLite::Database &sql, const QString &name)
{
    SQLite::Statement find(sql, "SELECT type, tbl_name, coalesce(sql, '') FROM sqlite_schema "
                                "WHERE lower(name) = lower(?)");
    find.bind(1, name.toStdString());
    if (!find.executeStep())
        return std::nullopt;
    return SchemaObject{QString::fromStdString(find.getColumn(0).getString()),
                        QString::fromStdString(find.getColumn(1).getString()),
                        find.getColumn(2).getString()};
}

Columns columnsOf(SQLite::Database &sql, const char *pragma, const QString &name, int column)
{
    SQLite::Statement info(sql, std::string("SELECT * FROM ") + pragma + "(?)");
    info.bind(1, name.toStdString());
    Columns names;
    while (info.executeStep())
        names << QString::fromStdString(info.getColumn(column).getString()).toLower();
    return names;
}

std::string deleteTrigger(const std::string &t)
{
    return std::string(TriggerPrefix) + t + "_delete";
}

std::string rowidTrigger(const std::string &t)
{
    return std::string(TriggerPrefix) + t + "_rowid";
}

} // namespace

void checkShape(WordDatabase &db, const QString &path)
{
    EngineErrors::translated([&] {
        SQLite::Database &sql = StoreConnection::of(db);
        for (const OwnTable &table : ownTables()) {
            const auto found = schemaObject(sql, QLatin1String(table.name));
            if (!found)
                continue;
            if (found->type != QLatin1String("table"))
                refuse(path, found->type, QLatin1String(table.name),
                       QStringLiteral("it is a %1, not a table").arg(found->type));
            const Columns columns = columnsOf(sql, "pragma_table_info", table.name, 1);
            if (columns != table.columns)
                refuse(path, found->type, QLatin1String(table.name),
                       QStringLiteral("its columns are %1").arg(columns.join(QStringLiteral(", "))));
        }
        for (const OwnIndex &index : ownIndexes()) {
            const auto found = schemaObject(sql, QLatin1String(index.name));
            const Columns expected = QString::fromLatin1(index.columns)
                                         .split(QStringLiteral(", "));
            if (found && (found->type != QLatin1String("index") ||
                          found->table.toLower() != QLatin1String(index.table) ||
                          columnsOf(sql, "pragma_index_info", index.name, 2) != expected))
                refuse(path, found->type, QLatin1String(index.name),
                       QStringLiteral("it is not an index of %1").arg(index.table));
        }
        for (const QString &table : WordDatabase::collectionTables()) {
            const std::string t = table.toStdString();
            // Each trigger of ours writes our table with the statement it was made with.
            const std::pair<std::string, std::string> triggers[] = {
                {deleteTrigger(t), std::string("DELETE FROM ") + ReviewTable + " WHERE"},
                {rowidTrigger(t), std::string("UPDATE ") + ReviewTable + " SET rid"}};
            for (const auto &[name, statement] : triggers) {
                const QString trigger = QString::fromStdString(name);
                const auto found = schemaObject(sql, trigger);
                if (!found)
                    continue;
                const bool ours = found->type == QLatin1String("trigger") &&
                                  found->sql.find(statement) != std::string::npos &&
                                  found->table.compare(table, Qt::CaseInsensitive) == 0;
                if (!ours)
                    refuse(path, found->type, trigger,
                           QStringLiteral("it does not keep the review history of %1").arg(table));
            }
        }
    });
}

void prepare(WordDatabase &db)
{
    SQLite::Database &sql = StoreConnection::of(db);
    for (const OwnTable &table : ownTables())
        sql.exec(std::string("CREATE TABLE IF NOT EXISTS ") + table.name + " " + table.definition);
    for (const OwnIndex &index : ownIndexes())
        sql.exec(std::string("CREATE INDEX IF NOT EXISTS ") + index.name + " ON " + index.table +
                 " (" + index.columns + ")");
    for (const QString &table : WordDatabase::collectionTables()) {
        if (!db.hasTable(table))
            continue;
        const std::string t = table.toStdString();
        const std::string record = " WHERE tbl = '" + t + "' AND rid = old.rowid;";
        sql.exec("CREATE TRIGGER IF NOT EXISTS " + deleteTrigger(t) + " AFTER DELETE ON " + t +
                 " BEGIN DELETE FROM " + AnswersTable + record + " DELETE FROM " + ReviewTable +
                 record + " END");
        sql.exec("CREATE TRIGGER IF NOT EXISTS " + rowidTrigger(t) + " AFTER UPDATE ON " + t +
                 " WHEN new.rowid IS NOT old.rowid BEGIN UPDATE " + AnswersTable +
                 " SET rid = new.rowid" + record + " UPDATE " + ReviewTable +
                 " SET rid = new.rowid" + record + " END");
    }
}

qint64 dayOf(const QDateTime &at)
{
    return at.toLocalTime().date().toJulianDay();
}

ReviewModel::Grade recordAnswer(WordDatabase &db, const Answer &answer)
{
    return EngineErrors::translated([&] {
        const std::string t = collection(answer.table);
        SQLite::Database &sql = StoreConnection::of(db);
        const ReviewModel::Grade grade = ReviewModel::gradeFor(answer.right, answer.milliseconds);
        const qint64 today = dayOf(answer.at);
        SQLite::Transaction tx(sql);

        SQLite::Statement exists(sql, "SELECT EXISTS (SELECT 1 FROM " + t + " WHERE rowid = ?)");
        exists.bind(1, std::int64_t(answer.rowid));
        exists.executeStep();
        if (exists.getColumn(0).getInt() != 0) {
            SQLite::Statement before(sql, std::string("SELECT stability, difficulty, last_day, "
                                                      "reps, wrong FROM ") +
                                              ReviewTable + " WHERE tbl = ? AND rid = ?");
            before.bind(1, t);
            before.bind(2, std::int64_t(answer.rowid));
            ReviewModel::Memory memory;
            qint64 reps = 0, wrong = 0;
            if (before.executeStep()) {
                const ReviewModel::Memory was{before.getColumn(0).getDouble(),
                                              before.getColumn(1).getDouble()};
                // A clock set back counts as the same day.
                const qint64 elapsed = std::max<qint64>(0, today - before.getColumn(2).getInt64());
                memory = ReviewModel::next(was, int(std::min<qint64>(elapsed, 1 << 30)), grade);
                reps = before.getColumn(3).getInt64();
                wrong = before.getColumn(4).getInt64();
            } else {
                memory = ReviewModel::first(grade);
            }
            before.reset();
            const int interval = ReviewModel::intervalDays(memory.stability);
            SQLite::Statement write(sql, std::string("INSERT OR REPLACE INTO ") + ReviewTable +
                                             " (tbl, rid, stability, difficulty, last_at, "
                                             "last_day, due_day, known, reps, wrong) VALUES "
                                             "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
            write.bind(1, t);
            write.bind(2, std::int64_t(answer.rowid));
            write.bind(3, memory.stability);
            write.bind(4, memory.difficulty);
            write.bind(5, std::int64_t(answer.at.toMSecsSinceEpoch()));
            write.bind(6, std::int64_t(today));
            write.bind(7, std::int64_t(today + interval));
            write.bind(8, interval >= KnownAfterDays ? 1 : 0);
            write.bind(9, std::int64_t(reps + 1));
            write.bind(10, std::int64_t(wrong + (answer.right ? 0 : 1)));
            write.exec();

            SQLite::Statement log(sql, std::string("INSERT INTO ") + AnswersTable +
                                           " (tbl, rid, at, right, ms, grade) VALUES "
                                           "(?, ?, ?, ?, ?, ?)");
            log.bind(1, t);
            log.bind(2, std::int64_t(answer.rowid));
            log.bind(3, std::int64_t(answer.at.toMSecsSinceEpoch()));
            log.bind(4, answer.right ? 1 : 0);
            log.bind(5, std::int64_t(std::max<qint64>(0, answer.milliseconds)));
            log.bind(6, int(grade));
            log.exec();
        }
        if (!answer.right)
            MarkBook::markWordWithin(db, answer.table, answer.word);
        tx.commit();
        return grade;
    });
}

void recordQuiz(WordDatabase &db, const QString &table, const QDateTime &at, qint64 asked,
                qint64 correct)
{
    EngineErrors::translated([&] {
        SQLite::Statement add(StoreConnection::of(db),
                              std::string("INSERT INTO ") + QuizzesTable +
                                  " (tbl, at, asked, correct, score) VALUES (?, ?, ?, ?, ?)");
        add.bind(1, collection(table));
        add.bind(2, std::int64_t(at.toMSecsSinceEpoch()));
        add.bind(3, std::int64_t(asked));
        add.bind(4, std::int64_t(correct));
        add.bind(5, std::int64_t(100 * correct));
        add.exec();
    });
}

} // namespace ReviewBook
