// What the substring and marked-word indexes cost: the file size after an import, the
// import itself (every word inserted in one transaction) and Delete all (the rows deleted
// one by one in one transaction), each with the indexes and without them; and the first open
// of a file from before the search index, which grows it in slices.
#include "BenchData.h"
#include "SearchIndex.h"
#include "StoreProgress.h"
#include "StoreTestAccess.h"
#include "WordDatabase.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <limits>

namespace {

// The trigram index of Words with its triggers gone, as in a file from before it.
void dropTextIndex(WordDatabase &db)
{
    for (const char *suffix : {"_insert", "_delete", "_update"})
        StoreTestAccess::sql(db).exec(std::string("DROP TRIGGER lexmora_text_Words") + suffix);
    StoreTestAccess::sql(db).exec("DROP TABLE lexmora_text_Words");
}

struct Fresh
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("qvtmdb.mdb"));
    std::unique_ptr<WordDatabase> db;

    explicit Fresh(bool indexed) : db(WordDatabase::create(path))
    {
        if (indexed)
            return;
        dropTextIndex(*db);
        StoreTestAccess::sql(*db).exec("DROP INDEX lexmora_marked_Words");
    }

    void import()
    {
        SQLite::Transaction tx(StoreTestAccess::sql(*db));
        SQLite::Statement insert(StoreTestAccess::sql(*db), "INSERT INTO Words VALUES (?, ?, ?)");
        for (int i = 1; i <= BenchData::words(); ++i) {
            insert.bind(1, BenchData::word(i).toStdString());
            insert.bind(2, BenchData::meaning(i).toStdString());
            insert.bind(3, BenchData::pointer(i).toStdString());
            insert.exec();
            insert.reset();
        }
        tx.commit();
    }

    void deleteAll()
    {
        SQLite::Transaction tx(StoreTestAccess::sql(*db));
        SQLite::Statement first(StoreTestAccess::sql(*db),
                                "SELECT rowid FROM Words ORDER BY rowid LIMIT 1");
        SQLite::Statement remove(StoreTestAccess::sql(*db), "DELETE FROM Words WHERE rowid = ?");
        while (first.executeStep()) {
            remove.bind(1, first.getColumn(0).getInt64());
            first.reset();
            remove.exec();
            remove.reset();
        }
        tx.commit();
    }

    double megabytes()
    {
        StoreTestAccess::sql(*db).exec("PRAGMA wal_checkpoint(TRUNCATE)");
        return double(QFileInfo(path).size()) / 1e6;
    }
};

void import_words(benchmark::State &state, bool indexed)
{
    double size = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Fresh f(indexed);
        state.ResumeTiming();
        f.import();
        state.PauseTiming();
        size = f.megabytes();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = size;
}

void delete_all_words(benchmark::State &state, bool indexed)
{
    for (auto _ : state) {
        state.PauseTiming();
        Fresh f(indexed);
        f.import();
        state.ResumeTiming();
        f.deleteAll();
    }
}

// The whole open, with the longest time between two of its ticks (while the windows do not
// paint) as longest_gap_ms; in one go, the index is filled by one statement, as before it
// grew in slices.
void first_open_grows_search_index(benchmark::State &state, bool inOneGo)
{
    SearchIndex::setSliceRowsForTests(inOneGo ? std::numeric_limits<int>::max() - 1 : 0);
    double longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("qvtmdb.mdb"));
        QFile::copy(BenchData::databasePath(), path);
        dropTextIndex(*WordDatabase::open(path));
        QElapsedTimer gap;
        StoreProgress::setRunner(
            [&](const QString &, bool, const StoreProgress::Step &step) {
                gap.start();
                step([&](qint64, qint64) {
                    longest = std::max(longest, double(gap.nsecsElapsed()) / 1e6);
                    gap.start();
                    return true;
                });
            });
        state.ResumeTiming();
        WordDatabase::open(path);
        state.PauseTiming();
        StoreProgress::setRunner(nullptr);
        state.ResumeTiming();
    }
    SearchIndex::setSliceRowsForTests(0);
    state.counters["longest_gap_ms"] = longest;
}

} // namespace

BENCHMARK_CAPTURE(first_open_grows_search_index, in_slices, false)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(first_open_grows_search_index, in_one_go, true)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_words, indexed, true)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_words, plain, false)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(delete_all_words, indexed, true)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(delete_all_words, plain, false)->Iterations(1)->Unit(benchmark::kMillisecond);
