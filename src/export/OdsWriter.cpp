#include "OdsWriter.h"

#include "ExportError.h"
#include "ExportTexts.h"
#include "XmlOut.h"
#include "ZipPackage.h"

namespace {

const QString OfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString TableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString TextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");

const QByteArray MimeType = "application/vnd.oasis.opendocument.spreadsheet";

const QByteArray Manifest =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
    "manifest:version=\"1.2\">"
    "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
    "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>"
    "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
    "</manifest:manifest>";

} // namespace

OdsWriter::OdsWriter() = default;
OdsWriter::~OdsWriter() = default;

void OdsWriter::begin(QIODevice &out, const QString &title)
{
    m_zip = std::make_unique<ZipPackage>(out);
    // The type comes first and uncompressed, so that a file's first bytes tell what it is.
    m_zip->writePart(QStringLiteral("mimetype"), MimeType, true);
    m_zip->writePart(QStringLiteral("META-INF/manifest.xml"), Manifest);

    m_out = std::make_unique<XmlOut>(m_zip->beginPart(QStringLiteral("content.xml")));
    m_out->declaration();
    xml().writeStartElement(QStringLiteral("office:document-content"));
    xml().writeNamespace(OfficeNs, QStringLiteral("office"));
    xml().writeNamespace(TableNs, QStringLiteral("table"));
    xml().writeNamespace(TextNs, QStringLiteral("text"));
    xml().writeAttribute(QStringLiteral("office:version"), QStringLiteral("1.2"));
    xml().writeStartElement(QStringLiteral("office:body"));
    xml().writeStartElement(QStringLiteral("office:spreadsheet"));
    xml().writeStartElement(QStringLiteral("table:table"));
    xml().writeAttribute(QStringLiteral("table:name"), ExportTexts::sheetName(title));
    xml().writeEmptyElement(QStringLiteral("table:table-column"));
    xml().writeAttribute(QStringLiteral("table:number-columns-repeated"), QStringLiteral("3"));
}

void OdsWriter::write(const WordRow &row)
{
    ExportTexts::refuseNul(row);
    ExportTexts::refuseUnwritableInXml(row, QStringLiteral(".ods"));
    if (m_row >= MaxRows)
        ExportTexts::refuseTooManyRows(MaxRows);
    ++m_row;
    xml().writeStartElement(QStringLiteral("table:table-row"));
    writeCell(row.word);
    writeCell(row.meaning);
    writeCell(row.pointer);
    xml().writeEndElement();
    m_out->flushWhenFull();
}

void OdsWriter::writeCell(const QString &text)
{
    if (text.isEmpty()) {
        xml().writeEmptyElement(QStringLiteral("table:table-cell"));
        return;
    }
    xml().writeStartElement(QStringLiteral("table:table-cell"));
    xml().writeAttribute(QStringLiteral("office:value-type"), QStringLiteral("string"));
    qsizetype start = 0;
    while (true) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\n') &&
               text[end] != QLatin1Char('\r'))
            ++end;
        xml().writeStartElement(QStringLiteral("text:p"));
        writeLine(QStringView(text).mid(start, end - start));
        xml().writeEndElement();
        if (end >= text.size())
            break;
        // CR LF is one line break.
        start = end + 1;
        if (text[end] == QLatin1Char('\r') && start < text.size() &&
            text[start] == QLatin1Char('\n'))
            ++start;
    }
    xml().writeEndElement();
}

void OdsWriter::writeLine(QStringView line)
{
    // A blank stays a blank only between two other characters; any other blank, and every
    // blank of a run past the first, is spelled out.
    QString plain;
    bool afterPlain = false; // the last thing written is a character other than a blank
    qsizetype i = 0;
    const auto flush = [&] {
        if (!plain.isEmpty())
            xml().writeCharacters(plain);
        plain.clear();
    };
    while (i < line.size()) {
        const QChar c = line[i];
        if (c == QLatin1Char(' ')) {
            qsizetype run = 0;
            while (i + run < line.size() && line[i + run] == QLatin1Char(' '))
                ++run;
            const bool inside =
                afterPlain && i + run < line.size() && line[i + run] != QLatin1Char('\t');
            qsizetype spelled = run;
            if (inside) {
                plain += QLatin1Char(' ');
                --spelled;
            }
            if (spelled > 0) {
                flush();
                xml().writeEmptyElement(QStringLiteral("text:s"));
                if (spelled > 1)
                    xml().writeAttribute(QStringLiteral("text:c"), QString::number(spelled));
            }
            i += run;
            afterPlain = false;
            continue;
        }
        if (c == QLatin1Char('\t')) {
            flush();
            xml().writeEmptyElement(QStringLiteral("text:tab"));
            afterPlain = false;
        } else {
            plain += c;
            afterPlain = true;
        }
        ++i;
    }
    flush();
}

void OdsWriter::finish()
{
    // A table has at least one row.
    if (m_row == 0) {
        xml().writeStartElement(QStringLiteral("table:table-row"));
        xml().writeEmptyElement(QStringLiteral("table:table-cell"));
        xml().writeEndElement();
    }
    xml().writeEndDocument();
    m_out->flush();
    m_zip->finish();
}

QString OdsWriter::writeFailure() const
{
    const QString failure = m_out ? m_out->failure() : QString();
    if (!failure.isEmpty())
        return failure;
    return m_zip ? m_zip->failure() : QString();
}

QXmlStreamWriter &OdsWriter::xml()
{
    return m_out->xml();
}
