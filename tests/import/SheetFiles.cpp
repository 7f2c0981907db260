#include "SheetFiles.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QStringList>
#include <QtEndian>

#include <QRandomGenerator>

#include <memory>
#include <stdexcept>

namespace {

void fail(const QString &what)
{
    throw std::runtime_error(what.toStdString());
}

QString columnName(int column)
{
    QString name;
    for (int c = column; c > 0; c = (c - 1) / 26)
        name.prepend(QChar(u'A' + (c - 1) % 26));
    return name;
}

bool isNumber(const QVariant &v)
{
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int ||
           v.typeId() == QMetaType::LongLong;
}

// A zip archive written part by part.
class Archive
{
public:
    explicit Archive(const QString &path) : m_zip(path)
    {
        if (!m_zip.open(QuaZip::mdCreate))
            fail(QStringLiteral("cannot create %1").arg(path));
    }
    ~Archive() { m_zip.close(); }

    void begin(const QString &name, bool stored = false)
    {
        m_file = std::make_unique<QuaZipFile>(&m_zip);
        if (!m_file->open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0,
                          stored ? 0 : Z_DEFLATED, 1))
            fail(QStringLiteral("cannot write %1").arg(name));
    }
    void write(const QString &text) { m_file->write(text.toUtf8()); }
    void writeBytes(const QByteArray &bytes)
    {
        if (m_file->write(bytes) != bytes.size())
            fail(QStringLiteral("cannot write a part"));
    }
    void part(const QString &name, const SheetFiles::PartWriter &writer)
    {
        begin(name);
        writer([this](const QByteArray &bytes) { writeBytes(bytes); });
        end();
    }
    void end()
    {
        m_file->close();
        m_file.reset();
    }
    void part(const QString &name, const QString &text, bool stored = false)
    {
        begin(name, stored);
        write(text);
        end();
    }

private:
    QuaZip m_zip;
    std::unique_ptr<QuaZipFile> m_file;
};

QString odsText(const QString &text)
{
    // A blank at the start and every blank after the first of a run is a <text:s/>.
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.at(i) != QLatin1Char(' ')) {
            out += QString(text.at(i)).toHtmlEscaped();
            ++i;
            continue;
        }
        qsizetype run = 0;
        while (i + run < text.size() && text.at(i + run) == QLatin1Char(' '))
            ++run;
        qsizetype coded = run;
        if (i > 0) {
            out += QLatin1Char(' ');
            --coded;
        }
        if (coded == 1)
            out += QStringLiteral("<text:s/>");
        else if (coded > 1)
            out += QStringLiteral("<text:s text:c=\"%1\"/>").arg(coded);
        i += run;
    }
    return out;
}

QByteArray cp1252(const QString &text)
{
    QByteArray out;
    for (QChar c : text)
        out += c.unicode() < 256 ? char(c.unicode()) : '?';
    return out;
}

void record(QFile &file, quint16 type, const QByteArray &data)
{
    char header[4];
    qToLittleEndian<quint16>(type, header);
    qToLittleEndian<quint16>(quint16(data.size()), header + 2);
    file.write(header, 4);
    file.write(data);
}

QByteArray u16(quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    return QByteArray(b, 2);
}

QByteArray f64(double v)
{
    char b[8];
    qToLittleEndian(v, b);
    return QByteArray(b, 8);
}

} // namespace

SheetFiles::Rows SheetFiles::fromList(const QList<QVariantList> &rows)
{
    return [rows](qint64 row) {
        return row >= 1 && row <= rows.size() ? rows[row - 1] : QVariantList();
    };
}

