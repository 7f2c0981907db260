#include "RowChanges.h"

#include "WordDatabase.h"

#include <sqlite3.h>

#include <cstring>

namespace {

// The collection table a name stands for (the engine reports the name as the schema
// spells it), or -1.
int tableIndex(const char *name)
{
    // Every collection table's name starts with "Words"; most changes are to other tables.
    if (::strncasecmp(name, "words", 5) != 0)
        return -1;
    const QStringList &tables = WordDatabase::collectionTables();
    for (int i = 0; i < tables.size(); ++i)
        if (tables[i].compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

RowChanges::RowChanges(sqlite3 *db) : m_db(db)
{
    sqlite3_update_hook(m_db, &RowChanges::rowChanged, this);
    sqlite3_rollback_hook(m_db, &RowChanges::rolledBack, this);
}

RowChanges::~RowChanges()
{
    sqlite3_update_hook(m_db, nullptr, nullptr);
    sqlite3_rollback_hook(m_db, nullptr, nullptr);
}

void RowChanges::rowChanged(void *self, int op, const char *db, const char *table, qint64 rowid)
{
    auto *changes = static_cast<RowChanges *>(self);
    // A change of a field keeps the record where it is.
    if (op == SQLITE_UPDATE || std::strcmp(db, "main") != 0)
        return;
    const int index = tableIndex(table);
    if (index < 0)
        return;
    ++changes->m_next;
    if (changes->m_entries.size() >= MaxKept) {
        changes->forgetAll();
        return;
    }
    changes->m_entries.push_back({index, {op == SQLITE_INSERT, rowid}});
}

void RowChanges::rolledBack(void *self)
{
    static_cast<RowChanges *>(self)->forgetAll();
}

void RowChanges::forgetAll()
{
    // An empty step in the sequence: every point before it is unknown from now on.
    ++m_next;
    m_entries.clear();
    m_first = m_next;
    // A rollback takes back changes the counts took in, yet leaves the change counter.
    m_counted.fill(Counted());
}

std::optional<std::vector<RowChanges::Change>> RowChanges::since(const QString &table,
                                                                 quint64 point) const
{
    if (point < m_first || point > m_next)
        return std::nullopt;
    const int index = WordDatabase::collectionTables().indexOf(table);
    if (index < 0)
        return std::nullopt;
    std::vector<Change> out;
    for (size_t i = size_t(point - m_first); i < m_entries.size(); ++i)
        if (m_entries[i].table == index)
            out.push_back(m_entries[i].change);
    return out;
}

RowChanges::Counted &RowChanges::counted(const QString &table)
{
    const qsizetype index = WordDatabase::collectionTables().indexOf(table);
    if (index < 0) {
        // Details and the like are small; their count is never kept.
        m_counted.back() = Counted();
        return m_counted.back();
    }
    return m_counted[size_t(index)];
}
