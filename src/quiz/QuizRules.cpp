#include "QuizRules.h"

#include "Interval.h"
#include "WordQueries.h"
#include "WordRecords.h"

#include <cmath>
#include <limits>

namespace QuizRules {

QString noWords(const QString &table)
{
    return QStringLiteral("There are no words in ") + table +
           QStringLiteral(". You might want to change the database and try again!");
}

std::optional<qint16> parseQuestionCount(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // Round first: 32767.4 is still a count, 32767.5 is not.
    const double whole = std::nearbyint(value);
    if (whole < std::numeric_limits<qint16>::min() || whole > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(whole);
}

qint16 questionLimit(qint16 count)
{
    return count == 0 ? Unlimited : count;
}

int questionTimeMs(int seconds)
{
    return (seconds + 1) * 1000;
}

QString intervalLine(int seconds)
{
    return QStringLiteral("Timer interval selected at ") + QString::number(seconds) +
           Interval::unit(seconds);
}

QString countdownCaption(qint64 seconds)
{
    return seconds >= 0 ? QLatin1Char(' ') + QString::number(seconds) : QString::number(seconds);
}

qint64 captionSeconds(const QString &caption)
{
    bool ok = false;
    const double value = caption.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? qint64(std::trunc(value)) : 0;
}

qint64 score(qint64 correct)
{
    return Points * correct;
}

QString correctReport(qint64 correct, qint64 asked, bool fifthSlot)
{
    const QString c = QString::number(correct);
    const QString a = QString::number(asked);
    const QString s = QString::number(score(correct));
    if (!fifthSlot)
        return QStringLiteral(" Correct answer. You have answered ") + c +
               QStringLiteral(" out of ") + a + QStringLiteral(" questions. Score is ") + s;
    return QStringLiteral("\r\n Correct answer. \r\nYou have answered ") + c +
           QStringLiteral(" out of ") + a + QStringLiteral(" questions. \r\nScore is ") + s +
           QStringLiteral("\r\n");
}

QString summary(qint64 correct, qint64 asked)
{
    return QStringLiteral("You have reached the last word. ") + QString::number(correct) +
           QStringLiteral(" out of ") + QString::number(asked) +
           QStringLiteral(" questions answered with a score of ") + QString::number(score(correct));
}

QString markedWordsSql(const QString &table)
{
    return WordQueries::marked(table);
}

bool isRightMeaning(WordDatabase &db, const QString &table, const QString &word,
                    const QString &meaning)
{
    return WordRecords::holdsMeaning(db, table, word, meaning);
}

} // namespace QuizRules
