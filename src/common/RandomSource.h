#pragma once

#include <QList>

#include <random>

// The program's one pseudo-random generator. It is seeded from the clock at start-up and
// whenever a quiz opens; tests seed it or feed it the exact numbers to return.
class RandomSource
{
public:
    static RandomSource &instance();

    // A number uniform in [0, 1).
    double next();

    void seedFromClock();
    // While held, seedFromClock() leaves the generator alone, so a test keeps the sequence
    // it seeded across the reseeds the program makes (a quiz opening reseeds).
    void holdSeed(bool held) { m_held = held; }
    void seed(quint64 seed);
    // Returns these numbers first, in order, before going back to the generator.
    void feed(const QList<double> &numbers);

private:
    std::mt19937_64 m_engine{5489u};
    QList<double> m_queued;
    bool m_held = false;
};

// Rounds to a whole number with ties to even, as the program's formulas ask.
qint64 roundHalfEven(double value);
