#pragma once

#include "Snapshot.h"
#include "TableCursor.h"
#include "WordDatabase.h"

#include <QString>

#include <memory>

// The program's shared state: the open word database, the Current collection, the three
// shared record sets and the Question limit. Every window works on these.
namespace Module1 {

inline std::unique_ptr<WordDatabase> database;
inline QString currentCollection = QStringLiteral("Words");
inline std::unique_ptr<TableCursor> words;      // the current collection recordset
inline std::unique_ptr<TableCursor> quizWords;  // the quiz recordset, walked in table order
inline std::unique_ptr<Snapshot> queryResult;   // the query recordset (latest query)
inline qint16 questionLimit = 0;                // 32000 stands for no limit

// Opens the current collection recordset over `table` and makes it current. A table that
// cannot be opened leaves the record set unset, as start-up expects.
void openCurrentCollection(const QString &table);

// Forgets everything, closing the database. Used between tests.
void reset();

} // namespace Module1
