#include "CollectionTable.h"

#include "StoreError.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Transaction.h>

#include <sqlite3.h>

namespace CollectionTable {

namespace {

// The stored spelling of a collection table; Details and unknown names give nothing.
QString collection(const QString &table)
{
    const QString t = WordDatabase::canonicalTable(table);
    return WordDatabase::collectionTables().contains(t) ? t : QString();
}

} // namespace

bool exists(WordDatabase &db, const QString &table)
{
    const QString t = collection(table);
    return !t.isEmpty() && db.sql().tableExists(t.toStdString());
}

void requireExisting(WordDatabase &db, const QString &table, const QString &collectionName)
{
    if (!exists(db, table))
        throw StoreError(QStringLiteral("The collection %1 cannot be used: the word database has "
                                        "no table %2.")
                             .arg(collectionName, table));
}

qint64 empty(WordDatabase &db, const QString &table)
{
    const QString t = collection(table);
    if (t.isEmpty() || !db.sql().tableExists(t.toStdString()))
        throw StoreError(QStringLiteral("The word database has no table %1.").arg(table));
    try {
        SQLite::Transaction tx(db.sql());
        db.sql().exec("DELETE FROM \"" + t.toStdString() + "\"");
        const qint64 deleted = sqlite3_changes64(db.sql().getHandle());
        tx.commit();
        return deleted;
    } catch (const SQLite::Exception &e) {
        throw StoreError(QStringLiteral("The words of %1 could not be deleted: %2.")
                             .arg(t, QString::fromUtf8(e.getErrorStr())));
    }
}

} // namespace CollectionTable
