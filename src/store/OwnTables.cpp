#include "OwnTables.h"

#include "MarkBook.h"
#include "SearchIndex.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <QDir>
#include <QHash>
#include <QStringList>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

namespace OwnTables {

namespace {

struct SchemaEntry
{
    QString type;
    QString name;  // as stored
    QString table; // the table an index or trigger belongs to, lower case
    QString sql;   // lower case, without quotes
};

// Schema names compare without regard to letter case, as SQLite compares them.
using Schema = QHash<QString, SchemaEntry>;

Schema readSchema(SQLite::Database &db)
{
    Schema schema;
    SQLite::Statement all(db, "SELECT type, name, tbl_name, sql FROM sqlite_schema");
    while (all.executeStep()) {
        SchemaEntry e;
        e.type = QString::fromStdString(all.getColumn(0).getString());
        e.name = QString::fromStdString(all.getColumn(1).getString());
        e.table = QString::fromStdString(all.getColumn(2).getString()).toLower();
        e.sql = QString::fromStdString(all.getColumn(3).getString()).toLower();
        e.sql.remove(QLatin1Char('"')).remove(QLatin1Char('\''));
        schema.insert(e.name.toLower(), e);
    }
    return schema;
}

QStringList columnsOf(SQLite::Database &db, const char *pragma, const QString &name, int column = 1)
{
    SQLite::Statement info(db, std::string("SELECT * FROM ") + pragma + "(?)");
    info.bind(1, name.toStdString());
    QStringList names;
    while (info.executeStep())
        names << QString::fromStdString(info.getColumn(column).getString()).toLower();
    return names;
}

class Checker
{
public:
    Checker(SQLite::Database &db, const QString &path)
        : m_db(db), m_path(path), m_schema(readSchema(db))
    {
    }

    void keptPointers()
    {
        // The word's table and rowid are its key.
        table(QString::fromLatin1(MarkBook::Table), {"tbl", "rid", "word", "pointer"},
              {"1", "2", "0", "0"});
    }

    void fillState()
    {
        table(QString::fromLatin1(SearchIndex::FillStateTable), {"tbl", "filled"}, {"1", "0"});
    }

    void wordTable(const QString &table)
    {
        index(table + QStringLiteral("_word"), table, QStringLiteral("word"));
        index(table + QStringLiteral("_word_nocase"), table, QStringLiteral("word"));
        index(QStringLiteral("lexmora_marked_") + table, table, QStringLiteral("pointer"));

        textIndex(QString::fromStdString(SearchIndex::textIndexName(table)), table);
        textIndex(QString::fromStdString(SearchIndex::fillIndexName(table)), table);
        const QString marks = QString::fromLatin1(MarkBook::TriggerPrefix) + table;
        for (const char *event : {"delete", "update"})
            trigger(marks + QLatin1Char('_') + QLatin1String(event), table, event,
                    QString::fromLatin1(MarkBook::Table));
    }

private:
    // A table of ours: these columns, with these places in its primary key.
    void table(const QString &name, const QStringList &columns, const QStringList &keys)
    {
        const SchemaEntry *e = find(name);
        if (!e)
            return;
        if (e->type != QLatin1String("table"))
            refuse(*e, QStringLiteral("it is a %1, not a table").arg(e->type));
        const QStringList found = columnsOf(m_db, "pragma_table_info", e->name);
        if (found != columns || columnsOf(m_db, "pragma_table_info", e->name, 5) != keys)
            refuse(*e, QStringLiteral("its columns are %1").arg(found.join(QStringLiteral(", "))));
    }

    // A trigram index of ours (complete or growing) with its tables and triggers.
    void textIndex(const QString &text, const QString &table)
    {
        const SchemaEntry *e = find(text);
        const QString ours = QStringLiteral("create virtual table %1 using fts5(word, meaning, "
                                            "pointer, content=%2,")
                                 .arg(text, table)
                                 .toLower();
        if (e && !e->sql.startsWith(ours))
            refuse(*e, QStringLiteral("it is not the text index of %1").arg(table));
        // The text index's own tables; without the index, they can only be someone else's.
        if (!e)
            for (const char *part : {"_data", "_idx", "_config", "_content", "_docsize"})
                if (const SchemaEntry *shadow = find(text + QLatin1String(part)))
                    refuse(*shadow, QStringLiteral("the text index of %1 is not there").arg(table));

        for (const char *event : {"insert", "delete", "update"})
            trigger(text + QLatin1Char('_') + QLatin1String(event), table, event, text);
    }

    const SchemaEntry *find(const QString &name) const
    {
        const auto it = m_schema.constFind(name.toLower());
        return it == m_schema.constEnd() ? nullptr : &*it;
    }

    void index(const QString &name, const QString &table, const QString &column)
    {
        const SchemaEntry *e = find(name);
        if (!e)
            return;
        if (e->type == QLatin1String("index") && madeByUs(*e, name, table, column))
            return;
        if (e->type != QLatin1String("index") || e->table != table.toLower() ||
            columnsOf(m_db, "pragma_index_info", e->name, 2) != QStringList{column})
            refuse(*e, QStringLiteral("it is not an index of %1 by %2").arg(table, column));
    }

    // The text our CREATE INDEX left in the schema: an index of `table` by `column` alone
    // (maybe without regard to case, maybe of some rows), so every open need not ask the
    // engine for its columns.
    static bool madeByUs(const SchemaEntry &e, const QString &name, const QString &table,
                         const QString &column)
    {
        const QString head = QStringLiteral("create index %1 on %2 (%3").arg(name, table, column).toLower();
        if (!e.sql.startsWith(head))
            return false;
        const QStringView rest = QStringView(e.sql).mid(head.size());
        return rest.startsWith(u")") || rest.startsWith(u" collate nocase)");
    }

    void trigger(const QString &name, const QString &table, const char *event,
                 const QString &target)
    {
        const SchemaEntry *e = find(name);
        if (!e)
            return;
        const QString when = QStringLiteral("after %1 on ").arg(QLatin1String(event));
        if (e->type != QLatin1String("trigger") || e->table != table.toLower() ||
            !e->sql.contains(when) || !e->sql.contains(target.toLower()))
            refuse(*e, QStringLiteral("it does not keep %1 up to date with %2").arg(target, table));
    }

    [[noreturn]] void refuse(const SchemaEntry &e, const QString &why)
    {
        throw StoreError(QStringLiteral("The word database %1 holds a %2 named %3 that Lexmora did "
                                        "not make (%4). Lexmora keeps its own data under that "
                                        "name, so it cannot use this file; rename or remove that "
                                        "%2 with another program first. The file was left as it "
                                        "is.")
                             .arg(QDir::toNativeSeparators(m_path), e.type, e.name, why));
    }

    SQLite::Database &m_db;
    QString m_path;
    Schema m_schema;
};

} // namespace

void check(SQLite::Database &db, const QString &path)
{
    Checker checker(db, path);
    checker.keptPointers();
    checker.fillState();
    for (const QString &table : WordDatabase::collectionTables())
        if (db.tableExists(table.toStdString()))
            checker.wordTable(table);
}

} // namespace OwnTables
