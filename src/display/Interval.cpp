#include "Interval.h"

#include <cmath>

namespace Interval {

QString unit(int seconds)
{
    return seconds == 1 ? QStringLiteral(" Second") : QStringLiteral(" Seconds");
}

QString itemText(int seconds)
{
    return QString::number(seconds) + unit(seconds);
}

int seconds(const QString &text)
{
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    bool ok = false;
    const double value = text.left(blank < 0 ? text.size() : blank).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0)
        return 0;
    return value >= MaxSeconds ? MaxSeconds : int(std::trunc(value));
}

} // namespace Interval
