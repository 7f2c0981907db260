#include "NewDatabase.h"

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

namespace {

void fill(const QString &path, const std::vector<WordEntry> &starter)
{
    auto db = WordDatabase::create(path);
    SQLite::Transaction tx(db->sql());
    SQLite::Statement details(db->sql(), "INSERT INTO Details VALUES (?, ?)");
    for (qsizetype i = 0; i < defaultCollectionNames().size(); ++i) {
        details.bind(1, defaultCollectionNames()[i].toStdString());
        details.bind(2, i == 0 ? 1 : 0);
        details.exec();
        details.reset();
    }
    SQLite::Statement insert(db->sql(), "INSERT INTO Words VALUES (?, ?, ?)");
    for (const WordEntry &e : starter) {
        insert.bind(1, e.word.toStdString());
        insert.bind(2, e.meaning.toStdString());
        insert.bind(3, e.pointer.toStdString());
        insert.exec();
        insert.reset();
    }
    tx.commit();
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
