#pragma once

#include <QSet>
#include <QString>

// Looks through the first worksheet of an .xls file (a bare BIFF2-4 stream, or the
// Workbook stream of a BIFF5/8 compound file) for formula cells. FreeXL gives no value
// for them, so the reader must know where they are to tell a formula from an empty cell.
namespace BiffScan {

// Key of a cell, rows and columns counted from 0.
inline quint64 cellKey(quint32 row, quint32 column)
{
    return (quint64(row) << 32) | column;
}

// The formula cells of the first worksheet. A file whose structure cannot be followed
// gives an empty set; reading it is then left to FreeXL, which reports it unreadable.
QSet<quint64> formulaCells(const QString &path);

} // namespace BiffScan
