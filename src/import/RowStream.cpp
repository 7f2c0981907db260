#include "RowStream.h"

#include <limits>

using namespace SheetLimits;

void RowStreamReader::restart()
{
    m_row = Row{};
    m_hasRow = false;
    m_ended = false;
    m_previousEnd = 1;
    m_failure.reset();
    m_failedAt = 0;
}

void RowStreamReader::rowPastSheet(qint64 row) const
{
    throw SheetError(QStringLiteral("%1 is damaged: it numbers a row %2, past the last row a "
                                    "sheet can have (%L3).")
                         .arg(fileName())
                         .arg(row)
                         .arg(maxRows()));
}

void RowStreamReader::addCell(Row &row, qint64 column, qint64 count, SheetCell cell, bool tooLong)
{
    if (!tooLong && cell.kind == SheetCell::Kind::Empty)
        return;
    if (column < 1 || count < 1 || column > MaxColumns || count > MaxColumns - column + 1)
        throw SheetError(QStringLiteral("%1: row %2 has a cell past the last column a sheet can "
                                        "have (%L3).")
                             .arg(fileName())
                             .arg(row.first)
                             .arg(MaxColumns));
    if (row.cells.size() >= std::size_t(MaxColumns))
        throw SheetError(QStringLiteral("%1 is damaged: row %2 has more cells than a sheet has "
                                        "columns.")
                             .arg(fileName())
                             .arg(row.first));
    row.chars += cell.text.size();
    if (row.chars > MaxRowChars)
        throw SheetError(QStringLiteral("%1: row %2 holds more than %L3 characters, more than "
                                        "this program reads from one row.")
                             .arg(fileName())
                             .arg(row.first)
                             .arg(MaxRowChars));
    row.cells.push_back({int(column), int(count), std::move(cell), tooLong});
}

void RowStreamReader::advance(qint64 row)
{
    while (!m_ended && (!m_hasRow || row >= m_row.first + m_row.count)) {
        const qint64 end = m_hasRow ? m_row.first + m_row.count : m_previousEnd;
        m_previousEnd = end;
        m_hasRow = false;
        if (end > maxRows()) {
            m_ended = true; // nothing of a sheet follows its last row
            break;
        }
        Row next;
        next.first = end;
        bool more = false;
        try {
            more = readRow(next);
        } catch (const SheetCancelled &) {
            // The stream stopped inside a row: the next request starts it again.
            m_previousEnd = std::numeric_limits<qint64>::max();
            throw;
        } catch (const SheetError &e) {
            m_failure = e;
            m_failedAt = end;
            throw;
        }
        if (!more) {
            m_ended = true;
            break;
        }
        // Rows out of order are taken as following the one before.
        next.first = qMax(next.first, end);
        next.count = qMax<qint64>(next.count, 1);
        const qint64 room = maxRows() - next.first + 1; // rows left in the sheet, >= 0
        if (next.count > room) {
            // Office programs end a sheet with a run of empty rows to its last row; one with
            // content repeated past it is no sheet.
            if (!next.cells.empty()) {
                m_failure = SheetError(
                    QStringLiteral("%1 is damaged: row %2 is repeated past the last row a "
                                   "sheet can have (%L3).")
                        .arg(fileName())
                        .arg(next.first)
                        .arg(maxRows()));
                m_failedAt = next.first;
                throw *m_failure;
            }
            if (room <= 0) {
                m_ended = true;
                break;
            }
            next.count = room;
        }
        m_row = std::move(next);
        m_hasRow = true;
    }
}

SheetCell RowStreamReader::readCell(qint64 row, int column)
{
    // Past the sheet's size nothing can stand, and no stream is read to find that out.
    if (row < 1 || column < 1 || row > maxRows() || column > MaxColumns)
        return {};
    if (row < m_previousEnd) {
        rewind();
        restart();
    }
    if (m_failure && row >= m_failedAt)
        throw *m_failure;
    advance(row);
    if (!m_hasRow || row < m_row.first || row >= m_row.first + m_row.count)
        return {};
    for (const CellRun &run : m_row.cells) {
        if (column < run.firstColumn || column - run.firstColumn >= run.count)
            continue;
        if (run.tooLong)
            throw SheetError(QStringLiteral("%1: the cell in row %2, column %3 is longer than "
                                            "%L4 characters, more than a meaning can be.")
                                 .arg(fileName())
                                 .arg(row)
                                 .arg(column)
                                 .arg(MaxCellChars));
        return run.cell;
    }
    return {};
}
