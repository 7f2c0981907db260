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

// Creates whatever is missing and fills a new trigram index from its table, inside the
// caller's transaction. On a large collection the first fill takes a while (about 1.5 s of
// work at a million words); afterwards the triggers keep it current.
void ensure(WordDatabase &db);

// The trigram index of a collection table.
std::string textIndexName(const QString &table);

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
