#include "WordRecords.h"

#include "StoreError.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>

namespace WordRecords {

namespace {

std::string collection(const QString &table)
{
    const QString t = WordDatabase::canonicalTable(table);
    if (t.isEmpty() || t == QLatin1String("Details"))
        throw StoreError(QStringLiteral("There is no collection called %1.").arg(table));
    return "\"" + t.toStdString() + "\"";
}

// The case-blind term lets the index on word serve the look-up whichever of its two forms
// the file carries; the plain term then keeps only the exact matches.
const std::string ExactWord = " WHERE word COLLATE NOCASE = ?1 AND word = ?1";

QVariant value(const SQLite::Column &c)
{
    if (c.isNull())
        return QVariant();
    return QString::fromUtf8(c.getText(), c.getBytes());
}

} // namespace

bool contains(WordDatabase &db, const QString &table, const QString &word)
{
    SQLite::Statement st(db.sql(),
                         "SELECT EXISTS (SELECT 1 FROM " + collection(table) + ExactWord + ")");
    st.bind(1, word.toStdString());
    st.executeStep();
    return st.getColumn(0).getInt() != 0;
}

std::vector<Record> recordsOf(WordDatabase &db, const QString &table, const QString &word)
{
    SQLite::Statement st(db.sql(), "SELECT rowid, word, meaning, pointer FROM " +
                                       collection(table) + ExactWord + " ORDER BY rowid");
    st.bind(1, word.toStdString());
    std::vector<Record> records;
    while (st.executeStep())
        records.push_back({st.getColumn(0).getInt64(), value(st.getColumn(1)),
                           value(st.getColumn(2)), value(st.getColumn(3))});
    return records;
}

QStringList allWords(WordDatabase &db, const QString &table)
{
    SQLite::Statement st(db.sql(), "SELECT word FROM " + collection(table) +
                                       " WHERE word IS NOT NULL ORDER BY rowid");
    QStringList words;
    while (st.executeStep()) {
        const SQLite::Column c = st.getColumn(0);
        words.append(QString::fromUtf8(c.getText(), c.getBytes()));
    }
    return words;
}

} // namespace WordRecords
