#pragma once

#include "RowStream.h"

#include <memory>

class ZipPart;

// OpenDocument spreadsheets (.ods): the first table of content.xml is streamed row by
// row. Repeated rows and columns are kept as runs, never expanded, and clamped to the
// sheet's size when they are empty; text keeps its runs of spaces (<text:s>), tabs and
// line breaks, and a cell of several paragraphs reads as lines. Numbers, currencies and
// percentages read as numbers, booleans as TRUE or FALSE, dates and times as shown.
class OdsReader : public RowStreamReader
{
public:
    OdsReader();
    ~OdsReader() override;

    void open(const QString &path) override;
    void close() override;

protected:
    void rewind() override;
    bool readRow(Row &row) override;

private:
    bool enterFirstTable();
    void readCells(Row &row);
    SheetCell readTableCell(bool &tooLong);
    bool readParagraph(QString &text);

    std::unique_ptr<ZipPart> m_zip;
    bool m_tableEnded = false;
};
