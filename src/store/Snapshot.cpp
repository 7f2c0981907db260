#include "Snapshot.h"

#include "StoreError.h"

#include <sqlite3.h>

Snapshot Snapshot::fromStatement(sqlite3_stmt *stmt)
{
    Snapshot s;
    const int columns = sqlite3_column_count(stmt);
    for (int c = 0; c < columns; ++c)
        s.m_columns << QString::fromUtf8(sqlite3_column_name(stmt, c));
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            // Every value reads as text; only a NULL gives no text at all.
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
            if (text)
                s.m_bytes.append(text, size_t(sqlite3_column_bytes(stmt, c)));
            s.m_ends.push_back(s.m_bytes.size());
            s.m_null.push_back(text == nullptr);
        }
    }
    if (rc != SQLITE_DONE)
        throw StoreError(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt))));
    return s;
}

bool Snapshot::contains(qint64 row, int column) const
{
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

bool Snapshot::isNull(qint64 row, int column) const
{
    return !contains(row, column) || m_null[cellIndex(row, column)];
}

QString Snapshot::text(qint64 row, int column) const
{
    if (isNull(row, column))
        return QString();
    const size_t i = cellIndex(row, column);
    const size_t begin = i == 0 ? 0 : m_ends[i - 1];
    return QString::fromUtf8(m_bytes.data() + begin, qsizetype(m_ends[i] - begin));
}

QVariant Snapshot::value(qint64 row, int column) const
{
    return isNull(row, column) ? QVariant() : QVariant(text(row, column));
}
