#pragma once

#include <QtGlobal>

// How well a word is known, after the Free Spaced Repetition Scheduler, version 6 (FSRS-6),
// with its published default parameters. A word's memory is its stability (the days until
// the chance of recalling it falls to 90 %) and its difficulty (1 .. 10); each answer moves
// both, and the next review falls when the chance of recall has come down to the retention
// asked for. Pure arithmetic: no clock, no file.
class ReviewModel
{
public:
    // The four grades of an answer.
    enum class Grade { Again = 1, Hard = 2, Good = 3, Easy = 4 };

    struct Memory
    {
        double stability = 0;
        double difficulty = 0;
    };

    static constexpr double Retention = 0.9;
    static constexpr int MaximumInterval = 36500;
    // A right answer given within this many milliseconds is Easy, within the second Good,
    // slower Hard. A wrong answer or none is Again.
    static constexpr qint64 EasyWithinMs = 3000;
    static constexpr qint64 GoodWithinMs = 8000;

    static Grade gradeFor(bool right, qint64 milliseconds);

    // The memory after a word's first answer.
    static Memory first(Grade grade);
    // The memory after an answer given `elapsedDays` whole days after the one before; an
    // answer on the same day (0) moves the memory by the short-term rule.
    static Memory next(const Memory &memory, int elapsedDays, Grade grade);

    // The chance of recall `elapsedDays` after the last answer.
    static double retrievability(double elapsedDays, double stability);
    // The whole days until the next review: when the chance of recall falls to `retention`,
    // at least one day and at most MaximumInterval.
    static int intervalDays(double stability, double retention = Retention);

private:
    static double initialDifficulty(Grade grade, bool clamp);
    static double nextDifficulty(double difficulty, Grade grade);
    static double recallStability(const Memory &memory, double retrievability, Grade grade);
    static double forgetStability(const Memory &memory, double retrievability);
    static double shortTermStability(double stability, Grade grade);
};
