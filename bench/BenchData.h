#pragma once

#include <QString>

// A word database of 100,000 words in the collection Words, built once per run in a
// temporary folder that is also made the current directory.
namespace BenchData {

constexpr int Words = 100000;
QString databasePath();

} // namespace BenchData
