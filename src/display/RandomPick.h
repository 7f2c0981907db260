#pragma once

#include <QtGlobal>

class RandomSource;
class TableCursor;

namespace RandomPick {

// Moves the record set to a record chosen at random: draw r in [0, 1), x := r * count
// rounded with ties to even, and land on record max(x, 1). The first record thus comes up
// about 1.5 times as often as the others and the last about half as often. Jumps straight
// to the record rather than stepping, landing where x - 1 steps from the first would.
// Returns the number of the record chosen, counted from 1 (0 for an empty set).
qint64 pick(TableCursor &records, RandomSource &random);

} // namespace RandomPick
