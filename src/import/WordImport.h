#pragma once

#include "BulkWriter.h"
#include "WordEntry.h"

#include <QString>

#include <functional>

class SheetReader;
class WordDatabase;

// The import loop: from the start cell downwards, each row until the first whose word cell
// is empty becomes a new Word record (normalized word, meaning and pointer from the two
// cells to its right) appended to a collection. It runs in one transaction and writes the
// rows in batches; when a row cannot be read or written, the rows before it are committed
// and the failing one is not.
class WordImport
{
public:
    using Row = WordEntry; // the word normalized
    // Called after the first row, then at most every ProgressMs while the import runs, with
    // the count of rows taken so far and the last of them, and once at its end with the
    // count and last row saved; returning false stops the import there, the rows taken
    // being saved.
    using Progress = std::function<bool(qint64 imported, const Row &last)>;

    struct Result
    {
        qint64 imported = 0;
        bool stopped = false; // the progress callback asked to stop
        bool failed = false;
        QString error; // why it failed
    };

    WordImport(WordDatabase &db, const QString &table) : m_db(db), m_table(table) {}

    // How often, at most, the progress callback is called.
    static constexpr int ProgressMs = 40;
    // How many rows one statement writes.
    static constexpr int BatchRows = BulkWriter::BatchRows;

    Result run(SheetReader &sheet, qint64 startRow, int startColumn, const Progress &progress = {});

private:
    WordDatabase &m_db;
    QString m_table;
};
