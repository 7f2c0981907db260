#include "DueOrder.h"

#include "ReviewQueries.h"
#include "Skip.h"

DueOrder::DueOrder(WordDatabase &db, const QString &table, qint64 day)
    : m_db(db), m_table(table), m_day(day)
{
}

std::optional<qint64> DueOrder::nextOverdue()
{
    // Due days only move on while the quiz runs, so once none is left none comes back.
    while (m_overdueLeft) {
        std::vector<qint64> due;
        if (!skipOnFailure(lcQuiz(), "the look-up of the words due for review", [&] {
                due = ReviewQueries::overdue(m_db, m_table, m_day, int(m_taken.size()) + 1);
            }))
            due.clear();
        for (qint64 rowid : due)
            if (!m_taken.contains(rowid))
                return rowid;
        if (qsizetype(due.size()) <= m_taken.size())
            m_overdueLeft = false;
    }
    return std::nullopt;
}

std::optional<qint64> DueOrder::nextNew()
{
    if (!m_newLeft)
        return std::nullopt;
    std::optional<qint64> rowid;
    skipOnFailure(lcQuiz(), "the look-up of the words never asked",
                  [&] { rowid = ReviewQueries::firstNew(m_db, m_table, m_lastNew); });
    if (!rowid)
        m_newLeft = false;
    else
        m_lastNew = *rowid;
    return rowid;
}

std::optional<WordPick> DueOrder::next()
{
    for (;;) {
        std::optional<qint64> rowid = nextOverdue();
        if (!rowid)
            rowid = nextNew();
        if (!rowid)
            return std::nullopt;
        m_taken.insert(*rowid);
        std::optional<ReviewQueries::Entry> entry;
        skipOnFailure(lcQuiz(), "reading a due word",
                      [&] { entry = ReviewQueries::entryAt(m_db, m_table, *rowid); });
        if (entry)
            return WordPick{entry->word, entry->meaning, *rowid};
    }
}
