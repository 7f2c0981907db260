#include "WordDatabase.h"

#include "ConnectionSettings.h"
#include "JetDialect.h"
#include "MarkBook.h"
#include "OwnTables.h"
#include "QueryConnection.h"
#include "SearchIndex.h"
#include "StoreError.h"

#include <SQLiteCpp/Transaction.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr int BusyTimeoutMs = 3000;
constexpr char SqliteSignature[] = "SQLite format 3";

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Access (Jet and ACE) files carry their engine's name at offset 4.
bool looksLikeAccess(const QByteArray &head)
{
    const QByteArray tag = head.mid(4, 15);
    return tag == "Standard Jet DB" || tag == "Standard ACE DB";
}

// Only a plain file is opened: a folder cannot be, and reading a FIFO or a device would
// wait for ever. The permissions are checked here, before SQLite sees the file, because a
// read-only open of a WAL file leaves -wal and -shm files behind.
void checkFileKind(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        throw StoreError(QStringLiteral("The word database %1 could not be read: %2.")
                             .arg(nativePath(path), QString::fromLocal8Bit(std::strerror(errno))));
    if (S_ISDIR(st.st_mode))
        throw StoreError(QStringLiteral("%1 is a folder, not a word database file. The folder was "
                                        "left as it is.")
                             .arg(nativePath(path)));
    if (!S_ISREG(st.st_mode))
        throw StoreError(QStringLiteral("%1 is not an ordinary file (it is a pipe, a socket or a "
                                        "device), so it cannot be a word database. It was left "
                                        "as it is.")
                             .arg(nativePath(path)));
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

quint32 bigEndian32(const QByteArray &bytes, int at)
{
    return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16 |
           quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3]));
}

// A file cut short (a copy that stopped part-way) still has an intact header that names
// more pages than the file holds.
bool isCutShort(const QByteArray &head, qint64 fileSize)
{
    if (head.size() < 100)
        return true;
    const quint32 rawPageSize = quint32(quint8(head[16])) << 8 | quint8(head[17]);
    const qint64 pageSize = rawPageSize == 1 ? 65536 : rawPageSize;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return false; // not a size SQLite writes; SQLite itself will refuse the header
    if (fileSize < pageSize)
        return true;
    // The page count in the header is only valid when written by the same change.
    if (bigEndian32(head, 92) != bigEndian32(head, 24))
        return false;
    return fileSize < qint64(bigEndian32(head, 28)) * pageSize;
}

void checkSignature(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("The word database %1 could not be read: %2.")
                             .arg(nativePath(path), file.errorString()));
    if (file.size() == 0)
        throw StoreError(QStringLiteral("The file %1 is empty: it is not a Lexmora word database. "
                                        "It was left as it is.")
                             .arg(nativePath(path)));
    const QByteArray head = file.read(100);
    if (looksLikeAccess(head))
        throw StoreError(
            QStringLiteral("The file %1 is a Microsoft Access database. Lexmora keeps its words "
                           "in its own database format and cannot use this file as it is.")
                .arg(nativePath(path)));
    if (!head.startsWith(QByteArray(SqliteSignature, sizeof SqliteSignature)))
        throw StoreError(QStringLiteral("The file %1 is not a Lexmora word database. It was left "
                                        "as it is.")
                             .arg(nativePath(path)));
    if (isCutShort(head, file.size()))
        throw StoreError(QStringLiteral("The word database %1 is damaged: the file is shorter than "
                                        "the database it holds, as if a copy of it stopped "
                                        "part-way. The file was left as it is.")
                             .arg(nativePath(path)));
}

bool hasColumns(SQLite::Database &db, const QString &table)
{
    SQLite::Statement columns(db, "PRAGMA table_info(\"" + table.toStdString() + "\")");
    QStringList names;
    while (columns.executeStep())
        names << QString::fromStdString(columns.getColumn(1).getString()).toLower();
    return names.mid(0, 3) == QStringList{"word", "meaning", "pointer"};
}

