#pragma once

#include "StoreProgress.h"
#include "WordEntry.h"

#include <QString>

#include <memory>
#include <vector>

class WordDatabase;

// Writes many records of one collection table inside one transaction: the import's
// appends, the emptying of a collection. The rows go in statements of BatchRows rows,
// since the text index writes its changes once per statement and one statement a row is
// many times slower. What a refused row (a trigger's refusal, a constraint) does to the
// rest is chosen per writer; a failure that takes the whole transaction with it (SQLite
// may do so on a full disk) leaves nothing to go on with and is thrown as a StoreError.
//
// The transaction begins with the writer and is rolled back when the writer goes without
// commit().
class BulkWriter
{
public:
    static constexpr int BatchRows = 500;

    enum class Refusal {
        FailsAll,        // thrown at once: the caller lets the whole change go
        KeepsRowsBefore, // the rows before the refused one are written; nothing after it
        SkipsTheRow,     // the refused row is left as it was; every other row is written
    };

    // What one append() or remove() did.
    struct Outcome
    {
        qint64 written = 0;   // rows appended or deleted
        qint64 refused = 0;   // rows the engine refused
        QString firstRefusal; // the engine's words for the first refusal
        bool stopped = false; // the tick asked to stop before every row was done
    };

    // Told before each statement and at the end with the rows done so far of all given;
    // false stops before the next statement.
    using Tick = StoreProgress::Tick;

    // Throws StoreError for a table that is not a collection, or when no transaction can
    // be begun.
    BulkWriter(WordDatabase &db, const QString &table, Refusal refusal);
    ~BulkWriter();
    BulkWriter(const BulkWriter &) = delete;
    BulkWriter &operator=(const BulkWriter &) = delete;

    // Appends `rows` at the end of the table, in order.
    Outcome append(const std::vector<WordEntry> &rows, const Tick &tick = {});
    // Deletes the records with these rowids, in the order given.
    Outcome remove(const std::vector<qint64> &rowids, const Tick &tick = {});

    // The rowids of every record of the table, in table order.
    std::vector<qint64> rowids();

    // Makes the writes so far lasting. Throws StoreError.
    void commit();

private:
    struct Statements;
    enum class Kind { Append, Remove };
    template <typename Bind>
    Outcome write(Kind kind, qint64 count, const Bind &bind, const Tick &tick);

    WordDatabase &m_db;
    Refusal m_refusal;
    std::unique_ptr<Statements> m_d;
};
