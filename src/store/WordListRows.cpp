#include "WordListRows.h"

#include "EngineErrors.h"
#include "JetDialect.h"
#include "MarkBook.h"
#include "SearchIndex.h"
#include "StoreConnection.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Transaction.h>

#include <sqlite3.h>

using EngineErrors::translated;

namespace {

// More candidates than this and a scan in slices answers a keystroke sooner than checking
// every candidate in one go.
constexpr int MaxIndexedCandidates = 4000;

const char *const ColumnNames[WordListRows::Columns] = {"word", "meaning", "pointer"};
const std::string AnyColumnLike = "(word LIKE ?1 OR meaning LIKE ?1 OR pointer LIKE ?1)";

QString collection(const QString &table)
{
    const QString t = WordDatabase::canonicalTable(table);
    if (t.isEmpty() || t == QLatin1String("Details"))
        throw StoreError(QStringLiteral("There is no collection called %1.").arg(table));
    return t;
}

// The value as the file holds it: text, number or bytes, so that writing it back gives
// the same bytes.
QVariant value(const SQLite::Column &c)
{
    if (c.isNull())
        return QVariant();
    if (c.isInteger())
        return QVariant(qint64(c.getInt64()));
    if (c.isFloat())
        return QVariant(c.getDouble());
    if (c.isBlob())
        return QByteArray(static_cast<const char *>(c.getBlob()), c.getBytes());
    return QString::fromUtf8(c.getText(), c.getBytes());
}

void bind(SQLite::Statement &st, int index, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        st.bind(index);
    else if (v.typeId() == QMetaType::LongLong)
        st.bind(index, int64_t(v.toLongLong()));
    else if (v.typeId() == QMetaType::Double)
        st.bind(index, v.toDouble());
    else if (v.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = v.toByteArray();
        st.bind(index, bytes.constData(), int(bytes.size()));
    } else
        st.bind(index, v.toString().toStdString());
}

bool plainAscii(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F)
            return false;
    return true;
}

} // namespace

WordListRows::WordListRows(WordDatabase &db, const QString &table)
try : m_db(db), m_table(collection(table)), m_quoted("\"" + m_table.toStdString() + "\""),
    m_read(StoreConnection::of(db),
           "SELECT word, meaning, pointer FROM " + m_quoted + " WHERE rowid = ?"),
    m_version(StoreConnection::of(db), "PRAGMA data_version") {
} catch (const SQLite::Exception &e) {
    throw EngineErrors::toStoreError(e);
}

WordListRows::~WordListRows() = default;

WordListRows::Positions WordListRows::positions()
{
    return translated([&] {
        SQLite::Database &sql = StoreConnection::of(m_db);
        Positions p;
        // Apart, so that the count takes SQLite's quick way and the ends come from the b-tree.
        SQLite::Statement count(sql, "SELECT count(*) FROM " + m_quoted);
        count.executeStep();
        p.count = count.getColumn(0).getInt64();
        SQLite::Statement ends(sql, "SELECT (SELECT min(rowid) FROM " + m_quoted +
                                        "), (SELECT max(rowid) FROM " + m_quoted + ")");
        ends.executeStep();
        p.first = ends.getColumn(0).getInt64();
        p.dense = p.count == 0 || ends.getColumn(1).getInt64() - p.first + 1 == p.count;
        return p;
    });
}

std::vector<qint64> WordListRows::rowidsAfter(qint64 after, int limit)
{
    return translated([&] {
        SQLite::Statement st(StoreConnection::of(m_db), "SELECT rowid FROM " + m_quoted +
                                                            " WHERE rowid > ? ORDER BY rowid LIMIT ?");
        st.bind(1, int64_t(after));
        st.bind(2, limit);
        std::vector<qint64> rowids;
        rowids.reserve(size_t(limit));
        while (st.executeStep())
            rowids.push_back(st.getColumn(0).getInt64());
        return rowids;
    });
}

