#include "WordDatabase.h"

#include "JetDialect.h"
#include "JetLike.h"
#include "MarkBook.h"
#include "OwnTables.h"
#include "SearchIndex.h"
#include "StoreError.h"

#include <SQLiteCpp/Transaction.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

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

// Functions a reading query may call: SQLite's own text, number, date, JSON, aggregate and
// window functions, and the full-text search's match helpers. Anything else (fts3_tokenizer,
// which hands out and takes raw memory addresses, load_extension, ...) reaches outside the
// words and is refused.
bool isReadingFunction(const QByteArray &name)
{
    static const QSet<QByteArray> allowed{
        // core scalar functions
        "abs", "char", "coalesce", "concat", "concat_ws", "format", "glob", "hex", "ifnull",
        "iif", "instr", "last_insert_rowid", "length", "like", "likelihood", "likely", "lower",
        "ltrim", "max", "min", "nullif", "octet_length", "printf", "quote", "random", "replace",
        "round", "rtrim", "sign", "soundex", "sqlite_version", "substr", "substring", "trim",
        "typeof", "unhex", "unicode", "unlikely", "upper", "changes", "total_changes",
        // aggregates and window functions
        "avg", "count", "group_concat", "string_agg", "sum", "total", "row_number", "rank",
        "dense_rank", "percent_rank", "cume_dist", "ntile", "lag", "lead", "first_value",
        "last_value", "nth_value",
        // dates and times
        "date", "time", "datetime", "julianday", "strftime", "unixepoch", "timediff",
        // mathematics
        "acos", "acosh", "asin", "asinh", "atan", "atan2", "atanh", "ceil", "ceiling", "cos",
        "cosh", "degrees", "exp", "floor", "ln", "log", "log10", "log2", "mod", "pi", "pow",
        "power", "radians", "sin", "sinh", "sqrt", "tan", "tanh", "trunc",
        // JSON (every one returns a new value; none changes the file)
        "json", "json_array", "json_array_length", "json_extract", "json_insert", "json_object",
        "json_patch", "json_quote", "json_remove", "json_replace", "json_set", "json_type",
        "json_valid", "json_group_array", "json_group_object", "->", "->>",
        // full-text search
        "match", "bm25", "highlight", "snippet", "offsets", "matchinfo"};
    return allowed.contains(name.toLower());
}

// Pragmas that only report something. The ones in the second set read about a table or
// index named in their argument; any other pragma with an argument sets a value.
bool isReadingPragma(const QByteArray &name, bool withArgument)
{
    static const QSet<QByteArray> plain{
        "application_id", "auto_vacuum", "automatic_index", "busy_timeout", "cache_size",
        "cache_spill", "cell_size_check", "collation_list", "compile_options", "data_version",
        "database_list", "encoding", "foreign_key_check", "foreign_key_list", "foreign_keys",
        "freelist_count", "function_list", "index_info", "index_list", "index_xinfo",
        "integrity_check", "journal_mode", "journal_size_limit", "locking_mode", "max_page_count",
        "mmap_size", "module_list", "page_count", "page_size", "pragma_list", "query_only",
        "quick_check", "recursive_triggers", "schema_version", "secure_delete", "synchronous",
        "table_info", "table_list", "table_xinfo", "temp_store", "user_version",
        "wal_autocheckpoint"};
    static const QSet<QByteArray> aboutATable{
        "foreign_key_check", "foreign_key_list", "index_info", "index_list", "index_xinfo",
        "integrity_check", "quick_check", "table_info", "table_list", "table_xinfo"};
    const QByteArray lower = name.toLower();
    return withArgument ? aboutATable.contains(lower) : plain.contains(lower);
}

// The authorizer of the read-only path: reading is allowed, everything else is refused
// and the first refusal is remembered so the user learns what was refused.
struct ReadOnlyGuard
{
    QString refusal;

