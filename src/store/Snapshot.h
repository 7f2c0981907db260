#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <string>
#include <vector>

struct sqlite3_stmt;

// The rows of one query result, held in memory as text. Cells live in one buffer so
// that a snapshot of 100,000 words costs three allocations, not 300,000.
class Snapshot
{
public:
    Snapshot() = default;
    // Reads every row the prepared statement yields.
    static Snapshot fromStatement(sqlite3_stmt *stmt);

    qint64 rowCount() const { return m_columns.isEmpty() ? 0 : qint64(m_null.size()) / columnCount(); }
    int columnCount() const { return int(m_columns.size()); }
    QString columnName(int column) const { return m_columns.value(column); }

    bool isNull(qint64 row, int column) const;
    // The cell as text; a null cell reads as the empty text.
    QString text(qint64 row, int column) const;
    // The cell, or a null QVariant for a null cell or one outside the result.
    QVariant value(qint64 row, int column) const;

private:
    bool contains(qint64 row, int column) const;
    size_t cellIndex(qint64 row, int column) const { return size_t(row) * m_columns.size() + column; }

    QStringList m_columns;
    std::string m_bytes;          // UTF-8 of every cell, one after the other
    std::vector<size_t> m_ends;   // end offset of each cell in m_bytes
    std::vector<bool> m_null;
};
