#pragma once

#include <QString>
#include <QVariantList>

#include <functional>

// Writes small and large spreadsheet files for the import's tests and benchmarks. A row
// is given as the cells from column A on: a text, a number, or an invalid QVariant for a
// cell left empty. Rows count from 1.
namespace SheetFiles {

using Rows = std::function<QVariantList(qint64 row)>;

// Rows given as a list.
Rows fromList(const QList<QVariantList> &rows);

// Office Open XML with a shared-string table.
void writeXlsx(const QString &path, qint64 rowCount, const Rows &rows);
// OpenDocument; runs of spaces are written as <text:s/>, as office programs do.
void writeOds(const QString &path, qint64 rowCount, const Rows &rows);
// A bare BIFF2 stream (Excel 2.1 worksheet) in Windows-1252, at most 65,535 rows. A text
// starting with "=" is written as a formula cell (whose value FreeXL cannot read).
void writeXls(const QString &path, qint64 rowCount, const Rows &rows);
// Comma-separated UTF-8 text, fields quoted where needed.
void writeCsv(const QString &path, qint64 rowCount, const Rows &rows);

} // namespace SheetFiles