void SheetFiles::writeXlsx(const QString &path, qint64 rowCount, const Rows &rows)
{
    Archive zip(path);
    zip.part(QStringLiteral("[Content_Types].xml"),
             QStringLiteral(
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                 "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                 "<Default Extension=\"rels\" "
                 "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                 "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                 "<Override PartName=\"/xl/workbook.xml\" "
                 "ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                 "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
                 "ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
                 "<Override PartName=\"/xl/sharedStrings.xml\" "
                 "ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
                 "</Types>"));
    zip.part(
        QStringLiteral("_rels/.rels"),
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" "
            "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
            "officeDocument\" Target=\"xl/workbook.xml\"/>"
            "</Relationships>"));
    zip.part(QStringLiteral("xl/workbook.xml"),
             QStringLiteral(
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                 "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                 "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                 "<sheets><sheet name=\"Words\" sheetId=\"1\" r:id=\"rId7\"/>"
                 "<sheet name=\"Other\" sheetId=\"2\" r:id=\"rId8\"/></sheets></workbook>"));
    zip.part(
        QStringLiteral("xl/_rels/workbook.xml.rels"),
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId8\" "
            "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
            "worksheet\" Target=\"worksheets/sheet2.xml\"/>"
            "<Relationship Id=\"rId7\" "
            "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
            "worksheet\" Target=\"/xl/worksheets/sheet1.xml\"/>"
            "<Relationship Id=\"rId9\" "
            "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
            "sharedStrings\" Target=\"sharedStrings.xml\"/>"
            "</Relationships>"));
    zip.part(
        QStringLiteral("xl/worksheets/sheet2.xml"),
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
            "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
            "<sheetData><row r=\"1\"><c r=\"A1\"><v>99</v></c></row></sheetData></worksheet>"));

    QHash<QString, int> shared;
    QStringList sharedOrder;
    zip.begin(QStringLiteral("xl/worksheets/sheet1.xml"));
    zip.write(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<sheetData>"));
    QString chunk;
    for (qint64 r = 1; r <= rowCount; ++r) {
        const QVariantList cells = rows(r);
        chunk += QStringLiteral("<row r=\"%1\">").arg(r);
        for (int c = 0; c < cells.size(); ++c) {
            const QVariant &v = cells[c];
            if (!v.isValid())
                continue;
            const QString ref = columnName(c + 1) + QString::number(r);
            if (isNumber(v)) {
                chunk += QStringLiteral("<c r=\"%1\"><v>%2</v></c>")
                             .arg(ref, QString::number(v.toDouble(), 'g',
                                                       QLocale::FloatingPointShortest));
            } else {
                const QString text = v.toString();
                auto it = shared.constFind(text);
                if (it == shared.constEnd()) {
                    it = shared.insert(text, int(sharedOrder.size()));
                    sharedOrder << text;
                }
                chunk += QStringLiteral("<c r=\"%1\" t=\"s\"><v>%2</v></c>").arg(ref).arg(*it);
            }
        }
        chunk += QStringLiteral("</row>");
        if (chunk.size() > 1 << 16) {
            zip.write(chunk);
            chunk.clear();
        }
    }
    zip.write(chunk + QStringLiteral("</sheetData></worksheet>"));
    zip.end();

    zip.begin(QStringLiteral("xl/sharedStrings.xml"));
    zip.write(
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                       "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                       "count=\"%1\" uniqueCount=\"%1\">")
            .arg(sharedOrder.size()));
    chunk.clear();
    for (const QString &s : sharedOrder) {
        chunk += QStringLiteral("<si><t xml:space=\"preserve\">") + s.toHtmlEscaped() +
                 QStringLiteral("</t></si>");
        if (chunk.size() > 1 << 16) {
            zip.write(chunk);
            chunk.clear();
        }
    }
    zip.write(chunk + QStringLiteral("</sst>"));
    zip.end();
}

