#include "RowStream.h"

void RowStreamReader::restart()
{
    m_row = Row{};
    m_hasRow = false;
    m_ended = false;
    m_previousEnd = 1;
}

SheetCell RowStreamReader::cell(qint64 row, int column)
{
    if (row < 1 || column < 1)
        return {};
    if (row < m_previousEnd) {
        rewind();
        restart();
    }
    while (!m_ended && (!m_hasRow || row >= m_row.first + m_row.count)) {
        const qint64 end = m_hasRow ? m_row.first + m_row.count : m_previousEnd;
        Row next;
        next.first = end;
        if (!readRow(next)) {
            m_ended = true;
            m_previousEnd = end;
            m_hasRow = false;
            break;
        }
        // Rows out of order are taken as following the one before.
        next.first = qMax(next.first, end);
        next.count = qMax<qint64>(next.count, 1);
        m_previousEnd = end;
        m_row = std::move(next);
        m_hasRow = true;
    }
    if (!m_hasRow || row < m_row.first || row >= m_row.first + m_row.count)
        return {};
    for (const CellRun &run : m_row.cells)
        if (column >= run.firstColumn && column - run.firstColumn < run.count)
            return run.cell;
    return {};
}
