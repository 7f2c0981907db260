#include "Backups.h"

#include "StoreConnection.h"
#include "WordContents.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace Backups {

namespace {

Q_LOGGING_CATEGORY(lcBackups, "lexmora.store.backups")

constexpr int BusyRetries = 60;
constexpr int BusyWaitMs = 50;
constexpr int SlicePages = 256; // a megabyte of 4 KB pages between ticks
const QString Stamp = QStringLiteral("yyyyMMdd-HHmmss-zzz");
const char *copyVfs = nullptr;

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

Outcome failure(const QString &why)
{
    return {Outcome::Kind::Failed, why, {}};
}

QString engineError(sqlite3 *handle, int rc)
{
    return QString::fromUtf8(handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc));
}

// Copies every page of the source's main database into a new file at `target`, a slice
// of pages at a time so that `tick` can keep the windows painting; returns why it could
// not, or the empty text.
QString copyInto(sqlite3 *source, const QString &target, const StoreProgress::Tick &tick)
{
    Connection dest;
    int rc = sqlite3_open_v2(QFile::encodeName(target).constData(), &dest.handle,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, copyVfs);
    if (rc != SQLITE_OK)
        return engineError(dest.handle, rc);
    sqlite3_backup *backup = sqlite3_backup_init(dest.handle, "main", source, "main");
    if (!backup)
        return engineError(dest.handle, SQLITE_ERROR);
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
    if (rc == SQLITE_DONE && finished != SQLITE_OK)
        rc = finished;
    if (rc != SQLITE_DONE)
        return rc == SQLITE_BUSY || rc == SQLITE_LOCKED
                   ? QStringLiteral("another program kept the word database locked")
                   : QString::fromUtf8(sqlite3_errstr(rc));
    // The pages say WAL like the original's; a copy in rollback mode is one self-contained
    // file, with no -wal beside it to lose.
    rc = sqlite3_exec(dest.handle, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return engineError(dest.handle, rc);
    // Closed here, so that a failure to write the last pages is not missed.
    rc = sqlite3_close(dest.handle);
    dest.handle = nullptr;
    return rc == SQLITE_OK ? QString() : QString::fromUtf8(sqlite3_errstr(rc));
}

// All but the newest `Kept` copies go, save `keep` (a copy about to be restored).
void removeAllButNewest(const QString &databasePath, const QString &keep)
{
    const QStringList copies = list(databasePath);
    const QDir folder(folderFor(databasePath));
    const QString kept = QFileInfo(keep).fileName();
    qsizetype left = copies.size();
    for (qsizetype i = 0; left > Kept && i < copies.size(); ++i)
        if (copies[i] != kept && QFile::remove(folder.filePath(copies[i])))
            --left;
}

// Whether another process holds a lock on the file: a copy it is still writing.
bool lockedByAnother(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock probe
    {
    };
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = 0;
    probe.l_len = 0; // the whole file, the engine's lock bytes past its end included
    const bool locked = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    ::close(fd);
    return locked;
}

// A copy cut short by a kill keeps its .partial name for ever; the next copy clears it.
void removeLeftOverPartials(const QString &databasePath)
{
    const QRegularExpression partial(QStringLiteral("^%1-\\d{8}-\\d{6}-\\d{3}\\.mdb\\.partial$")
                                         .arg(QRegularExpression::escape(baseName(databasePath))));
    const QDir folder(folderFor(databasePath));
    for (const QString &name : folder.entryList(QDir::Files)) {
        if (!partial.match(name).hasMatch())
            continue;
        const QString path = folder.filePath(name);
        if (lockedByAnother(path)) {
            qCInfo(lcBackups) << "left" << path << "alone: another program is writing it";
            continue;
        }
        for (const char *suffix : {"", "-journal", "-wal", "-shm"})
            QFile::remove(path + QLatin1String(suffix));
    }
}

// Whether the newest kept copy holds exactly the words the database holds now.
bool sameAsNewest(WordDatabase &db, const QString &databasePath, QString *newest)
{
    const QStringList copies = list(databasePath);
    if (copies.isEmpty())
        return false;
    *newest = QDir(folderFor(databasePath)).filePath(copies.last());
    try {
        return WordContents::fingerprint(StoreConnection::of(db)) ==
               WordContents::fingerprintOfFile(*newest);
    } catch (const std::exception &e) {
        // A copy that cannot be read is no reason to skip a new one.
        qCInfo(lcBackups) << "could not compare with" << *newest << ":" << e.what();
        return false;
    }
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

QDateTime takenAt(const QString &fileName)
{
    static const QRegularExpression stamp(QStringLiteral("-(\\d{8}-\\d{6}-\\d{3})\\.mdb$"));
    const QRegularExpressionMatch m = stamp.match(fileName);
    if (!m.hasMatch())
        return {};
    QDateTime when = QDateTime::fromString(m.captured(1), Stamp);
    when.setTimeSpec(Qt::UTC);
    return when;
}

namespace {

Outcome takeKeeping(WordDatabase &db, const QDateTime &when, const QString &keep,
                    const StoreProgress::Tick &tick)
{
    const QString databasePath = QDir::fromNativeSeparators(db.path());
    if (databasePath.isEmpty())
        return failure(QStringLiteral("the word database has no file to copy"));
    const QString folderPath = folderFor(databasePath);
    if (!QDir().mkpath(folderPath))
        return failure(QStringLiteral("the folder %1 could not be made")
                           .arg(QDir::toNativeSeparators(folderPath)));
    if (::access(QFile::encodeName(folderPath).constData(), W_OK | X_OK) != 0)
        return failure(QStringLiteral("the folder %1 cannot be written to (%2)")
                           .arg(QDir::toNativeSeparators(folderPath),
                                QString::fromLocal8Bit(std::strerror(errno))));
    removeLeftOverPartials(databasePath);
    QString newest;
    if (sameAsNewest(db, databasePath, &newest))
        return {Outcome::Kind::NotNeeded, {}, newest};

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
    if (const QString why = copyInto(StoreConnection::of(db).getHandle(), partial, tick);
        !why.isEmpty()) {
        discard();
        return failure(why);
    }
    QFile copy(partial);
    if (!copy.rename(target)) {
        const QString why = copy.errorString();
        discard();
        return failure(why);
    }
    removeAllButNewest(databasePath, keep);
    return {Outcome::Kind::Taken, {}, target};
}

} // namespace

Outcome take(WordDatabase &db, const QDateTime &when, const StoreProgress::Tick &tick)
{
    return takeKeeping(db, when, {}, tick);
}

Outcome beforeRestore(WordDatabase &db, const QString &restoring, const StoreProgress::Tick &tick)
{
    SQLite::Database &sql = StoreConnection::of(db);
    try {
        const WordContents::Counts now = WordContents::counts(sql);
        if (now.total() == 0 && !WordContents::hasDetails(sql))
            return {Outcome::Kind::NotNeeded, {}, {}};
    } catch (const std::exception &e) {
        qCInfo(lcBackups) << "could not count the words before the restore:" << e.what();
    }
    return takeKeeping(db, QDateTime::currentDateTimeUtc(), restoring, tick);
}

Outcome beforeBulkChange(WordDatabase &db, const QString &table, const StoreProgress::Tick &tick)
{
    try {
        if (db.hasTable(table) && WordContents::isEmpty(StoreConnection::of(db), table))
            return {Outcome::Kind::NotNeeded, {}, {}};
    } catch (const std::exception &e) {
        qCInfo(lcBackups) << "could not count the words of" << table << ":" << e.what();
    }
    return take(db, QDateTime::currentDateTimeUtc(), tick);
}

QString withoutCopyQuestion(const QString &why)
{
    return QStringLiteral("Lexmora could not make its backup copy of the word database first: "
                          "%1.\r\n\r\nIf you go on, there will be no copy to go back to. Go on "
                          "without a copy?")
        .arg(why);
}

void setCopyVfsForTests(const char *vfs)
{
    copyVfs = vfs;
}

} // namespace Backups
