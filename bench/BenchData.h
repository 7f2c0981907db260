#pragma once

#include <QString>

// A word database of words() words in the collection Words, built once per run in a
// temporary folder that is also made the current directory. The size comes from
// LEXMORA_BENCH_WORDS (default 100,000); when LEXMORA_BENCH_CACHE names a folder, the
// built file is kept there and copied on later runs, since a million words take minutes.
namespace BenchData {

int words();
QString databasePath();

// The word and the meaning of record n (counted from 1) of that collection.
QString word(int n);
QString meaning(int n);
QString pointer(int n);

} // namespace BenchData
