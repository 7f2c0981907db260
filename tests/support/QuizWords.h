#pragma once

#include "NewDatabase.h"

#include <QList>

#include <vector>

namespace TestSupport {

// Four words for a quiz; the last was marked in an earlier quiz, so every end of a quiz
// has at least one marked word to list.
inline std::vector<WordEntry> fourQuizWords()
{
    return {{"Abate", "to lessen", "v."},
            {"Zeal", "fervour", "n."},
            {"Quell", "to put down", "v."},
            {"Earlier", "from before", "Got it wrong"}};
}

// The numbers that make the next question's Random pick land on `record` of `count` and
// its meaning go into `slot`; the wrong choices come from the seeded generator.
inline QList<double> aimAt(int record, int count, int slot)
{
    return {(record - 0.25) / count, (slot - 0.25) / 5};
}

} // namespace TestSupport
