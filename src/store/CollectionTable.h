#pragma once

#include <QString>

class WordDatabase;

// Whole-table work on one collection table (Words .. Words5).
namespace CollectionTable {

// Whether the file holds the collection table `table` (named in any letter case).
bool exists(WordDatabase &db, const QString &table);

// Throws a StoreError naming `collectionName` when the file lacks its table.
void requireExisting(WordDatabase &db, const QString &table, const QString &collectionName);

// Deletes every word of `table` in one transaction: all or nothing. Returns how many were
// deleted. Throws StoreError.
qint64 empty(WordDatabase &db, const QString &table);

} // namespace CollectionTable
