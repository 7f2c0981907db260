#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class AccessSource;

// Brings the words of an Access word file over into a new word database: the tables
// `Words` .. `Words5` (names matched without regard to case; columns word, meaning and
// pointer by name, or the first three by position when a name is missing) and `Details` (its first
// two columns by position: Collection name, Default flag). A table that is missing is created
// empty; other tables and columns are left behind.
namespace AccessConversion {

struct Summary
{
    QMap<QString, qint64> words; // words brought over, by collection table
    QStringList createdEmpty;    // tables the Access file did not have
    qint64 totalWords() const;
};

// Writes the new database under a temporary name beside `newPath` (AccessFiles::partialPath)
// and gives it its name only when it is complete, so a failure never leaves a half-made
// database there.
// Refuses to overwrite an existing file. Failures are StoreErrors in plain words.
Summary convert(AccessSource &source, const QString &newPath);

// Reads the Access file at `accessPath` with libmdb and converts it.
Summary convertFile(const QString &accessPath, const QString &newPath);

// Reads a Yes/No value written as a number or a word ("1", "-1", "True", "Yes").
bool isYes(const QString &value);

} // namespace AccessConversion
