#pragma once

#include <QString>

// The stored form of a word typed in the word panel or read by the import: leading blanks dropped, a first letter a-z upper-cased,
// every later letter A-Z lower-cased. Only the space counts as a blank, only the 26
// unaccented letters change, and trailing blanks stay: "  hELLO World" gives "Hello world".
namespace WordNormalization {

QString normalize(const QString &typed);

} // namespace WordNormalization
