#include "XlsFrames.h"

#include "SheetLimits.h"

#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace XlsFrames {

namespace {

constexpr qsizetype CellHead = 1 + 4 + 2;
// A text frame's bytes: every UTF-16 unit of a cell takes at most three bytes of UTF-8.
constexpr quint32 MaxTextBytes = quint32(SheetLimits::MaxCellChars) * 3;

bool cellKey(const Sheet::Cell &a, const Sheet::Cell &b)
{
    return a.row != b.row ? a.row < b.row : a.column < b.column;
}

// Valid UTF-8 without NUL, as a QString; false otherwise.
bool decodeText(const char *data, qsizetype size, QString &out)
{
    if (std::memchr(data, '\0', size_t(size)))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out = decoder.decode(QByteArrayView(data, size));
    return !decoder.hasError();
}

} // namespace

// ---- the reading process's side ----

Writer::Writer(std::FILE *out) : m_out(out)
{
    put(Magic, MagicSize);
}

void Writer::put(const void *data, std::size_t size)
{
    if (!m_failed && std::fwrite(data, 1, size, m_out) != size)
        m_failed = true;
}

void Writer::cellHead(char kind, quint32 row, quint16 column)
{
    char head[CellHead];
    head[0] = kind;
    qToLittleEndian(row, head + 1);
    qToLittleEndian(column, head + 5);
    put(head, sizeof head);
    ++m_cells;
}

void Writer::number(quint32 row, quint16 column, double value)
{
    cellHead('N', row, column);
    char bits[8];
    qToLittleEndian(value, bits);
    put(bits, sizeof bits);
}

void Writer::text(quint32 row, quint16 column, const QByteArray &utf8)
{
    cellHead('T', row, column);
    char length[4];
    qToLittleEndian(quint32(utf8.size()), length);
    put(length, sizeof length);
    put(utf8.constData(), std::size_t(utf8.size()));
}

void Writer::formula(quint32 row, quint16 column)
{
    cellHead('F', row, column);
}

void Writer::tooLong(quint32 row, quint16 column)
{
    cellHead('L', row, column);
}

void Writer::refuse(const QString &reason)
{
    const QByteArray utf8 = reason.toUtf8().left(MaxReasonBytes);
    const char kind = 'X';
    put(&kind, 1);
    char length[4];
    qToLittleEndian(quint32(utf8.size()), length);
    put(length, sizeof length);
    put(utf8.constData(), std::size_t(utf8.size()));
    m_failed = std::fflush(m_out) != 0 || m_failed;
}

void Writer::end()
{
    char frame[5];
    frame[0] = 'E';
    qToLittleEndian(m_cells, frame + 1);
    put(frame, sizeof frame);
    m_failed = std::fflush(m_out) != 0 || m_failed;
}

bool Writer::failed() const
{
    return m_failed;
}

// ---- the sheet ----

const Sheet::Cell *Sheet::find(qint64 row, int column) const
{
    if (row < 1 || column < 1 || row > SheetLimits::XlsMaxRows ||
        column > SheetLimits::XlsMaxColumns)
        return nullptr;
    const Cell key{quint32(row), quint16(column), Kind::Number, 0, 0};
    const auto it = std::lower_bound(m_cells.begin(), m_cells.end(), key, cellKey);
    return it != m_cells.end() && it->row == key.row && it->column == key.column ? &*it : nullptr;
}

double Sheet::numberOf(const Cell &cell) const
{
    double value;
    static_assert(sizeof value == sizeof cell.payload);
    std::memcpy(&value, &cell.payload, sizeof value);
    return value;
}

// ---- the program's side ----

Parser::Parser(const QString &fileName) : m_fileName(fileName) {}

void Parser::damaged() const
{
    throw SheetError(QStringLiteral("%1 could not be read: the .xls reader gave a damaged "
                                    "answer.")
                         .arg(m_fileName));
}

void Parser::addCell(Sheet::Kind kind, quint32 row, quint16 column, quint64 payload, quint32 length)
{
    if (row < 1 || row > SheetLimits::XlsMaxRows || column < 1 ||
        column > SheetLimits::XlsMaxColumns)
        damaged();
    if (m_sheet.size() >= SheetLimits::MaxXlsCells)
        throw SheetError(QStringLiteral("%1 has more than %L2 cells in its first worksheet, more "
                                        "than this program reads from an .xls file.")
                             .arg(m_fileName)
                             .arg(SheetLimits::MaxXlsCells));
    m_sheet.m_cells.push_back({row, column, kind, length, payload});
}

