#pragma once

#include <QString>

class WordDatabase;

// The quiz marks a word answered wrongly by writing "Got it wrong" into the pointer of
// every record holding it. So that marking never costs the user a pointer, the pointer a
// record had before its first mark is kept in a table of our own, lexmora_kept_pointers,
// and given back when the marks are cleared. Triggers drop a kept pointer as soon as its record is
// deleted, edited or cleared, so a stale one is never restored.
namespace MarkBook {

inline const QString Marker = QStringLiteral("Got it wrong");
// Our own names, chosen so that no user's table or trigger is likely to carry them.
inline constexpr char Table[] = "lexmora_kept_pointers";
inline constexpr char TriggerPrefix[] = "lexmora_marks_";

// Creates the table of kept pointers and its triggers where they are missing (for the word
// tables the file has), taking over the kept pointers of an older file. Runs inside the
// transaction of the caller.
void prepare(WordDatabase &db);

// Marks every record of `table` whose word equals `word` exactly. Returns how many.
int markWord(WordDatabase &db, const QString &table, const QString &word);

// The same inside the caller's transaction (an answer recorded with its mark).
int markWordWithin(WordDatabase &db, const QString &table, const QString &word);

// True when some record of `table` carries the marker.
bool hasMarks(WordDatabase &db, const QString &table);

// Gives every marked record of `table` its kept pointer back exactly (a NULL stays NULL),
// or the empty text when none was kept. All or nothing. Returns how many records were cleared.
int clearMarks(WordDatabase &db, const QString &table);

} // namespace MarkBook
