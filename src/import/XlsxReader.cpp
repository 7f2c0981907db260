#include "XlsxReader.h"

#include "ZipPart.h"

using namespace SheetLimits;

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
        if (u < u'A' || u > u'Z')
            break;
        if (column > MaxColumns)
            return MaxColumns + 1;
        column = column * 26 + (u - u'A' + 1);
    }
    return column;
}

void XlsxReader::open(const QString &path)
{
    close();
    rememberFile(path);
    m_zip = std::make_unique<ZipPart>(path, keepGoingHook());
    QString sharedStrings;
    findParts(m_sheetPart, sharedStrings);
    if (!sharedStrings.isEmpty())
        loadSharedStrings(sharedStrings);
    rewind();
}

void XlsxReader::close()
{
    m_zip.reset();
    m_shared = {};
    restart();
}

void XlsxReader::findParts(QString &sheet, QString &sharedStrings)
{
    // The first <sheet> of the workbook names its part through a relationship id.
    if (!m_zip->open(QStringLiteral("xl/workbook.xml")))
        throw SheetError(
            QStringLiteral("%1 is damaged: the part xl/workbook.xml is missing.").arg(fileName()));
    QXmlStreamReader &workbook = m_zip->xml();
    QString sheetId;
    while (!workbook.atEnd() && sheetId.isEmpty())
        if (workbook.readNext() == QXmlStreamReader::StartElement &&
            workbook.name() == QLatin1String("sheet"))
            sheetId = localAttribute(workbook.attributes(), QLatin1String("id")).toString();
    if (sheetId.isEmpty()) {
        m_zip->check();
        throw SheetError(QStringLiteral("%1 holds no worksheet.").arg(fileName()));
    }

    if (!m_zip->open(QStringLiteral("xl/_rels/workbook.xml.rels")))
        throw SheetError(QStringLiteral("%1 is damaged: the part xl/_rels/workbook.xml.rels is "
                                        "missing.")
                             .arg(fileName()));
    QXmlStreamReader &rels = m_zip->xml();
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
    m_zip->check();
    m_zip->close();
    if (sheet.isEmpty())
        throw SheetError(
            QStringLiteral("%1 is damaged: its first worksheet cannot be found.").arg(fileName()));
}

void XlsxReader::loadSharedStrings(const QString &part)
{
    if (!m_zip->open(part))
        return;
    QXmlStreamReader &xml = m_zip->xml();
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("si"))
            continue;
        bool tooLong = false;
        const QString item = readStringItem(xml, u"si", tooLong);
        if (m_shared.ends.size() >= std::size_t(MaxSharedStrings) ||
            m_shared.text.size() + item.size() > MaxSharedChars)
            throw SheetError(QStringLiteral("%1 holds more shared text than this program reads "
                                            "(%L2 strings, %L3 characters in all).")
                                 .arg(fileName())
                                 .arg(MaxSharedStrings)
                                 .arg(MaxSharedChars));
        if (!tooLong)
            m_shared.text += item;
        m_shared.ends.push_back(quint32(m_shared.text.size()));
        m_shared.tooLong.push_back(tooLong);
    }
    m_zip->check();
    m_zip->close();
    m_shared.text.squeeze();
}

void XlsxReader::rewind()
{
    if (!m_zip->open(m_sheetPart))
        throw SheetError(
            QStringLiteral("%1 is damaged: the part %2 is missing.").arg(fileName(), m_sheetPart));
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
        // The number is checked before it is used: no row past the sheet, no overflow.
        const QXmlStreamAttributes attributes = xml.attributes();
        const QStringView number = attributes.value(QLatin1String("r"));
        if (!number.isEmpty()) {
            bool numbered = false;
            const qint64 r = number.toLongLong(&numbered);
            if (!numbered || r < 1 || r > MaxRows)
                rowPastSheet(numbered ? r : maxRows() + 1);
            row.first = r;
        }
        int column = 0;
        while (!xml.atEnd()) {
            const auto t = xml.readNext();
            if (t == QXmlStreamReader::StartElement && xml.name() == QLatin1String("c")) {
                bool tooLong = false;
                SheetCell cell = readXmlCell(row.first, column, tooLong);
                addCell(row, column, 1, std::move(cell), tooLong);
            } else if (t == QXmlStreamReader::EndElement && xml.name() == QLatin1String("row")) {
                return true;
            }
        }
    }
    m_zip->check();
    return false;
}

SheetCell XlsxReader::readXmlCell(qint64 row, int &column, bool &tooLong)
{
    QXmlStreamReader &xml = m_zip->xml();
    const QXmlStreamAttributes a = xml.attributes();
    const int referenced = columnOfReference(a.value(QLatin1String("r")));
    // A cell without a reference follows the one before; none goes past the last column.
    column = referenced > 0 ? referenced : qMin(column + 1, MaxColumns + 1);
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
                inlineText = readStringItem(xml, u"is", tooLong);
            } else {
                xml.skipCurrentElement(); // the formula itself, extensions
            }
        } else if (t == QXmlStreamReader::EndElement && xml.name() == QLatin1String("c")) {
            break;
        }
    }
    m_zip->check();

    if (type == QLatin1String("inlineStr"))
        return SheetCell::ofText(inlineText); // a stray <v> beside <is> is not the value
    if (!hasValue)
        return {};
    if (value.size() > MaxCellChars) {
        tooLong = true;
        return {};
    }
    if (type == QLatin1String("s")) {
        bool ok = false;
        const qsizetype index = value.toLongLong(&ok);
        if (!ok || index < 0 || std::size_t(index) >= m_shared.ends.size())
            throw SheetError(QStringLiteral("%1 is damaged: a cell of row %2 names shared string "
                                            "%3, which does not exist.")
                                 .arg(fileName())
                                 .arg(row)
                                 .arg(value.left(20)));
        if (m_shared.tooLong[std::size_t(index)]) {
            tooLong = true;
            return {};
        }
        const qsizetype from = index > 0 ? m_shared.ends[std::size_t(index) - 1] : 0;
        return SheetCell::ofText(m_shared.text.mid(from, m_shared.ends[std::size_t(index)] - from));
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
