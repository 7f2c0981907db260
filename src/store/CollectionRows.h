#pragma once

#include "WordEntry.h"

#include <QString>

#include <memory>

namespace SQLite {
class Statement;
}

class WordDatabase;

// The records of a collection in table order, read one at a time from one statement, so
// that reading every word (an export) holds no more than the word in hand.
class CollectionRows
{
public:
    // Opens the records of the collection table `table` (Words .. Words5, in any letter
    // case); throws StoreError when the word database has no such table.
    CollectionRows(WordDatabase &db, const QString &table);
    ~CollectionRows();

    // The records the table held when it was opened.
    qint64 count() const { return m_count; }
    // The next record into `row` (a field without a value as the empty text); false after
    // the last. Throws StoreError when the engine fails.
    bool next(WordEntry &row);

private:
    QString m_table;
    std::unique_ptr<SQLite::Statement> m_rows;
    qint64 m_count = 0;
};
