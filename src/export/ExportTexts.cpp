#include "ExportTexts.h"

#include "ExportError.h"

namespace {

QString shown(const QString &word)
{
    // A word in a message is cut where it would fill the box.
    constexpr qsizetype Longest = 60;
    return word.size() > Longest ? word.left(Longest) + QStringLiteral("...") : word;
}

bool xmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

namespace ExportTexts {

void refuseNul(const WordRow &row)
{
    for (const QString *text : {&row.word, &row.meaning, &row.pointer})
        if (text->contains(QChar(0)))
            throw ExportError(QStringLiteral("The word \"%1\" holds a NUL character, which no "
                                             "file this program writes can hold. Change the "
                                             "word and export again.")
                                  .arg(shown(row.word)));
}

qsizetype firstUnwritableInXml(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i; // a pair: a character beyond the BMP, which XML holds
            continue;
        }
        if (c.isSurrogate() || !xmlChar(c.unicode()))
            return i;
    }
    return -1;
}

void refuseUnwritableInXml(const WordRow &row, const QString &format)
{
    for (const QString *text : {&row.word, &row.meaning, &row.pointer}) {
        const qsizetype at = firstUnwritableInXml(*text);
        if (at >= 0)
            throw ExportError(QStringLiteral("The word \"%1\" holds the character %2, which a "
                                             "%3 file cannot hold. Export the words as .csv, "
                                             ".txt or .xlsx instead.")
                                  .arg(shown(row.word), codePoint(*text, at), format));
    }
}

void refuseTooManyRows(qint64 maxRows)
{
    throw ExportError(QStringLiteral("A sheet holds at most %L1 rows, and there are more words "
                                     "than that. Export them as .csv or .txt instead.")
                          .arg(maxRows));
}

QString sheetName(const QString &title)
{
    QString name;
    for (QChar c : title)
        if (!QStringLiteral("[]:*?/\\").contains(c) && c.unicode() >= 0x20)
            name += c;
    name = name.trimmed().left(31);
    return name.isEmpty() ? QStringLiteral("Words") : name;
}

QString codePoint(QStringView text, qsizetype at)
{
    return QStringLiteral("U+%1").arg(text[at].unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace ExportTexts
