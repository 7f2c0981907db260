#include "WordDatabase.h"

#include "JetDialect.h"
#include "JetLike.h"
#include "MarkBook.h"
#include "StoreError.h"

#include <SQLiteCpp/Transaction.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

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

void checkSignature(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("The word database %1 could not be read: %2.")
                             .arg(nativePath(path), file.errorString()));
    const QByteArray head = file.read(100);
    if (looksLikeAccess(head))
        throw StoreError(
            QStringLiteral("The file %1 is a Microsoft Access database. Lexmora keeps its words "
                           "in its own database format and cannot use this file as it is.")
                .arg(nativePath(path)));
    if (!head.startsWith(QByteArray(SqliteSignature, sizeof SqliteSignature)))
        throw StoreError(QStringLiteral("The file %1 is not a Lexmora word database.")
                             .arg(nativePath(path)));
}

// Every table the program relies on must be there with its columns in their places.
void checkSchema(SQLite::Database &db, const QString &path)
{
    const auto missing = [&](const QString &what) {
        return StoreError(
            QStringLiteral("The word database %1 is incomplete: %2. The file was left as it is.")
                .arg(nativePath(path), what));
    };
    if (!db.tableExists("Details"))
        throw missing(QStringLiteral("it has no Details table"));
    for (const QString &table : WordDatabase::collectionTables()) {
        if (!db.tableExists(table.toStdString()))
            throw missing(QStringLiteral("it has no %1 table").arg(table));
        SQLite::Statement columns(db, "PRAGMA table_info(\"" + table.toStdString() + "\")");
        QStringList names;
        while (columns.executeStep())
            names << QString::fromStdString(columns.getColumn(1).getString()).toLower();
        if (names.mid(0, 3) != QStringList{"word", "meaning", "pointer"})
            throw missing(QStringLiteral("the table %1 does not have the columns word, meaning "
                                         "and pointer")
                              .arg(table));
    }
}

void likeFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return; // NULL, as for any comparison with a missing value
    auto *pattern = static_cast<JetLikePattern *>(sqlite3_get_auxdata(ctx, 0));
    if (!pattern) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
        pattern = new JetLikePattern({text, size_t(sqlite3_value_bytes(argv[0]))});
        sqlite3_set_auxdata(ctx, 0, pattern,
                            [](void *p) { delete static_cast<JetLikePattern *>(p); });
        // SQLite may drop the cache at once when the pattern is not a constant.
        pattern = static_cast<JetLikePattern *>(sqlite3_get_auxdata(ctx, 0));
        if (!pattern) {
            const JetLikePattern once({text, size_t(sqlite3_value_bytes(argv[0]))});
            const auto *subject = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
            sqlite3_result_int(ctx, once.matches({subject, size_t(sqlite3_value_bytes(argv[1]))}));
            return;
        }
    }
    const auto *subject = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    sqlite3_result_int(ctx, pattern->matches({subject, size_t(sqlite3_value_bytes(argv[1]))}));
}

// The authorizer of the read-only path: reading is allowed, everything else is refused
// and the first refusal is remembered so the user learns what was refused.
struct ReadOnlyGuard
{
    QString refusal;

    static int authorize(void *self, int action, const char *arg1, const char *, const char *,
                         const char *)
    {
        switch (action) {
        case SQLITE_SELECT:
        case SQLITE_READ:
        case SQLITE_FUNCTION:
        case SQLITE_RECURSIVE:
            return SQLITE_OK;
        default:
            break;
        }
        auto *guard = static_cast<ReadOnlyGuard *>(self);
        // CREATE and DROP first write the schema table; name the statement, not that write.
        const bool schemaWrite = (action == SQLITE_INSERT || action == SQLITE_UPDATE ||
                                  action == SQLITE_DELETE) &&
                                 arg1 && QByteArray(arg1).startsWith("sqlite_");
        if (guard->refusal.isEmpty())
            guard->refusal = describe(schemaWrite ? schemaAction(action) : action);
        return SQLITE_DENY;
    }

    // The statement behind a write to the schema table: CREATE inserts, DROP deletes.
    static int schemaAction(int action)
    {
        return action == SQLITE_INSERT   ? SQLITE_CREATE_TABLE
               : action == SQLITE_DELETE ? SQLITE_DROP_TABLE
                                         : SQLITE_ALTER_TABLE;
    }

    static QString describe(int action)
    {
        const char *what = "this statement";
        switch (action) {
        case SQLITE_INSERT: what = "INSERT"; break;
        case SQLITE_UPDATE: what = "UPDATE"; break;
        case SQLITE_DELETE: what = "DELETE"; break;
        case SQLITE_PRAGMA: what = "PRAGMA"; break;
        case SQLITE_ATTACH: what = "ATTACH"; break;
        case SQLITE_DETACH: what = "DETACH"; break;
        case SQLITE_TRANSACTION:
        case SQLITE_SAVEPOINT: what = "a transaction"; break;
        case SQLITE_ALTER_TABLE: what = "ALTER TABLE"; break;
        case SQLITE_ANALYZE: what = "ANALYZE"; break;
        case SQLITE_REINDEX: what = "REINDEX"; break;
        case SQLITE_CREATE_INDEX:
        case SQLITE_CREATE_TABLE:
        case SQLITE_CREATE_TEMP_INDEX:
        case SQLITE_CREATE_TEMP_TABLE:
        case SQLITE_CREATE_TEMP_TRIGGER:
        case SQLITE_CREATE_TEMP_VIEW:
        case SQLITE_CREATE_TRIGGER:
        case SQLITE_CREATE_VIEW:
        case SQLITE_CREATE_VTABLE: what = "CREATE"; break;
        case SQLITE_DROP_INDEX:
        case SQLITE_DROP_TABLE:
        case SQLITE_DROP_TEMP_INDEX:
        case SQLITE_DROP_TEMP_TABLE:
        case SQLITE_DROP_TEMP_TRIGGER:
        case SQLITE_DROP_TEMP_VIEW:
        case SQLITE_DROP_TRIGGER:
        case SQLITE_DROP_VIEW:
        case SQLITE_DROP_VTABLE: what = "DROP"; break;
        default: break;
        }
        return QStringLiteral("Not allowed: %1 would change the word database. Only queries "
                              "that read words (Select ...) can be run here.")
            .arg(QString::fromLatin1(what));
    }
};