std::vector<WordListRows::Row> WordListRows::read(const std::vector<qint64> &rowids)
{
    return translated([&] {
        std::vector<Row> rows;
        rows.reserve(rowids.size());
        for (const qint64 rowid : rowids) {
            Row r;
            r.rowid = rowid;
            m_read.bind(1, int64_t(rowid));
            if (m_read.executeStep()) {
                r.found = true;
                for (int c = 0; c < Columns; ++c)
                    r.cells[c] = value(m_read.getColumn(c));
            }
            m_read.reset(); // a statement left open would hold its read transaction
            ++m_rowsRead;
            rows.push_back(std::move(r));
        }
        return rows;
    });
}

std::string WordListRows::containsPattern(const QString &text)
{
    std::string pattern = "*";
    for (const char c : text.toStdString()) {
        if (c == '*' || c == '?' || c == '#' || c == '[')
            pattern += std::string("[") + c + "]";
        else
            pattern += c;
    }
    return pattern + "*";
}

std::optional<std::vector<qint64>> WordListRows::indexedMatches(const QString &text)
{
    // The index folds letters as the matcher does for plain ASCII; other texts are scanned.
    if (!plainAscii(text))
        return std::nullopt;
    const std::string pattern = containsPattern(text);
    const std::string match = JetDialect::trigramQuery(pattern);
    if (match.empty())
        return std::nullopt;
    return translated([&]() -> std::optional<std::vector<qint64>> {
        SQLite::Database &sql = StoreConnection::of(m_db);
        const std::string index = SearchIndex::textIndexName(m_table);
        if (!sql.tableExists(index))
            return std::nullopt;
        const std::string i = "\"" + index + "\"";
        SQLite::Statement candidates(sql, "SELECT count(*) FROM (SELECT 1 FROM " + i + " WHERE " +
                                              i + " MATCH ? LIMIT " +
                                              std::to_string(MaxIndexedCandidates + 1) + ")");
        candidates.bind(1, match);
        candidates.executeStep();
        if (candidates.getColumn(0).getInt() > MaxIndexedCandidates)
            return std::nullopt;
        // Every candidate is checked by the real matcher.
        SQLite::Statement found(sql, "SELECT rowid FROM " + m_quoted + " WHERE rowid IN "
                                     "(SELECT rowid FROM " + i + " WHERE " + i +
                                     " MATCH ?2) AND " + AnyColumnLike + " ORDER BY rowid");
        found.bind(1, pattern);
        found.bind(2, match);
        std::vector<qint64> rowids;
        while (found.executeStep())
            rowids.push_back(found.getColumn(0).getInt64());
        return rowids;
    });
}

WordListRows::Slice WordListRows::scan(const QString &text, qint64 after, int limit)
{
    return translated([&] {
        SQLite::Statement st(StoreConnection::of(m_db),
                             "SELECT rowid, " + AnyColumnLike + " FROM " + m_quoted +
                                 " WHERE rowid > ?2 ORDER BY rowid LIMIT ?3");
        st.bind(1, containsPattern(text));
        st.bind(2, int64_t(after));
        st.bind(3, limit);
        Slice slice;
        slice.last = after;
        int seen = 0;
        while (st.executeStep()) {
            ++seen;
            slice.last = st.getColumn(0).getInt64();
            if (st.getColumn(1).getInt() != 0)
                slice.matches.push_back(slice.last);
        }
        slice.done = seen < limit;
        return slice;
    });
}

bool WordListRows::matches(qint64 rowid, const QString &text)
{
    return translated([&] {
        SQLite::Statement st(StoreConnection::of(m_db), "SELECT " + AnyColumnLike + " FROM " +
                                                            m_quoted + " WHERE rowid = ?2");
        st.bind(1, containsPattern(text));
        st.bind(2, int64_t(rowid));
        return st.executeStep() && st.getColumn(0).getInt() != 0;
    });
}

WordListRows::Stamp WordListRows::stamp()
{
    return translated([&] {
        Stamp s;
        m_version.executeStep();
        s.version = m_version.getColumn(0).getInt64();
        m_version.reset();
        s.changes = sqlite3_total_changes64(StoreConnection::of(m_db).getHandle());
        return s;
    });
}

