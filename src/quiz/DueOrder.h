#pragma once

#include "QuestionBuilder.h"

#include <QSet>
#include <QString>

#include <optional>

class WordDatabase;

// The words of a "Due words first" quiz, one question at a time: first the records most
// overdue for review (the earliest due day first), then the records never answered, in
// table order; once both have run out, nothing, and the quiz draws the rest at random. A
// record is taken once per quiz, so a word whose answer could not be recorded does not come
// back at once.
class DueOrder
{
public:
    // `day`: today, as the review days are counted (ReviewBook::dayOf).
    DueOrder(WordDatabase &db, const QString &table, qint64 day);

    // The next record to ask, or nothing when neither an overdue nor a new one is left.
    std::optional<WordPick> next();

private:
    std::optional<qint64> nextOverdue();
    std::optional<qint64> nextNew();

    WordDatabase &m_db;
    QString m_table;
    qint64 m_day;
    QSet<qint64> m_taken;
    qint64 m_lastNew = 0;
    bool m_overdueLeft = true;
    bool m_newLeft = true;
};
