#include "SheetReader.h"

#include "AnkiTextReader.h"
#include "CsvReader.h"
#include "KvtmlReader.h"
#include "OdsReader.h"
#include "XlsReader.h"
#include "XlsxReader.h"

#include "ZipArchive.h"
#include "ZipPart.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <QScopeGuard>

#include <cmath>

#include <sys/stat.h>

namespace {

bool isBiffBof(const QByteArray &head)
{
    // A bare BIFF2, 3 or 4 stream (or a BIFF5/8 stream without its container) starts
    // with a BOF record: 09 00, 09 02, 09 04 or 09 08.
    if (head.size() < 4 || quint8(head[0]) != 0x09)
        return false;
    const quint8 version = quint8(head[1]);
    return version == 0x00 || version == 0x02 || version == 0x04 || version == 0x08;
}

SheetReader::Format zipFormat(const QString &path)
{
    using Match = ZipReading::Match;
    const std::unique_ptr<ZipReading> zip = zipLibraryFor(QFileInfo(path).fileName()).read(path);
    if (!zip)
        return SheetReader::Format::Unknown;
    if (zip->select(QStringLiteral("mimetype"), Match::ExactCase)) {
        QIODevice *file = zip->openPart();
        if (file && file->read(64).startsWith("application/vnd.oasis.opendocument.spreadsheet"))
            return SheetReader::Format::Ods;
    }
    if (zip->select(QStringLiteral("xl/workbook.xml"), Match::AnyCase))
        return SheetReader::Format::Xlsx;
    if (zip->select(QStringLiteral("content.xml"), Match::ExactCase))
        return SheetReader::Format::Ods;
    return SheetReader::Format::Unknown;
}

} // namespace

QString SheetCell::toText() const
{
    switch (kind) {
    case Kind::Empty:
        return QString();
    case Kind::Text:
        return text;
    case Kind::Number:
        return SheetReader::naturalNumber(number);
    }
    return QString();
}

QString SheetReader::naturalNumber(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // Whole numbers without a fraction; others with the 15 significant digits a
    // spreadsheet shows, so 3.14 stays 3.14 and 0.1 + 0.2 reads 0.3.
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

const QStringList &SheetReader::filePatterns()
{
    static const QStringList patterns{"*.xls", "*.xlsx", "*.ods",  "*.csv",
                                      "*.tsv", "*.txt",  "*.kvtml"};
    return patterns;
}

SheetReader::Format SheetReader::detect(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Format::Unknown;
    const QByteArray head = file.read(4096);
    file.close();
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") || isBiffBof(head))
        return Format::Xls;
    if (head.startsWith("PK\x03\x04"))
        return zipFormat(path);
    // Anything else is text, unless it plainly is binary: a vocabulary document, an Anki
    // file by its header lines, or delimited text.
    if (head.contains('\0'))
        return Format::Unknown;
    if (KvtmlReader::looksLikeKvtml(head))
        return Format::Kvtml;
    if (AnkiTextReader::startsWithHeader(head))
        return Format::AnkiText;
    return Format::Csv;
}

SheetCell SheetReader::cell(qint64 row, int column)
{
    // Along a row the file was looked at for its first cell; anything else looks again.
    if (row != m_lastRow || column <= m_lastColumn)
        checkUnchanged();
    m_lastRow = row;
    m_lastColumn = column;
    return readCell(row, column);
}

void SheetReader::keepGoing() const
{
    if (m_keepGoing && !m_keepGoing())
        throw SheetCancelled();
}

SheetReader::FileStamp SheetReader::stampOf(const QString &path)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

void SheetReader::rememberFile(const QString &path)
{
    m_path = path;
    m_name = QFileInfo(path).fileName();
    m_stamp = stampOf(path);
    m_lastRow = 0;
    m_lastColumn = 0;
}

void SheetReader::checkUnchanged() const
{
    if (m_path.isEmpty())
        throw SheetError(QStringLiteral("No file is open."));
    if (stampOf(m_path) != m_stamp)
        throw SheetError(QStringLiteral("%1 has changed since its starting cell was chosen. "
                                        "Choose the cell again to read the file as it is now.")
                             .arg(m_name));
}

std::unique_ptr<SheetReader> SheetReader::openFile(const QString &path, const KeepGoing &keepGoing)
{
    if (!QFileInfo(path).isFile())
        throw SheetError(QStringLiteral("There is no file %1.").arg(path));
    std::unique_ptr<SheetReader> reader;
    switch (detect(path)) {
    case Format::Xls:
        reader = std::make_unique<XlsReader>();
        break;
    case Format::Xlsx:
        reader = std::make_unique<XlsxReader>();
        break;
    case Format::Ods:
        reader = std::make_unique<OdsReader>();
        break;
    case Format::Csv:
        reader = std::make_unique<CsvReader>(
            QFileInfo(path).suffix().compare(QLatin1String("tsv"), Qt::CaseInsensitive) == 0
                ? CsvReader::TabSeparated
                : CsvReader::Guess);
        break;
    case Format::AnkiText:
        reader = std::make_unique<AnkiTextReader>();
        break;
    case Format::Kvtml:
        reader = std::make_unique<KvtmlReader>();
        break;
    case Format::Unknown:
        throw SheetError(QStringLiteral("%1 is not a spreadsheet this program can read.")
                             .arg(QFileInfo(path).fileName()));
    }
    reader->setKeepGoing(keepGoing);
    SheetReader *opened = reader.get();
    const auto forget = qScopeGuard([opened] { opened->setKeepGoing({}); });
    reader->open(path);
    // A file written while it was being opened is not the file that was read.
    reader->checkUnchanged();
    return reader;
}
