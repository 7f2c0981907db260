#include "RandomSource.h"

#include <QDateTime>

#include <cfenv>
#include <cmath>

RandomSource &RandomSource::instance()
{
    static RandomSource source;
    return source;
}

double RandomSource::next()
{
    if (!m_queued.isEmpty())
        return m_queued.takeFirst();
    return std::generate_canonical<double, 53>(m_engine);
}

void RandomSource::seedFromClock()
{
    if (!m_held)
        seed(quint64(QDateTime::currentMSecsSinceEpoch()));
}

void RandomSource::seed(quint64 seed)
{
    m_engine.seed(seed);
    m_queued.clear();
}

void RandomSource::feed(const QList<double> &numbers)
{
    m_queued += numbers;
}

qint64 roundHalfEven(double value)
{
    return qint64(std::nearbyint(value)); // the default rounding mode is ties to even
}
