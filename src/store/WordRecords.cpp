#include "WordRecords.h"

#include "EngineErrors.h"
#include "StoreConnection.h"
#include "StoreError.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <sqlite3.h>

namespace WordRecords {

namespace {

using EngineErrors::translated;

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

bool exists(WordDatabase &db, const std::string &sql, const QStringList &values)
{
    SQLite::Statement st(StoreConnection::of(db), "SELECT EXISTS (" + sql + ")");
    for (int i = 0; i < values.size(); ++i)
        st.bind(i + 1, values[i].toStdString());
    st.executeStep();
    return st.getColumn(0).getInt() != 0;
}

} // namespace

bool contains(WordDatabase &db, const QString &table, const QString &word)
{
    return translated(
        [&] { return exists(db, "SELECT 1 FROM " + collection(table) + ExactWord, {word}); });
}

bool holdsMeaning(WordDatabase &db, const QString &table, const QString &word,
                  const QString &meaning)
{
    // The word index finds the word's rows; of those, one with the meaning is enough.
    return translated([&] {
        return exists(db, "SELECT 1 FROM " + collection(table) + " WHERE word = ? AND meaning = ?",
                      {word, meaning});
    });
}

std::vector<Record> recordsOf(WordDatabase &db, const QString &table, const QString &word)
{
    return translated([&] {
        SQLite::Statement st(StoreConnection::of(db), "SELECT rowid, word, meaning, pointer FROM " +
                                                          collection(table) + ExactWord +
                                                          " ORDER BY rowid");
        st.bind(1, word.toStdString());
        std::vector<Record> records;
        while (st.executeStep())
            records.push_back({st.getColumn(0).getInt64(), value(st.getColumn(1)),
                               value(st.getColumn(2)), value(st.getColumn(3))});
        return records;
    });
}

QStringList allWords(WordDatabase &db, const QString &table)
{
    return translated([&] {
        SQLite::Statement st(StoreConnection::of(db), "SELECT word FROM " + collection(table) +
                                                          " WHERE word IS NOT NULL ORDER BY rowid");
        QStringList words;
        while (st.executeStep()) {
            const SQLite::Column c = st.getColumn(0);
            words.append(QString::fromUtf8(c.getText(), c.getBytes()));
        }
        return words;
    });
}

qint64 count(WordDatabase &db, const QString &table)
{
    return translated([&] {
        SQLite::Statement st(StoreConnection::of(db), "SELECT count(*) FROM " + collection(table));
        st.executeStep();
        return qint64(st.getColumn(0).getInt64());
    });
}

Deletion deleteEvery(WordDatabase &db, const QString &table, const QString &word)
{
    Deletion result;
    try {
        SQLite::Database &sql = StoreConnection::of(db);
        const std::vector<Record> records = recordsOf(db, table, word);
        SQLite::Transaction tx(sql);
        SQLite::Statement erase(sql, "DELETE FROM " + collection(table) + " WHERE rowid = ?");
        for (const Record &r : records) {
            try {
                erase.bind(1, int64_t(r.rowid));
                erase.exec();
                erase.reset();
            } catch (const SQLite::Exception &e) {
                erase.tryReset();
                result.failure = QString::fromUtf8(e.what());
                // A failure that took the transaction with it (a full disk) undid them all.
                if (sqlite3_get_autocommit(sql.getHandle()))
                    result.gone.clear();
                break;
            }
            result.gone.push_back(r);
        }
        if (!sqlite3_get_autocommit(sql.getHandle()))
            tx.commit();
    } catch (const StoreError &e) {
        result.failure = e.message();
        result.gone.clear();
    } catch (const SQLite::Exception &e) {
        // Not committed: every record is still there.
        result.failure = QString::fromUtf8(e.what());
        result.gone.clear();
    }
    return result;
}

} // namespace WordRecords
