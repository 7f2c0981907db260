#include "OdsReader.h"

#include "ZipPart.h"

#include <algorithm>

using namespace SheetLimits;

namespace {

const QString TableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString TextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString OfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");

bool is(const QXmlStreamReader &xml, const QString &ns, QLatin1String name)
{
    return xml.name() == name && xml.namespaceUri() == ns;
}

// A repeat count from the file, at most one past `limit`: what lies past the sheet is
// clamped or refused by the row stream, and no sum of counts can overflow.
qint64 repeat(const QXmlStreamReader &xml, QLatin1String attribute, qint64 limit)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const QStringView text = attributes.value(TableNs, attribute);
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (ok)
        return n > 0 ? qMin(n, limit + 1) : 1;
    // Digits too many for a number are a count past any sheet.
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return digits ? limit + 1 : 1;
}

} // namespace

OdsReader::OdsReader() = default;
OdsReader::~OdsReader() = default;

void OdsReader::open(const QString &path)
{
    close();
    rememberFile(path);
    m_zip = std::make_unique<ZipPart>(path, keepGoingHook());
    rewind();
}

void OdsReader::close()
{
    m_zip.reset();
    restart();
}

void OdsReader::rewind()
{
    if (!m_zip->open(QStringLiteral("content.xml")))
        throw SheetError(QStringLiteral("%1 is damaged: it has no content.").arg(fileName()));
    restart();
    m_tableEnded = !enterFirstTable();
}

bool OdsReader::enterFirstTable()
{
    QXmlStreamReader &xml = m_zip->xml();
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            is(xml, TableNs, QLatin1String("table")))
            return true;
    m_zip->check();
    throw SheetError(QStringLiteral("%1 holds no table.").arg(fileName()));
}

bool OdsReader::readRow(Row &row)
{
    QXmlStreamReader &xml = m_zip->xml();
    while (!m_tableEnded && !xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && is(xml, TableNs, QLatin1String("table"))) {
            m_tableEnded = true;
            break;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (is(xml, TableNs, QLatin1String("table-row"))) {
            row.count = repeat(xml, QLatin1String("number-rows-repeated"), maxRows());
            readCells(row);
            return true;
        }
        // Row groups and header rows hold rows; everything else (columns, shapes,
        // forms) is passed over whole.
        const bool holdsRows =
            xml.namespaceUri() == TableNs && (xml.name() == QLatin1String("table-row-group") ||
                                              xml.name() == QLatin1String("table-header-rows") ||
                                              xml.name() == QLatin1String("table-rows"));
        if (!holdsRows)
            xml.skipCurrentElement();
    }
    m_zip->check();
    return false;
}

void OdsReader::readCells(Row &row)
{
    QXmlStreamReader &xml = m_zip->xml();
    qint64 column = 1; // at most MaxColumns + 1: past the sheet
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && is(xml, TableNs, QLatin1String("table-row")))
            return;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (is(xml, TableNs, QLatin1String("table-cell")) ||
            is(xml, TableNs, QLatin1String("covered-table-cell"))) {
            const qint64 count = repeat(xml, QLatin1String("number-columns-repeated"), MaxColumns);
            bool tooLong = false;
            SheetCell cell = readTableCell(tooLong);
            addCell(row, column, count, std::move(cell), tooLong);
            column = qMin<qint64>(column + count, MaxColumns + 1);
        } else {
            xml.skipCurrentElement();
        }
    }
    m_zip->check();
}

SheetCell OdsReader::readTableCell(bool &tooLong)
{
    QXmlStreamReader &xml = m_zip->xml();
    const QXmlStreamAttributes a = xml.attributes();
    const QString type = a.value(OfficeNs, QLatin1String("value-type")).toString();
    const QString value = a.value(OfficeNs, QLatin1String("value")).toString();
    const QString boolean = a.value(OfficeNs, QLatin1String("boolean-value")).toString();

    QString text;
    int paragraphs = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement &&
            (is(xml, TableNs, QLatin1String("table-cell")) ||
             is(xml, TableNs, QLatin1String("covered-table-cell"))))
            break;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (is(xml, TextNs, QLatin1String("p")) || is(xml, TextNs, QLatin1String("h"))) {
            if (paragraphs++ > 0 && !tooLong && !appendWithin(text, u"\n"))
                tooLong = true;
            if (!tooLong && !readParagraph(text))
                tooLong = true;
            if (tooLong)
                text.clear();
        } else {
            xml.skipCurrentElement(); // comments, drawings, and the rest of a long text
        }
    }
    m_zip->check();

    if (type == QLatin1String("float") || type == QLatin1String("currency") ||
        type == QLatin1String("percentage")) {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (ok) {
            tooLong = false; // the value is the number, whatever text shows it
            return SheetCell::ofNumber(number);
        }
    }
    if (type == QLatin1String("boolean")) {
        tooLong = false;
        return SheetCell::ofText(boolean == QLatin1String("true") ? QStringLiteral("TRUE")
                                                                  : QStringLiteral("FALSE"));
    }
    if (type.isEmpty() && paragraphs == 0)
        return {};
    return SheetCell::ofText(text);
}

bool OdsReader::readParagraph(QString &text)
{
    // White space in the file's text collapses to one blank and is dropped at the start of
    // the paragraph; the spaces the user typed are written as <text:s>. False, with the
    // paragraph passed over, once the text would be longer than a cell may be.
    QXmlStreamReader &xml = m_zip->xml();
    bool blankBefore = true;
    int depth = 1;
    bool fits = true;
    const auto add = [&](QStringView more) { fits = fits && appendWithin(text, more); };
    while (!xml.atEnd() && depth > 0) {
        const auto token = xml.readNext();
        if (!fits) {
            if (token == QXmlStreamReader::StartElement)
                ++depth;
            else if (token == QXmlStreamReader::EndElement)
                --depth;
            continue;
        }
        if (token == QXmlStreamReader::Characters) {
            QString piece;
            for (QChar c : xml.text()) {
                const bool blank = c == QLatin1Char(' ') || c == QLatin1Char('\t') ||
                                   c == QLatin1Char('\n') || c == QLatin1Char('\r');
                if (blank && blankBefore)
                    continue;
                piece += blank ? QChar(QLatin1Char(' ')) : c;
                blankBefore = blank;
            }
            add(piece);
        } else if (token == QXmlStreamReader::StartElement) {
            if (is(xml, TextNs, QLatin1String("s"))) {
                bool ok = false;
                const qint64 n = xml.attributes().value(TextNs, QLatin1String("c")).toLongLong(&ok);
                // Never more blanks than the cell has room for, whatever the count says.
                const qsizetype room = MaxCellChars - text.size();
                const qsizetype blanks = ok && n > 0 ? qsizetype(qMin<qint64>(n, room + 1)) : 1;
                add(QString(blanks, QLatin1Char(' ')));
                xml.skipCurrentElement();
                blankBefore = false;
            } else if (is(xml, TextNs, QLatin1String("tab"))) {
                add(u"\t");
                xml.skipCurrentElement();
                blankBefore = false;
            } else if (is(xml, TextNs, QLatin1String("line-break"))) {
                add(u"\n");
                xml.skipCurrentElement();
                blankBefore = true;
            } else if (is(xml, OfficeNs, QLatin1String("annotation")) ||
                       is(xml, TextNs, QLatin1String("note"))) {
                xml.skipCurrentElement();
            } else {
                ++depth; // spans and links: their text belongs to the paragraph
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return fits;
}
