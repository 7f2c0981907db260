#pragma once

#include "RowStream.h"

#include <QString>

#include <memory>
#include <vector>

class ZipPart;

// Office Open XML workbooks (.xlsx): the first sheet is streamed row by row; only the
// shared-string table is held whole, within its bounds (SheetLimits.h). Shared, inline and
// rich-text strings, numbers, booleans, error values and the cached results of formulas
// are read.
class XlsxReader : public RowStreamReader
{
public:
    XlsxReader();
    ~XlsxReader() override;

    void open(const QString &path) override;
    void close() override;

    // "B12" gives column 2; 0 for a reference without letters. Letters past the sheet's
    // last column give a number past it, never an overflow.
    static int columnOfReference(QStringView reference);

protected:
    void rewind() override;
    bool readRow(Row &row) override;

private:
    // The shared strings in one text: string i runs from m_sharedEnds[i - 1] to
    // m_sharedEnds[i]; a string too long for a cell is kept empty and marked.
    struct SharedStrings
    {
        QString text;
        std::vector<quint32> ends;
        std::vector<bool> tooLong;
    };

    void findParts(QString &sheet, QString &sharedStrings);
    void loadSharedStrings(const QString &part);
    SheetCell readXmlCell(qint64 row, int &column, bool &tooLong);

    std::unique_ptr<ZipPart> m_zip;
    QString m_sheetPart;
    SharedStrings m_shared;
};
