#include "NewDatabase.h"

#include "EngineErrors.h"
#include "StoreConnection.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace NewDatabase {

std::vector<WordEntry> parseWordList(const QByteArray &tsv)
{
    std::vector<WordEntry> entries;
    const QList<QByteArray> lines = tsv.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3)
            throw StoreError(QStringLiteral("Line %1 of the word list does not have three "
                                            "fields: %2")
                                 .arg(i + 1)
                                 .arg(QString::fromUtf8(line)));
        entries.push_back({QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1]),
                           QString::fromUtf8(fields[2])});
    }
    return entries;
}

const QStringList &defaultCollectionNames()
{
    static const QStringList names{"QVT Words",   "My Words 1", "My Words 2",
                                   "My Words 3",  "My Words 4", "My Words 5"};
    return names;
}

void write(const QString &path, const Contents &contents)
{
    EngineErrors::translated([&] {
        auto db = WordDatabase::create(path);
        SQLite::Database &sql = StoreConnection::of(*db);
        SQLite::Transaction tx(sql);
        SQLite::Statement details(sql, "INSERT INTO Details VALUES (?, ?)");
        for (const auto &[name, isDefault] : contents.details) {
            details.bind(1, name.toStdString());
            details.bind(2, isDefault ? 1 : 0);
            details.exec();
            details.reset();
        }
        for (auto it = contents.words.cbegin(); it != contents.words.cend(); ++it) {
            const QString table = WordDatabase::canonicalTable(it.key());
            if (!WordDatabase::collectionTables().contains(table))
                throw StoreError(QStringLiteral("There is no collection %1.").arg(it.key()));
            SQLite::Statement insert(sql, "INSERT INTO " + table.toStdString() +
                                              " (word, meaning, pointer) VALUES (?, ?, ?)");
            for (const WordEntry &e : it.value()) {
                insert.bind(1, e.word.toStdString());
                insert.bind(2, e.meaning.toStdString());
                insert.bind(3, e.pointer.toStdString());
                insert.exec();
                insert.reset();
            }
        }
        tx.commit();
    });
}

namespace {

void fill(const QString &path, const std::vector<WordEntry> &starter)
{
    Contents contents;
    for (qsizetype i = 0; i < defaultCollectionNames().size(); ++i)
        contents.details.append({defaultCollectionNames()[i], i == 0});
    contents.words[QStringLiteral("Words")] = starter;
    write(path, contents);
}

} // namespace

void create(const QString &path, const std::vector<WordEntry> &starter)
{
    if (QFileInfo::exists(path))
        throw StoreError(QStringLiteral("%1 already exists; it was left as it is.").arg(path));
    // Built under a temporary name and renamed when complete, so a failure part-way never
    // leaves a half-filled database where the program looks for one.
    const QString partial = path + QStringLiteral(".partial");
    static constexpr const char *Companions[] = {"", "-wal", "-shm", "-journal"};
    // A partial file may be another run's work in progress, or all that is left of a run
    // that was stopped: either way it is not ours to delete.
    for (const char *suffix : Companions)
        if (QFileInfo::exists(partial + QLatin1String(suffix)))
            throw StoreError(QStringLiteral("%1 already exists: another lexmora-newdb may be "
                                            "writing it, or an earlier one was stopped part-way. "
                                            "It was left as it is; remove it and try again.")
                                 .arg(partial + QLatin1String(suffix)));
    const auto discard = [&] {
        for (const char *suffix : Companions)
            QFile::remove(partial + QLatin1String(suffix));
    };
    try {
        fill(partial, starter);
    } catch (...) {
        discard();
        throw;
    }
    if (!QFile::rename(partial, path)) {
        discard();
        throw StoreError(QStringLiteral("Could not write %1.").arg(path));
    }
}

} // namespace NewDatabase
