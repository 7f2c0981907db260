#include "Restore.h"

#include "FileChecks.h"
#include "OwnTables.h"
#include "SearchIndex.h"
#include "StoreConnection.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <sqlite3.h>

#include <algorithm>
#include <optional>

namespace Restore {

namespace {

Q_LOGGING_CATEGORY(lcRestore, "lexmora.store.restore")

constexpr int BusyRetries = 60;
constexpr int BusyWaitMs = 50;
constexpr int ProgressEvery = 1000; // engine steps between two ticks of the copy's check
// Checking the copy, copying the words as they are, writing the copy's pages.
constexpr qint64 Phases = 3;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

StoreError refused(const QString &why)
{
    return StoreError(why + QStringLiteral(" Nothing was restored; your words are as they were."));
}

bool sameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// A journal or -wal beside the copy: it was not closed properly, and its own pages may not
// hold all of its words.
void requireClosed(const QString &backup)
{
    for (const char *suffix : {"-journal", "-wal"}) {
        const QFileInfo beside(backup + QLatin1String(suffix));
        if (beside.exists() && beside.size() > 0)
            throw StoreError(
                QStringLiteral("The copy %1 was not closed properly (%2 lies beside it), "
                               "so it may not hold all of its words. Open it once with "
                               "the program that made it, or choose another copy.")
                    .arg(native(backup), beside.fileName()));
    }
}

QString pragma(SQLite::Database &db, const char *name)
{
    SQLite::Statement st(db, std::string("PRAGMA ") + name);
    return st.executeStep() ? QString::fromStdString(st.getColumn(0).getString()) : QString();
}

// Every page of the copy, checked; this can take a while, so the tick is asked meanwhile
// and may stop it. Returns false when stopped.
bool checkIntegrity(SQLite::Database &copy, const QString &backup, const Tick &tick)
{
    struct Ticking
    {
        sqlite3 *handle;
        ~Ticking() { sqlite3_progress_handler(handle, 0, nullptr, nullptr); }
    } ticking{copy.getHandle()};
    if (tick)
        sqlite3_progress_handler(
            copy.getHandle(), ProgressEvery,
            [](void *t) { return (*static_cast<const Tick *>(t))(0, Phases) ? 0 : 1; },
            const_cast<Tick *>(&tick));
    QStringList problems;
    try {
        SQLite::Statement check(copy, "PRAGMA integrity_check(10)");
        while (check.executeStep()) {
            const QString line = QString::fromStdString(check.getColumn(0).getString());
            if (line != QLatin1String("ok"))
                problems << line;
        }
    } catch (const SQLite::Exception &e) {
        if ((e.getErrorCode() & 0xff) == SQLITE_INTERRUPT)
            return false;
        problems << QString::fromUtf8(e.what());
    }
    if (!problems.isEmpty())
        throw StoreError(QStringLiteral("The copy %1 is damaged (%2).")
                             .arg(native(backup), problems.join(QStringLiteral("; "))));
    return true;
}

// The open database takes the copy's pages only as they are: in WAL mode the engine cannot
// change the page size, and text must stay in the encoding the database reads it in.
void requireSamePages(SQLite::Database &copy, SQLite::Database &db, const QString &backup)
{
    for (const char *setting : {"page_size", "encoding"}) {
        const QString theirs = pragma(copy, setting), ours = pragma(db, setting);
        if (theirs != ours)
            throw StoreError(QStringLiteral("The copy %1 is stored differently from the word "
                                            "database (its %2 is %3, the database's %4).")
                                 .arg(native(backup), QString::fromLatin1(setting), theirs, ours));
    }
}

// Everything refused about the copy is found here, before anything is written; each
// refusal is a StoreError saying why. Returns false when the tick asked to stop.
bool check(std::optional<SQLite::Database> &copy, WordDatabase &db, const QString &backup,
           const Tick &tick)
{
    if (sameFile(backup, db.path()))
        throw StoreError(QStringLiteral("%1 is the word database itself, not a copy of it.")
                             .arg(native(backup)));
    FileChecks::requireOrdinaryFile(backup);
    FileChecks::requireSignature(backup);
    requireClosed(backup);
    try {
        copy.emplace(WordContents::openCopy(backup));
        if (!checkIntegrity(*copy, backup, tick))
            return false;
        FileChecks::requireSchema(*copy, backup);
        OwnTables::check(*copy, backup);
        requireSamePages(*copy, StoreConnection::of(db), backup);
    } catch (const SQLite::Exception &e) {
        throw StoreError(QStringLiteral("The copy %1 could not be read: %2.")
                             .arg(native(backup), QString::fromUtf8(e.what())));
    }
    return true;
}

// Every page of the database replaced by the copy's, in one write transaction of the open
// connection: one commit in its -wal, or, when anything fails, none.
void replacePages(sqlite3 *source, WordDatabase &db)
{
    sqlite3 *dest = StoreConnection::of(db).getHandle();
    if (!sqlite3_get_autocommit(dest))
        throw refused(QStringLiteral("Another change to the word database is still under way."));
    sqlite3_backup *backup = sqlite3_backup_init(dest, "main", source, "main");
    if (!backup)
        throw refused(QStringLiteral("The word database could not take the copy's words: %1.")
                          .arg(QString::fromUtf8(sqlite3_errmsg(dest))));
    int rc = SQLITE_OK;
    // Another copy of the program can hold the file briefly; wait for it a little.
    for (int attempt = 0; attempt < BusyRetries; ++attempt) {
        rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
        sqlite3_sleep(BusyWaitMs);
    }
    // Before the end, this rolls the database back to its words as they were.
    sqlite3_backup_finish(backup);
    // The pages came in without the engine's row-by-row reports, so the kept counts and
    // rowid lists of this connection no longer say anything, whatever the outcome.
    StoreConnection::changesOf(db).forgetAll();
    if (rc != SQLITE_DONE)
        throw refused(QStringLiteral("The copy's words could not be written into the word "
                                     "database: %1.")
                          .arg(rc == SQLITE_BUSY || rc == SQLITE_LOCKED
                                   ? QStringLiteral("another program kept it locked")
                                   : QString::fromUtf8(sqlite3_errstr(rc))));
}

} // namespace

QList<Copy> copies(const QString &databasePath)
{
    QList<Copy> out;
    const QDir folder(Backups::folderFor(databasePath));
    QStringList names = Backups::list(databasePath);
    std::reverse(names.begin(), names.end());
    for (const QString &name : names) {
        Copy c{folder.filePath(name), Backups::takenAt(name), {}, {}};
        try {
            SQLite::Database copy = WordContents::openCopy(c.file);
            c.words = WordContents::counts(copy);
        } catch (const std::exception &e) {
            c.problem = QString::fromUtf8(e.what());
        }
        out << c;
    }
    return out;
}

Result fromBackup(WordDatabase &db, const QString &backup, const WithoutCopy &goOnWithoutCopy,
                  const Tick &tick)
{
    const auto goOn = [&](qint64 phase) { return !tick || tick(phase, Phases); };
    Result result;
    std::optional<SQLite::Database> copy;
    try {
        if (!goOn(0) || !check(copy, db, backup, tick) || !goOn(1))
            return result;
    } catch (const StoreError &e) {
        throw refused(e.message());
    }

    result.before = Backups::beforeRestore(db, backup);
    if (result.before.failed() && (!goOnWithoutCopy || !goOnWithoutCopy(result.before.error))) {
        result.kind = Result::Kind::NoCopyBefore;
        return result;
    }
    if (!goOn(2))
        return result;

    replacePages(copy->getHandle(), db);
    result.kind = Result::Kind::Restored;
    goOn(Phases);
    try {
        // A copy of a file from before some of our indexes existed gets them now; the words
        // are restored whatever becomes of this.
        db.ensureSideTables();
        SearchIndex::complete(db);
        result.words = WordContents::counts(StoreConnection::of(db));
    } catch (const std::exception &e) {
        qCWarning(lcRestore) << "restored" << backup
                             << "but could not add the indexes:" << e.what();
        throw StoreError(QStringLiteral("The copy %1 was restored, but Lexmora could not add its "
                                        "search indexes to it: %2. They are added the next time "
                                        "Lexmora starts.")
                             .arg(native(backup), QString::fromUtf8(e.what())));
    }
    return result;
}

} // namespace Restore
