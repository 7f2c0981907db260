#include "BenchData.h"

#include "NewDatabase.h"

#include <QDir>
#include <QTemporaryDir>

namespace BenchData {

QString word(int n)
{
    return QStringLiteral("Word%1").arg(n, 6, 10, QLatin1Char('0'));
}

QString meaning(int n)
{
    return QStringLiteral("the meaning of word number %1").arg(n);
}

QString databasePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        std::vector<WordEntry> words;
        words.reserve(Words);
        for (int i = 1; i <= Words; ++i)
            words.push_back({word(i), meaning(i),
                             i % 10 == 0 ? QStringLiteral("Got it wrong") : QStringLiteral("n.")});
        const QString p = dir.filePath(QStringLiteral("qvtmdb.mdb"));
        NewDatabase::create(p, words);
        QDir::setCurrent(dir.path());
        return p;
    }();
    return path;
}

} // namespace BenchData
