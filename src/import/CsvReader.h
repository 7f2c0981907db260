#pragma once

#include "RowStream.h"

#include <QFile>
#include <QStringDecoder>

#include <limits>

// Comma-, semicolon- or tab-separated text. Quoted fields may hold separators, doubled
// quotes and line breaks. The separator is guessed from the first lines; the text is
// UTF-8 (with or without a byte-order mark) or, when its bytes are not UTF-8,
// Windows-1252. Every field reads as text, exactly as written. A file holding a NUL byte is
// no text and is refused; a field longer than a cell may be (an opening quote that never
// closes, say) is an error where it is asked for.
class CsvReader : public RowStreamReader
{
public:
    // A .tsv file is tab-separated; other text files have their separator guessed.
    enum SeparatorHint { Guess, TabSeparated };

    explicit CsvReader(SeparatorHint hint = Guess) : m_hint(hint) {}

    void open(const QString &path) override;
    void close() override;

    // The separator a few lines of text use; exposed for its tests. Lines beginning with
    // `comment` (when given) are left out.
    static QChar guessSeparator(const QString &head, SeparatorHint hint, QChar comment = QChar());

protected:
    // Records that begin with `marker` are comments, passed over as if not there; set before
    // open().
    void setCommentMarker(QChar marker) { m_comment = marker; }
    // The separator a file names itself, over the guess; set after open().
    void setSeparator(QChar separator) { m_separator = separator; }

    // Text has no last row of its own.
    qint64 maxRows() const override { return std::numeric_limits<qint64>::max() / 4; }
    void rewind() override;
    bool readRow(Row &row) override;

private:
    bool fill();
    bool atEnd();
    void skipComments();
    void scan();
    QString decode(const QByteArray &bytes);

    SeparatorHint m_hint;
    QFile m_file;
    bool m_utf8 = true;
    QChar m_separator = QLatin1Char(',');
    QChar m_comment; // none when null
    QStringDecoder m_decoder;
    QString m_buffer;
    qsizetype m_pos = 0;
};
