#include "WordImport.h"

#include "SheetReader.h"
#include "StoreError.h"
#include "WordDatabase.h"
#include "WordNormalization.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <QElapsedTimer>
#include <QScopeGuard>
#include <sqlite3.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// Writes rows in multi-row INSERT statements. The text index on the word tables writes its
// changes once per statement, so one statement a row is many times slower.
class RowWriter
{
public:
    RowWriter(WordDatabase &db, const QString &table)
        : m_db(db),
          m_into("INSERT INTO \"" + table.toStdString() + "\" (word, meaning, pointer) VALUES "),
          m_one(db.sql(), m_into + "(?, ?, ?)")
    {
    }

    // Writes `rows` in order, calling `saved` for each row written. When the statement
    // fails, SQLite undoes it and the rows go again one at a time, so that every row
    // before the failing one is saved; the failure is then thrown.
    template<typename Saved>
    void write(const std::vector<WordImport::Row> &rows, const Saved &saved)
    {
        SQLite::Statement &batch = statementFor(rows.size());
        bool done = true;
        try {
            int i = 0;
            for (const WordImport::Row &r : rows)
                bind(batch, i++, r);
            batch.exec();
        } catch (const SQLite::Exception &) {
            // A failure that took the whole transaction with it (SQLite may do so on a full
            // disk) leaves nothing to go on with.
            if (sqlite3_get_autocommit(m_db.sql().getHandle()))
                throw;
            done = false;
        }
        batch.tryReset(); // reset() would throw the failure again
        if (done) {
            for (const WordImport::Row &r : rows)
                saved(r);
            return;
        }
        for (const WordImport::Row &r : rows) {
            const auto reset = qScopeGuard([this] { m_one.tryReset(); });
            bind(m_one, 0, r);
            m_one.exec();
            saved(r);
        }
    }

private:
    static void bind(SQLite::Statement &st, int row, const WordImport::Row &r)
    {
        st.bind(3 * row + 1, r.word.toStdString());
        st.bind(3 * row + 2, r.meaning.toStdString());
        st.bind(3 * row + 3, r.pointer.toStdString());
    }

    SQLite::Statement &statementFor(std::size_t rows)
    {
        if (!m_batch || std::size_t(m_batch->getBindParameterCount()) != 3 * rows) {
            std::string sql = m_into + "(?, ?, ?)";
            for (std::size_t i = 1; i < rows; ++i)
                sql += ", (?, ?, ?)";
            m_batch.emplace(m_db.sql(), sql);
        }
        return *m_batch;
    }

    WordDatabase &m_db;
    std::string m_into;
    SQLite::Statement m_one;
    std::optional<SQLite::Statement> m_batch;
};

} // namespace

WordImport::Result WordImport::run(SheetReader &sheet, qint64 startRow, int startColumn,
                                   const Progress &progress)
{
    Result result;
    const QString table = WordDatabase::canonicalTable(m_table);
    if (table.isEmpty()) {
        result.failed = true;
        result.error = QStringLiteral("There is no collection %1.").arg(m_table);
        return result;
    }
    Row last; // the last row saved
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    try {
        SQLite::Transaction transaction(m_db.sql());
        RowWriter writer(m_db, table);
        // Rows read but not yet written; `read` counts them with the rows saved.
        std::vector<Row> pending;
        pending.reserve(BatchRows);
        qint64 read = 0;
        const auto flush = [&] {
            if (pending.empty())
                return;
            // On a failure the rows saved before the failing one are counted all the same.
            const auto clear = qScopeGuard([&] { pending.clear(); });
            writer.write(pending, [&](const Row &saved) {
                ++result.imported;
                last = saved;
            });
        };
        // Whatever stops the loop, the rows saved before it are kept.
        const auto commit = [&] { transaction.commit(); };
        try {
            for (qint64 row = startRow;; ++row) {
                const SheetCell word = sheet.cell(row, startColumn);
                if (word.isEmpty())
                    break;
                pending.push_back({WordNormalization::normalize(word.toText()),
                                   sheet.cell(row, startColumn + 1).toText(),
                                   sheet.cell(row, startColumn + 2).toText()});
                ++read;
                if (pending.size() == std::size_t(BatchRows))
                    flush();
                if (progress && (read == 1 || sinceProgress.elapsed() >= ProgressMs)) {
                    sinceProgress.restart();
                    if (!progress(read, pending.empty() ? last : pending.back())) {
                        result.stopped = true;
                        break;
                    }
                }
            }
            flush();
        } catch (const SheetError &e) {
            result.failed = true;
            result.error = e.message();
            try {
                flush(); // the rows read before the unreadable one
            } catch (const SQLite::Exception &w) {
                result.error = QString::fromUtf8(w.what());
            }
        } catch (const SQLite::Exception &e) {
            result.failed = true;
            result.error = QString::fromUtf8(e.what());
        }
        commit();
    } catch (const SQLite::Exception &e) {
        // Not even the rows before could be kept: the transaction is rolled back.
        result.failed = true;
        result.error = QString::fromUtf8(e.what());
        result.imported = 0;
    }
    if (progress && result.imported > 0)
        progress(result.imported, last);
    return result;
}
