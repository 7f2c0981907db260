#pragma once

#include "ChunkedSink.h"
#include "RowWriter.h"

#include <memory>

// Comma-separated UTF-8 text (RFC 4180): the header row word,meaning,pointer, then one
// record per word, lines ending in CR LF. A field is quoted when it holds a comma, a quote,
// a line break, a semicolon or a tab, or begins or ends with a blank, so that every reader
// (ours guesses the separator) splits it where it should and keeps it exactly.
class CsvWriter : public RowWriter
{
public:
    void begin(QIODevice &out, const QString &title) override;
    void write(const WordRow &row) override;
    void finish() override;
    QString writeFailure() const override;

    // One field as it is written.
    static QString field(const QString &text);

private:
    std::unique_ptr<ChunkedSink> m_sink;
};
