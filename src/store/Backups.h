#pragma once

#include "StoreProgress.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class WordDatabase;

// Copies of the word database taken before a change that touches many words at once
// (Delete all, emptying a collection, an import) and before a restore. They go into the
// folder `backups` beside the database, named after it and the moment they were taken in
// UTC (qvtmdb-20261208-210501-123.mdb); the newest ten are kept. A copy is a complete word
// database on its own; Restore puts one back in place (see Restore.h).
namespace Backups {

inline constexpr int Kept = 10;

// What became of a copy.
struct Outcome
{
    enum class Kind {
        Taken,     // a new copy is in the folder
        NotNeeded, // nothing to lose, or the newest copy already holds exactly these words
        Failed,    // no copy could be made; `error` says why
    };
    Kind kind = Kind::Failed;
    QString error; // why the copy failed, in the engine's or the system's words
    QString file;  // the copy that holds the words now (a new one, or the newest kept)

    bool failed() const { return kind == Kind::Failed; }
};

// Before a bulk change of the collection `table`: no copy when it has no words (the change
// can lose nothing), otherwise as take() at the current time. Never throws; the database
// itself is never changed.
// The copy goes a slice at a time, `tick` told after each; a copy cannot be broken off.
Outcome beforeBulkChange(WordDatabase &db, const QString &table,
                         const StoreProgress::Tick &tick = {});

// Copies the open database with SQLite's online backup, so it is consistent even while
// another copy of the program writes, stamped with `when`. A copy whose words (every row of
// Details and the word tables, in order) equal those of the newest kept copy is not taken
// twice. Then all but the newest `Kept` copies are removed, and so is a half-written copy
// (`.partial`) that a killed run left behind.
Outcome take(WordDatabase &db, const QDateTime &when, const StoreProgress::Tick &tick = {});

// Before a restore of the copy `restoring`: as take() at the current time, except that
// `restoring` is not removed with the oldest copies, and that a database without a word or
// a Details row needs no copy.
Outcome beforeRestore(WordDatabase &db, const QString &restoring,
                      const StoreProgress::Tick &tick = {});

// What the user is asked when the copy before a change failed for the reason `why`: whether
// to go on without one (the question's default is No).
QString withoutCopyQuestion(const QString &why);

// The folder the copies of the database at `databasePath` go into.
QString folderFor(const QString &databasePath);

// The copies of that database, oldest first (file names).
QStringList list(const QString &databasePath);

// The moment a copy was taken, from its name; invalid for a name that is not a copy's.
QDateTime takenAt(const QString &fileName);

// Tests only: the SQLite VFS the copies are written through (nullptr: the default), so a
// test can give them a disk that fills up.
void setCopyVfsForTests(const char *vfs);

} // namespace Backups
