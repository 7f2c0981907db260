#include "ReadingGuard.h"

#include <QByteArray>
#include <QSet>

#include <sqlite3.h>

namespace {

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

} // namespace

int ReadingGuard::authorize(void *self, int action, const char *arg1, const char *arg2,
                            const char *, const char *)
{
    auto *guard = static_cast<ReadingGuard *>(self);
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

int ReadingGuard::refuse(const QString &why)
{
    if (m_refusal.isEmpty())
        m_refusal = why;
    return SQLITE_DENY;
}

bool ReadingGuard::isSchemaTable(const char *table)
{
    return QByteArray(table).startsWith("sqlite_");
}

// The statement behind a write to the schema table: CREATE inserts, DROP deletes.
int ReadingGuard::schemaAction(int action)
{
    return action == SQLITE_INSERT ? SQLITE_CREATE_TABLE : SQLITE_DROP_TABLE;
}

QString ReadingGuard::onlyReading()
{
    return QStringLiteral("Only queries that read words (Select ...) can be run here.");
}

QString ReadingGuard::describeFunction(const QString &name)
{
    return QStringLiteral("Not allowed: the function %1 reaches outside the word database. %2")
        .arg(name, onlyReading());
}

QString ReadingGuard::describePragma(const QString &name, const char *value)
{
    if (value)
        return QStringLiteral("Not allowed: PRAGMA %1 with the value %2 would change the word "
                              "database. %3")
            .arg(name, QString::fromUtf8(value), onlyReading());
    return QStringLiteral("Not allowed: PRAGMA %1 does more than read the word database. %2")
        .arg(name, onlyReading());
}

QString ReadingGuard::describe(int action)
{
    const char *what = "this statement";
    switch (action) {
    case SQLITE_INSERT:
        what = "INSERT";
        break;
    case SQLITE_UPDATE:
        what = "UPDATE";
        break;
    case SQLITE_DELETE:
        what = "DELETE";
        break;
    case SQLITE_PRAGMA:
        what = "PRAGMA";
        break;
    case SQLITE_ATTACH:
        what = "ATTACH";
        break;
    case SQLITE_DETACH:
        what = "DETACH";
        break;
    case SQLITE_TRANSACTION:
    case SQLITE_SAVEPOINT:
        what = "a transaction";
        break;
    case SQLITE_ALTER_TABLE:
        what = "ALTER TABLE";
        break;
    case SQLITE_ANALYZE:
        what = "ANALYZE";
        break;
    case SQLITE_REINDEX:
        what = "REINDEX";
        break;
    case SQLITE_CREATE_INDEX:
    case SQLITE_CREATE_TABLE:
    case SQLITE_CREATE_TEMP_INDEX:
    case SQLITE_CREATE_TEMP_TABLE:
    case SQLITE_CREATE_TEMP_TRIGGER:
    case SQLITE_CREATE_TEMP_VIEW:
    case SQLITE_CREATE_TRIGGER:
    case SQLITE_CREATE_VIEW:
    case SQLITE_CREATE_VTABLE:
        what = "CREATE";
        break;
    case SQLITE_DROP_INDEX:
    case SQLITE_DROP_TABLE:
    case SQLITE_DROP_TEMP_INDEX:
    case SQLITE_DROP_TEMP_TABLE:
    case SQLITE_DROP_TEMP_TRIGGER:
    case SQLITE_DROP_TEMP_VIEW:
    case SQLITE_DROP_TRIGGER:
    case SQLITE_DROP_VIEW:
    case SQLITE_DROP_VTABLE:
        what = "DROP";
        break;
    default:
        break;
    }
    return QStringLiteral("Not allowed: %1 would change the word database. %2")
        .arg(QString::fromLatin1(what), onlyReading());
}
