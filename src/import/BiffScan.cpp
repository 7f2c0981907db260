#include "BiffScan.h"

#include <QFile>
#include <QtEndian>

#include <optional>
#include <vector>

namespace {

constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 MaxSector = 0xFFFFFFFA;

quint16 u16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

// A stream laid out in equal pieces somewhere in the file, read at logical offsets.
class PieceStream
{
public:
    PieceStream(QFile &file, qint64 unit, std::vector<qint64> pieces, qint64 size)
        : m_file(&file), m_unit(unit), m_pieces(std::move(pieces)), m_size(size)
    {
    }
    qint64 size() const { return m_size; }

    bool read(qint64 pos, char *out, qint64 n)
    {
        if (pos < 0 || n < 0 || pos + n > m_size)
            return false;
        while (n > 0) {
            const auto piece = size_t(pos / m_unit);
            const qint64 within = pos % m_unit;
            const qint64 take = qMin(n, m_unit - within);
            if (piece >= m_pieces.size() || !m_file->seek(m_pieces[piece] + within) ||
                m_file->read(out, take) != take)
                return false;
            pos += take;
            out += take;
            n -= take;
        }
        return true;
    }

private:
    QFile *m_file;
    qint64 m_unit;
    std::vector<qint64> m_pieces;
    qint64 m_size;
};

// Just enough of the compound file format to find the Workbook (or Book) stream.
class CompoundFile
{
public:
    explicit CompoundFile(QFile &file) : m_file(file) {}

    std::optional<PieceStream> workbookStream()
    {
        char header[512];
        if (!m_file.seek(0) || m_file.read(header, 512) != 512)
            return std::nullopt;
        const quint16 shift = u16(header + 0x1E);
        if (shift != 9 && shift != 12)
            return std::nullopt;
        m_sector = qint64(1) << shift;
        m_miniSector = qint64(1) << qMin<quint16>(u16(header + 0x20), 12);
        if (!loadFat(header))
            return std::nullopt;

        const std::vector<quint32> dirChain = chain(u32(header + 0x30), m_fat);
        std::optional<quint32> rootStart, bookStart;
        qint64 rootSize = 0, bookSize = 0;
        for (quint32 sector : dirChain) {
            std::vector<char> dir(static_cast<size_t>(m_sector), 0);
            if (!readSector(sector, dir.data()))
                return std::nullopt;
            for (qint64 at = 0; at + 128 <= m_sector; at += 128) {
                const char *e = dir.data() + at;
                const int nameBytes = qMin<int>(u16(e + 0x40), 64);
                const QString name = QString::fromUtf16(reinterpret_cast<const char16_t *>(e),
                                                        qMax(0, nameBytes / 2 - 1));
                const quint8 type = quint8(e[0x42]);
                if (type == 5) {
                    rootStart = u32(e + 0x74);
                    rootSize = u32(e + 0x78);
                } else if (type == 2 && !bookStart &&
                           (name.compare(QLatin1String("Workbook"), Qt::CaseInsensitive) == 0 ||
                            name.compare(QLatin1String("Book"), Qt::CaseInsensitive) == 0)) {
                    bookStart = u32(e + 0x74);
                    bookSize = u32(e + 0x78);
                }
            }
        }
        if (!bookStart)
            return std::nullopt;
        if (bookSize >= u32(header + 0x38)) {
            std::vector<qint64> pieces;
            for (quint32 s : chain(*bookStart, m_fat))
                pieces.push_back((qint64(s) + 1) * m_sector);
            return PieceStream(m_file, m_sector, std::move(pieces), bookSize);
        }
        // A small stream lives in the mini stream, itself stored in the root's chain.
        if (!rootStart)
            return std::nullopt;
        std::vector<quint32> miniFat;
        for (quint32 s : chain(u32(header + 0x3C), m_fat)) {
            std::vector<char> buf(static_cast<size_t>(m_sector));
            if (!readSector(s, buf.data()))
                return std::nullopt;
            for (qint64 i = 0; i < m_sector; i += 4)
                miniFat.push_back(u32(buf.data() + i));
        }
        const std::vector<quint32> rootChain = chain(*rootStart, m_fat);
        std::vector<qint64> pieces;
        for (quint32 m : chain(*bookStart, miniFat)) {
            const qint64 inMini = qint64(m) * m_miniSector;
            const auto piece = size_t(inMini / m_sector);
            if (piece >= rootChain.size() || inMini >= rootSize)
                return std::nullopt;
            pieces.push_back((qint64(rootChain[piece]) + 1) * m_sector + inMini % m_sector);
        }
        return PieceStream(m_file, m_miniSector, std::move(pieces), bookSize);
    }

private:
    bool readSector(quint32 sector, char *out)
    {
        return m_file.seek((qint64(sector) + 1) * m_sector) &&
               m_file.read(out, m_sector) == m_sector;
    }

