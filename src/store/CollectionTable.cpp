#include "CollectionTable.h"

#include "BulkWriter.h"
#include "EngineErrors.h"
#include "StoreConnection.h"
#include "StoreError.h"

namespace CollectionTable {

namespace {

// The stored spelling of a collection table; Details and unknown names give nothing.
QString collection(const QString &table)
{
    const QString t = WordDatabase::canonicalTable(table);
    return WordDatabase::collectionTables().contains(t) ? t : QString();
}

QString existing(WordDatabase &db, const QString &table)
{
    const QString t = collection(table);
    if (!exists(db, t))
        throw StoreError(QStringLiteral("The word database has no table %1.").arg(table));
    return t;
}

} // namespace

bool exists(WordDatabase &db, const QString &table)
{
    const QString t = collection(table);
    return !t.isEmpty() && db.hasTable(t);
}

void requireExisting(WordDatabase &db, const QString &table, const QString &collectionName)
{
    if (!exists(db, table))
        throw StoreError(QStringLiteral("The collection %1 cannot be used: the word database has "
                                        "no table %2.")
                             .arg(collectionName, table));
}

std::optional<qint64> emptyAllOrNothing(WordDatabase &db, const QString &table,
                                        const StoreProgress::Tick &tick)
{
    const QString t = existing(db, table);
    try {
        BulkWriter writer(db, t, BulkWriter::Refusal::FailsAll);
        const BulkWriter::Outcome done = writer.remove(writer.rowids(), tick);
        if (done.stopped)
            return std::nullopt;
        writer.commit();
        return done.written;
    } catch (const StoreError &e) {
        throw StoreError(
            QStringLiteral("The words of %1 could not be deleted: %2.").arg(t, e.message()),
            e.engineCode());
    }
}

Emptying deleteEachRecord(WordDatabase &db, const QString &table, const StoreProgress::Tick &tick)
{
    BulkWriter writer(db, existing(db, table), BulkWriter::Refusal::SkipsTheRow);
    const BulkWriter::Outcome done = writer.remove(writer.rowids(), tick);
    Emptying result;
    if (done.stopped) {
        result.stopped = true;
        return result; // the writer rolls back
    }
    writer.commit();
    result.deleted = done.written;
    result.left = done.refused;
    result.firstRefusal = done.firstRefusal;
    return result;
}

} // namespace CollectionTable
