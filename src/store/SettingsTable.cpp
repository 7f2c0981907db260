#include "SettingsTable.h"

#include "EngineErrors.h"
#include "StoreConnection.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <QStringList>
#include <SQLiteCpp/Statement.h>

namespace SettingsTable {

namespace {

// Column names and primary-key positions, as PRAGMA table_info gives them.
QStringList shapeOf(SQLite::Database &sql)
{
    SQLite::Statement info(sql,
                           std::string("SELECT name, pk FROM pragma_table_info('") + Table + "')");
    QStringList shape;
    while (info.executeStep())
        shape << QString::fromStdString(info.getColumn(0).getString()).toLower() +
                     QLatin1Char(':') + QString::number(info.getColumn(1).getInt());
    return shape;
}

} // namespace

void prepare(WordDatabase &db)
{
    SQLite::Database &sql = StoreConnection::of(db);
    SQLite::Statement kind(sql, "SELECT type FROM sqlite_schema WHERE name = ? COLLATE NOCASE");
    kind.bind(1, Table);
    if (kind.executeStep()) {
        const QString type = QString::fromStdString(kind.getColumn(0).getString());
        const QStringList shape = shapeOf(sql);
        if (type == QLatin1String("table") && shape == QStringList{"key:1", "value:0"})
            return;
        throw StoreError(QStringLiteral("The word database %1 holds a %2 called %3 that Lexmora "
                                        "did not make, and Lexmora keeps its settings under that "
                                        "name. Please rename it. The file was left as it is.")
                             .arg(db.path(), type, QLatin1String(Table)));
    }
    sql.exec(std::string("CREATE TABLE ") + Table + " (key TEXT PRIMARY KEY, value TEXT)");
}

std::optional<QString> value(WordDatabase &db, const QString &key)
{
    return EngineErrors::translated([&]() -> std::optional<QString> {
        SQLite::Statement read(StoreConnection::of(db),
                               std::string("SELECT value FROM ") + Table + " WHERE key = ?");
        read.bind(1, key.toStdString());
        if (!read.executeStep() || read.getColumn(0).isNull())
            return std::nullopt;
        return QString::fromStdString(read.getColumn(0).getString());
    });
}

void setValue(WordDatabase &db, const QString &key, const QString &value)
{
    EngineErrors::translated([&] {
        SQLite::Statement write(StoreConnection::of(db),
                                std::string("INSERT INTO ") + Table +
                                    " (key, value) VALUES (?, ?) "
                                    "ON CONFLICT (key) DO UPDATE SET value = excluded.value");
        write.bind(1, key.toStdString());
        write.bind(2, value.toStdString());
        write.exec();
    });
}

bool flag(WordDatabase &db, const QString &key, bool fallback)
{
    const std::optional<QString> kept = value(db, key);
    if (kept == QLatin1String("1"))
        return true;
    if (kept == QLatin1String("0"))
        return false;
    return fallback;
}

void setFlag(WordDatabase &db, const QString &key, bool on)
{
    setValue(db, key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace SettingsTable
