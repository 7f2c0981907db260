#include "AccessConversion.h"

#include "AccessFiles.h"
#include "AccessReader.h"
#include "NewDatabase.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace AccessConversion {

using AccessFiles::discardPartial;
using AccessFiles::partialPath;

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

std::vector<WordEntry> entries(const TextRows &rows)
{
    std::vector<WordEntry> out;
    out.reserve(size_t(rows.size()));
    for (const QStringList &row : rows)
        out.push_back({row.value(0), row.value(1), row.value(2)});
    return out;
}

Summary fill(AccessSource &source, const QString &path)
{
    Summary summary;
    const QStringList tables = source.tables();
    // Everything is read before the new file is made, so a table that cannot be read
    // stops the conversion before anything is written.
    NewDatabase::Contents contents;
    for (const QString &table : WordDatabase::collectionTables()) {
        const QString found = findTable(tables, table);
        if (found.isEmpty()) {
            summary.createdEmpty << table;
            continue;
        }
        contents.words[table] =
            entries(source.rows(found, wordColumnIndexes(source.columns(found))));
        summary.words[table] = qint64(contents.words[table].size());
    }
    const QString detailsTable = findTable(tables, QStringLiteral("Details"));
    if (detailsTable.isEmpty()) {
        summary.createdEmpty << QStringLiteral("Details");
    } else {
        if (source.columns(detailsTable).size() < 2)
            throw StoreError(QStringLiteral("The table %1 of the Access file does not have a "
                                            "Collection name and a Default flag.")
                                 .arg(detailsTable));
        for (const QStringList &row : source.rows(detailsTable, {0, 1}))
            contents.details.append({row.value(0), isYes(row.value(1))});
    }

    // A file with none of the tables is not a word file, and no words is no success.
    if (summary.createdEmpty.size() == WordDatabase::collectionTables().size() + 1)
        throw StoreError(QStringLiteral("The Access file has none of the tables Words to Words5 "
                                        "and Details, so it holds no words of Lexmora's."));

    try {
        NewDatabase::write(path, contents);
    } catch (const StoreError &e) {
        throw StoreError(
            QStringLiteral("The new word database could not be written: %1.").arg(e.message()));
    }
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
