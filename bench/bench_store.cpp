// The word store on 100,000 words: opening, counting, moving, picking and querying.
#include "BenchData.h"
#include "Collections.h"
#include "RandomPick.h"
#include "RandomSource.h"
#include "TableCursor.h"
#include "WordDatabase.h"

#include <benchmark/benchmark.h>

namespace {

struct Open
{
    std::unique_ptr<WordDatabase> db = WordDatabase::open(BenchData::databasePath());
    TableCursor words{*db, QStringLiteral("Words")};
};

void open_and_choose_default(benchmark::State &state)
{
    BenchData::databasePath();
    for (auto _ : state) {
        auto db = WordDatabase::open(BenchData::databasePath());
        TableCursor words(*db, Collections::chooseDefault(*db));
        benchmark::DoNotOptimize(words.recordCount());
    }
}

void record_count(benchmark::State &state)
{
    Open o;
    for (auto _ : state)
        benchmark::DoNotOptimize(o.words.recordCount());
}

void move_first_and_last(benchmark::State &state)
{
    Open o;
    for (auto _ : state) {
        o.words.moveFirst();
        benchmark::DoNotOptimize(o.words.text(0));
        o.words.moveLast();
        benchmark::DoNotOptimize(o.words.text(0));
    }
}

void random_pick(benchmark::State &state)
{
    Open o;
    RandomSource::instance().seed(7);
    for (auto _ : state) {
        RandomPick::pick(o.words, RandomSource::instance());
        benchmark::DoNotOptimize(o.words.text(0));
    }
}

void exact_word_lookup(benchmark::State &state)
{
    Open o;
    int i = 0;
    for (auto _ : state) {
        i = (i * 7919 + 13) % BenchData::words();
        benchmark::DoNotOptimize(
            o.words.findFirst(QStringLiteral("word"), BenchData::word(i + 1)));
    }
}

void query(benchmark::State &state, const char *sql)
{
    Open o;
    for (auto _ : state)
        benchmark::DoNotOptimize(o.db->query(QString::fromUtf8(sql)).rowCount());
}

} // namespace

BENCHMARK(open_and_choose_default)->Unit(benchmark::kMillisecond);
BENCHMARK(record_count)->Unit(benchmark::kMillisecond);
BENCHMARK(move_first_and_last)->Unit(benchmark::kMillisecond);
BENCHMARK(random_pick)->Unit(benchmark::kMillisecond);
BENCHMARK(exact_word_lookup)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(query, prefix_like, "Select * from Words where word like 'Word0123*'")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(query, substring_like, "Select * from Words where meaning like '*number 4567*'")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(query, snapshot_whole_table, "Select * from Words")->Unit(benchmark::kMillisecond);
