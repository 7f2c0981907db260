#include "BoundedPrintf.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>

namespace BoundedPrintf {

namespace {

// The engine's printf, on an in-memory connection of its own, one statement per count of
// arguments.
class EnginePrintf
{
public:
    explicit EnginePrintf(int maxBytes) : m_maxBytes(maxBytes) {}
    ~EnginePrintf()
    {
        for (auto &[count, stmt] : m_calls)
            sqlite3_finalize(stmt);
        sqlite3_close(m_db);
    }
    EnginePrintf(const EnginePrintf &) = delete;
    EnginePrintf &operator=(const EnginePrintf &) = delete;

    void call(sqlite3_context *ctx, int argc, sqlite3_value **argv)
    {
        sqlite3_stmt *stmt = statementFor(argc);
        if (!stmt) {
            sqlite3_result_error(ctx, m_db ? sqlite3_errmsg(m_db) : "out of memory", -1);
            return;
        }
        for (int i = 0; i < argc; ++i)
            sqlite3_bind_value(stmt, i + 1, argv[i]);
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW)
            sqlite3_result_value(ctx, sqlite3_column_value(stmt, 0));
        else if ((rc & 0xff) == SQLITE_TOOBIG)
            sqlite3_result_error_toobig(ctx);
        else
            sqlite3_result_error(ctx, sqlite3_errmsg(m_db), -1);
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    }

private:
    sqlite3_stmt *statementFor(int argc)
    {
        if (!m_db) {
            if (sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                nullptr) != SQLITE_OK)
                return nullptr;
            sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, m_maxBytes);
        }
        sqlite3_stmt *&stmt = m_calls[argc];
        if (!stmt) {
            std::string sql = "SELECT printf(";
            for (int i = 1; i <= argc; ++i)
                sql += (i > 1 ? ", ?" : "?") + std::to_string(i);
            sql += ")";
            sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr);
        }
        return stmt;
    }

    int m_maxBytes;
    sqlite3 *m_db = nullptr;
    std::map<int, sqlite3_stmt *> m_calls;
};

// A number written in the format, or one taken from the arguments by `*`; saturates far
// above any limit instead of overflowing.
long long readNumber(const char *&p)
{
    long long n = 0;
    while (*p >= '0' && *p <= '9') {
        n = n < (1LL << 40) ? n * 10 + (*p - '0') : n;
        ++p;
    }
    return n;
}

long long argumentNumber(int &next, int argc, sqlite3_value **argv)
{
    if (next >= argc)
        return 0;
    const sqlite3_int64 n = sqlite3_value_int64(argv[next++]);
    return n < 0 ? (n == INT64_MIN ? INT64_MAX : -n) : n;
}

// Whether any conversion of the format asks for a width or precision above `maxBytes`.
bool asksTooMuch(const char *format, int argc, sqlite3_value **argv, long long maxBytes)
{
    int next = 1; // the argument the next conversion takes
    for (const char *p = format; *p; ++p) {
        if (*p != '%')
            continue;
        ++p;
        while (*p && std::strchr("-+ #0!,", *p))
            ++p;
        long long width = 0, precision = 0;
        if (*p == '*') {
            width = argumentNumber(next, argc, argv);
            ++p;
        } else {
            width = readNumber(p);
        }
        if (*p == '.') {
            ++p;
            if (*p == '*') {
                precision = argumentNumber(next, argc, argv);
                ++p;
            } else {
                precision = readNumber(p);
            }
        }
        while (*p == 'l')
            ++p;
        if (width > maxBytes || precision > maxBytes)
            return true;
        if (!*p)
            break;
        if (*p != '%')
            ++next;
    }
    return false;
}

void boundedPrintf(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    auto *engine = static_cast<EnginePrintf *>(sqlite3_user_data(ctx));
    const auto *format =
        argc > 0 ? reinterpret_cast<const char *>(sqlite3_value_text(argv[0])) : nullptr;
    const int maxBytes = sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1);
    if (format && asksTooMuch(format, argc, argv, maxBytes)) {
        sqlite3_result_error_toobig(ctx);
        return;
    }
    engine->call(ctx, argc, argv);
}

} // namespace

int install(sqlite3 *handle, int maxBytes)
{
    auto *engine = new EnginePrintf(maxBytes);
    // printf owns the private connection; format shares it.
    int rc = sqlite3_create_function_v2(handle, "printf", -1, SQLITE_UTF8, engine, boundedPrintf,
                                        nullptr, nullptr,
                                        [](void *p) { delete static_cast<EnginePrintf *>(p); });
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(handle, "format", -1, SQLITE_UTF8, engine, boundedPrintf,
                                        nullptr, nullptr, nullptr);
    return rc;
}

} // namespace BoundedPrintf
