#pragma once

struct sqlite3;

// What every connection to a word database is set up with, the program's own and the one
// user queries run on alike. Nothing here writes to the file.
namespace ConnectionSettings {

// Defensive mode, no fts3_tokenizer() and no extensions, the memory map and page cache,
// and the program's `like`. Throws SQLite::Exception when the engine refuses one.
void apply(sqlite3 *handle);

} // namespace ConnectionSettings