qsizetype Parser::parseOne(const char *p, qsizetype available)
{
    // The size of the frame at `p` once it is all there; 0 while it is not.
    const char kind = p[0];
    const auto row = [&] { return qFromLittleEndian<quint32>(p + 1); };
    const auto column = [&] { return qFromLittleEndian<quint16>(p + 5); };
    switch (kind) {
    case 'N': {
        if (available < CellHead + 8)
            return 0;
        addCell(Sheet::Kind::Number, row(), column(), qFromLittleEndian<quint64>(p + CellHead));
        return CellHead + 8;
    }
    case 'T': {
        if (available < CellHead + 4)
            return 0;
        const auto length = qFromLittleEndian<quint32>(p + CellHead);
        if (length > MaxTextBytes)
            damaged();
        if (available < CellHead + 4 + qsizetype(length))
            return 0;
        QString text;
        if (!decodeText(p + CellHead + 4, length, text) || text.size() > SheetLimits::MaxCellChars)
            damaged();
        if (m_sheet.m_text.size() + text.size() > SheetLimits::MaxXlsChars)
            throw SheetError(QStringLiteral("%1 holds more than %L2 characters of text in its "
                                            "first worksheet, more than this program reads from "
                                            "an .xls file.")
                                 .arg(m_fileName)
                                 .arg(SheetLimits::MaxXlsChars));
        addCell(Sheet::Kind::Text, row(), column(), quint64(m_sheet.m_text.size()),
                quint32(text.size()));
        m_sheet.m_text += text;
        return CellHead + 4 + length;
    }
    case 'F':
    case 'L':
        if (available < CellHead)
            return 0;
        addCell(kind == 'F' ? Sheet::Kind::Formula : Sheet::Kind::TooLong, row(), column());
        return CellHead;
    case 'X': {
        if (available < 5)
            return 0;
        const auto length = qFromLittleEndian<quint32>(p + 1);
        if (length > MaxReasonBytes)
            damaged();
        if (available < 5 + qsizetype(length))
            return 0;
        if (!decodeText(p + 5, length, m_refusal) || m_refusal.trimmed().isEmpty())
            damaged();
        m_refused = true;
        return 5 + length;
    }
    case 'E': {
        if (available < 5)
            return 0;
        if (qFromLittleEndian<quint32>(p + 1) != quint64(m_sheet.size()))
            damaged();
        m_ended = true;
        return 5;
    }
    default:
        damaged();
    }
}

void Parser::feed(const char *data, qsizetype size)
{
    if (size <= 0)
        return;
    if ((m_ended || m_refused))
        damaged(); // nothing may follow the last frame
    m_pending.append(data, size);
    qsizetype at = 0;
    if (!m_started) {
        if (m_pending.size() < MagicSize) {
            if (std::memcmp(m_pending.constData(), Magic, size_t(m_pending.size())) != 0)
                damaged();
            return;
        }
        if (std::memcmp(m_pending.constData(), Magic, MagicSize) != 0)
            damaged();
        m_started = true;
        at = MagicSize;
    }
    while (at < m_pending.size()) {
        if (m_ended || m_refused)
            damaged();
        const qsizetype used = parseOne(m_pending.constData() + at, m_pending.size() - at);
        if (used == 0)
            break;
        at += used;
    }
    m_pending.remove(0, at);
}

Sheet Parser::finish()
{
    if (m_refused && m_pending.isEmpty())
        throw SheetError(m_fileName + QLatin1Char(' ') + m_refusal.simplified());
    if (!m_ended || !m_pending.isEmpty())
        damaged();
    std::vector<Sheet::Cell> &cells = m_sheet.m_cells;
    std::stable_sort(cells.begin(), cells.end(), cellKey);
    const auto twice =
        std::adjacent_find(cells.begin(), cells.end(), [](const auto &a, const auto &b) {
            return a.row == b.row && a.column == b.column;
        });
    if (twice != cells.end())
        damaged();
    m_sheet.m_text.squeeze();
    Sheet sheet = std::move(m_sheet);
    m_sheet = Sheet();
    return sheet;
}

} // namespace XlsFrames
