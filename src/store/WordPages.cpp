#include "WordPages.h"

#include "EngineErrors.h"
#include "StoreConnection.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>

namespace WordPages {

namespace {

using EngineErrors::translated;

std::string collection(const QString &table)
{
    const QString t = WordDatabase::canonicalTable(table);
    if (t.isEmpty() || t == QLatin1String("Details"))
        throw StoreError(QStringLiteral("There is no collection called %1.").arg(table));
    return "\"" + t.toStdString() + "\"";
}

QString text(const SQLite::Column &c)
{
    return QString::fromUtf8(c.getText(), c.getBytes());
}

// The part of the prefix the engine's case-blind order knows: it folds ASCII letters only.
QString asciiHead(const QString &prefix)
{
    qsizetype n = 0;
    while (n < prefix.size() && prefix[n].unicode() < 0x80)
        ++n;
    return prefix.left(n);
}

} // namespace

std::vector<Word> after(WordDatabase &db, const QString &table, qint64 afterRowid, int limit)
{
    return translated([&] {
        SQLite::Statement st(StoreConnection::of(db),
                             "SELECT rowid, word FROM " + collection(table) +
                                 " WHERE rowid > ? AND word IS NOT NULL ORDER BY rowid LIMIT ?");
        st.bind(1, int64_t(afterRowid));
        st.bind(2, limit);
        std::vector<Word> words;
        while (st.executeStep())
            words.push_back({st.getColumn(0).getInt64(), text(st.getColumn(1))});
        return words;
    });
}

QStringList startingWith(WordDatabase &db, const QString &table, const QString &prefix,
                         int limit)
{
    return translated([&] {
        const QString head = asciiHead(prefix);
        // Every word starting with `head` sorts between it and it followed by the largest
        // character there is.
        std::string sql = "SELECT word FROM " + collection(table);
        sql += head.isEmpty() ? std::string(" WHERE word IS NOT NULL ORDER BY rowid")
                              : std::string(" WHERE word COLLATE NOCASE >= ?1 AND word COLLATE "
                                            "NOCASE < ?2 ORDER BY word COLLATE NOCASE");
        SQLite::Statement st(StoreConnection::of(db), sql);
        if (!head.isEmpty()) {
            st.bind(1, head.toStdString());
            const char32_t largest = 0x10FFFF;
            st.bind(2, (head + QString::fromUcs4(&largest, 1)).toStdString());
        }
        QStringList words;
        while (words.size() < limit && st.executeStep()) {
            const QString word = text(st.getColumn(0));
            if (word.startsWith(prefix, Qt::CaseInsensitive))
                words.append(word);
        }
        return words;
    });
}

} // namespace WordPages
