#pragma once

#include <QString>

#include <array>
#include <optional>
#include <vector>

struct sqlite3;

// The records this connection has added to and deleted from the collection tables, as the
// engine reports them row by row, so a record set can bring its list of rowids up to date
// instead of reading it again after each change of its own program. Changes are counted
// from one sequence; what cannot be known exactly (a rolled-back transaction, more changes
// than are kept) makes every earlier point unknown, and the reader then reads afresh.
class RowChanges
{
public:
    // Beyond this many, changes are not kept: reading the list again is then cheaper.
    static constexpr size_t MaxKept = 4096;

    struct Change
    {
        bool added = false; // else deleted
        qint64 rowid = 0;
    };

    explicit RowChanges(sqlite3 *db);
    ~RowChanges();
    RowChanges(const RowChanges &) = delete;
    RowChanges &operator=(const RowChanges &) = delete;

    // A table's last count and ends, shared by every record set of the connection; valid
    // while the connection's change counter and the file's data version are as they were.
    struct Counted
    {
        qint64 dataVersion = -1;
        qint64 changes = -1;
        qint64 count = 0;
        qint64 firstRowid = 0;
        qint64 lastRowid = 0;
    };
    Counted &counted(const QString &table);

    // The point reached: every change so far lies before it.
    quint64 now() const { return m_next; }
    // The additions and deletions of the collection table `table` since `point`, in the
    // order made, or nothing when they are not known.
    std::optional<std::vector<Change>> since(const QString &table, quint64 point) const;
    // Every point so far becomes unknown, and every kept count with it: for writes the
    // engine does not report row by row, such as pages put in place by the backup API.
    void forgetAll();

private:
    struct Entry
    {
        int table;
        Change change;
    };
    static void rowChanged(void *self, int op, const char *db, const char *table, qint64 rowid);
    static void rolledBack(void *self);

    sqlite3 *m_db;
    std::vector<Entry> m_entries; // the changes from m_first on
    std::array<Counted, 7> m_counted; // the six collection tables, then any other
    quint64 m_first = 0;
    quint64 m_next = 0;
};
