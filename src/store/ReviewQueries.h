#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

class WordDatabase;

// What the review tables (ReviewBook) tell: which records are due, which were never asked,
// and the figures of the progress window. Every look-up goes through an index of ours; none
// reads the words of records that were never answered. Each throws StoreError when the store
// fails.
namespace ReviewQueries {

// Up to `limit` records of `table` due on `day` or before, the most overdue first (the
// earliest due day, then table order).
std::vector<qint64> overdue(WordDatabase &db, const QString &table, qint64 day, int limit);

// The first record of `table` after `afterRowid`, in table order, that was never answered.
std::optional<qint64> firstNew(WordDatabase &db, const QString &table, qint64 afterRowid);

struct Entry
{
    QString word;
    QString meaning;
};
// The word and meaning of a record (a missing one reads as the empty text); nothing when the
// record is gone.
std::optional<Entry> entryAt(WordDatabase &db, const QString &table, qint64 rowid);

// How many records of `table` were never answered, are being learnt (next review within
// ReviewBook::KnownAfterDays), are known, and are due on `day` or before; the last three
// leave the due records out, so the four add up to the collection.
struct Counts
{
    qint64 newWords = 0;
    qint64 learning = 0;
    qint64 known = 0;
    qint64 due = 0;
};
Counts counts(WordDatabase &db, const QString &table, qint64 day);

// Every quiz over `table` that asked at least one question, in the order they ended.
struct Quiz
{
    QDateTime at;
    qint64 asked = 0;
    qint64 correct = 0;
    qint64 score = 0;
};
std::vector<Quiz> quizzes(WordDatabase &db, const QString &table);

// The `limit` records of `table` answered wrongly most often, most first (ties in table order).
struct Missed
{
    qint64 rowid = 0;
    QString word;
    QString meaning;
    qint64 wrong = 0;
};
std::vector<Missed> mostMissed(WordDatabase &db, const QString &table, int limit = 20);

// A record's memory, as the quiz left it.
struct Memory
{
    double stability = 0;
    double difficulty = 0;
    qint64 lastDay = 0;
    qint64 dueDay = 0;
    bool known = false;
    qint64 reps = 0;
    qint64 wrong = 0;
};
std::optional<Memory> memoryOf(WordDatabase &db, const QString &table, qint64 rowid);
// How many answers of `table`'s records are kept.
qint64 answerCount(WordDatabase &db, const QString &table);

} // namespace ReviewQueries
