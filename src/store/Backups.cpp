#include "Backups.h"

#include "StoreConnection.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

namespace Backups {

namespace {

constexpr int BusyRetries = 60;
constexpr int BusyWaitMs = 50;
constexpr int SlicePages = 256; // a megabyte of 4 KB pages between ticks
const QString Stamp = QStringLiteral("yyyyMMdd-HHmmss-zzz");

QString baseName(const QString &databasePath)
{
    return QFileInfo(databasePath).completeBaseName();
}

// The copy's name: database name, UTC stamp, .mdb. The stamps sort as the copies were taken.
QString nameFor(const QString &databasePath, const QDateTime &when)
{
    return baseName(databasePath) + QLatin1Char('-') + when.toUTC().toString(Stamp) +
           QStringLiteral(".mdb");
}

struct Connection
{
    sqlite3 *handle = nullptr;
    ~Connection() { sqlite3_close_v2(handle); }
};

// Copies every page of the source's main database into a new file at `target`, a slice
// of pages at a time so that `tick` can keep the windows painting.
bool copyInto(sqlite3 *source, const QString &target, const StoreProgress::Tick &tick)
{
    Connection dest;
    if (sqlite3_open_v2(QFile::encodeName(target).constData(), &dest.handle,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        return false;
    sqlite3_backup *backup = sqlite3_backup_init(dest.handle, "main", source, "main");
    if (!backup)
        return false;
    int rc = SQLITE_OK;
    // A writer in another program can hold the file briefly; wait for it a little.
    for (int busy = 0; busy < BusyRetries;) {
        rc = sqlite3_backup_step(backup, SlicePages);
        if (rc == SQLITE_OK) {
            const int total = sqlite3_backup_pagecount(backup);
            if (tick)
                tick(total - sqlite3_backup_remaining(backup), total);
            continue;
        }
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
        ++busy;
        sqlite3_sleep(BusyWaitMs);
    }
    if (rc == SQLITE_DONE && tick)
        tick(sqlite3_backup_pagecount(backup), sqlite3_backup_pagecount(backup));
    const int finished = sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE || finished != SQLITE_OK)
        return false;
    // The pages say WAL like the original's; a copy in rollback mode is one self-contained
    // file, with no -wal beside it to lose.
    return sqlite3_exec(dest.handle, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) ==
           SQLITE_OK;
}

void removeAllButNewest(const QString &databasePath)
{
    const QStringList copies = list(databasePath);
    const QDir folder(folderFor(databasePath));
    for (qsizetype i = 0; i + Kept < copies.size(); ++i)
        QFile::remove(folder.filePath(copies[i]));
}

} // namespace

QString folderFor(const QString &databasePath)
{
    return QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("backups"));
}

QStringList list(const QString &databasePath)
{
    const QRegularExpression ours(QStringLiteral("^%1-\\d{8}-\\d{6}-\\d{3}\\.mdb$")
                                      .arg(QRegularExpression::escape(baseName(databasePath))));
    QStringList copies;
    for (const QString &name : QDir(folderFor(databasePath)).entryList(QDir::Files, QDir::Name))
        if (ours.match(name).hasMatch())
            copies << name;
    return copies;
}

bool take(WordDatabase &db, const QDateTime &when, const StoreProgress::Tick &tick)
{
    const QString databasePath = QDir::fromNativeSeparators(db.path());
    if (databasePath.isEmpty())
        return false;
    const QString folderPath = folderFor(databasePath);
    if (!QDir().mkpath(folderPath))
        return false;
    const QDir folder(folderPath);
    // Two copies in the same millisecond: the later one takes the next free stamp.
    QDateTime stamp = when;
    const auto taken = [&](const QDateTime &at) {
        const QString name = folder.filePath(nameFor(databasePath, at));
        return QFileInfo::exists(name) || QFileInfo::exists(name + QStringLiteral(".partial"));
    };
    while (taken(stamp))
        stamp = stamp.addMSecs(1);
    const QString target = folder.filePath(nameFor(databasePath, stamp));
    // Written under a temporary name, so a copy cut short never passes for a whole one.
    const QString partial = target + QStringLiteral(".partial");
    const auto discard = [&] {
        for (const char *suffix : {"", "-journal", "-wal", "-shm"})
            QFile::remove(partial + QLatin1String(suffix));
    };
    if (!copyInto(StoreConnection::of(db).getHandle(), partial, tick) ||
        !QFile::rename(partial, target)) {
        discard();
        return false;
    }
    removeAllButNewest(databasePath);
    return true;
}

bool beforeBulkChange(WordDatabase &db, const StoreProgress::Tick &tick)
{
    return take(db, QDateTime::currentDateTimeUtc(), tick);
}

} // namespace Backups
