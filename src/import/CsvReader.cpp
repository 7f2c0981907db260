#include "CsvReader.h"

#include <QFileInfo>

#include <array>

namespace {

constexpr qint64 ChunkBytes = 256 * 1024;
constexpr int GuessLines = 10;

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unused codes keep
// their own values, as Windows maps them.
constexpr std::array<char16_t, 32> Cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromCp1252(const QByteArray &bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (char ch : bytes) {
        const auto b = quint8(ch);
        *d++ = (b >= 0x80 && b < 0xA0) ? QChar(Cp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

QStringList firstLines(const QString &head, QChar comment)
{
    // Lines as records: a line break inside quotes does not end one; a comment line, quotes
    // and all, is no record.
    QStringList lines;
    QString line;
    bool quoted = false;
    bool inComment = false;
    for (QChar c : head) {
        const bool lineBreak = c == QLatin1Char('\n') || c == QLatin1Char('\r');
        if (inComment) {
            inComment = !lineBreak;
            continue;
        }
        if (line.isEmpty() && !quoted && !comment.isNull() && c == comment) {
            inComment = true;
            continue;
        }
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (!quoted && lineBreak) {
            if (!line.isEmpty())
                lines << line;
            line.clear();
            if (lines.size() == GuessLines)
                return lines;
            continue;
        }
        line += c;
    }
    if (!line.isEmpty())
        lines << line; // may be cut short by the end of the sample
    return lines;
}

int countOutsideQuotes(const QString &line, QChar separator)
{
    int n = 0;
    bool quoted = false;
    for (QChar c : line) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && c == separator)
            ++n;
    }
    return n;
}

} // namespace

QChar CsvReader::guessSeparator(const QString &head, SeparatorHint hint, QChar comment)
{
    // Tab-separated values are that by name, commas in the text or not.
    if (hint == TabSeparated)
        return QLatin1Char('\t');
    const std::array<QChar, 3> candidates{QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};
    const QStringList lines = firstLines(head, comment);
    if (lines.isEmpty())
        return candidates[0];
    // The best separator splits every line into the same number of fields; among those,
    // the one that splits most. A separator that splits the lines unevenly comes after.
    QChar best = candidates[0];
    int bestScore = -1;
    for (QChar c : candidates) {
        const int first = countOutsideQuotes(lines.first(), c);
        if (first == 0)
            continue;
        bool even = true;
        for (const QString &line : lines)
            even = even && countOutsideQuotes(line, c) == first;
        const int score = (even ? 1000000 : 0) + first;
        if (score > bestScore) {
            bestScore = score;
            best = c;
        }
    }
    return best;
}

void CsvReader::open(const QString &path)
{
    close();
    rememberFile(path);
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        throw SheetError(
            QStringLiteral("%1 cannot be opened: %2").arg(fileName(), m_file.errorString()));
    scan();
    rewind();
    fill();
    m_separator = guessSeparator(m_buffer.left(64 * 1024), m_hint, m_comment);
    restart();
}

void CsvReader::close()
{
    m_file.close();
    m_buffer.clear();
    m_pos = 0;
    restart();
}

void CsvReader::scan()
{
    // The whole file once: whether it is UTF-8, and that it holds no NUL, which no word
    // may hold and no text file has.
    QStringDecoder check(QStringDecoder::Utf8);
    m_utf8 = true;
    qint64 at = 0;
    while (!m_file.atEnd()) {
        keepGoing();
        const QByteArray chunk = m_file.read(ChunkBytes);
        if (chunk.isEmpty())
            break;
        const qsizetype nul = chunk.indexOf('\0');
        if (nul >= 0)
            throw SheetError(QStringLiteral("%1 holds a NUL byte (at byte %L2), which no text "
                                            "file holds: it cannot be read as text.")
                                 .arg(fileName())
                                 .arg(at + nul));
        at += chunk.size();
        if (m_utf8) {
            const QString decoded = check.decode(chunk);
            Q_UNUSED(decoded);
            m_utf8 = !check.hasError();
        }
    }
    // A sequence cut off by the end of the file is no UTF-8 either.
    const QString rest = check.decode(QByteArray());
    Q_UNUSED(rest);
    m_utf8 = m_utf8 && !check.hasError();
}

void CsvReader::rewind()
{
    m_file.seek(0);
    m_decoder = QStringDecoder(QStringDecoder::Utf8);
    m_buffer.clear();
    m_pos = 0;
}

QString CsvReader::decode(const QByteArray &bytes)
{
    return m_utf8 ? QString(m_decoder.decode(bytes)) : fromCp1252(bytes);
}

bool CsvReader::fill()
{
    while (!m_file.atEnd()) {
        keepGoing();
        const QByteArray bytes = m_file.read(ChunkBytes);
        if (bytes.isEmpty())
            break;
        m_buffer = m_buffer.mid(m_pos) + decode(bytes);
        m_pos = 0;
        if (!m_buffer.isEmpty())
            return true;
    }
    return m_pos < m_buffer.size();
}

bool CsvReader::atEnd()
{
    return m_pos >= m_buffer.size() && !fill();
}

void CsvReader::skipComments()
{
    // A comment runs to the end of its line, quotes and all.
    while (!m_comment.isNull() && !atEnd() && m_buffer.at(m_pos) == m_comment) {
        while (!atEnd()) {
            const QChar c = m_buffer.at(m_pos++);
            if (c == QLatin1Char('\n'))
                break;
            if (c == QLatin1Char('\r')) {
                if (!atEnd() && m_buffer.at(m_pos) == QLatin1Char('\n'))
                    ++m_pos;
                break;
            }
        }
    }
}

bool CsvReader::readRow(Row &row)
{
    skipComments();
    if (atEnd())
        return false;
    qint64 column = 1; // at most SheetLimits::MaxColumns + 1
    QString field;
    bool tooLong = false;   // the field has grown past a cell's length; the rest is passed
    bool quoted = false;    // inside a quoted part
    bool wasQuoted = false; // the field began with a quote
    bool fieldStart = true;
    const auto push = [&] {
        if (!field.isEmpty() || wasQuoted || tooLong)
            addCell(row, column, 1, SheetCell::ofText(field), tooLong);
        column = qMin<qint64>(column + 1, SheetLimits::MaxColumns + 1);
        field.clear();
        tooLong = wasQuoted = false;
        fieldStart = true;
    };
    const auto add = [&](QChar c) {
        if (tooLong)
            return;
        if (field.size() < SheetLimits::MaxCellChars) {
            field += c;
        } else {
            tooLong = true;
            field.clear();
        }
    };
    while (!atEnd()) {
        const QChar c = m_buffer.at(m_pos++);
        if (quoted) {
            if (c != QLatin1Char('"')) {
                add(c);
            } else if (!atEnd() && m_buffer.at(m_pos) == QLatin1Char('"')) {
                add(c);
                ++m_pos;
            } else {
                quoted = false;
            }
            continue;
        }
        if (c == m_separator) {
            push();
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && !atEnd() && m_buffer.at(m_pos) == QLatin1Char('\n'))
                ++m_pos;
            push();
            return true;
        } else if (c == QLatin1Char('"') && fieldStart) {
            quoted = wasQuoted = true;
            fieldStart = false;
        } else {
            add(c);
            fieldStart = false;
        }
    }
    push();
    return true;
}
