#pragma once

#include "ExportFormat.h"
#include "WordRows.h"

#include <QString>

#include <memory>

class QIODevice;

// Writes one file format, a row at a time, straight to the file: nothing but the row in
// hand is held, whatever the number of words. Throws ExportError for a row the format
// cannot hold; a write the file refuses is told by writeFailure().
class RowWriter
{
public:
    virtual ~RowWriter() = default;

    // Writes the start of the file to `out`; `title` names the sheet or the lesson.
    virtual void begin(QIODevice &out, const QString &title) = 0;
    virtual void write(const WordRow &row) = 0;
    // Writes the rest of the file.
    virtual void finish() = 0;
    // Why the file refused what was written; empty while it has taken everything.
    virtual QString writeFailure() const = 0;
    // The most rows one file of the format holds; -1 for no bound.
    virtual qint64 maxRows() const { return -1; }

    static std::unique_ptr<RowWriter> create(ExportFormat format);
};
