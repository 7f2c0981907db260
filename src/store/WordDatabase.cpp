#include "WordDatabase.h"

#include "ConnectionSettings.h"
#include "EngineErrors.h"
#include "FileChecks.h"
#include "JetDialect.h"
#include "MarkBook.h"
#include "ReviewBook.h"
#include "RowChanges.h"
#include "OwnTables.h"
#include "QueryConnection.h"
#include "SearchIndex.h"
#include "SettingsTable.h"
#include "StoreError.h"
#include "StoreProgress.h"

#include <SQLiteCpp/Transaction.h>
#include <QDir>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QThread>
#include <QFile>
#include <QFileInfo>

#include <utility>

#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr int BusyTimeoutMs = 3000;
// Another copy of the program preparing the same file for the first time takes seconds at a
// million words, longer on a loaded machine.
constexpr int FirstOpenWaitMs = 120000;
const QString WaitingLabel =
    QStringLiteral("Waiting while another copy of the program prepares the word database...");

// The busy handler of the open's second attempt: the windows keep painting while it waits.
struct LockWaiting
{
    const StoreProgress::Tick &tick;
    QElapsedTimer waited = started();

    static QElapsedTimer started()
    {
        QElapsedTimer t;
        t.start();
        return t;
    }
    static int again(void *self, int)
    {
        auto *waiting = static_cast<LockWaiting *>(self);
        if (waiting->waited.elapsed() > FirstOpenWaitMs)
            return 0;
        waiting->tick(0, 0);
        QThread::msleep(10);
        return 1;
    }
};

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The permissions are checked here, before SQLite sees the file, because a read-only open
// of a WAL file leaves -wal and -shm files behind.
void checkPermissions(const QString &path)
{
    if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0)
        throw StoreError(QStringLiteral("The word database %1 cannot be written to, so Lexmora "
                                        "cannot keep your words in it. Please check the file's "
                                        "permissions. The file was left as it is.")
                             .arg(nativePath(path)));
    const QString folder = QFileInfo(path).absolutePath();
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        throw StoreError(QStringLiteral("The folder %1 cannot be written to. Lexmora keeps its "
                                        "working files beside the word database, so it needs to "
                                        "write there. Please check the folder's permissions. "
                                        "The word database was left as it is.")
                             .arg(nativePath(folder)));
}

// SQLite's own words for a failure (sqlite3_errmsg), with a plainer one for a lock.
QString engineMessage(const SQLite::Exception &e)
{
    const int code = e.getErrorCode() & 0xff;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return QStringLiteral("another program is holding the file locked");
    return QString::fromUtf8(e.what());
}

QString notOpened(const QString &path, const SQLite::Exception &e)
{
    return QStringLiteral("The word database %1 could not be opened: %2. The file was left as "
                          "it is.")
        .arg(nativePath(path), engineMessage(e));
}

} // namespace

WordDatabase::WordDatabase(const QString &path, int flags)
    : m_db(QFile::encodeName(path).toStdString(), flags, BusyTimeoutMs),
      m_changes(std::make_unique<RowChanges>(m_db.getHandle()))
{
}

WordDatabase::~WordDatabase() = default;

// Opening runs every check that can refuse the file before anything is written to it: the
// file itself, its header, its permissions, the connection, its tables. Only then do our
// indexes and side tables go in (in one transaction, so a failure there leaves the file as
// it was) and is the journal switched to WAL, the first write that stays.
std::unique_ptr<WordDatabase> WordDatabase::open(const QString &path)
{
    std::unique_ptr<WordDatabase> db = prepare(path, LockWait::WithBox);
    db->finishOpening();
    return db;
}

std::unique_ptr<WordDatabase> WordDatabase::openUnwatched(const QString &path)
{
    return prepare(path, LockWait::Refused);
}

std::unique_ptr<WordDatabase> WordDatabase::prepare(const QString &path, LockWait wait)
{
    FileChecks::requireOrdinaryFile(path);
    checkPermissions(path);
    FileChecks::requireSignature(path);
    std::unique_ptr<WordDatabase> db;
    try {
        db.reset(new WordDatabase(path, SQLite::OPEN_READWRITE | SQLite::OPEN_NOMUTEX));
        db->configureConnection();
        if (sqlite3_db_readonly(db->m_db.getHandle(), "main") == 1)
            throw StoreError(QStringLiteral("The word database %1 cannot be written to. Please "
                                            "check the file's permissions. The file was left as "
                                            "it is.")
                                 .arg(nativePath(path)));
        FileChecks::requireSchema(db->m_db, path);
        OwnTables::check(db->m_db, path);
        ReviewBook::checkShape(*db, path);
        db->ensureSideTables(wait);
        db->configureJournal();
    } catch (const SQLite::Exception &e) {
        throw StoreError(notOpened(path, e));
    }
    return db;
}

// A large collection's search index grows after the switch to WAL, so that the slices'
// many commits are cheap and other copies keep reading meanwhile. Broken off, it goes on
// at the next open; searches read the table until then.
void WordDatabase::finishOpening()
{
    try {
        SearchIndex::complete(*this);
    } catch (const SQLite::Exception &e) {
        throw StoreError(notOpened(path(), e));
    }
}

