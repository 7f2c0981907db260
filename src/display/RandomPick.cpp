#include "RandomPick.h"

#include "RandomSource.h"
#include "TableCursor.h"

namespace RandomPick {

qint64 pick(TableCursor &records, RandomSource &random)
{
    if (!records.moveFirst())
        return 0;
    const qint64 x = roundHalfEven(random.next() * double(records.recordCount()));
    if (x >= 2)
        records.moveToOrdinal(x);
    return qMax<qint64>(x, 1);
}

} // namespace RandomPick