struct StatementHandle
{
    sqlite3_stmt *stmt = nullptr;
    ~StatementHandle() { sqlite3_finalize(stmt); }
};

} // namespace

WordDatabase::WordDatabase(const QString &path, int flags)
    : m_db(QFile::encodeName(path).toStdString(), flags, BusyTimeoutMs)
{
}

std::unique_ptr<WordDatabase> WordDatabase::open(const QString &path)
{
    checkSignature(path);
    std::unique_ptr<WordDatabase> db;
    try {
        db.reset(new WordDatabase(path, SQLite::OPEN_READWRITE | SQLite::OPEN_NOMUTEX));
        checkSchema(db->m_db, path);
        if (sqlite3_db_readonly(db->m_db.getHandle(), "main") == 1)
            throw StoreError(QStringLiteral("The word database %1 cannot be written to. Please "
                                            "check the file's permissions.")
                                 .arg(nativePath(path)));
        db->configure();
        db->ensureIndexes();
        MarkBook::prepare(*db);
    } catch (const SQLite::Exception &e) {
        const int code = e.getErrorCode() & 0xff;
        QString why = QString::fromUtf8(e.getErrorStr());
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            why = QStringLiteral("another program is holding the file locked");
        throw StoreError(QStringLiteral("The word database %1 could not be opened: %2. The file "
                                        "was left as it is.")
                             .arg(nativePath(path), why));
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
    db->configure();
    SQLite::Transaction tx(db->m_db);
    for (const QString &table : collectionTables()) {
        const std::string t = table.toStdString();
        db->m_db.exec("CREATE TABLE " + t + " (word TEXT, meaning TEXT, pointer TEXT)");
    }
    db->m_db.exec("CREATE TABLE Details (CollectionName TEXT, IsDefault INTEGER NOT NULL DEFAULT 0)");
    tx.commit();
    db->ensureIndexes();
    MarkBook::prepare(*db);
    return db;
}

void WordDatabase::configure()
{
    m_db.exec("PRAGMA journal_mode=WAL");
    m_db.exec("PRAGMA synchronous=FULL");
    // Reads go through a memory map and a page cache large enough for 100,000 words, so
    // scans and searches do not pay a system call per page.
    m_db.exec("PRAGMA mmap_size=268435456");
    m_db.exec("PRAGMA cache_size=-65536");
    const int rc = sqlite3_create_function_v2(m_db.getHandle(), "like", 2,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                              likeFunction, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw StoreError(QString::fromUtf8(sqlite3_errstr(rc)));
}

void WordDatabase::ensureIndexes()
{
    // One index for exact look-ups of a word, one for prefix searches that ignore case.
    SQLite::Transaction tx(m_db);
    for (const QString &table : collectionTables()) {
        const std::string t = table.toStdString();
        m_db.exec("CREATE INDEX IF NOT EXISTS " + t + "_word ON " + t + " (word)");
        m_db.exec("CREATE INDEX IF NOT EXISTS " + t + "_word_nocase ON " + t +
                  " (word COLLATE NOCASE)");
    }
    tx.commit();
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
    const std::string sql = JetDialect::translate({utf8.constData(), size_t(utf8.size())});
    sqlite3 *handle = m_db.getHandle();

    ReadOnlyGuard guard;
    sqlite3_set_authorizer(handle, &ReadOnlyGuard::authorize, &guard);
    struct Restore
    {
        sqlite3 *h;
        ~Restore() { sqlite3_set_authorizer(h, nullptr, nullptr); }
    } restore{handle};

    StatementHandle st;
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(handle, sql.c_str(), int(sql.size()), &st.stmt, &tail);
    if (rc != SQLITE_OK)
        throw StoreError(guard.refusal.isEmpty() ? QString::fromUtf8(sqlite3_errmsg(handle))
                                                 : guard.refusal);
    if (!st.stmt)
        throw StoreError(QStringLiteral("The query is empty."));
    if (!JetDialect::isBlank(tail))
        throw StoreError(QStringLiteral("Only one statement can be run at a time; remove "
                                        "everything after the first semicolon."));
    if (!sqlite3_stmt_readonly(st.stmt))
        throw StoreError(ReadOnlyGuard::describe(-1));
    if (sqlite3_column_count(st.stmt) == 0)
        throw StoreError(QStringLiteral("The statement returns no rows. Only queries that "
                                        "read words (Select ...) can be run here."));
    return Snapshot::fromStatement(st.stmt);
}