    static int authorize(void *self, int action, const char *arg1, const char *arg2,
                         const char *, const char *)
    {
        auto *guard = static_cast<ReadOnlyGuard *>(self);
        switch (action) {
        case SQLITE_SELECT:
        case SQLITE_READ:
        case SQLITE_RECURSIVE:
            return SQLITE_OK;
        case SQLITE_FUNCTION:
            if (isReadingFunction(arg2))
                return SQLITE_OK;
            return guard->refuse(describeFunction(QString::fromUtf8(arg2)));
        case SQLITE_PRAGMA:
            if (isReadingPragma(arg1, arg2 != nullptr))
                return SQLITE_OK;
            return guard->refuse(describePragma(QString::fromUtf8(arg1), arg2));
        case SQLITE_UPDATE:
            // A table-valued function (json_each, pragma_table_info) is set up by reading
            // the schema table, which SQLite asks about as an UPDATE of it; the statement
            // itself is still checked to be read-only once prepared.
            if (arg1 && isSchemaTable(arg1))
                return SQLITE_OK;
            break;
        default:
            break;
        }
        // CREATE and DROP first write the schema table; name the statement, not that write.
        const bool schemaWrite =
            (action == SQLITE_INSERT || action == SQLITE_DELETE) && arg1 && isSchemaTable(arg1);
        return guard->refuse(describe(schemaWrite ? schemaAction(action) : action));
    }

    int refuse(const QString &why)
    {
        if (refusal.isEmpty())
            refusal = why;
        return SQLITE_DENY;
    }

    static bool isSchemaTable(const char *table)
    {
        return QByteArray(table).startsWith("sqlite_");
    }

    // The statement behind a write to the schema table: CREATE inserts, DROP deletes.
    static int schemaAction(int action)
    {
        return action == SQLITE_INSERT ? SQLITE_CREATE_TABLE : SQLITE_DROP_TABLE;
    }

    static QString onlyReading()
    {
        return QStringLiteral("Only queries that read words (Select ...) can be run here.");
    }

    static QString describeFunction(const QString &name)
    {
        return QStringLiteral("Not allowed: the function %1 reaches outside the word database. %2")
            .arg(name, onlyReading());
    }

    static QString describePragma(const QString &name, const char *value)
    {
        if (value)
            return QStringLiteral("Not allowed: PRAGMA %1 with the value %2 would change the word "
                                  "database. %3")
                .arg(name, QString::fromUtf8(value), onlyReading());
        return QStringLiteral("Not allowed: PRAGMA %1 does more than read the word database. %2")
            .arg(name, onlyReading());
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
        return QStringLiteral("Not allowed: %1 would change the word database. %2")
            .arg(QString::fromLatin1(what), onlyReading());
    }
};

// SQLite's own words for a failure (sqlite3_errmsg), with a plainer one for a lock.
QString engineMessage(const SQLite::Exception &e)
{
    const int code = e.getErrorCode() & 0xff;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return QStringLiteral("another program is holding the file locked");
    return QString::fromUtf8(e.what());
}

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
    sqlite3 *handle = m_db.getHandle();
    // The two-argument fts3_tokenizer() takes a raw memory address from SQL text, and
    // defensive mode keeps SQL text from corrupting the file by writing its schema or pages.
    for (const auto &[option, value] : {std::pair{SQLITE_DBCONFIG_ENABLE_FTS3_TOKENIZER, 0},
                                        std::pair{SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0},
                                        std::pair{SQLITE_DBCONFIG_DEFENSIVE, 1}}) {
        const int rc = sqlite3_db_config(handle, option, value, nullptr);
        if (rc != SQLITE_OK)
            throw StoreError(QString::fromUtf8(sqlite3_errstr(rc)));
    }
    // Reads go through a memory map and a page cache large enough for 100,000 words, so
    // scans and searches do not pay a system call per page.
    m_db.exec("PRAGMA mmap_size=268435456");
    m_db.exec("PRAGMA cache_size=-65536");
    const int rc = sqlite3_create_function_v2(handle, "like", 2,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                              likeFunction, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw StoreError(QString::fromUtf8(sqlite3_errstr(rc)));
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
    // The rows are read as they are asked for; the snapshot owns the statement now.
    return Snapshot::fromStatement(std::exchange(st.stmt, nullptr));
}
