#include "CollectionSwitch.h"

#include "Module1.h"
#include "SelectorTexts.h"
#include "StoreError.h"
#include "WordQueries.h"

#include <memory>

namespace CollectionSwitch {

Report switchTo(WordDatabase &db, const QString &table)
{
    std::unique_ptr<TableCursor> words;
    std::unique_ptr<Snapshot> query;
    std::unique_ptr<TableCursor> quizWords;
    Report report;
    try {
        // All three are opened before any is replaced, so a failure leaves the program on the
        // collection it was using.
        words = std::make_unique<TableCursor>(db, table);
        query = std::make_unique<Snapshot>(db.query(WordQueries::all(table)));
        quizWords = std::make_unique<TableCursor>(db, table);
        report.table = words->table();
        if (words->moveFirst())
            report.firstWord = words->text(QStringLiteral("word"));
        if (words->moveLast())
            report.lastWord = words->text(QStringLiteral("word"));
        report.count = words->recordCount();
    } catch (const StoreError &e) {
        throw StoreError(QStringLiteral("Could not switch over to %1: %2").arg(table, e.message()));
    } catch (const std::exception &e) {
        throw StoreError(QStringLiteral("Could not switch over to %1: %2.")
                             .arg(table, QString::fromUtf8(e.what())));
    }
    Module1::currentCollection = report.table;
    Module1::words = std::move(words);
    Module1::queryResult = std::move(query);
    Module1::quizWords = std::move(quizWords);
    return report;
}

QStringList statusPieces(const QString &name, const Report &report, const QString &path)
{
    using namespace SelectorTexts;
    return {
        CrLf + QStringLiteral("Switched over to ") + name + QStringLiteral("!") + CrLf,
        QStringLiteral("I am using the table '") + report.table + QStringLiteral("' of ") + CrLf +
            path + CrLf,
        QStringLiteral("Starting Word : ") + report.firstWord + QStringLiteral("  Ending word : ") +
            report.lastWord + CrLf,
        QStringLiteral("Total Number of words : ") + QString::number(report.count) + CrLf,
    };
}

} // namespace CollectionSwitch
