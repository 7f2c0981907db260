#pragma once

#include <QString>

namespace SQLite {
class Database;
}

// What makes a file a word database, checked before anything is written to it: the word
// database when it is opened, a backup copy before it is restored. Each throws StoreError
// saying why the file is refused; none writes.
namespace FileChecks {

// A plain file: a folder cannot be opened, and reading a FIFO or a device would wait for
// ever.
void requireOrdinaryFile(const QString &path);

// An SQLite file whole to its last page, not an Access file or another kind.
void requireSignature(const QString &path);

// The Details table and at least one of the six word tables, each with its columns in their
// places. A missing word table is no reason to refuse the file: the collection is then
// simply unavailable.
void requireSchema(SQLite::Database &db, const QString &path);

} // namespace FileChecks
