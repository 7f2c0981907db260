#pragma once

#include "RowWriter.h"

#include <memory>

class XmlOut;
class ZipPackage;

// An Excel workbook of one sheet: word, meaning and pointer in columns A, B and C from row
// 1, no header, every cell a text kept inline in the sheet, which is written as the rows
// come. Characters XML cannot hold, and carriage returns, are written as Excel writes
// them (_x000D_); a cell with a line break wraps.
class XlsxWriter : public RowWriter
{
public:
    // What Excel holds: rows in a sheet, characters in a cell.
    static constexpr qint64 MaxRows = 1048576;
    static constexpr qsizetype MaxCellChars = 32767;

    XlsxWriter();
    ~XlsxWriter() override;

    void begin(QIODevice &out, const QString &title) override;
    void write(const WordRow &row) override;
    void finish() override;
    QString writeFailure() const override;
    qint64 maxRows() const override { return MaxRows; }

    // A text as the sheet stores it (see above).
    static QString escaped(const QString &text);

private:
    void writeCell(char column, const QString &text);

    std::unique_ptr<ZipPackage> m_zip;
    std::unique_ptr<XmlOut> m_out;
    qint64 m_row = 0;
    QString m_word; // the row's word, for messages
};
