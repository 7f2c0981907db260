#include "Collections.h"

#include "Skip.h"
#include "TableCursor.h"
#include "WordDatabase.h"

namespace Collections {

QString tableForRow(int k)
{
    const QStringList &tables = WordDatabase::collectionTables();
    return k >= 1 && k <= tables.size() ? tables[k - 1] : QStringLiteral("Words");
}

QString chooseDefault(WordDatabase &db)
{
    int k = 0;
    // A failed read leaves the count where it stood, as the start-up expects.
    skipOnFailure(lcStore(), "the rest of the Details scan for the Default collection", [&] {
        TableCursor details(db, QStringLiteral("Details"));
        details.moveFirst();
        while (!details.eof()) {
            ++k;
            if (details.field(1).toLongLong() != 0)
                break;
            details.moveNext();
        }
    });
    return tableForRow(k);
}

} // namespace Collections