void SheetFiles::writeOds(const QString &path, qint64 rowCount, const Rows &rows)
{
    Archive zip(path);
    zip.part(QStringLiteral("mimetype"),
             QStringLiteral("application/vnd.oasis.opendocument.spreadsheet"), true);
    zip.part(
        QStringLiteral("META-INF/manifest.xml"),
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                       "<manifest:manifest "
                       "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
                       "manifest:version=\"1.2\">"
                       "<manifest:file-entry manifest:full-path=\"/\" "
                       "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>"
                       "<manifest:file-entry manifest:full-path=\"content.xml\" "
                       "manifest:media-type=\"text/xml\"/>"
                       "</manifest:manifest>"));
    zip.begin(QStringLiteral("content.xml"));
    zip.write(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<office:document-content "
        "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\">"
        "<office:body><office:spreadsheet><table:table table:name=\"Words\">"
        "<table:table-column table:number-columns-repeated=\"3\"/>"));
    QString chunk;
    for (qint64 r = 1; r <= rowCount; ++r) {
        const QVariantList cells = rows(r);
        chunk += QStringLiteral("<table:table-row>");
        for (const QVariant &v : cells) {
            if (!v.isValid())
                chunk += QStringLiteral("<table:table-cell/>");
            else if (isNumber(v))
                chunk +=
                    QStringLiteral("<table:table-cell office:value-type=\"float\" "
                                   "office:value=\"%1\"><text:p>%1</text:p></table:table-cell>")
                        .arg(QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest));
            else
                chunk += QStringLiteral("<table:table-cell office:value-type=\"string\">"
                                        "<text:p>%1</text:p></table:table-cell>")
                             .arg(odsText(v.toString()));
        }
        chunk += QStringLiteral("</table:table-row>");
        if (chunk.size() > 1 << 16) {
            zip.write(chunk);
            chunk.clear();
        }
    }
    // Office programs end a sheet with one huge run of empty rows.
    chunk += QStringLiteral("<table:table-row table:number-rows-repeated=\"1048000\">"
                            "<table:table-cell table:number-columns-repeated=\"16384\"/>"
                            "</table:table-row>");
    zip.write(chunk +
              QStringLiteral("</table:table><table:table table:name=\"Other\">"
                             "<table:table-row><table:table-cell office:value-type=\"float\" "
                             "office:value=\"99\"/></table:table-row></table:table>"
                             "</office:spreadsheet></office:body></office:document-content>"));
    zip.end();
}

void SheetFiles::writeXls(const QString &path, qint64 rowCount, const Rows &rows)
{
    if (rowCount > 65535)
        fail(QStringLiteral("a BIFF2 sheet holds at most 65,535 rows"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot create %1").arg(path));
    int columns = 1;
    for (qint64 r = 1; r <= rowCount; ++r)
        columns = qMax(columns, int(rows(r).size()));
    record(file, 0x0009, u16(0x0002) + u16(0x0010)); // BOF: a worksheet
    record(file, 0x0042, u16(1252));                 // CODEPAGE
    record(file, 0x0000, u16(0) + u16(quint16(rowCount)) + u16(0) + u16(quint16(columns)));
    const QByteArray attributes(3, '\0');
    for (qint64 r = 1; r <= rowCount; ++r) {
        const QVariantList cells = rows(r);
        for (int c = 0; c < cells.size(); ++c) {
            const QVariant &v = cells[c];
            if (!v.isValid())
                continue;
            const QByteArray where = u16(quint16(r - 1)) + u16(quint16(c)) + attributes;
            if (isNumber(v)) {
                record(file, 0x0003, where + f64(v.toDouble())); // NUMBER
            } else if (v.toString().startsWith(QLatin1Char('='))) {
                const QByteArray tokens = QByteArray(1, char(0x1E)) + u16(1); // tInt 1
                record(file, 0x0006,
                       where + f64(1) + QByteArray(1, '\0') + QByteArray(1, char(tokens.size())) +
                           tokens); // FORMULA
            } else {
                const QByteArray text = cp1252(v.toString()).left(255);
                record(file, 0x0004, where + QByteArray(1, char(text.size())) + text); // LABEL
            }
        }
    }
    record(file, 0x000A, QByteArray()); // EOF
}

void SheetFiles::writeCsv(const QString &path, qint64 rowCount, const Rows &rows)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot create %1").arg(path));
    QString chunk;
    for (qint64 r = 1; r <= rowCount; ++r) {
        QStringList fields;
        for (const QVariant &v : rows(r)) {
            QString f = !v.isValid() ? QString()
                        : isNumber(v)
                            ? QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest)
                            : v.toString();
            if (f.contains(QLatin1Char(',')) || f.contains(QLatin1Char('"')) ||
                f.contains(QLatin1Char('\n')) || f.contains(QLatin1Char('\r')))
                f = QLatin1Char('"') + f.replace(QLatin1String("\""), QLatin1String("\"\"")) +
                    QLatin1Char('"');
            fields << f;
        }
        chunk += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
        if (chunk.size() > 1 << 16) {
            file.write(chunk.toUtf8());
            chunk.clear();
        }
    }
    file.write(chunk.toUtf8());
}

