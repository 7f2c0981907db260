#pragma once

#include <QString>
#include <QStringList>

class WordDatabase;

namespace Collections {

// The table of the Default collection: the first row of Details whose Default flag is
// set, counted from 1 and mapped to Words .. Words5. A scan that finds no flag maps the
// number of rows instead (six unflagged rows give Words5); any other count gives Words.
// Errors while reading are ignored and keep the answer reached so far.
QString chooseDefault(WordDatabase &db);

// The table for the k-th row of Details (1 to 6); any other k gives "Words".
QString tableForRow(int k);

} // namespace Collections
