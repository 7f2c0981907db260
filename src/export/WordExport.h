#pragma once

#include "ExportFormat.h"
#include "WordRows.h"

#include <QString>

#include <functional>

// Writes words to a file of the chosen format. The file is written under a temporary name
// beside it and takes its name only when it is complete, so an export that fails or is
// cancelled leaves no half file, and a file of that name stays as it was until then.
class WordExport
{
public:
    // Told every TickRows rows with the rows written and the rows in all (-1: not known);
    // false cancels the export. A LongWork's tick fits.
    using KeepGoing = std::function<bool(qint64 done, qint64 total)>;
    static constexpr int TickRows = 64;

    struct Result
    {
        enum class Outcome { Written, Cancelled, Failed };
        Outcome outcome = Outcome::Failed;
        qint64 rows = 0; // rows in the file written (Written), or written before the end
        QString error;   // why it was not written, in plain words (Cancelled, Failed)
        bool written() const { return outcome == Outcome::Written; }
    };

    // `title` names the sheet, or the lesson of a .kvtml file (the collection's name).
    static Result run(WordRowSource &rows, const QString &path, ExportFormat format,
                      const QString &title, const KeepGoing &keepGoing = {});
};