SheetFiles::PartWriter SheetFiles::text(const QByteArray &bytes)
{
    return [bytes](const Put &put) { put(bytes); };
}

namespace {

const QByteArray XlsxMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

QByteArray defaultWorkbook()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"" + XlsxMain +
           "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
           "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
}

QByteArray inlineCell(const QByteArray &ref, const QByteArray &text)
{
    return "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

// Letters no compressor can pack much: a hostile file of real size, no zip bomb.
QByteArray letters(qsizetype size)
{
    QByteArray out(size, Qt::Uninitialized);
    auto *random = QRandomGenerator::global();
    for (char &c : out)
        c = char('a' + random->bounded(26));
    return out;
}

// The sheet of an .xlsx: row 1 (alpha, m, p), then `rest`.
SheetFiles::PartWriter sheetAfterRow1(const SheetFiles::PartWriter &rest)
{
    return [rest](const SheetFiles::Put &put) {
        put("<?xml version=\"1.0\"?><worksheet xmlns=\"" + XlsxMain +
            "\"><sheetData><row r=\"1\">" + inlineCell("A1", "alpha") + inlineCell("B1", "m") +
            inlineCell("C1", "p") + "</row>");
        rest(put);
        put("</sheetData></worksheet>");
    };
}

} // namespace

void SheetFiles::writeRawXlsx(const QString &path, const PartWriter &sheet,
                              const PartWriter &sharedStrings, const PartWriter &workbook)
{
    Archive zip(path);
    zip.part(QStringLiteral("xl/workbook.xml"), workbook ? workbook : text(defaultWorkbook()));
    QByteArray rels = "<?xml version=\"1.0\"?><Relationships "
                      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                      "officeDocument/2006/relationships/worksheet\" "
                      "Target=\"worksheets/sheet1.xml\"/>";
    if (sharedStrings)
        rels += "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/"
                "officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    zip.part(QStringLiteral("xl/_rels/workbook.xml.rels"), text(rels + "</Relationships>"));
    zip.part(QStringLiteral("xl/worksheets/sheet1.xml"), sheet);
    if (sharedStrings)
        zip.part(QStringLiteral("xl/sharedStrings.xml"), sharedStrings);
}

void SheetFiles::writeRawOds(const QString &path, const PartWriter &table)
{
    Archive zip(path);
    zip.part(QStringLiteral("mimetype"),
             QStringLiteral("application/vnd.oasis.opendocument.spreadsheet"), true);
    zip.part(QStringLiteral("content.xml"), [&](const Put &put) {
        put("<?xml version=\"1.0\"?><office:document-content "
            "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
            "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\">"
            "<office:body><office:spreadsheet>");
        table(put);
        put("</office:spreadsheet></office:body></office:document-content>");
    });
}

QString SheetFiles::hostileName(Hostile kind)
{
    switch (kind) {
    case Hostile::WholeWorkbook:
        return QStringLiteral("whole_workbook.xlsx");
    case Hostile::ManySharedStrings:
        return QStringLiteral("many_shared_strings.xlsx");
    case Hostile::LongCell:
        return QStringLiteral("long_cell.xlsx");
    case Hostile::HugeCell:
        return QStringLiteral("huge_cell.xlsx");
    case Hostile::DeepXml:
        return QStringLiteral("deep_xml.xlsx");
    case Hostile::RowNumberPastSheet:
        return QStringLiteral("row_number_past_sheet.xlsx");
    case Hostile::ColumnPastSheet:
        return QStringLiteral("column_past_sheet.xlsx");
    case Hostile::RepeatedColumns:
        return QStringLiteral("repeated_columns.ods");
    case Hostile::UnclosedQuote:
        return QStringLiteral("unclosed_quote.csv");
    case Hostile::NulInText:
        return QStringLiteral("nul_in_text.csv");
    }
    return {};
}

