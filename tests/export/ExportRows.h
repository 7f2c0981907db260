#pragma once

#include "ExportFormat.h"
#include "WordRows.h"

#include <QList>

// Words that test every corner of the formats: quotes, separators, line breaks, blanks at
// the ends and in runs, tabs, non-ASCII and characters beyond the BMP, texts that look like
// numbers, formulas, comments or Excel's escapes, and empty meanings and pointers.
inline QList<WordRow> awkwardRows()
{
    return {
        {"Abacus", "a counting frame", "Got it wrong"},
        {"It's", "apostrophe's \"quoted\" and 'single'", "a \"quoted\" pointer"},
        {"Comma, word", "tab\there; semicolon", "a,b"},
        {"Newline", "line one\nline two\r\nline three\rfour", ""},
        {QString::fromUtf8("Café"), QString::fromUtf8("naïve — 日本語, 😀 𝄞"),
         QString::fromUtf8("ñ")},
        {"Blanks", "  leading and trailing  ", " p "},
        {"Empty", "", ""},
        {"#hash", "=1+2", "-minus"},
        {"Runs  of", "a   b    c", "x  y"},
        {"_x0041_", "escape-looking _x000D_ text", "_x005F_"},
        {"Tab\tword", "\ttab first", "end tab\t"},
        {"\"", "\"\"", "\""},
        {"007", "1e5", "3.14"},
        {"Only", "\n", ""},
        {"Long", QString(5000, QLatin1Char('x')), ""},
        {"Last", "the last meaning", "the last pointer"},
    };
}

// What a format gives back of a text it was given: OpenDocument has no carriage return, and
// Anki's tags hold no blank (each became "_", and each "_" reads back as a blank).
inline WordRow readBack(ExportFormat format, WordRow row)
{
    if (format == ExportFormat::Ods)
        for (QString *text : {&row.word, &row.meaning, &row.pointer})
            text->replace(QLatin1String("\r\n"), QLatin1String("\n"))
                .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (format == ExportFormat::AnkiText)
        for (QChar &c : row.pointer)
            if (c.isSpace() || c == QLatin1Char('_'))
                c = QLatin1Char(' ');
    return row;
}
