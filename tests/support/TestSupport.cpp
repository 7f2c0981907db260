#include "TestSupport.h"

#include "StoreTestAccess.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <QDir>
#include <QFile>
#include <QTest>

namespace TestSupport {

WorkFolder::WorkFolder() : m_previous(QDir::currentPath())
{
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
}

WorkFolder::~WorkFolder()
{
    QDir::setCurrent(m_previous);
}

QString WorkFolder::path(const QString &file) const
{
    return file.isEmpty() ? m_dir.path() : m_dir.filePath(file);
}

DetailsRows standardDetails()
{
    DetailsRows rows;
    for (const QString &t : WordDatabase::collectionTables())
        rows.append({t + QStringLiteral(" collection"), t == QLatin1String("Words") ? 1 : 0});
    return rows;
}

void writeDatabase(const QString &path, const DetailsRows &details, const Tables &tables)
{
    auto db = WordDatabase::create(path);
    SQLite::Transaction tx(StoreTestAccess::sql(*db));
    SQLite::Statement row(StoreTestAccess::sql(*db), "INSERT INTO Details VALUES (?, ?)");
    for (const auto &[name, flag] : details) {
        row.bind(1, name.toStdString());
        row.bind(2, flag);
        row.exec();
        row.reset();
    }
    for (auto it = tables.begin(); it != tables.end(); ++it) {
        SQLite::Statement insert(StoreTestAccess::sql(*db),
                                 "INSERT INTO " + it.key().toStdString() + " VALUES (?, ?, ?)");
        for (const WordEntry &e : it.value()) {
            for (int i = 0; i < 3; ++i) {
                const QString &v = i == 0 ? e.word : i == 1 ? e.meaning : e.pointer;
                if (v.isNull())
                    insert.bind(i + 1);
                else
                    insert.bind(i + 1, v.toStdString());
            }
            insert.exec();
            insert.reset();
        }
    }
    tx.commit();
}

std::vector<WordEntry> numberedWords(int n)
{
    std::vector<WordEntry> words;
    words.reserve(size_t(n));
    for (int i = 1; i <= n; ++i)
        words.push_back({QStringLiteral("Word%1").arg(i, 6, 10, QLatin1Char('0')),
                         QStringLiteral("meaning %1").arg(i), QStringLiteral("p%1").arg(i)});
    return words;
}

QByteArray fileState(const QString &path)
{
    QByteArray state;
    for (const QString &f : {path, path + QStringLiteral("-wal")}) {
        QFile file(f);
        state += f.toUtf8() + (file.open(QIODevice::ReadOnly) ? file.readAll() : "<none>");
    }
    return state;
}

} // namespace TestSupport
