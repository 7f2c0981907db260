#pragma once

#include <QString>

// A word database of 100,000 words in the collection Words, built once per run in a
// temporary folder that is also made the current directory.
namespace BenchData {

constexpr int Words = 100000;
QString databasePath();

// The word and the meaning of record n (counted from 1) of that collection.
QString word(int n);
QString meaning(int n);

} // namespace BenchData
