#include "DetailsTable.h"

#include "StoreConnection.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

namespace DetailsTable {

namespace {

struct Columns
{
    std::string name; // the Collection name's column
    std::string flag; // the Default flag's column
};

std::string quoted(const std::string &identifier)
{
    std::string out = "\"";
    for (const char c : identifier)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

Columns columns(WordDatabase &db)
{
    SQLite::Statement st(StoreConnection::of(db), "SELECT * FROM Details LIMIT 0");
    if (st.getColumnCount() < 2)
        throw StoreError(QStringLiteral("The Details table of the word database has fewer than "
                                        "two columns."));
    return {st.getColumnName(0), st.getColumnName(1)};
}

// Runs `work` and turns the engine's failures into words the user can read.
template <class Work> auto guarded(const QString &what, Work work)
{
    try {
        return work();
    } catch (const SQLite::Exception &e) {
        throw StoreError(QStringLiteral("%1: %2.").arg(what, QString::fromUtf8(e.getErrorStr())));
    }
}

qint64 rowidOf(WordDatabase &db, int k)
{
    const QList<DetailsRow> rows = collectionRows(db);
    if (k < 1 || k > rows.size())
        throw StoreError(QStringLiteral("The Details table has no row %1.").arg(k));
    return rows[k - 1].rowid;
}

} // namespace

QList<DetailsRow> collectionRows(WordDatabase &db)
{
    return guarded(QStringLiteral("The collection names could not be read"), [&] {
        columns(db);
        SQLite::Statement st(StoreConnection::of(db),
                             "SELECT rowid, * FROM Details ORDER BY rowid LIMIT " +
                                 std::to_string(CollectionRows));
        QList<DetailsRow> rows;
        while (st.executeStep()) {
            const SQLite::Column name = st.getColumn(1);
            // The flag reads as the start-up reads it: any value other than 0 is true.
            rows.append({st.getColumn(0).getInt64(),
                         QString::fromUtf8(name.getText(), name.getBytes()),
                         st.getColumn(2).getInt64() != 0});
        }
        return rows;
    });
}

void makeDefault(WordDatabase &db, int k)
{
    guarded(QStringLiteral("The default collection could not be changed"), [&] {
        const qint64 chosen = rowidOf(db, k);
        const Columns c = columns(db);
        SQLite::Transaction tx(StoreConnection::of(db));
        SQLite::Statement set(StoreConnection::of(db),
                              "UPDATE Details SET " + quoted(c.flag) +
                                  " = (rowid = ?) WHERE rowid IN (SELECT rowid FROM "
                                  "Details ORDER BY rowid LIMIT " +
                                  std::to_string(CollectionRows) + ")");
        set.bind(1, int64_t(chosen));
        set.exec();
        tx.commit();
    });
}

void rename(WordDatabase &db, int k, const QString &name)
{
    guarded(QStringLiteral("The collection could not be renamed"), [&] {
        const qint64 chosen = rowidOf(db, k);
        const Columns c = columns(db);
        SQLite::Statement set(StoreConnection::of(db),
                              "UPDATE Details SET " + quoted(c.name) + " = ? WHERE rowid = ?");
        set.bind(1, name.toStdString());
        set.bind(2, int64_t(chosen));
        set.exec();
    });
}

} // namespace DetailsTable
