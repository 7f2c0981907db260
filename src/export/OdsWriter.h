#pragma once

#include "RowWriter.h"

#include <memory>

class QXmlStreamWriter;
class XmlOut;
class ZipPackage;

// An OpenDocument spreadsheet of one table: word, meaning and pointer in columns A, B and
// C from row 1, no header, every cell a text, the rows written as they come. OpenDocument
// collapses white space in text, so the writer spells out what must stay: runs of blanks
// and blanks at either end as <text:s>, tabs as <text:tab>, each line as a paragraph. It
// has no carriage return: a CR LF or a lone CR ends a line as LF does. A text holding a
// character XML cannot hold is refused.
class OdsWriter : public RowWriter
{
public:
    // What LibreOffice holds in a sheet.
    static constexpr qint64 MaxRows = 1048576;

    OdsWriter();
    ~OdsWriter() override;

    void begin(QIODevice &out, const QString &title) override;
    void write(const WordRow &row) override;
    void finish() override;
    QString writeFailure() const override;
    qint64 maxRows() const override { return MaxRows; }

private:
    void writeCell(const QString &text);
    void writeLine(QStringView line);
    QXmlStreamWriter &xml();

    std::unique_ptr<ZipPackage> m_zip;
    std::unique_ptr<XmlOut> m_out;
    qint64 m_row = 0;
};
