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

// Parts written piece by piece, for parts too large to hold: `write` calls `put` with the
// bytes in order.
using Put = std::function<void(const QByteArray &bytes)>;
using PartWriter = std::function<void(const Put &put)>;
PartWriter text(const QByteArray &bytes);

// A workbook of one sheet whose XML (from <worksheet> to its end) is `sheet`; the shared
// strings and the workbook part are written when given, else small defaults.
void writeRawXlsx(const QString &path, const PartWriter &sheet,
                  const PartWriter &sharedStrings = {}, const PartWriter &workbook = {});
// A spreadsheet whose content.xml is `table` inside the usual elements, from <table:table>
// to its end.
void writeRawOds(const QString &path, const PartWriter &table);

// Files made to break the readers' bounds, each as large as it must be to reach its bound;
// `scale` makes the ones whose size is free larger still, as a hostile file would be.
enum class Hostile {
    WholeWorkbook,      // a workbook part of scale x 20 MB before its first sheet
    ManySharedStrings,  // more shared strings than are kept
    LongCell,           // a meaning of 100,000 characters in row 2
    HugeCell,           // a cell of scale x 1 GB of text
    DeepXml,            // elements nested a million deep in the sheet
    RowNumberPastSheet, // <row r="9223372036854775807"> after row 1
    ColumnPastSheet,    // a cell at XFE1048577 in row 2
    RepeatedColumns,    // an .ods word repeated across 2^40 columns in row 2
    UnclosedQuote,      // a .csv whose quote in row 3 never closes, for scale x 200 KB
    NulInText,          // a .csv with "Ab", NUL, "cd" past its first 10 KB
};
// The file name (with its extension) a hostile file is written under.
QString hostileName(Hostile kind);
void writeHostile(Hostile kind, const QString &path, int scale = 1);

} // namespace SheetFiles
