#pragma once

#include "Backups.h"
#include "StoreProgress.h"
#include "WordContents.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

class WordDatabase;

// Putting a backup copy back in place of the words the database holds now. It goes
// through the engine into the open database, never by copying files: the restored pages
// are one commit in the database's -wal like any other change, so a -wal left behind by a
// killed run can never bring the old words back over them, and a kill part-way leaves
// either the old words or the restored ones.
namespace Restore {

// One copy in the backups folder, as the list of copies shows it.
struct Copy
{
    QString file;               // its full path
    QDateTime takenAt;          // UTC
    WordContents::Counts words; // its collections and their word counts
    QString problem;            // why it cannot be read, or the empty text
};

// The copies of the database at `databasePath`, newest first.
QList<Copy> copies(const QString &databasePath);

// Told how far the work has come; false asks it to stop, which it does before it writes.
using Tick = StoreProgress::Tick;
// Asked when no copy of the words as they are could be made, with the reason: whether to
// restore all the same.
using WithoutCopy = std::function<bool(const QString &why)>;

struct Result
{
    enum class Kind {
        Restored,
        Stopped,      // the tick asked to stop: nothing was written
        NoCopyBefore, // no copy of the words as they were, and not going on without one
    };
    Kind kind = Kind::Stopped;
    Backups::Outcome before;    // the copy of the words as they were before
    WordContents::Counts words; // what the database holds now
};

// Checks that `backup` is whole, sound and a word database whose own tables are in our
// shape; then copies the database as it is (Backups::beforeRestore); then replaces every
// page of `db` with those of `backup` in one commit, and adds our indexes and side tables
// where the copy lacks them. A refused backup or a failed restore throws StoreError, and the
// database keeps its words. The backup itself is only read.
Result fromBackup(WordDatabase &db, const QString &backup, const WithoutCopy &goOnWithoutCopy = {},
                  const Tick &tick = {});

} // namespace Restore