WordListRows::Saved WordListRows::save(qint64 rowid)
{
    return translated([&] {
        Saved saved;
        saved.row = read({rowid}).front();
        SQLite::Statement kept(StoreConnection::of(m_db),
                               std::string("SELECT word, pointer FROM ") + MarkBook::Table +
                                   " WHERE tbl = ? AND rid = ?");
        kept.bind(1, m_table.toStdString());
        kept.bind(2, int64_t(rowid));
        if (kept.executeStep()) {
            saved.keptWord = value(kept.getColumn(0));
            saved.keptPointer = value(kept.getColumn(1));
        }
        return saved;
    });
}

void WordListRows::write(qint64 rowid, int column, const QString &text)
{
    if (column < 0 || column >= Columns)
        throw StoreError(QStringLiteral("Item not found in this collection."));
    translated([&] {
        SQLite::Statement st(StoreConnection::of(m_db), "UPDATE " + m_quoted + " SET " +
                                                            ColumnNames[column] +
                                                            " = ? WHERE rowid = ?");
        st.bind(1, text.toStdString());
        st.bind(2, int64_t(rowid));
        if (st.exec() == 0)
            throw StoreError(QStringLiteral("This word is no longer in the collection."));
    });
}

std::vector<WordListRows::Saved> WordListRows::remove(const std::vector<qint64> &rowids,
                                                      const std::function<bool()> &tick)
{
    return translated([&] {
        SQLite::Database &sql = StoreConnection::of(m_db);
        SQLite::Transaction tx(sql);
        SQLite::Statement erase(sql, "DELETE FROM " + m_quoted + " WHERE rowid = ?");
        std::vector<Saved> gone;
        gone.reserve(rowids.size());
        for (const qint64 rowid : rowids) {
            Saved saved = save(rowid);
            if (!saved.row.found)
                continue; // gone already
            erase.bind(1, int64_t(rowid));
            erase.exec();
            erase.reset();
            gone.push_back(std::move(saved));
            if (tick && !tick())
                return std::vector<Saved>(); // the transaction rolls back
        }
        tx.commit();
        return gone;
    });
}

void WordListRows::restore(const std::vector<Saved> &rows, const std::function<void()> &tick)
{
    translated([&] {
        SQLite::Database &sql = StoreConnection::of(m_db);
        SQLite::Transaction tx(sql);
        SQLite::Statement exists(sql, "SELECT 1 FROM " + m_quoted + " WHERE rowid = ?");
        SQLite::Statement insert(sql, "INSERT INTO " + m_quoted +
                                          " (rowid, word, meaning, pointer) VALUES (?, ?, ?, ?)");
        SQLite::Statement update(sql, "UPDATE " + m_quoted +
                                          " SET word = ?2, meaning = ?3, pointer = ?4 "
                                          "WHERE rowid = ?1");
        // After the row: the triggers forget a kept pointer when its row is written.
        SQLite::Statement forget(sql, std::string("DELETE FROM ") + MarkBook::Table +
                                          " WHERE tbl = ? AND rid = ?");
        SQLite::Statement keep(sql, std::string("INSERT INTO ") + MarkBook::Table +
                                        " (tbl, rid, word, pointer) VALUES (?, ?, ?, ?)");
        const std::string table = m_table.toStdString();
        for (const Saved &s : rows) {
            if (!s.row.found)
                continue;
            exists.bind(1, int64_t(s.row.rowid));
            const bool there = exists.executeStep();
            exists.reset();
            SQLite::Statement &write = there ? update : insert;
            write.bind(1, int64_t(s.row.rowid));
            for (int c = 0; c < Columns; ++c)
                bind(write, c + 2, s.row.cells[c]);
            write.exec();
            write.reset();
            forget.bind(1, table);
            forget.bind(2, int64_t(s.row.rowid));
            forget.exec();
            forget.reset();
            if (s.keptPointer) {
                keep.bind(1, table);
                keep.bind(2, int64_t(s.row.rowid));
                bind(keep, 3, s.keptWord.value_or(QVariant()));
                bind(keep, 4, *s.keptPointer);
                keep.exec();
                keep.reset();
            }
            if (tick)
                tick();
        }
        tx.commit();
    });
}
