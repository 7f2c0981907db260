#pragma once

#include "WordRows.h"

#include <QString>

// The checks every writer makes of a row's texts, and the words they refuse it in.
namespace ExportTexts {

// Throws ExportError when a text of `row` holds a NUL, which no file of ours holds (our
// own import refuses such a file).
void refuseNul(const WordRow &row);

// The first character of `text` that XML 1.0 cannot hold, neither as itself nor as a
// reference (control characters, U+FFFE, U+FFFF, a lone surrogate); -1 when there is none.
qsizetype firstUnwritableInXml(QStringView text);

// Throws ExportError when a text of `row` holds a character XML cannot hold; `format`
// names the file type in the message (".ods").
void refuseUnwritableInXml(const WordRow &row, const QString &format);

// Throws the ExportError of a sheet that cannot hold all the words.
[[noreturn]] void refuseTooManyRows(qint64 maxRows);

// A sheet name the office programs take: without []:*?/\ and control characters, at most
// 31 characters, never empty.
QString sheetName(const QString &title);

// "U+0001", for messages.
QString codePoint(QStringView text, qsizetype at);

} // namespace ExportTexts