std::unique_ptr<WordDatabase> WordDatabase::create(const QString &path)
{
    if (QFileInfo::exists(path))
        throw StoreError(QStringLiteral("%1 already exists; it was left as it is.")
                             .arg(nativePath(path)));
    return EngineErrors::translated([&] {
        std::unique_ptr<WordDatabase> db(new WordDatabase(
            path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE | SQLite::OPEN_NOMUTEX));
        db->configureConnection();
        db->configureJournal();
        SQLite::Transaction tx(db->m_db);
        for (const QString &table : collectionTables()) {
            const std::string t = table.toStdString();
            db->m_db.exec("CREATE TABLE " + t + " (word TEXT, meaning TEXT, pointer TEXT)");
        }
        db->m_db.exec(
            "CREATE TABLE Details (CollectionName TEXT, IsDefault INTEGER NOT NULL DEFAULT 0)");
        tx.commit();
        db->ensureSideTables();
        return db;
    });
}

// Settings of this connection only; nothing here writes to the file.
void WordDatabase::configureConnection()
{
    ConnectionSettings::apply(m_db.getHandle());
}

// The first lasting write: WAL lets a reader and a writer work side by side, and FULL
// makes every commit survive a power cut.
void WordDatabase::configureJournal()
{
    SQLite::Statement mode(m_db, "PRAGMA journal_mode=WAL");
    if (!mode.executeStep() || mode.getColumn(0).getString() != "wal")
        throw StoreError(QStringLiteral("The word database %1 could not be switched to its "
                                        "journal mode (WAL).")
                             .arg(path()));
    mode.reset();
    m_db.exec("PRAGMA synchronous=FULL");
}

// Everything of our own the file carries besides the words: indexes and side tables. All
// of it is made in the one transaction opened here, so a failure part-way (a name taken by
// a user's table, a damaged page) is rolled back and the file stays as it was. A step
// added here must not open a transaction of its own, and must skip a word table the file
// lacks.
void WordDatabase::ensureSideTables()
{
    ensureSideTables(LockWait::WithBox);
}

void WordDatabase::ensureSideTables(LockWait wait)
{
    // Most opens find everything in place and write nothing: a deferred transaction then
    // never asks for the write lock, and another copy's long write does not hold this open
    // up. The first attempt does not wait for a lock: when something has to be made while
    // another copy of the program is making it, a deferred transaction holding its read
    // lock could only fail later ("locked"). The second attempt takes the write lock up
    // front, waits for the other copy with the windows painting, then finds everything made.
    sqlite3 *handle = m_db.getHandle();
    const auto restore = qScopeGuard([&] { sqlite3_busy_timeout(handle, BusyTimeoutMs); });
    sqlite3_busy_timeout(handle, 0);
    try {
        addSideTables(SQLite::TransactionBehavior::DEFERRED);
        return;
    } catch (const SQLite::Exception &e) {
        if ((e.getErrorCode() & 0xff) != SQLITE_BUSY || wait == LockWait::Refused)
            throw;
    }
    StoreProgress::run(WaitingLabel, false, [&](const StoreProgress::Tick &tick) {
        LockWaiting waiting{tick};
        sqlite3_busy_handler(handle, &LockWaiting::again, &waiting);
        addSideTables(SQLite::TransactionBehavior::IMMEDIATE);
    });
}

void WordDatabase::addSideTables(SQLite::TransactionBehavior behavior)
{
    SQLite::Transaction tx(m_db, behavior);
    ensureIndexes();
    MarkBook::prepare(*this);
    ReviewBook::prepare(*this);
    SearchIndex::ensure(*this);
    SettingsTable::prepare(*this);
    tx.commit();
}

bool WordDatabase::hasTable(const QString &table)
{
    return EngineErrors::translated([&] { return m_db.tableExists(table.toStdString()); });
}

void WordDatabase::ensureIndexes()
{
    // One index for exact look-ups of a word, one for prefix searches that ignore case.
    for (const QString &table : collectionTables()) {
        if (!hasTable(table))
            continue;
        const std::string t = table.toStdString();
        m_db.exec("CREATE INDEX IF NOT EXISTS " + t + "_word ON " + t + " (word)");
        m_db.exec("CREATE INDEX IF NOT EXISTS " + t + "_word_nocase ON " + t +
                  " (word COLLATE NOCASE)");
    }
}

const QStringList &WordDatabase::collectionTables()
{
    static const QStringList tables{"Words", "Words1", "Words2", "Words3", "Words4", "Words5"};
    return tables;
}

QString WordDatabase::canonicalTable(const QString &name)
{
    for (const QString &t : collectionTables() + QStringList{"Details"})
        if (t.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    return QString();
}

QString WordDatabase::path() const
{
    return nativePath(QFile::decodeName(sqlite3_db_filename(m_db.getHandle(), "main")));
}

Snapshot WordDatabase::query(const QString &jetSql)
{
    const QByteArray utf8 = jetSql.toUtf8();
    if (JetDialect::isBlank({utf8.constData(), size_t(utf8.size())}))
        throw StoreError(QStringLiteral("The query is empty. Type a statement such as "
                                        "Select * from Words."));
    SearchIndex::Probe index(*this);
    const std::string sql =
        JetDialect::translate({utf8.constData(), size_t(utf8.size())}, &index);
    // A connection still reading an earlier result stays in that result's moment; a new
    // query gets one of its own, so it sees every change committed since.
    if (!m_queries || m_queries->busy())
        m_queries = QueryConnection::open(path());
    // The rows are read as they are asked for; the snapshot keeps the connection open.
    return Snapshot::fromStatement(m_queries->prepare(sql), m_queries);
}
