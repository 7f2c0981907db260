#include "BenchData.h"

#include "NewDatabase.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace BenchData {

int words()
{
    static const int n = [] {
        bool ok = false;
        const int value = qEnvironmentVariableIntValue("LEXMORA_BENCH_WORDS", &ok);
        return ok && value > 0 ? value : 100000;
    }();
    return n;
}

QString word(int n)
{
    return QStringLiteral("Word%1").arg(n, 6, 10, QLatin1Char('0'));
}

QString meaning(int n)
{
    return QStringLiteral("the meaning of word number %1").arg(n);
}

QString pointer(int n)
{
    return n % 10 == 0 ? QStringLiteral("Got it wrong") : QStringLiteral("n.");
}

namespace {

void build(const QString &path)
{
    std::vector<WordEntry> entries;
    entries.reserve(size_t(words()));
    for (int i = 1; i <= words(); ++i)
        entries.push_back({word(i), meaning(i), pointer(i)});
    NewDatabase::create(path, entries);
    // The first open adds the program's own indexes; later opens find them there.
    WordDatabase::open(path);
}

} // namespace

QString databasePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("qvtmdb.mdb"));
        const QString cacheDir = qEnvironmentVariable("LEXMORA_BENCH_CACHE");
        if (cacheDir.isEmpty()) {
            build(p);
        } else {
            const QString cached =
                QDir(cacheDir).filePath(QStringLiteral("bench-%1.mdb").arg(words()));
            if (!QFile::exists(cached)) {
                build(cached + QStringLiteral(".partial"));
                QFile::rename(cached + QStringLiteral(".partial"), cached);
            }
            QFile::copy(cached, p);
        }
        QDir::setCurrent(dir.path());
        return p;
    }();
    return path;
}

} // namespace BenchData
