#include "Module1.h"

#include "Skip.h"

namespace Module1 {

void openCurrentCollection(const QString &table)
{
    currentCollection = table;
    words.reset();
    // Left unset when it cannot be opened: the windows skip steps that need it.
    skipOnFailure(lcStore(), "opening the current collection's record set",
                  [&] { words = std::make_unique<TableCursor>(*database, table); });
}

void reset()
{
    queryResult.reset();
    quizWords.reset();
    words.reset();
    database.reset();
    currentCollection = QStringLiteral("Words");
    questionLimit = 0;
}

} // namespace Module1
