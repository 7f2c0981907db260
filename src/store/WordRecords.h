#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

class WordDatabase;

// Look-ups and writes of one collection by word, through the index on `word`. The
// comparison is exact: same characters, same case, blanks included, so "Apple" finds
// neither "apple" nor "Apple ". A collection is named in any letter case; Details and
// unknown names are refused. Each throws StoreError when the store fails.
namespace WordRecords {

struct Record
{
    qint64 rowid = 0;
    QVariant word, meaning, pointer; // null stays null
};

// Whether any record of `table` holds exactly `word`.
bool contains(WordDatabase &db, const QString &table, const QString &word);

// Whether some record of `table` holds exactly this word with exactly this meaning (the
// quiz's "is this the right meaning"). A missing word or meaning never matches.
bool holdsMeaning(WordDatabase &db, const QString &table, const QString &word,
                  const QString &meaning);

// Every record of `table` holding exactly `word`, in table order.
std::vector<Record> recordsOf(WordDatabase &db, const QString &table, const QString &word);

// The words of every record of `table` in table order, a word stored twice twice. A record
// without a word (null) has nothing to list and is left out.
QStringList allWords(WordDatabase &db, const QString &table);

// How many records `table` holds.
qint64 count(WordDatabase &db, const QString &table);

// Deletes, one after the other in table order and in one transaction, every record of
// `table` holding exactly `word`. A record that will not go stops there: the records
// deleted before it stay deleted and `failure` says why. Should the failure take the whole
// transaction with it, nothing is deleted. Never throws.
struct Deletion
{
    std::vector<Record> gone; // what the deleted records held, in table order
    QString failure;          // empty when every record went
};
Deletion deleteEvery(WordDatabase &db, const QString &table, const QString &word);

} // namespace WordRecords
