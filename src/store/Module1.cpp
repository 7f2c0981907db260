#include "Module1.h"

namespace Module1 {

void openCurrentCollection(const QString &table)
{
    currentCollection = table;
    words.reset();
    try {
        words = std::make_unique<TableCursor>(*database, table);
    } catch (const std::exception &) {
        // Left unset: the windows skip steps that need it.
    }
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
