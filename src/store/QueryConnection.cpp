#include "QueryConnection.h"

#include "BoundedPrintf.h"
#include "ConnectionSettings.h"
#include "JetDialect.h"
#include "StoreError.h"

#include <QFile>
#include <QLocale>
#include <SQLiteCpp/Exception.h>

#include <sqlite3.h>

#include <mutex>
#include <utility>

namespace {

constexpr int BusyTimeoutMs = 3000;
constexpr int ProgressEvery = 1000; // virtual machine steps between two questions to the watch

// What a query may make and hold besides its value length and text; each far above what a
// query typed by hand needs, each far below what could hurt.
constexpr std::pair<int, int> QueryLimits[] = {
    {SQLITE_LIMIT_LENGTH, QueryConnection::MaxValueBytes},
    {SQLITE_LIMIT_SQL_LENGTH, QueryConnection::MaxSqlBytes},
    {SQLITE_LIMIT_COLUMN, 1000},
    {SQLITE_LIMIT_EXPR_DEPTH, 200},
    {SQLITE_LIMIT_COMPOUND_SELECT, 100},
    {SQLITE_LIMIT_VDBE_OP, 250'000},
    {SQLITE_LIMIT_FUNCTION_ARG, 100},
    {SQLITE_LIMIT_ATTACHED, 0},
    {SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 1000},
    {SQLITE_LIMIT_VARIABLE_NUMBER, 100},
    {SQLITE_LIMIT_TRIGGER_DEPTH, 1},
    {SQLITE_LIMIT_WORKER_THREADS, 0},
};

void limitEngineMemory()
{
    static std::once_flag once;
    std::call_once(once, [] {
        sqlite3_soft_heap_limit64(QueryConnection::SoftHeapLimit);
        sqlite3_hard_heap_limit64(QueryConnection::HardHeapLimit);
    });
}

QString bytes(qint64 n)
{
    return QLocale(QLocale::English).toString(n);
}

struct StatementHandle
{
    sqlite3_stmt *stmt = nullptr;
    ~StatementHandle() { sqlite3_finalize(stmt); }
};

} // namespace

std::shared_ptr<QueryConnection> QueryConnection::open(const QString &path)
{
    limitEngineMemory();
    std::shared_ptr<QueryConnection> c(new QueryConnection);
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &c->m_handle,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK)
        throw StoreError(QStringLiteral("The word database could not be opened for the query: "
                                        "%1.")
                             .arg(QString::fromUtf8(c->m_handle ? sqlite3_errmsg(c->m_handle)
                                                                : sqlite3_errstr(rc))));
    try {
        c->configure();
    } catch (const SQLite::Exception &e) {
        throw StoreError(QStringLiteral("The word database could not be opened for the query: "
                                        "%1.")
                             .arg(QString::fromUtf8(e.what())));
    }
    return c;
}

QueryConnection::~QueryConnection()
{
    sqlite3_close_v2(m_handle);
}

// The order matters: the settings first, while nothing is refused yet; then query_only,
// the limits and a printf that keeps to them, and last the guard, which from then on sees
// every statement.
void QueryConnection::configure()
{
    sqlite3_busy_timeout(m_handle, BusyTimeoutMs);
    ConnectionSettings::apply(m_handle);
    if (const int rc = sqlite3_exec(m_handle, "PRAGMA query_only=1", nullptr, nullptr, nullptr);
        rc != SQLITE_OK)
        throw SQLite::Exception(m_handle, rc);
    for (const auto &[limit, value] : QueryLimits)
        sqlite3_limit(m_handle, limit, value);
    if (const int rc = BoundedPrintf::install(m_handle, MaxValueBytes); rc != SQLITE_OK)
        throw SQLite::Exception(m_handle, rc);
    sqlite3_set_authorizer(m_handle, &ReadingGuard::authorize, &m_guard);
    sqlite3_progress_handler(
        m_handle, ProgressEvery, [](void *) { return Snapshot::keepGoing() ? 0 : 1; }, nullptr);
}

sqlite3_stmt *QueryConnection::prepare(const std::string &sql)
{
    m_guard.clear();
    StatementHandle st;
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(m_handle, sql.c_str(), int(sql.size()), &st.stmt, &tail);
    if (rc != SQLITE_OK) {
        if ((rc & 0xff) == SQLITE_TOOBIG)
            throw StoreError(QStringLiteral("The query is longer than %1 bytes, the most a "
                                            "query may be.")
                                 .arg(bytes(MaxSqlBytes)));
        throw StoreError(failure(rc));
    }
    if (!st.stmt)
        throw StoreError(QStringLiteral("The query is empty."));
    if (!JetDialect::isBlank(tail))
        throw StoreError(QStringLiteral("Only one statement can be run at a time; remove "
                                        "everything after the first semicolon."));
    if (!sqlite3_stmt_readonly(st.stmt))
        throw StoreError(ReadingGuard::describe(-1));
    if (sqlite3_column_count(st.stmt) == 0)
        throw StoreError(QStringLiteral("The statement returns no rows. Only queries that "
                                        "read words (Select ...) can be run here."));
    return std::exchange(st.stmt, nullptr);
}

bool QueryConnection::busy() const
{
    return sqlite3_next_stmt(m_handle, nullptr) != nullptr;
}

QString QueryConnection::failure(int rc) const
{
    // A refusal of the guard, at the statement's preparation or later: a table-valued
    // function preparing a statement of its own once its rows are read.
    if (!m_guard.refusal().isEmpty())
        return m_guard.refusal();
    const QString engine = QString::fromUtf8(sqlite3_errmsg(m_handle));
    switch (rc & 0xff) {
    case SQLITE_TOOBIG:
        return QStringLiteral("The query was stopped: it made a text or value longer than %1 "
                              "bytes, the most a query may make (%2).")
            .arg(bytes(MaxValueBytes), engine);
    case SQLITE_NOMEM:
        return QStringLiteral("The query was stopped: it needed more memory than a query may "
                              "take (%1).")
            .arg(engine);
    default:
        return engine;
    }
}
