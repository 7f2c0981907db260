#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace SQLite {
class Database;
}

// What a word database holds, read the same way from the open database and from a copy of
// it: the words of each collection and a fingerprint of them all.
namespace WordContents {

// Opens a copy read-only, as the bytes on disk stand: nothing is written beside it, and a
// -wal that lies next to it is not read. Throws SQLite::Exception.
SQLite::Database openCopy(const QString &path);

// The same for every equal content: every row of Details, of each word table the file has
// and of the kept pointers, in table order, value by value with its type.
QByteArray fingerprint(SQLite::Database &db);
QByteArray fingerprintOfFile(const QString &path);

// Whether the Details table is there and holds a row.
bool hasDetails(SQLite::Database &db);

// Whether the word table holds no row.
bool isEmpty(SQLite::Database &db, const QString &table);

// The words of each collection: for each of the six word tables, its Collection name (the
// Details row in its place) and how many words it holds (-1 when the file lacks it).
struct Counts
{
    QStringList names;
    QList<qint64> words;
    qint64 total() const;
};
Counts counts(SQLite::Database &db);

} // namespace WordContents
