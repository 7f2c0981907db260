#include "CollectionRows.h"

#include "StoreConnection.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>

namespace {

StoreError readFailure(const QString &table, const SQLite::Exception &e)
{
    return StoreError(QStringLiteral("The words of %1 could not be read: %2.")
                          .arg(table, QString::fromUtf8(e.getErrorStr())));
}

QString textOf(const SQLite::Column &column)
{
    return QString::fromUtf8(static_cast<const char *>(column.getBlob()), column.getBytes());
}

} // namespace

CollectionRows::CollectionRows(WordDatabase &db, const QString &table)
    : m_table(WordDatabase::canonicalTable(table))
{
    if (!WordDatabase::collectionTables().contains(m_table) || !db.hasTable(m_table))
        throw StoreError(QStringLiteral("The word database has no table %1.").arg(table));
    const std::string name = '"' + m_table.toStdString() + '"';
    try {
        SQLite::Statement count(StoreConnection::of(db), "SELECT count(*) FROM " + name);
        count.executeStep();
        m_count = count.getColumn(0).getInt64();
        m_rows = std::make_unique<SQLite::Statement>(
            StoreConnection::of(db), "SELECT word, meaning, pointer FROM " + name + " ORDER BY rowid");
    } catch (const SQLite::Exception &e) {
        throw readFailure(m_table, e);
    }
}

CollectionRows::~CollectionRows() = default;

bool CollectionRows::next(WordEntry &row)
{
    try {
        if (!m_rows->executeStep())
            return false;
        // By length, so that a text holding a NUL reaches the export whole, which refuses it.
        row = {textOf(m_rows->getColumn(0)), textOf(m_rows->getColumn(1)),
               textOf(m_rows->getColumn(2))};
        return true;
    } catch (const SQLite::Exception &e) {
        throw readFailure(m_table, e);
    }
}
