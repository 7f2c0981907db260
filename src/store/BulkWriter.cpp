#include "BulkWriter.h"

#include "EngineErrors.h"
#include "StoreConnection.h"
#include "StoreError.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>

using EngineErrors::toStoreError;
using EngineErrors::translated;

namespace {

QString collection(const QString &table)
{
    const QString t = WordDatabase::canonicalTable(table);
    if (!WordDatabase::collectionTables().contains(t))
        throw StoreError(QStringLiteral("There is no collection %1.").arg(table));
    return t;
}

} // namespace

struct BulkWriter::Statements
{
    explicit Statements(SQLite::Database &db, const QString &table)
        : db(db), quoted("\"" + table.toStdString() + "\""), transaction(db)
    {
    }

    // The statement for `rows` rows of one kind, prepared once.
    SQLite::Statement &statement(Kind kind, int rows)
    {
        auto &slot = prepared[{kind, rows}];
        if (!slot) {
            const bool append = kind == Kind::Append;
            std::string sql = append ? "INSERT INTO " + quoted + " (word, meaning, pointer) VALUES "
                                     : "DELETE FROM " + quoted + " WHERE rowid IN (";
            for (int i = 0; i < rows; ++i)
                sql += (i ? ", " : "") + std::string(append ? "(?, ?, ?)" : "?");
            if (!append)
                sql += ")";
            slot.emplace(db, sql);
        }
        return *slot;
    }

    SQLite::Database &db;
    std::string quoted;
    SQLite::Transaction transaction;
    std::map<std::pair<Kind, int>, std::optional<SQLite::Statement>> prepared;
};

BulkWriter::BulkWriter(WordDatabase &db, const QString &table, Refusal refusal)
    : m_db(db), m_refusal(refusal)
{
    const QString t = collection(table);
    m_d = translated([&] { return std::make_unique<Statements>(StoreConnection::of(db), t); });
}

BulkWriter::~BulkWriter() = default;

template <typename Bind>
BulkWriter::Outcome BulkWriter::write(Kind kind, qint64 count, const Bind &bind, const Tick &tick)
{
    Outcome outcome;
    sqlite3 *handle = m_d->db.getHandle();
    // Runs `st` over rows first .. first + n - 1; false when the engine refused it.
    const auto run = [&](SQLite::Statement &st, qint64 first, int n, QString &refusal) {
        try {
            for (int i = 0; i < n; ++i)
                bind(st, i, first + i);
            st.exec();
            st.tryReset(); // reset() would throw a failure again
            return true;
        } catch (const SQLite::Exception &e) {
            st.tryReset();
            // SQLite has undone the statement's part; a failure that took the transaction
            // with it leaves nothing to go on with.
            if (sqlite3_get_autocommit(handle) || m_refusal == Refusal::FailsAll)
                throw toStoreError(e);
            refusal = QString::fromUtf8(e.what());
            return false;
        }
    };
    for (qint64 start = 0; start < count; start += BatchRows) {
        if (tick && !tick(outcome.written, count)) {
            outcome.stopped = true;
            return outcome;
        }
        const int n = int(std::min<qint64>(BatchRows, count - start));
        QString refusal;
        if (run(m_d->statement(kind, n), start, n, refusal)) {
            outcome.written += n;
            continue;
        }
        // The batch again a row at a time, to find the rows the engine refuses.
        SQLite::Statement &one = m_d->statement(kind, 1);
        for (qint64 row = start; row < start + n; ++row) {
            if (run(one, row, 1, refusal)) {
                ++outcome.written;
                continue;
            }
            if (++outcome.refused == 1)
                outcome.firstRefusal = refusal;
            if (m_refusal == Refusal::KeepsRowsBefore)
                return outcome;
        }
    }
    if (tick)
        tick(outcome.written, count);
    return outcome;
}

BulkWriter::Outcome BulkWriter::append(const std::vector<WordEntry> &rows, const Tick &tick)
{
    return write(
        Kind::Append, qint64(rows.size()),
        [&](SQLite::Statement &st, int slot, qint64 row) {
            const WordEntry &e = rows[size_t(row)];
            st.bind(3 * slot + 1, e.word.toStdString());
            st.bind(3 * slot + 2, e.meaning.toStdString());
            st.bind(3 * slot + 3, e.pointer.toStdString());
        },
        tick);
}

BulkWriter::Outcome BulkWriter::remove(const std::vector<qint64> &rowids, const Tick &tick)
{
    return write(
        Kind::Remove, qint64(rowids.size()),
        [&](SQLite::Statement &st, int slot, qint64 row) {
            st.bind(slot + 1, int64_t(rowids[size_t(row)]));
        },
        tick);
}

std::vector<qint64> BulkWriter::rowids()
{
    return translated([&] {
        SQLite::Statement all(m_d->db, "SELECT rowid FROM " + m_d->quoted + " ORDER BY rowid");
        std::vector<qint64> ids;
        while (all.executeStep())
            ids.push_back(all.getColumn(0).getInt64());
        return ids;
    });
}

void BulkWriter::commit()
{
    translated([&] { m_d->transaction.commit(); });
}
