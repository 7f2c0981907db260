#pragma once

#include <QString>

// Start-up's offer to convert a word database that an earlier version kept in Microsoft
// Access. The conversion runs in a process of its own (lexmora-newdb --from-access), so a
// damaged Access file that makes libmdb crash or loop ends that process, not the program.
namespace AccessMigration {

struct Options
{
    QString converter; // the lexmora-newdb to run; found beside the program if empty
    int timeoutMs = 5 * 60 * 1000;
};

// When `path` is an Access file, asks (Yes/No, under `title`) whether to convert it. On
// Yes the words go into a new word database that takes the file's place, and the Access
// file is kept beside it under the first free name of qvtmdb.mdb.access,
// qvtmdb.mdb.access.1, ... Returns true when the start-up can go on opening `path`: it
// was no Access file, or it was converted. Returns false after telling the user in plain
// words why not (No, or a failed conversion); the Access file is then left untouched.
bool offerConversion(const QString &path, const QString &title, const Options &options = {});

// The name the Access file at `path` would be kept under now.
QString keptName(const QString &path);

// Where lexmora-newdb is expected: beside the running program, or in the folder of the
// installed tools.
QString converterPath();

} // namespace AccessMigration
