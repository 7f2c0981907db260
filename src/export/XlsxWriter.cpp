#include "XlsxWriter.h"

#include "ExportError.h"
#include "ExportTexts.h"
#include "XmlOut.h"
#include "ZipPackage.h"

namespace {

const QByteArray ContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "</Types>";

const QByteArray PackageRelationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/>"
    "</Relationships>";

const QByteArray WorkbookRelationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "</Relationships>";

// One font, the two fills Excel requires, and two cell formats: plain, and wrapped at the
// top for a text of several lines.
const QByteArray Styles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
    "</cellStyleXfs>"
    "<cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyAlignment=\"1\">"
    "<alignment vertical=\"top\" wrapText=\"1\"/></xf></cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "</styleSheet>";

const QString MainNs = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString RelNs =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

bool isHex(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// "_x" + four hex digits + "_" at `at`: what a reader takes for an escaped character.
bool looksEscaped(const QString &text, qsizetype at)
{
    if (at + 6 >= text.size() || text[at + 1] != QLatin1Char('x') ||
        text[at + 6] != QLatin1Char('_'))
        return false;
    for (qsizetype i = at + 2; i < at + 6; ++i)
        if (!isHex(text[i]))
            return false;
    return true;
}

QString escapeOf(char16_t unit)
{
    return QLatin1String("_x") +
           QString::number(unit, 16).rightJustified(4, QLatin1Char('0')).toUpper() +
           QLatin1Char('_');
}

QByteArray workbook(const QString &sheet)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeDefaultNamespace(MainNs);
    xml.writeNamespace(RelNs, QStringLiteral("r"));
    xml.writeStartElement(MainNs, QStringLiteral("workbook"));
    xml.writeStartElement(MainNs, QStringLiteral("sheets"));
    xml.writeEmptyElement(MainNs, QStringLiteral("sheet"));
    xml.writeAttribute(QStringLiteral("name"), sheet);
    xml.writeAttribute(QStringLiteral("sheetId"), QStringLiteral("1"));
    xml.writeAttribute(RelNs, QStringLiteral("id"), QStringLiteral("rId1"));
    xml.writeEndDocument();
    return bytes;
}

} // namespace

XlsxWriter::XlsxWriter() = default;
XlsxWriter::~XlsxWriter() = default;

QString XlsxWriter::escaped(const QString &text)
{
    QString out;
    bool changed = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('_') && looksEscaped(text, i)) {
            out += QLatin1String("_x005F_");
            changed = true;
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
            continue;
        }
        if (c == QLatin1Char('\r') ||
            ExportTexts::firstUnwritableInXml(QStringView(text).mid(i, 1)) == 0) {
            out += escapeOf(c.unicode());
            changed = true;
            continue;
        }
        out += c;
    }
    return changed ? out : text;
}

void XlsxWriter::begin(QIODevice &out, const QString &title)
{
    m_zip = std::make_unique<ZipPackage>(out);
    m_zip->writePart(QStringLiteral("[Content_Types].xml"), ContentTypes);
    m_zip->writePart(QStringLiteral("_rels/.rels"), PackageRelationships);
    m_zip->writePart(QStringLiteral("xl/workbook.xml"), workbook(ExportTexts::sheetName(title)));
    m_zip->writePart(QStringLiteral("xl/_rels/workbook.xml.rels"), WorkbookRelationships);
    m_zip->writePart(QStringLiteral("xl/styles.xml"), Styles);

    m_out = std::make_unique<XmlOut>(m_zip->beginPart(QStringLiteral("xl/worksheets/sheet1.xml")));
    m_out->declaration(true);
    QXmlStreamWriter &xml = m_out->xml();
    xml.writeStartElement(QStringLiteral("worksheet"));
    xml.writeDefaultNamespace(MainNs);
    xml.writeStartElement(QStringLiteral("cols"));
    const std::pair<const char *, const char *> widths[] = {{"1", "24"}, {"2", "60"}, {"3", "20"}};
    for (const auto &[column, width] : widths) {
        xml.writeEmptyElement(QStringLiteral("col"));
        xml.writeAttribute(QStringLiteral("min"), QLatin1String(column));
        xml.writeAttribute(QStringLiteral("max"), QLatin1String(column));
        xml.writeAttribute(QStringLiteral("width"), QLatin1String(width));
        xml.writeAttribute(QStringLiteral("customWidth"), QStringLiteral("1"));
    }
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("sheetData"));
}

void XlsxWriter::write(const WordRow &row)
{
    ExportTexts::refuseNul(row);
    if (m_row >= MaxRows)
        ExportTexts::refuseTooManyRows(MaxRows);
    for (const QString *text : {&row.word, &row.meaning, &row.pointer})
        if (text->size() > MaxCellChars)
            throw ExportError(QStringLiteral("The word \"%1\" has a text of %L2 characters; an "
                                             "Excel cell holds at most %L3. Export the words "
                                             "as .ods or .csv instead.")
                                  .arg(row.word.left(60))
                                  .arg(text->size())
                                  .arg(MaxCellChars));
    ++m_row;
    QXmlStreamWriter &xml = m_out->xml();
    xml.writeStartElement(QStringLiteral("row"));
    xml.writeAttribute(QStringLiteral("r"), QString::number(m_row));
    writeCell('A', row.word);
    writeCell('B', row.meaning);
    writeCell('C', row.pointer);
    xml.writeEndElement();
    m_out->flushWhenFull();
}

void XlsxWriter::writeCell(char column, const QString &text)
{
    // An empty text is an empty cell, which reads back as the empty text.
    if (text.isEmpty())
        return;
    QXmlStreamWriter &xml = m_out->xml();
    xml.writeStartElement(QStringLiteral("c"));
    xml.writeAttribute(QStringLiteral("r"), QLatin1Char(column) + QString::number(m_row));
    if (text.contains(QLatin1Char('\n')))
        xml.writeAttribute(QStringLiteral("s"), QStringLiteral("1"));
    xml.writeAttribute(QStringLiteral("t"), QStringLiteral("inlineStr"));
    xml.writeStartElement(QStringLiteral("is"));
    xml.writeStartElement(QStringLiteral("t"));
    // Blanks at either end are kept only when the text says so.
    if (text.front().isSpace() || text.back().isSpace())
        xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    xml.writeCharacters(escaped(text));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

void XlsxWriter::finish()
{
    m_out->xml().writeEndDocument();
    m_out->flush();
    m_zip->finish();
}

QString XlsxWriter::writeFailure() const
{
    const QString failure = m_out ? m_out->failure() : QString();
    if (!failure.isEmpty())
        return failure;
    return m_zip ? m_zip->failure() : QString();
}