    bool loadFat(const char *header)
    {
        std::vector<quint32> fatSectors;
        for (int i = 0; i < 109; ++i) {
            const quint32 s = u32(header + 0x4C + 4 * i);
            if (s <= MaxSector)
                fatSectors.push_back(s);
        }
        quint32 difat = u32(header + 0x44);
        std::vector<char> buf(static_cast<size_t>(m_sector));
        for (int guard = 0; difat <= MaxSector && guard < 100000; ++guard) {
            if (!readSector(difat, buf.data()))
                return false;
            for (qint64 i = 0; i + 4 < m_sector; i += 4) {
                const quint32 s = u32(buf.data() + i);
                if (s <= MaxSector)
                    fatSectors.push_back(s);
            }
            difat = u32(buf.data() + m_sector - 4);
        }
        for (quint32 s : fatSectors) {
            if (!readSector(s, buf.data()))
                return false;
            for (qint64 i = 0; i < m_sector; i += 4)
                m_fat.push_back(u32(buf.data() + i));
        }
        return !m_fat.empty();
    }

    // A chain of sectors; a damaged chain (a loop, a sector out of range) ends early.
    static std::vector<quint32> chain(quint32 start, const std::vector<quint32> &table)
    {
        std::vector<quint32> out;
        for (quint32 s = start; s < table.size() && out.size() <= table.size(); s = table[s])
            out.push_back(s);
        return out;
    }

    QFile &m_file;
    qint64 m_sector = 512;
    qint64 m_miniSector = 64;
    std::vector<quint32> m_fat;
};

bool isBof(quint16 type)
{
    return type == 0x0009 || type == 0x0209 || type == 0x0409 || type == 0x0809;
}

bool isFormula(quint16 type)
{
    return type == 0x0006 || type == 0x0206 || type == 0x0406;
}

// Where the first worksheet starts: after the workbook globals of a BIFF5/8 stream, at
// the offset its first BOUNDSHEET gives; a bare single-sheet stream starts at 0.
qint64 firstSheet(PieceStream &stream)
{
    char rec[8];
    if (!stream.read(0, rec, 8) || u16(rec) != 0x0809 || u16(rec + 6) != 0x0005)
        return 0;
    qint64 pos = 0;
    for (int guard = 0; guard < 1000000 && stream.read(pos, rec, 4); ++guard) {
        const quint16 type = u16(rec);
        const quint16 length = u16(rec + 2);
        if (type == 0x0085 && stream.read(pos + 4, rec + 4, 4))
            return u32(rec + 4);
        if (type == 0x000A)
            break;
        pos += 4 + length;
    }
    return -1;
}

} // namespace

QSet<quint64> BiffScan::formulaCells(const QString &path)
{
    QSet<quint64> cells;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return cells;
    char magic[8];
    const bool compound = file.read(magic, 8) == 8 &&
                          QByteArray(magic, 8) == QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    std::optional<PieceStream> stream;
    if (compound)
        stream = CompoundFile(file).workbookStream();
    else
        stream.emplace(file, qMax<qint64>(file.size(), 1), std::vector<qint64>{0}, file.size());
    if (!stream)
        return cells;

    qint64 pos = firstSheet(*stream);
    if (pos < 0)
        return cells;
    int depth = 0;
    char rec[8];
    while (stream->read(pos, rec, 4)) {
        const quint16 type = u16(rec);
        const quint16 length = u16(rec + 2);
        if (isBof(type)) {
            ++depth;
        } else if (type == 0x000A) {
            if (--depth <= 0)
                break;
        } else if (depth == 1 && isFormula(type) && length >= 4 &&
                   stream->read(pos + 4, rec + 4, 4)) {
            cells.insert(cellKey(u16(rec + 4), u16(rec + 6)));
        }
        if (depth == 0)
            break; // no BOF where the sheet should start
        pos += 4 + length;
    }
    return cells;
}
