#pragma once

#include <QString>
#include <QStringList>

class WordDatabase;

// Select: makes another collection the Current collection until the program ends.
namespace CollectionSwitch {

// What the Status box is told of the collection switched to.
struct Report
{
    QString table;
    QString firstWord; // empty for an empty collection
    QString lastWord;
    qint64 count = 0;
};

// Makes `table` the Current collection and reopens the three shared record sets over it:
// the current collection recordset, the query recordset and the quiz recordset. The
// current collection recordset is left on its last record. When any of them cannot be
// opened, nothing changes and a StoreError says why.
Report switchTo(WordDatabase &db, const QString &table);

// The four blocks appended to the main Status box, in order, for the collection shown as
// `name` in the database at `path`.
QStringList statusPieces(const QString &name, const Report &report, const QString &path);

} // namespace CollectionSwitch
