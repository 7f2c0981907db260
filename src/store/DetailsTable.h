#pragma once

#include <QList>
#include <QString>

class WordDatabase;

// One row of Details: the Collection name (first column) and the Default flag (second
// column). Both are addressed by position; the columns may carry any names.
struct DetailsRow
{
    qint64 rowid = 0;
    QString name;
    bool isDefault = false;
};

// The Details rows that describe collections: the k-th row in stored order belongs to the
// k-th table of Words .. Words5. Rows after the sixth have no table; these functions read
// and write only the first six and leave the others as they are.
namespace DetailsTable {

constexpr int CollectionRows = 6;

// The first six rows in stored order (fewer when Details holds fewer). Throws StoreError.
QList<DetailsRow> collectionRows(WordDatabase &db);

// Makes the k-th row (1 to 6) the only flagged one of the six, in one transaction so that
// a failure leaves the old default in place. Throws StoreError.
void makeDefault(WordDatabase &db, int k);

// Gives the k-th row (1 to 6) the Collection name `name`, exactly as given. Throws
// StoreError.
void rename(WordDatabase &db, int k, const QString &name);

} // namespace DetailsTable
