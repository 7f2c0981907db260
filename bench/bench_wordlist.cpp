// The word list over the bench collection: opening it (count, positions and the first
// screenful read and painted), scrolling to its end, one keystroke of the filter, the
// rest of a filter's scan, one edit written and one undone.
#include "BenchData.h"
#include "Dialogs.h"
#include "QuietStandIns.h"
#include "StoreTestAccess.h"
#include "WordDatabase.h"
#include "WordListModel.h"

#include <SQLiteCpp/Database.h>

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

namespace {

// A copy of the bench database of its own, and a table view shown as the window's is.
struct Bench
{
    QTemporaryDir dir;
    std::unique_ptr<WordDatabase> db;
    QuietDialogs dialogs{true};

    explicit Bench(bool gap = false)
    {
        const QString path = dir.filePath(QStringLiteral("qvtmdb.mdb"));
        QFile::copy(BenchData::databasePath(), path);
        db = WordDatabase::open(path);
        if (gap) // one word deleted: the rowids no longer run without gaps
            StoreTestAccess::sql(*db).exec("DELETE FROM Words WHERE rowid = 1000");
        Dialogs::install(&dialogs);
    }
    ~Bench() { Dialogs::install(nullptr); }
};

struct View
{
    QTableView view;
    explicit View(WordListModel &model)
    {
        view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view.resize(760, 520);
        view.setModel(&model);
        view.show();
        QCoreApplication::processEvents();
    }
};

void wordlist_open(benchmark::State &state)
{
    Bench b(state.range(0) != 0);
    for (auto _ : state) {
        WordListModel model(*b.db, QStringLiteral("Words"));
        View v(model); // the first screenful read and painted
        benchmark::DoNotOptimize(model.rowCount());
        state.PauseTiming();
        state.counters["rows_read"] = double(model.rows().rowsRead());
        state.ResumeTiming();
    }
}

void wordlist_scroll_to_end(benchmark::State &state)
{
    Bench b;
    WordListModel model(*b.db, QStringLiteral("Words"));
    View v(model);
    for (auto _ : state) {
        v.view.scrollToBottom();
        QCoreApplication::processEvents();
        state.PauseTiming();
        v.view.scrollToTop();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// One keystroke: the filter set and its first screenful found (or every row, when fewer).
void wordlist_filter_keystroke(benchmark::State &state, const char *text)
{
    Bench b;
    WordListModel model(*b.db, QStringLiteral("Words"));
    View v(model);
    for (auto _ : state) {
        model.setFilter(QString::fromLatin1(text));
        QCoreApplication::processEvents();
        state.PauseTiming();
        state.counters["shown"] = model.rowCount();
        model.setFilter(QString());
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// The whole of a filter's scan, which runs between events after the keystroke.
void wordlist_filter_complete(benchmark::State &state, const char *text)
{
    Bench b;
    WordListModel model(*b.db, QStringLiteral("Words"));
    for (auto _ : state) {
        model.setFilter(QString::fromLatin1(text));
        model.finishSearch();
        state.PauseTiming();
        state.counters["found"] = model.rowCount();
        model.setFilter(QString());
        state.ResumeTiming();
    }
}

void wordlist_edit(benchmark::State &state)
{
    Bench b;
    WordListModel model(*b.db, QStringLiteral("Words"));
    View v(model);
    int n = 0;
    for (auto _ : state) {
        const int row = (n * 7919) % BenchData::words();
        model.setData(model.index(row, 1), QStringLiteral("changed %1").arg(++n));
        QCoreApplication::processEvents();
    }
    if (model.undoStack()->count() != int(state.iterations()))
        state.SkipWithError("an edit was not written");
}

void wordlist_undo(benchmark::State &state)
{
    Bench b;
    WordListModel model(*b.db, QStringLiteral("Words"));
    View v(model);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int row = (n * 7919) % BenchData::words();
        model.setData(model.index(row, 0), QStringLiteral("Changed%1").arg(++n));
        state.ResumeTiming();
        model.undoStack()->undo();
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(wordlist_open)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(wordlist_scroll_to_end)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wordlist_filter_keystroke, rare_word, "word12345")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wordlist_filter_keystroke, one_digit, "7")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wordlist_filter_keystroke, no_match, "zq")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wordlist_filter_keystroke, common_text, "number 4")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wordlist_filter_complete, one_digit, "7")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(wordlist_filter_complete, no_match, "zq")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(wordlist_edit)->Unit(benchmark::kMillisecond);
BENCHMARK(wordlist_undo)->Unit(benchmark::kMillisecond);
