#include "WordQueries.h"

#include "MarkBook.h"

namespace WordQueries {

namespace {

// Inside a quoted literal only the quote itself is special; doubling it keeps "one's"
// one literal instead of ending it early and breaking the query. Wildcards typed by the
// user stay wildcards.
QString literalBody(const QString &typed)
{
    QString body = typed;
    return body.replace(QLatin1Char('\''), QLatin1String("''"));
}

QString where(const QString &table, const char *column, const QString &pattern)
{
    return all(table) + QStringLiteral(" where ") + QLatin1String(column) +
           QStringLiteral(" like '") + pattern + QLatin1Char('\'');
}

} // namespace

QString all(const QString &table)
{
    return QStringLiteral("Select * from ") + table;
}

QString wordStartsWith(const QString &table, const QString &typed)
{
    return where(table, "word", literalBody(typed) + QLatin1Char('*'));
}

QString meaningContains(const QString &table, const QString &typed)
{
    return where(table, "meaning", QLatin1Char('*') + literalBody(typed) + QLatin1Char('*'));
}

QString pointerContains(const QString &table, const QString &typed)
{
    return where(table, "pointer", QLatin1Char('*') + literalBody(typed) + QLatin1Char('*'));
}

QString marked(const QString &table)
{
    return all(table) + QStringLiteral(" where pointer=\"") + MarkBook::Marker + QLatin1Char('"');
}

} // namespace WordQueries
