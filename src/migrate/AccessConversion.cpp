#include "AccessConversion.h"

#include "AccessReader.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <algorithm>

namespace AccessConversion {

namespace {

const QStringList WordColumns{"word", "meaning", "pointer"};

// The Access file's spelling of `name`, matched without regard to case, or an empty text.
QString findTable(const QStringList &tables, const QString &name)
{
    for (const QString &t : tables)
        if (t.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    return QString();
}

// By name when the table has all three columns; otherwise its first three columns by
// position, which is how the earlier program's readers by position saw them.
QList<int> wordColumnIndexes(const QStringList &columns)
{
    QList<int> byName;
    for (const QString &wanted : WordColumns) {
        const auto it = std::find_if(columns.cbegin(), columns.cend(), [&](const QString &c) {
            return c.compare(wanted, Qt::CaseInsensitive) == 0;
        });
        byName << (it == columns.cend() ? -1 : int(it - columns.cbegin()));
    }
    if (!byName.contains(-1))
        return byName;
    QList<int> byPosition;
    for (int i = 0; i < 3; ++i)
        byPosition << (i < columns.size() ? i : -1);
    return byPosition;
}

void insertRows(WordDatabase &db, const QString &table, const TextRows &rows)
{
    SQLite::Statement insert(db.sql(), "INSERT INTO " + table.toStdString() + " VALUES (?, ?, ?)");
    for (const QStringList &row : rows) {
        for (int c = 0; c < 3; ++c)
            insert.bind(c + 1, row.value(c).toStdString());
        insert.exec();
        insert.reset();
    }
}

void insertDetails(WordDatabase &db, const TextRows &rows)
{
    SQLite::Statement insert(db.sql(), "INSERT INTO Details VALUES (?, ?)");
    for (const QStringList &row : rows) {
        insert.bind(1, row.value(0).toStdString());
        insert.bind(2, isYes(row.value(1)) ? 1 : 0);
        insert.exec();
        insert.reset();
    }
}

Summary fill(AccessSource &source, const QString &path)
{
    Summary summary;
    const QStringList tables = source.tables();
    // Everything is read before the new file is made, so a table that cannot be read
    // stops the conversion before anything is written.
    QMap<QString, TextRows> words;
    for (const QString &table : WordDatabase::collectionTables()) {
        const QString found = findTable(tables, table);
        if (found.isEmpty()) {
            summary.createdEmpty << table;
            continue;
        }
        words[table] = source.rows(found, wordColumnIndexes(source.columns(found)));
        summary.words[table] = words[table].size();
    }
    TextRows details;
    const QString detailsTable = findTable(tables, QStringLiteral("Details"));
    if (detailsTable.isEmpty()) {
        summary.createdEmpty << QStringLiteral("Details");
    } else {
        if (source.columns(detailsTable).size() < 2)
            throw StoreError(QStringLiteral("The table %1 of the Access file does not have a "
                                            "Collection name and a Default flag.")
                                 .arg(detailsTable));
        details = source.rows(detailsTable, {0, 1});
    }

    // A file with none of the tables is not a word file, and no words is no success.
    if (summary.createdEmpty.size() == WordDatabase::collectionTables().size() + 1)
        throw StoreError(QStringLiteral("The Access file has none of the tables Words to Words5 "
                                        "and Details, so it holds no words of Lexmora's."));

    auto db = WordDatabase::create(path);
    SQLite::Transaction tx(db->sql());
    for (auto it = words.cbegin(); it != words.cend(); ++it)
        insertRows(*db, it.key(), it.value());
    insertDetails(*db, details);
    tx.commit();
    return summary;
}

} // namespace

qint64 Summary::totalWords() const
{
    qint64 total = 0;
    for (const qint64 n : words)
        total += n;
    return total;
}

bool isYes(const QString &value)
{
    const QString v = value.trimmed();
    bool number = false;
    const double d = v.toDouble(&number);
    if (number)
        return d != 0;
    for (const char *yes : {"true", "yes", "on"})
        if (v.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString partialPath(const QString &newPath)
{
    return newPath + QStringLiteral(".partial");
}

void discardPartial(const QString &newPath)
{
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(partialPath(newPath) + QLatin1String(suffix));
}

Summary convert(AccessSource &source, const QString &newPath)
{
    if (QFileInfo::exists(newPath))
        throw StoreError(QStringLiteral("%1 already exists; it was left as it is.")
                             .arg(QDir::toNativeSeparators(newPath)));
    // A partial file may be another run's work in progress: not ours to delete.
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        if (QFileInfo::exists(partialPath(newPath) + QLatin1String(suffix)))
            throw StoreError(QStringLiteral("%1 already exists: another lexmora-newdb may be "
                                            "writing it, or an earlier one was stopped part-way. "
                                            "It was left as it is; remove it and try again.")
                                 .arg(QDir::toNativeSeparators(partialPath(newPath) +
                                                               QLatin1String(suffix))));
    Summary summary;
    try {
        summary = fill(source, partialPath(newPath));
    } catch (const SQLite::Exception &e) {
        discardPartial(newPath);
        throw StoreError(QStringLiteral("The new word database could not be written: %1.")
                             .arg(QString::fromUtf8(e.what())));
    } catch (...) {
        discardPartial(newPath);
        throw;
    }
    if (!QFile::rename(partialPath(newPath), newPath)) {
        discardPartial(newPath);
        throw StoreError(
            QStringLiteral("Could not write %1.").arg(QDir::toNativeSeparators(newPath)));
    }
    return summary;
}

Summary convertFile(const QString &accessPath, const QString &newPath)
{
    AccessReader reader(accessPath);
    return convert(reader, newPath);
}

} // namespace AccessConversion
