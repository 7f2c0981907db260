#pragma once

#include "RowStream.h"

#include <QStringList>

#include <memory>

class ZipPart;

// Office Open XML workbooks (.xlsx): the first sheet is streamed row by row; only the
// shared-string table is held whole. Shared, inline and rich-text strings, numbers,
// booleans, error values and the cached results of formulas are read.
class XlsxReader : public RowStreamReader
{
public:
    XlsxReader();
    ~XlsxReader() override;

    void open(const QString &path) override;
    void close() override;

    // "B12" gives column 2; 0 for a reference without letters.
    static int columnOfReference(QStringView reference);

protected:
    void rewind() override;
    bool readRow(Row &row) override;

private:
    void findParts(QString &sheet, QString &sharedStrings);
    void loadSharedStrings(const QString &part);
    SheetCell readCell(int &column);
    void checkXml();

    QString m_path;
    std::unique_ptr<ZipPart> m_zip;
    QString m_sheetPart;
    QStringList m_shared;
};
