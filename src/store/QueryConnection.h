#pragma once

#include "ReadingGuard.h"
#include "Snapshot.h"

#include <QString>

#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

// The connection queries run on, apart from the program's own. It cannot write, whatever
// a statement, function, pragma or later step of one tries, and whatever the engine adds
// next: it is opened read-only and with query_only. The reading guard authorizes every
// statement prepared on it for as long as it is open, including those a table-valued
// function prepares only once its rows are read. Limits keep one query from taking the
// machine's memory, and its progress handler asks the read's watch at every step, so
// Cancel stops any statement.
class QueryConnection : public Snapshot::Source
{
public:
    // The longest text or blob a query may make; a meaning is not a book.
    static constexpr int MaxValueBytes = 1'000'000;
    // The longest statement, far beyond anything typed into the SQL box.
    static constexpr int MaxSqlBytes = 100'000;
    // The engine's memory, for the whole process (SQLite knows only process-wide limits).
    // Above the soft limit it gives back cached pages; at the hard limit an allocation
    // fails and the statement ends with "out of memory". The program's own work stays far
    // below both: at 100,000 words, an import, emptying a collection or a sorted query
    // peaks at 15 to 35 MB of the engine's memory, and no connection's page cache passes
    // 64 MB. So only a runaway query ever meets them.
    static constexpr qint64 SoftHeapLimit = qint64(256) << 20;
    static constexpr qint64 HardHeapLimit = qint64(512) << 20;

    // Opens the word database at `path` for queries; throws StoreError.
    static std::shared_ptr<QueryConnection> open(const QString &path);
    ~QueryConnection() override;
    QueryConnection(const QueryConnection &) = delete;
    QueryConnection &operator=(const QueryConnection &) = delete;

    // Prepares `sql`, which must be one statement that reads and returns rows; otherwise
    // throws StoreError saying why it is refused.
    sqlite3_stmt *prepare(const std::string &sql);
    // Whether a statement prepared here is still alive (its rows not all read).
    bool busy() const;

    QString failure(int rc) const override;

private:
    QueryConnection() = default;
    void configure();

    sqlite3 *m_handle = nullptr;
    ReadingGuard m_guard;
};
