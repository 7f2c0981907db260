#pragma once

#include "ChunkedSink.h"
#include "RowWriter.h"

#include <memory>

// Anki's text import (File > Import): UTF-8, tab-separated, with the header lines that
// tell Anki the separator, that the fields are plain text (not HTML), the columns Front,
// Back and Tags and which of them holds the tags. The pointer becomes the tag: a tag holds
// no blank, so each blank becomes "_". Fields holding a tab, a quote or a line break are
// quoted, as is a first field beginning with "#", which Anki would take for a comment.
class AnkiTextWriter : public RowWriter
{
public:
    void begin(QIODevice &out, const QString &title) override;
    void write(const WordRow &row) override;
    void finish() override;
    QString writeFailure() const override;

    // The header lines, each ending in LF.
    static QByteArray header();
    static QString field(const QString &text);
    // The pointer as a tag: every blank (space, tab, line break) becomes "_".
    static QString tag(const QString &pointer);

private:
    std::unique_ptr<ChunkedSink> m_sink;
};
