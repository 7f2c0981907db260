#include "XlsxReader.h"

#include "ZipPart.h"

#include <QFileInfo>

namespace {

// A relationship target is relative to the folder of the workbook part, or absolute.
QString resolve(const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    QString path = QStringLiteral("xl/") + target;
    while (path.contains(QLatin1String("/../"))) {
        const qsizetype up = path.indexOf(QLatin1String("/../"));
        const qsizetype parent = path.lastIndexOf(QLatin1Char('/'), up - 1);
        path.remove(parent + 1, up + 4 - (parent + 1));
    }
    return path;
}

QStringView localAttribute(const QXmlStreamAttributes &attributes, QLatin1String name)
{
    for (const QXmlStreamAttribute &a : attributes)
        if (a.name() == name)
            return a.value();
    return {};
}

} // namespace

XlsxReader::XlsxReader() = default;
XlsxReader::~XlsxReader() = default;

int XlsxReader::columnOfReference(QStringView reference)
{
    int column = 0;
    for (QChar c : reference) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z' || column > 1000000)
            break;
        column = column * 26 + (u - u'A' + 1);
    }
    return column;
}

void XlsxReader::open(const QString &path)
{
    close();
    m_path = path;
    m_zip = std::make_unique<ZipPart>(path);
    QString sharedStrings;
    findParts(m_sheetPart, sharedStrings);
    if (!sharedStrings.isEmpty())
        loadSharedStrings(sharedStrings);
    rewind();
}

void XlsxReader::close()
{
    m_zip.reset();
    m_shared.clear();
    restart();
}

void XlsxReader::checkXml()
{
    QXmlStreamReader &xml = m_zip->xml();
    if (xml.hasError())
        throw SheetError(QStringLiteral("%1 is damaged: %2 (line %3).")
                             .arg(QFileInfo(m_path).fileName(), xml.errorString())
                             .arg(xml.lineNumber()));
}

void XlsxReader::findParts(QString &sheet, QString &sharedStrings)
{
    // The first <sheet> of the workbook names its part through a relationship id.
    QXmlStreamReader workbook(m_zip->readAll(QStringLiteral("xl/workbook.xml")));
    QString sheetId;
    while (!workbook.atEnd() && sheetId.isEmpty())
        if (workbook.readNext() == QXmlStreamReader::StartElement &&
            workbook.name() == QLatin1String("sheet"))
            sheetId = localAttribute(workbook.attributes(), QLatin1String("id")).toString();
    if (sheetId.isEmpty())
        throw SheetError(
            QStringLiteral("%1 holds no worksheet.").arg(QFileInfo(m_path).fileName()));

    QXmlStreamReader rels(m_zip->readAll(QStringLiteral("xl/_rels/workbook.xml.rels")));
    while (!rels.atEnd()) {
        if (rels.readNext() != QXmlStreamReader::StartElement ||
            rels.name() != QLatin1String("Relationship"))
            continue;
        const QXmlStreamAttributes a = rels.attributes();
        const QString target = resolve(a.value(QLatin1String("Target")).toString());
        if (a.value(QLatin1String("Id")) == sheetId)
            sheet = target;
        else if (a.value(QLatin1String("Type")).endsWith(QLatin1String("/sharedStrings")))
            sharedStrings = target;
    }
    if (sheet.isEmpty())
        throw SheetError(QStringLiteral("%1 is damaged: its first worksheet cannot be found.")
                             .arg(QFileInfo(m_path).fileName()));
}

void XlsxReader::loadSharedStrings(const QString &part)
{
    if (!m_zip->open(part))
        return;
    QXmlStreamReader &xml = m_zip->xml();
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
            m_shared << readStringItem(xml, u"si");
    checkXml();
    m_zip->close();
}

void XlsxReader::rewind()
{
    if (!m_zip->open(m_sheetPart))
        throw SheetError(QStringLiteral("%1 is damaged: the part %2 is missing.")
                             .arg(QFileInfo(m_path).fileName(), m_sheetPart));
    restart();
}

bool XlsxReader::readRow(Row &row)
{
    QXmlStreamReader &xml = m_zip->xml();
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("sheetData"))
            return false;
        if (token != QXmlStreamReader::StartElement || xml.name() != QLatin1String("row"))
            continue;
        bool numbered = false;
        const qint64 r = xml.attributes().value(QLatin1String("r")).toLongLong(&numbered);
        if (numbered)
            row.first = r;
        int column = 0;
        while (!xml.atEnd()) {
            const auto t = xml.readNext();
            if (t == QXmlStreamReader::StartElement && xml.name() == QLatin1String("c")) {
                SheetCell cell = readCell(column);
                if (cell.kind != SheetCell::Kind::Empty)
                    row.cells.push_back({column, 1, std::move(cell)});
            } else if (t == QXmlStreamReader::EndElement && xml.name() == QLatin1String("row")) {
                return true;
            }
        }
    }
    checkXml();
    return false;
}

SheetCell XlsxReader::readCell(int &column)
{
    QXmlStreamReader &xml = m_zip->xml();
    const QXmlStreamAttributes a = xml.attributes();
    const int referenced = columnOfReference(a.value(QLatin1String("r")));
    column = referenced > 0 ? referenced : column + 1;
    const QString type = a.value(QLatin1String("t")).toString();

    QString value;
    QString inlineText;
    bool hasValue = false;
    while (!xml.atEnd()) {
        const auto t = xml.readNext();
        if (t == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("v")) {
                value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                hasValue = true;
            } else if (xml.name() == QLatin1String("is")) {
                inlineText = readStringItem(xml, u"is");
            } else {
                xml.skipCurrentElement(); // the formula itself, extensions
            }
        } else if (t == QXmlStreamReader::EndElement && xml.name() == QLatin1String("c")) {
            break;
        }
    }
    checkXml();

    if (type == QLatin1String("inlineStr"))
        return SheetCell::ofText(inlineText); // a stray <v> beside <is> is not the value
    if (!hasValue)
        return {};
    if (type == QLatin1String("s")) {
        bool ok = false;
        const qsizetype index = value.toLongLong(&ok);
        if (!ok || index < 0 || index >= m_shared.size())
            throw SheetError(QStringLiteral("%1 is damaged: a cell names shared string %2, "
                                            "which does not exist.")
                                 .arg(QFileInfo(m_path).fileName(), value));
        return SheetCell::ofText(m_shared.at(index));
    }
    if (type == QLatin1String("b"))
        return SheetCell::ofText(value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE")
                                                                       : QStringLiteral("FALSE"));
    if (type == QLatin1String("str") || type == QLatin1String("e") || type == QLatin1String("d"))
        return SheetCell::ofText(value);
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? SheetCell::ofNumber(number) : SheetCell::ofText(value);
}
