#pragma once

#include "JetDialect.h"

#include <QString>

#include <string>

class WordDatabase;

// The program's own indexes beside each collection table, kept in step by triggers:
// - a trigram index of word, meaning and pointer (SQLite FTS5, external content), through
//   which `like '*abc*'` finds its candidate rows without reading the whole table;
// - a partial index of the records marked "Got it wrong", so the end of a quiz lists them
//   with a look-up.
// Neither changes the word tables themselves; a missing word table is skipped.
namespace SearchIndex {

// Creates whatever is missing, inside the caller's transaction. The trigram index of a
// small table is filled here; that of a larger one (about 1.5 s of work at a million
// words) is started empty under another name and grows in slices through complete(),
// once the file is open. Afterwards the triggers keep it current.
void ensure(WordDatabase &db);

// Grows every index started by ensure() to its end, a slice per transaction, under the
// long-work box ("Preparing the word search of Words..."), which can break it off. Until
// an index is complete, searches of its table read the table. False when one was broken
// off or failed: the rows added so far stay, and the next open goes on from there.
bool complete(WordDatabase &db);

// The trigram index of a collection table, and the same index while it grows.
std::string textIndexName(const QString &table);
std::string fillIndexName(const QString &table);
// Which row each growing index has reached: (tbl, filled rowid or null).
inline constexpr const char *FillStateTable = "lexmora_text_fill";

// Rows per slice of a growing index, and which tables count as small; 0 puts the default
// back.
void setSliceRowsForTests(int rows);

// Serves the dialect: names the index of a table when it exists and the match query finds
// few enough candidates that going through the index beats reading the table.
class Probe : public JetDialect::SubstringIndex
{
public:
    // Beyond this many candidates a plain scan reaches its first rows sooner.
    static constexpr int MaxCandidates = 20000;

    explicit Probe(WordDatabase &db) : m_db(db) {}
    std::string indexFor(const std::string &table, const std::string &match) override;

private:
    WordDatabase &m_db;
};

} // namespace SearchIndex
