#pragma once

#include "StoreError.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <chrono>
#include <memory>

struct sqlite3_stmt;

// The query is stopped because the user asked for it.
class QueryCancelled : public StoreError
{
public:
    QueryCancelled()
        : StoreError(QStringLiteral("The query was stopped before it finished, as you asked. "
                                    "Nothing was changed."))
    {
    }
};

// The rows of one query result. The rows are read from the statement as they are asked
// for: a window can show the first page at once and read the rest a slice at a time, while
// a caller that wants the whole result (rowCount(), a row far down) reads up to it there and
// then. Rows read are kept as text, cells in one buffer so that 100,000 words cost three
// allocations, not 300,000.
//
// A result larger than MaxRows rows or MaxBytes of text is not read beyond that: reading
// stops there and truncated() says so, rather than exhausting memory.
class Snapshot
{
public:
    static constexpr qint64 MaxRows = 5'000'000;
    static constexpr qint64 MaxBytes = qint64(1) << 30;

    // Told while a read goes on; may stop it. The program installs one that shows a
    // progress box with a Cancel button once a read has taken a while.
    class Watch
    {
    public:
        virtual ~Watch() = default;
        virtual void begin() = 0;                      // a read starts
        virtual bool keepGoing(qint64 rowsRead) = 0;   // asked often during the read
        virtual void end() = 0;                        // the read is over
    };
    // nullptr: no watch, reads run to their end.
    static void setWatch(Watch *watch);
    // Asked by the engine at every step of the statement being read (its progress
    // handler): false once the watch wants the read stopped. Outside a read, true.
    static bool keepGoing();

    // What a statement's rows come from: kept open while the statement lives, and the
    // one to put a failed step into the user's words.
    class Source
    {
    public:
        virtual ~Source() = default;
        // Why a step failed with SQLite's result code `rc`, asked right after it.
        virtual QString failure(int rc) const = 0;
    };

    Snapshot();
    ~Snapshot();
    Snapshot(Snapshot &&) noexcept;
    Snapshot &operator=(Snapshot &&) noexcept;

    // Takes over a prepared statement of `source`'s connection; its rows are read when
    // asked for.
    static Snapshot fromStatement(sqlite3_stmt *stmt, std::shared_ptr<Source> source = {});

    // Reading. Each throws StoreError for an error of the engine (QueryCancelled when the
    // watch stopped it), after which the rows read so far stay and nothing more is read.
    // Reads at least `rows` rows (fewer when the result ends), then on for up to `budget`.
    void readFirst(qint64 rows, std::chrono::milliseconds budget) const;
    // Reads on for about `budget`; returns whether rows remain to be read.
    bool readMore(std::chrono::milliseconds budget) const;
    // Reads no more; keeps what was read.
    void stop();

    bool complete() const;
    bool truncated() const;
    qint64 rowsRead() const;

    // The whole result: reads what is left first.
    qint64 rowCount() const;
    int columnCount() const;
    QString columnName(int column) const;

    // Cells; a row not read yet is read first.
    bool isNull(qint64 row, int column) const;
    // The cell as text; a null cell reads as the empty text.
    QString text(qint64 row, int column) const;
    // The cell, or a null QVariant for a null cell or one outside the result.
    QVariant value(qint64 row, int column) const;

private:
    struct Rows;
    bool contains(qint64 row, int column) const;
    template <class Enough> bool read(Enough enough) const;

    std::unique_ptr<Rows> m_d;
};
