#pragma once

#include <QString>

// The queries the program itself writes in its Access-style dialect, for the read-only
// query path (WordDatabase::query). Some are shown in the SQL box for the user to read and
// change, so they are written as a user would write them.
namespace WordQueries {

// Every record of `table`, in table order: "Select * from Words".
QString all(const QString &table);

// The records of `table` whose word starts with `typed`.
QString wordStartsWith(const QString &table, const QString &typed);
// The records of `table` whose meaning, or pointer, contains `typed`.
QString meaningContains(const QString &table, const QString &typed);
QString pointerContains(const QString &table, const QString &typed);

// The records of `table` marked "Got it wrong" by the quiz.
QString marked(const QString &table);

} // namespace WordQueries
