#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class WordDatabase;

// The words of one collection read a page at a time, for lists that show a few of a
// million words: the next page in table order, and the words starting with what the user
// has typed, found through the case-blind index on word. Both throw StoreError.
namespace WordPages {

struct Word
{
    qint64 rowid = 0;
    QString text;
};

// Up to `limit` words after the record `afterRowid` (0: from the first), in table order.
// A record without a word is passed over, as the word lists leave it out.
std::vector<Word> after(WordDatabase &db, const QString &table, qint64 afterRowid, int limit);

// Up to `limit` words starting with `prefix`, letter case aside, in the order of the
// case-blind index (a word stored twice comes twice). The index is used for the prefix's
// leading ASCII letters; a prefix starting with another letter is looked for in a scan.
QStringList startingWith(WordDatabase &db, const QString &table, const QString &prefix,
                         int limit);

} // namespace WordPages
