#pragma once

#include <QString>

// The interval lists: "1 Second", "2 Seconds" ... "40 Seconds", and the design text
// "Timer Interval" that becomes "5 Seconds" when a display or a quiz starts.
namespace Interval {

inline const QString Untouched = QStringLiteral("Timer Interval");
inline const QString Default = QStringLiteral("5 Seconds");
constexpr int Items = 40;
constexpr int MaxSeconds = 3600;

QString itemText(int seconds);

// The whole seconds of a list text: the integer part of the number standing before the
// first blank. A text that is not a number, zero or a negative number gives 0; a number
// above an hour is taken as an hour so the timer's milliseconds cannot overflow.
int seconds(const QString &text);

// " Second" for exactly one second, " Seconds" for any other number.
QString unit(int seconds);

} // namespace Interval
