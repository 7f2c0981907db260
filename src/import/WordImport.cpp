#include "WordImport.h"

#include "BulkWriter.h"
#include "SheetReader.h"
#include "StoreError.h"
#include "WordDatabase.h"
#include "WordNormalization.h"

#include <QElapsedTimer>

#include <vector>

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
        // A refused row ends the import; the rows before it are kept.
        BulkWriter writer(m_db, table, BulkWriter::Refusal::KeepsRowsBefore);
        // Rows read but not yet written; `read` counts them with the rows saved.
        std::vector<Row> pending;
        pending.reserve(BatchRows);
        qint64 read = 0;
        // Writes the pending rows; false when a row was refused (the rows before it saved).
        const auto flush = [&] {
            if (pending.empty())
                return true;
            const BulkWriter::Outcome done = writer.append(pending);
            result.imported += done.written;
            if (done.written > 0)
                last = pending[size_t(done.written - 1)];
            pending.clear();
            if (done.refused == 0)
                return true;
            result.failed = true;
            result.error = done.firstRefusal;
            return false;
        };
        bool writing = true;
        try {
            for (qint64 row = startRow;; ++row) {
                const SheetCell word = sheet.cell(row, startColumn);
                if (word.isEmpty())
                    break;
                pending.push_back({WordNormalization::normalize(word.toText()),
                                   sheet.cell(row, startColumn + 1).toText(),
                                   sheet.cell(row, startColumn + 2).toText()});
                ++read;
                if (pending.size() == std::size_t(BatchRows) && !(writing = flush()))
                    break;
                if (progress && (read == 1 || sinceProgress.elapsed() >= ProgressMs)) {
                    sinceProgress.restart();
                    if (!progress(read, pending.empty() ? last : pending.back())) {
                        result.stopped = true;
                        break;
                    }
                }
            }
        } catch (const SheetError &e) {
            result.failed = true;
            result.error = e.message();
            // The rows read before the unreadable one are saved; a refusal among them is
            // the reason given.
            flush();
            writing = false;
        }
        // Whatever stopped the loop, the rows saved before it are kept.
        if (writing)
            flush();
        writer.commit();
    } catch (const StoreError &e) {
        // Not even the rows before could be kept: the transaction is rolled back.
        result.failed = true;
        result.error = e.message();
        result.imported = 0;
    }
    if (progress && result.imported > 0)
        progress(result.imported, last);
    return result;
}
