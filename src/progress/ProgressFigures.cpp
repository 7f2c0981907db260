#include "ProgressFigures.h"

ProgressFigures ProgressFigures::read(WordDatabase &db, const QString &table, qint64 day)
{
    ProgressFigures f;
    f.table = table;
    f.quizzes = ReviewQueries::quizzes(db, table);
    f.counts = ReviewQueries::counts(db, table, day);
    f.mostMissed = ReviewQueries::mostMissed(db, table, MostMissedShown);
    return f;
}

double ProgressFigures::percentRight(const ReviewQueries::Quiz &quiz)
{
    return quiz.asked > 0 ? 100.0 * double(quiz.correct) / double(quiz.asked) : 0.0;
}
