#include "OdsReader.h"

#include "ZipPart.h"

#include <QFileInfo>

namespace {

const QString TableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString TextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString OfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");

// Repeat counts come from the file; a damaged one must not make a run of billions.
constexpr qint64 MaxRows = qint64(1) << 40;
constexpr int MaxColumns = 1 << 24;

bool is(const QXmlStreamReader &xml, const QString &ns, QLatin1String name)
{
    return xml.name() == name && xml.namespaceUri() == ns;
}

qint64 repeat(const QXmlStreamReader &xml, QLatin1String attribute, qint64 limit)
{
    bool ok = false;
    const qint64 n = xml.attributes().value(TableNs, attribute).toLongLong(&ok);
    return ok && n > 0 ? qMin(n, limit) : 1;
}

} // namespace

OdsReader::OdsReader() = default;
OdsReader::~OdsReader() = default;

void OdsReader::open(const QString &path)
{
    close();
    m_path = path;
    m_zip = std::make_unique<ZipPart>(path);
    rewind();
}

void OdsReader::close()
{
    m_zip.reset();
    restart();
}

void OdsReader::checkXml()
{
    QXmlStreamReader &xml = m_zip->xml();
    if (xml.hasError())
        throw SheetError(QStringLiteral("%1 is damaged: %2 (line %3).")
                             .arg(QFileInfo(m_path).fileName(), xml.errorString())
                             .arg(xml.lineNumber()));
}

void OdsReader::rewind()
{
    if (!m_zip->open(QStringLiteral("content.xml")))
        throw SheetError(
            QStringLiteral("%1 is damaged: it has no content.").arg(QFileInfo(m_path).fileName()));
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
    checkXml();
    throw SheetError(QStringLiteral("%1 holds no table.").arg(QFileInfo(m_path).fileName()));
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
            row.count = repeat(xml, QLatin1String("number-rows-repeated"), MaxRows);
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
    checkXml();
    return false;
}

void OdsReader::readCells(Row &row)
{
    QXmlStreamReader &xml = m_zip->xml();
    int column = 1;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && is(xml, TableNs, QLatin1String("table-row")))
            return;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (is(xml, TableNs, QLatin1String("table-cell")) ||
            is(xml, TableNs, QLatin1String("covered-table-cell"))) {
            const int count =
                int(repeat(xml, QLatin1String("number-columns-repeated"), MaxColumns));
            SheetCell cell = readCell();
            if (cell.kind != SheetCell::Kind::Empty)
                row.cells.push_back({column, count, std::move(cell)});
            column = int(qMin<qint64>(qint64(column) + count, MaxColumns));
        } else {
            xml.skipCurrentElement();
        }
    }
    checkXml();
}

SheetCell OdsReader::readCell()
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
            if (paragraphs++ > 0)
                text += QLatin1Char('\n');
            text += readParagraph();
        } else {
            xml.skipCurrentElement(); // comments, drawings
        }
    }
    checkXml();

    if (type == QLatin1String("float") || type == QLatin1String("currency") ||
        type == QLatin1String("percentage")) {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (ok)
            return SheetCell::ofNumber(number);
    }
    if (type == QLatin1String("boolean"))
        return SheetCell::ofText(boolean == QLatin1String("true") ? QStringLiteral("TRUE")
                                                                  : QStringLiteral("FALSE"));
    if (type.isEmpty() && paragraphs == 0)
        return {};
    return SheetCell::ofText(text);
}

QString OdsReader::readParagraph()
{
    // White space in the file's text collapses to one blank and is dropped at the start of
    // the paragraph; the spaces the user typed are written as <text:s>.
    QXmlStreamReader &xml = m_zip->xml();
    QString text;
    bool blankBefore = true;
    int depth = 1;
    while (!xml.atEnd() && depth > 0) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::Characters) {
            for (QChar c : xml.text()) {
                const bool blank = c == QLatin1Char(' ') || c == QLatin1Char('\t') ||
                                   c == QLatin1Char('\n') || c == QLatin1Char('\r');
                if (blank && blankBefore)
                    continue;
                text += blank ? QChar(QLatin1Char(' ')) : c;
                blankBefore = blank;
            }
        } else if (token == QXmlStreamReader::StartElement) {
            if (is(xml, TextNs, QLatin1String("s"))) {
                bool ok = false;
                const int n = xml.attributes().value(TextNs, QLatin1String("c")).toInt(&ok);
                text += QString(ok && n > 0 ? qMin(n, 1 << 16) : 1, QLatin1Char(' '));
                xml.skipCurrentElement();
                blankBefore = false;
            } else if (is(xml, TextNs, QLatin1String("tab"))) {
                text += QLatin1Char('\t');
                xml.skipCurrentElement();
                blankBefore = false;
            } else if (is(xml, TextNs, QLatin1String("line-break"))) {
                text += QLatin1Char('\n');
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
    return text;
}
