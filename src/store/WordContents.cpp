#include "WordContents.h"

#include "MarkBook.h"
#include "WordDatabase.h"

#include <QCryptographicHash>
#include <QUrl>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

namespace WordContents {

namespace {

std::string quoted(const QString &name)
{
    return "\"" + name.toStdString() + "\"";
}

void addNumber(QCryptographicHash &hash, qint64 n)
{
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(&n), sizeof n));
}

} // namespace

SQLite::Database openCopy(const QString &path)
{
    // immutable: no locks and no journal, as for a file on a read-only medium.
    const QByteArray uri =
        QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toUtf8() + "?immutable=1";
    return SQLite::Database(uri.toStdString(), SQLite::OPEN_READONLY | SQLite::OPEN_URI);
}

QByteArray fingerprint(SQLite::Database &db)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    // The kept pointers too: the pointer a marked word gets back is the user's own.
    const QStringList tables = QStringList{QStringLiteral("Details")} +
                               WordDatabase::collectionTables() +
                               QStringList{QString::fromLatin1(MarkBook::Table)};
    for (const QString &table : tables) {
        if (!db.tableExists(table.toStdString()))
            continue;
        hash.addData(table.toUtf8());
        SQLite::Statement rows(db, "SELECT * FROM " + quoted(table) + " ORDER BY rowid");
        const int columns = rows.getColumnCount();
        while (rows.executeStep()) {
            for (int c = 0; c < columns; ++c) {
                const SQLite::Column value = rows.getColumn(c);
                const int type = value.getType();
                const auto *bytes = static_cast<const char *>(value.getBlob());
                const int size = value.getBytes();
                addNumber(hash, type);
                addNumber(hash, size);
                if (bytes)
                    hash.addData(QByteArrayView(bytes, size));
            }
        }
    }
    return hash.result();
}

QByteArray fingerprintOfFile(const QString &path)
{
    SQLite::Database copy = openCopy(path);
    return fingerprint(copy);
}

bool hasDetails(SQLite::Database &db)
{
    return db.tableExists("Details") && !isEmpty(db, QStringLiteral("Details"));
}

bool isEmpty(SQLite::Database &db, const QString &table)
{
    SQLite::Statement any(db, "SELECT EXISTS (SELECT 1 FROM " + quoted(table) + ")");
    any.executeStep();
    return any.getColumn(0).getInt() == 0;
}

qint64 Counts::total() const
{
    qint64 sum = 0;
    for (qint64 n : words)
        sum += qMax<qint64>(n, 0);
    return sum;
}

Counts counts(SQLite::Database &db)
{
    Counts c;
    const QStringList &tables = WordDatabase::collectionTables();
    if (db.tableExists("Details")) {
        SQLite::Statement names(db, "SELECT * FROM Details ORDER BY rowid LIMIT " +
                                        std::to_string(tables.size()));
        while (names.executeStep())
            c.names << QString::fromStdString(names.getColumn(0).getString());
    }
    for (const QString &table : tables) {
        if (c.names.size() < c.words.size() + 1)
            c.names << table;
        if (!db.tableExists(table.toStdString())) {
            c.words << -1;
            continue;
        }
        SQLite::Statement count(db, "SELECT count(*) FROM " + quoted(table));
        count.executeStep();
        c.words << count.getColumn(0).getInt64();
    }
    return c;
}

} // namespace WordContents
