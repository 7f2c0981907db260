#pragma once

#include "SheetReader.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <vector>

// The answer of lexmora-sheetcells, the process that reads an .xls file, to the program:
// the first worksheet's cells in frames on its standard output. All numbers are little-endian;
// rows and columns count from 1.
//
//   "LXCELLS1"                                   once, first
//   'N' row:u32 column:u16 value:f64             a number
//   'T' row:u32 column:u16 length:u32 UTF-8      a text (no NUL, at most MaxCellChars)
//   'F' row:u32 column:u16                       a formula whose value the file does not give
//   'L' row:u32 column:u16                       a text longer than a cell may be
//   'X' length:u32 UTF-8                         the file is refused, and why; last
//   'E' cells:u32                                the end, and how many cell frames came; last
//
// The program trusts none of it: XlsFrames checks every frame as it arrives.
namespace XlsFrames {

inline constexpr char Magic[] = "LXCELLS1";
inline constexpr qsizetype MagicSize = 8;
inline constexpr qsizetype MaxReasonBytes = 1024;

// Writes the frames (the reading process's side).
class Writer
{
public:
    explicit Writer(std::FILE *out);
    void number(quint32 row, quint16 column, double value);
    void text(quint32 row, quint16 column, const QByteArray &utf8);
    void formula(quint32 row, quint16 column);
    void tooLong(quint32 row, quint16 column);
    void refuse(const QString &reason);
    void end();
    bool failed() const;

private:
    void cellHead(char kind, quint32 row, quint16 column);
    void put(const void *data, std::size_t size);

    std::FILE *m_out;
    quint32 m_cells = 0;
    bool m_failed = false;
};

// The cells of a worksheet as they came, sorted by row and column.
class Sheet
{
public:
    enum class Kind : quint8 { Number, Text, Formula, TooLong };
    struct Cell
    {
        quint32 row;
        quint16 column;
        Kind kind;
        quint32 length;  // Text: its length in `text`
        quint64 payload; // Text: where it starts in `text`; Number: the double's bits
    };

    // The cell at `row`, `column`, or null for an empty one.
    const Cell *find(qint64 row, int column) const;
    QString textOf(const Cell &cell) const
    {
        return m_text.mid(qsizetype(cell.payload), cell.length);
    }
    double numberOf(const Cell &cell) const;
    qsizetype size() const { return qsizetype(m_cells.size()); }

private:
    friend class Parser;
    std::vector<Cell> m_cells;
    QString m_text;
};

// Reads the frames as they arrive (the program's side). Every frame is checked: its kind,
// row and column within an .xls sheet, lengths within bounds, the text valid UTF-8 without
// NUL, and the stream complete, with its end frame and nothing after it.
class Parser
{
public:
    // `fileName` names the file in messages.
    explicit Parser(const QString &fileName);

    // Takes the next bytes; throws SheetError when they break the format or the bounds.
    void feed(const char *data, qsizetype size);
    // The sheet, once the stream has ended; throws SheetError for a refusal (its reason)
    // and for a stream that stopped short or held anything damaged.
    Sheet finish();

private:
    [[noreturn]] void damaged() const;
    qsizetype parseOne(const char *p, qsizetype available);
    void addCell(Sheet::Kind kind, quint32 row, quint16 column, quint64 payload = 0,
                 quint32 length = 0);

    QString m_fileName;
    QByteArray m_pending;
    bool m_started = false;
    bool m_ended = false;
    QString m_refusal;
    bool m_refused = false;
    Sheet m_sheet;
};

} // namespace XlsFrames
