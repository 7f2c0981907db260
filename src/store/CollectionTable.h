#pragma once

#include "StoreProgress.h"

#include <QString>

#include <optional>

class WordDatabase;

// Whole-table work on one collection table (Words .. Words5).
//
// Emptying a collection follows one of two rules, and both live here:
// - emptyAllOrNothing(), the Database Selector's Delete content: every word goes, or, when
//   one will not, none does;
// - deleteEachRecord(), the Word Control frame's Delete all: every record that can go goes,
//   a record that will not go is left, and the deletions made are kept.
namespace CollectionTable {

// Whether the file holds the collection table `table` (named in any letter case).
bool exists(WordDatabase &db, const QString &table);

// Throws a StoreError naming `collectionName` when the file lacks its table.
void requireExisting(WordDatabase &db, const QString &table, const QString &collectionName);

// Deletes every word of `table` in one transaction: all or nothing. Returns how many were
// deleted, or nothing when `tick` asked to stop (then nothing is deleted). Throws
// StoreError, every word still in place.
std::optional<qint64> emptyAllOrNothing(WordDatabase &db, const QString &table,
                                        const StoreProgress::Tick &tick = {});

// Deletes every record of `table` in table order, in one transaction. A record the engine
// refuses is left and the rest go. When `tick` asks to stop, nothing is deleted. Throws
// StoreError for a failure that takes the whole transaction with it (nothing is deleted).
struct Emptying
{
    qint64 deleted = 0;
    qint64 left = 0;      // records refused
    QString firstRefusal; // the engine's words for the first of them
    bool stopped = false; // stopped by the tick: nothing was deleted
};
Emptying deleteEachRecord(WordDatabase &db, const QString &table,
                          const StoreProgress::Tick &tick = {});

} // namespace CollectionTable
