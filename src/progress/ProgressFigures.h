#pragma once

#include "ReviewQueries.h"

#include <QString>

#include <vector>

class WordDatabase;

// Everything the progress window shows of one collection, read in one go through the
// store's review look-ups: the quizzes with their scores, the words by how well they are
// known, and the words answered wrongly most often.
struct ProgressFigures
{
    static constexpr int MostMissedShown = 20;

    QString table;
    std::vector<ReviewQueries::Quiz> quizzes;
    ReviewQueries::Counts counts;
    std::vector<ReviewQueries::Missed> mostMissed;

    // Throws StoreError when the store cannot be read.
    static ProgressFigures read(WordDatabase &db, const QString &table, qint64 day);

    // A quiz's share of right answers in per cent, the figure the chart draws: the score
    // itself (100 points a right answer) grows with the length of the quiz.
    static double percentRight(const ReviewQueries::Quiz &quiz);
};
