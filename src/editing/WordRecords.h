#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

class WordDatabase;

// Look-ups of one collection by word through the index on `word`. The comparison is
// exact: same characters, same case, blanks included, so "Apple" finds neither "apple"
// nor "Apple ". Each throws StoreError or SQLite::Exception when the store fails.
namespace WordRecords {

struct Record
{
    qint64 rowid = 0;
    QVariant word, meaning, pointer; // null stays null
};

// Whether any record of `table` holds exactly `word`.
bool contains(WordDatabase &db, const QString &table, const QString &word);

// Every record of `table` holding exactly `word`, in table order.
std::vector<Record> recordsOf(WordDatabase &db, const QString &table, const QString &word);

// The words of every record of `table` in table order, a word stored twice twice. A record
// without a word (null) has nothing to list and is left out.
QStringList allWords(WordDatabase &db, const QString &table);

} // namespace WordRecords
