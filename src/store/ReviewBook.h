#pragma once

#include "ReviewModel.h"

#include <QDateTime>
#include <QString>

class WordDatabase;

// What the learner knows, in tables of our own beside the word tables (never in a column of
// theirs, so older versions and other readers keep working with the file):
// - lexmora_answers: every answer given in a quiz: the record (table and rowid, as MarkBook
//   names records), when, right or wrong, how long it took and the grade it gave;
// - lexmora_review: per record answered, its memory (stability, difficulty), its last answer,
//   the day it is due again and its counts;
// - lexmora_quizzes: the end of every quiz with its counts, for the scores over time.
// Triggers on the word tables take a deleted record's answers and memory with it (whichever
// way it is deleted: the word panel, Delete all, Delete content) and follow a record whose
// rowid changes; an edit of its word or meaning keeps them.
namespace ReviewBook {

inline constexpr char AnswersTable[] = "lexmora_answers";
inline constexpr char ReviewTable[] = "lexmora_review";
inline constexpr char QuizzesTable[] = "lexmora_quizzes";
inline constexpr char TriggerPrefix[] = "lexmora_review_";
// A word whose next review is this many days or more after its last answer is known.
inline constexpr int KnownAfterDays = 21;

// Refuses (StoreError) a file whose table, index or trigger of one of our names is not
// ours, before anything is written. Reads only.
void checkShape(WordDatabase &db, const QString &path);

// Creates the tables, their indexes and the triggers of the word tables the file has,
// where missing. Runs inside the transaction of the caller.
void prepare(WordDatabase &db);

// The local calendar day of `at`, as the review days are counted.
qint64 dayOf(const QDateTime &at);

struct Answer
{
    QString table;
    qint64 rowid = 0; // the record asked about
    QString word;     // its word, for the "Got it wrong" mark
    bool right = false;
    qint64 milliseconds = 0;
    QDateTime at;
};

// Records one answer in one transaction: its row in the answers, the record's memory moved
// on by the model, and, for a wrong answer, the "Got it wrong" mark of every record holding
// the word (MarkBook). So a kill leaves answers, memories and marks consistent. A record that
// is no longer there gets no history, but its word is still marked. Returns the grade.
ReviewModel::Grade recordAnswer(WordDatabase &db, const Answer &answer);

// Records the end of a quiz over `table`.
void recordQuiz(WordDatabase &db, const QString &table, const QDateTime &at, qint64 asked,
                qint64 correct);

} // namespace ReviewBook
