#include "ReviewModel.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// FSRS-6's default parameters w0 .. w20, as published with the model.
constexpr std::array<double, 21> W{0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                   0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                   1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

constexpr double MinimumStability = 0.001;

double decay()
{
    return -W[20];
}

// Chosen so that the chance of recall is exactly 90 % after `stability` days.
double factor()
{
    return std::pow(0.9, 1.0 / decay()) - 1.0;
}

double clampDifficulty(double d)
{
    return std::clamp(d, 1.0, 10.0);
}

int g(ReviewModel::Grade grade)
{
    return int(grade);
}

} // namespace

ReviewModel::Grade ReviewModel::gradeFor(bool right, qint64 milliseconds)
{
    if (!right)
        return Grade::Again;
    if (milliseconds <= EasyWithinMs)
        return Grade::Easy;
    return milliseconds <= GoodWithinMs ? Grade::Good : Grade::Hard;
}

double ReviewModel::initialDifficulty(Grade grade, bool clamp)
{
    const double d = W[4] - std::exp(W[5] * (g(grade) - 1)) + 1.0;
    return clamp ? clampDifficulty(d) : d;
}

ReviewModel::Memory ReviewModel::first(Grade grade)
{
    return {std::max(W[size_t(g(grade) - 1)], MinimumStability), initialDifficulty(grade, true)};
}

double ReviewModel::nextDifficulty(double difficulty, Grade grade)
{
    // The change shrinks as the difficulty nears 10, and the result leans a little towards
    // the difficulty of a first Easy answer.
    const double delta = -W[6] * (g(grade) - 3);
    const double damped = difficulty + delta * (10.0 - difficulty) / 9.0;
    return clampDifficulty(W[7] * initialDifficulty(Grade::Easy, false) + (1.0 - W[7]) * damped);
}

double ReviewModel::recallStability(const Memory &m, double r, Grade grade)
{
    const double hardPenalty = grade == Grade::Hard ? W[15] : 1.0;
    const double easyBonus = grade == Grade::Easy ? W[16] : 1.0;
    return m.stability * (1.0 + std::exp(W[8]) * (11.0 - m.difficulty) *
                                    std::pow(m.stability, -W[9]) *
                                    (std::exp((1.0 - r) * W[10]) - 1.0) * hardPenalty * easyBonus);
}

double ReviewModel::forgetStability(const Memory &m, double r)
{
    const double longTerm = W[11] * std::pow(m.difficulty, -W[12]) *
                            (std::pow(m.stability + 1.0, W[13]) - 1.0) *
                            std::exp((1.0 - r) * W[14]);
    return std::min(longTerm, m.stability / std::exp(W[17] * W[18]));
}

double ReviewModel::shortTermStability(double stability, Grade grade)
{
    double increase = std::exp(W[17] * (g(grade) - 3 + W[18])) * std::pow(stability, -W[19]);
    // A right answer on the same day never makes the memory weaker.
    if (grade == Grade::Good || grade == Grade::Easy)
        increase = std::max(increase, 1.0);
    return stability * increase;
}

ReviewModel::Memory ReviewModel::next(const Memory &memory, int elapsedDays, Grade grade)
{
    double stability;
    if (elapsedDays < 1) {
        stability = shortTermStability(memory.stability, grade);
    } else {
        const double r = retrievability(elapsedDays, memory.stability);
        stability = grade == Grade::Again ? forgetStability(memory, r)
                                          : recallStability(memory, r, grade);
    }
    return {std::max(stability, MinimumStability), nextDifficulty(memory.difficulty, grade)};
}

double ReviewModel::retrievability(double elapsedDays, double stability)
{
    return std::pow(1.0 + factor() * std::max(elapsedDays, 0.0) / stability, decay());
}

int ReviewModel::intervalDays(double stability, double retention)
{
    const double days = stability / factor() * (std::pow(retention, 1.0 / decay()) - 1.0);
    if (!std::isfinite(days))
        return MaximumInterval;
    return int(std::clamp<double>(std::round(days), 1.0, MaximumInterval));
}