void SheetFiles::writeHostile(Hostile kind, const QString &path, int scale)
{
    constexpr qint64 MB = 1024 * 1024;
    switch (kind) {
    case Hostile::WholeWorkbook:
        writeRawXlsx(path, sheetAfterRow1([](const Put &) {}), {}, [scale](const Put &put) {
            put("<?xml version=\"1.0\"?><workbook xmlns=\"" + XlsxMain +
                "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                "relationships\"><definedNames>");
            QByteArray chunk;
            for (qint64 n = 0, written = 0; written < scale * 20 * MB; ++n) {
                chunk += "<definedName name=\"n" + QByteArray::number(n) + "\">S!$A$" +
                         QByteArray::number(n % 1048576 + 1) + "</definedName>";
                if (chunk.size() > 1 << 16) {
                    written += chunk.size();
                    put(chunk);
                    chunk.clear();
                }
            }
            put(chunk + "</definedNames><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/>"
                        "</sheets></workbook>");
        });
        return;
    case Hostile::ManySharedStrings: {
        const auto sheet = sheetAfterRow1(
            [](const Put &put) { put("<row r=\"2\"><c r=\"A2\" t=\"s\"><v>0</v></c></row>"); });
        writeRawXlsx(path, sheet, [](const Put &put) {
            put("<?xml version=\"1.0\"?><sst xmlns=\"" + XlsxMain + "\">");
            QByteArray chunk;
            for (qint64 n = 0; n <= 4 * MB; ++n) {
                chunk += "<si><t>" + QByteArray::number(n, 36) + "</t></si>";
                if (chunk.size() > 1 << 16) {
                    put(chunk);
                    chunk.clear();
                }
            }
            put(chunk + "</sst>");
        });
        return;
    }
    case Hostile::LongCell:
        writeRawXlsx(path, sheetAfterRow1([](const Put &put) {
                         put("<row r=\"2\">" + inlineCell("A2", "beta") +
                             inlineCell("B2", letters(100000)) + "</row><row r=\"3\">" +
                             inlineCell("A3", "gamma") + "</row>");
                     }));
        return;
    case Hostile::HugeCell:
        writeRawXlsx(path, sheetAfterRow1([scale](const Put &put) {
                         put("<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>");
                         const QByteArray block(MB, 'a');
                         for (qint64 n = 0; n < scale * 1024; ++n)
                             put(block);
                         put("</t></is></c></row>");
                     }));
        return;
    case Hostile::DeepXml:
        writeRawXlsx(path, sheetAfterRow1([](const Put &put) {
                         put("<row r=\"2\">" + inlineCell("A2", "beta") + "</row>");
                         const QByteArray open = QByteArray("<x>").repeated(1 << 20);
                         put(open);
                     }));
        return;
    case Hostile::RowNumberPastSheet:
        writeRawXlsx(path, sheetAfterRow1([](const Put &put) {
                         put("<row r=\"9223372036854775807\">" +
                             inlineCell("A9223372036854775807", "beta") + "</row>");
                     }));
        return;
    case Hostile::ColumnPastSheet:
        writeRawXlsx(path, sheetAfterRow1([](const Put &put) {
                         put("<row r=\"2\">" + inlineCell("A2", "beta") +
                             inlineCell("XFE1048577", "far") + "</row>");
                     }));
        return;
    case Hostile::RepeatedColumns:
        writeRawOds(path, [](const Put &put) {
            put("<table:table table:name=\"S\"><table:table-row><table:table-cell "
                "office:value-type=\"string\"><text:p>alpha</text:p></table:table-cell>"
                "</table:table-row><table:table-row><table:table-cell "
                "table:number-columns-repeated=\"1099511627776\" office:value-type=\"string\">"
                "<text:p>w</text:p></table:table-cell></table:table-row></table:table>");
        });
        return;
    case Hostile::UnclosedQuote:
    case Hostile::NulInText: {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fail(QStringLiteral("cannot create %1").arg(path));
        if (kind == Hostile::NulInText) {
            for (int n = 1; n <= 1000; ++n)
                file.write("w" + QByteArray::number(n) + ",m\r\n");
            file.write(QByteArray("Ab\0cd,m\r\n", 9));
            return;
        }
        file.write("alpha,m,p\r\nbeta,m,p\r\n\"never closed,m,p\r\n");
        const QByteArray line = letters(99) + "\r\n";
        for (qint64 written = 0; written < scale * 200 * 1024; written += line.size())
            file.write(line);
        return;
    }
    }
}
