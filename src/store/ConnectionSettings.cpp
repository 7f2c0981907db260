#include "ConnectionSettings.h"

#include "JetLike.h"
#include <SQLiteCpp/Exception.h>
#include <sqlite3.h>

#include <utility>

namespace ConnectionSettings {

namespace {

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

void check(sqlite3 *handle, int rc)
{
    if (rc != SQLITE_OK)
        throw SQLite::Exception(handle, rc);
}

} // namespace

void apply(sqlite3 *handle)
{
    // The two-argument fts3_tokenizer() takes a raw memory address from SQL text, and
    // defensive mode keeps SQL text from corrupting the file by writing its schema or pages.
    for (const auto &[option, value] : {std::pair{SQLITE_DBCONFIG_ENABLE_FTS3_TOKENIZER, 0},
                                        std::pair{SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0},
                                        std::pair{SQLITE_DBCONFIG_DEFENSIVE, 1}})
        check(handle, sqlite3_db_config(handle, option, value, nullptr));
    // Reads go through a memory map and a page cache large enough for 100,000 words, so
    // scans and searches do not pay a system call per page.
    check(handle, sqlite3_exec(handle, "PRAGMA mmap_size=268435456", nullptr, nullptr, nullptr));
    check(handle, sqlite3_exec(handle, "PRAGMA cache_size=-65536", nullptr, nullptr, nullptr));
    check(handle, sqlite3_create_function_v2(handle, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                             nullptr, likeFunction, nullptr, nullptr, nullptr));
}

} // namespace ConnectionSettings
