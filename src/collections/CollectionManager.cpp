#include "CollectionManager.h"
#include "Backups.h"

#include "CollectionTable.h"
#include "Collections.h"
#include "DetailsTable.h"
#include "Module1.h"
#include "StoreError.h"
#include "TableCursor.h"
#include "WordDatabase.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcCollections, "lexmora.collections")

} // namespace

CollectionManager::Listing CollectionManager::listing()
{
    Listing listing;
    for (const DetailsRow &row : DetailsTable::collectionRows(m_db)) {
        listing.names << row.name;
        // Every flagged row puts its name in the list's text: the last one stays.
        if (row.isDefault)
            listing.shownName = row.name;
    }
    return listing;
}

int CollectionManager::position(const QString &name)
{
    const QList<DetailsRow> rows = DetailsTable::collectionRows(m_db);
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].name == name)
            return i + 1;
    return 0;
}

QString CollectionManager::tableAt(int position)
{
    return Collections::tableForRow(position);
}

QString CollectionManager::collectionName(int position)
{
    return DetailsTable::collectionRows(m_db).value(position - 1).name;
}

void CollectionManager::requireTable(int position)
{
    CollectionTable::requireExisting(m_db, tableAt(position), collectionName(position));
}

CollectionSummary CollectionManager::summary(int position)
{
    requireTable(position);
    CollectionSummary s;
    s.table = tableAt(position);
    s.isDefault = DetailsTable::collectionRows(m_db).value(position - 1).isDefault;
    try {
        TableCursor words(m_db, s.table);
        s.count = words.recordCount();
        s.hasWords = words.moveFirst();
        if (s.hasWords) {
            s.firstWord = words.text(QStringLiteral("word"));
            words.moveLast();
            s.lastWord = words.text(QStringLiteral("word"));
        }
    } catch (const StoreError &) {
        throw;
    } catch (const std::exception &e) {
        throw StoreError(QStringLiteral("The words of %1 could not be read: %2.")
                             .arg(s.table, QString::fromUtf8(e.what())));
    }
    return s;
}

void CollectionManager::makeDefault(int position)
{
    DetailsTable::makeDefault(m_db, position);
}

void CollectionManager::rename(int position, const QString &newName)
{
    DetailsTable::rename(m_db, position, newName);
}

std::optional<qint64> CollectionManager::deleteContent(int position,
                                                       const WithoutCopy &goOnWithoutCopy,
                                                       const StoreProgress::Tick &tick)
{
    requireTable(position);
    const QString table = tableAt(position);
    // A copy of the database while all of the collection's words are still there.
    const Backups::Outcome copy = Backups::beforeBulkChange(m_db, table, tick);
    if (copy.failed() && (!goOnWithoutCopy || !goOnWithoutCopy(copy.error)))
        return std::nullopt;
    // All or nothing: a word that will not go keeps every word in place. Stopped by the
    // tick, nothing is deleted.
    return CollectionTable::emptyAllOrNothing(m_db, table, tick);
}

CollectionSwitch::Report CollectionManager::select(int position)
{
    requireTable(position);
    return CollectionSwitch::switchTo(m_db, tableAt(position));
}

Restore::Result CollectionManager::restore(const QString &file, const WithoutCopy &goOnWithoutCopy,
                                           const Restore::Tick &tick)
{
    Restore::Result result;
    try {
        result = Restore::fromBackup(m_db, file, goOnWithoutCopy, tick);
    } catch (const StoreError &) {
        // Refused, nothing changed; or restored, and only the indexes failed. Either way the
        // record sets are opened afresh over what the file holds now.
        try {
            reopenAfterRestore();
        } catch (const StoreError &e) {
            // They stay over the table they had; each reads afresh at every move.
            qCWarning(lcCollections).noquote()
                << "Skipped reopening the record sets after a failed restore because:"
                << e.message();
        }
        throw;
    }
    if (result.kind == Restore::Result::Kind::Restored) {
        try {
            reopenAfterRestore();
        } catch (const StoreError &e) {
            throw StoreError(
                QStringLiteral("The backup copy was restored, but: %1").arg(e.message()));
        }
    }
    return result;
}

void CollectionManager::reopenAfterRestore()
{
    const QString table = m_db.hasTable(Module1::currentCollection)
                              ? Module1::currentCollection
                              : Collections::chooseDefault(m_db);
    CollectionSwitch::switchTo(m_db, table);
}
