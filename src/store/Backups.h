#pragma once

#include "StoreProgress.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class WordDatabase;

// Copies of the word database taken before a change that touches many words at once
// (Delete all, emptying a collection, an import). They go into the folder `backups`
// beside the database, named after it and the moment they were taken in UTC
// (qvtmdb-20261208-210501-123.mdb); the newest ten are kept. A copy is a complete word
// database on its own: to restore one, close Lexmora and copy it over qvtmdb.mdb.
namespace Backups {

inline constexpr int Kept = 10;

// Copies the open database with SQLite's online backup, so it is consistent even while
// another copy of the program writes, and removes all but the newest `Kept` copies.
// Silent: returns false when no copy could be made; the database itself is never changed.
// The copy goes a slice at a time, `tick` told after each; a copy cannot be broken off.
bool beforeBulkChange(WordDatabase &db, const StoreProgress::Tick &tick = {});

// Takes a copy stamped with `when`; what beforeBulkChange() does at the current time.
bool take(WordDatabase &db, const QDateTime &when, const StoreProgress::Tick &tick = {});

// The folder the copies of the database at `databasePath` go into.
QString folderFor(const QString &databasePath);

// The copies of that database, oldest first.
QStringList list(const QString &databasePath);

} // namespace Backups
