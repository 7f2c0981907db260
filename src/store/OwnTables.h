#pragma once

#include <QString>

namespace SQLite {
class Database;
}

// The names the program keeps its own things under in a word database: the indexes of
// each word table, the trigram index with its tables and triggers (also while it grows, under
// another name with a table of how far it has come), the marked-words index,
// and the kept pointers with their triggers. Opening adds whichever are missing, and so
// takes any object of one of those names for its own. A user's table, index or trigger
// that carries one of them would make every later change of a word fail, so the file is
// refused first.
namespace OwnTables {

// Throws StoreError naming the first object of one of our names that is not what the
// program makes; `path` is the file named in the message. Reads only.
void check(SQLite::Database &db, const QString &path);

} // namespace OwnTables