// A word database has the Details table and at least one of the six word tables, each
// with its columns in their places. A missing word table is no reason to refuse the file:
// the collection is then simply unavailable.
void checkSchema(SQLite::Database &db, const QString &path)
{
    const auto missing = [&](const QString &what) {
        return StoreError(
            QStringLiteral("The word database %1 is incomplete: %2. The file was left as it is.")
                .arg(nativePath(path), what));
    };
    if (!db.tableExists("Details"))
        throw missing(QStringLiteral("it has no Details table"));
    int present = 0;
    for (const QString &table : WordDatabase::collectionTables()) {
        if (!db.tableExists(table.toStdString()))
            continue;
        ++present;
        if (!hasColumns(db, table))
            throw missing(QStringLiteral("the table %1 does not have the columns word, meaning "
                                         "and pointer")
                              .arg(table));
    }
    if (present == 0)
        throw missing(QStringLiteral("it has none of the word tables %1")
                          .arg(WordDatabase::collectionTables().join(QStringLiteral(", "))));
}


// SQLite's own words for a failure (sqlite3_errmsg), with a plainer one for a lock.
QString engineMessage(const SQLite::Exception &e)
{
    const int code = e.getErrorCode() & 0xff;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return QStringLiteral("another program is holding the file locked");
    return QString::fromUtf8(e.what());
}

} // namespace

WordDatabase::WordDatabase(const QString &path, int flags)
    : m_db(QFile::encodeName(path).toStdString(), flags, BusyTimeoutMs)
{
}

// Opening runs every check that can refuse the file before anything is written to it: the
// file itself, its header, its permissions, the connection, its tables. Only then do our
// indexes and side tables go in (in one transaction, so a failure there leaves the file as
// it was) and is the journal switched to WAL, the first write that stays.
std::unique_ptr<WordDatabase> WordDatabase::open(const QString &path)
{
    checkFileKind(path);
    checkSignature(path);
    std::unique_ptr<WordDatabase> db;
    try {
        db.reset(new WordDatabase(path, SQLite::OPEN_READWRITE | SQLite::OPEN_NOMUTEX));
        db->configureConnection();
        if (sqlite3_db_readonly(db->m_db.getHandle(), "main") == 1)
            throw StoreError(QStringLiteral("The word database %1 cannot be written to. Please "
                                            "check the file's permissions. The file was left as "
                                            "it is.")
                                 .arg(nativePath(path)));
        checkSchema(db->m_db, path);
        OwnTables::check(db->m_db, path);
        db->ensureSideTables();
        db->configureJournal();
    } catch (const SQLite::Exception &e) {
        throw StoreError(QStringLiteral("The word database %1 could not be opened: %2. The file "
                                        "was left as it is.")
                             .arg(nativePath(path), engineMessage(e)));
    }
    return db;
}

std::unique_ptr<WordDatabase> WordDatabase::create(const QString &path)
{
    if (QFileInfo::exists(path))
        throw StoreError(QStringLiteral("%1 already exists; it was left as it is.")
                             .arg(nativePath(path)));
    std::unique_ptr<WordDatabase> db(
        new WordDatabase(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE | SQLite::OPEN_NOMUTEX));
    db->configureConnection();
    db->configureJournal();
    SQLite::Transaction tx(db->m_db);
    for (const QString &table : collectionTables()) {
        const std::string t = table.toStdString();
        db->m_db.exec("CREATE TABLE " + t + " (word TEXT, meaning TEXT, pointer TEXT)");
    }
    db->m_db.exec("CREATE TABLE Details (CollectionName TEXT, IsDefault INTEGER NOT NULL DEFAULT 0)");
    tx.commit();
    db->ensureSideTables();
    return db;
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
    SQLite::Transaction tx(m_db);
    ensureIndexes();
    MarkBook::prepare(*this);
    SearchIndex::ensure(*this);
    tx.commit();
}

bool WordDatabase::hasTable(const QString &table)
{
    return m_db.tableExists(table.toStdString());
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
