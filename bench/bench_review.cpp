// The learner's history at the bench's size, after a month of made-up quizzes (300 answers a
// day over the collection's first 5,000 records, the way a learner works through a list):
// recording an answer, choosing the next question of a "Due words first" quiz, and opening
// the progress window.
#include "BenchData.h"
#include "DueOrder.h"
#include "Module1.h"
#include "ProgressWindow.h"
#include "ReviewBook.h"
#include "StoreTestAccess.h"
#include "WordDatabase.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Answered = 5000;
constexpr int Days = 30;
constexpr int PerDay = 300;

// A copy of the bench database with its month of history, made once per run.
QString historyPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("qvtmdb.mdb"));
        QFile::copy(BenchData::databasePath(), p);
        auto db = WordDatabase::open(p);
        // The made-up past need not survive a power cut.
        StoreTestAccess::sql(*db).exec("PRAGMA synchronous=OFF");
        const QDateTime start = QDateTime::currentDateTime().addDays(-Days);
        const int records = std::min(Answered, BenchData::words());
        for (int day = 0; day < Days; ++day) {
            for (int i = 0; i < PerDay; ++i) {
                const int r = (day * PerDay + i * 7) % records + 1;
                const bool right = (r + day) % 4 != 0;
                ReviewBook::recordAnswer(*db, {QStringLiteral("Words"), r, BenchData::word(r),
                                               right, 1500 + (r % 7) * 1000,
                                               start.addDays(day).addSecs(i * 20)});
            }
            ReviewBook::recordQuiz(*db, QStringLiteral("Words"), start.addDays(day), PerDay,
                                   PerDay * 3 / 4);
        }
        return p;
    }();
    return path;
}

struct History
{
    QTemporaryDir dir;
    std::unique_ptr<WordDatabase> db;

    History()
    {
        const QString path = dir.filePath(QStringLiteral("qvtmdb.mdb"));
        QFile::copy(historyPath(), path);
        db = WordDatabase::open(path);
    }
};

// One answer as the quiz records it: the answer, the memory moved on, and for a wrong one
// the "Got it wrong" mark, in one transaction committed with the program's FULL sync.
void review_record_answer(benchmark::State &state)
{
    History h;
    int i = 0;
    const QDateTime now = QDateTime::currentDateTime();
    for (auto _ : state) {
        i = (i * 7919 + 13) % BenchData::words();
        ReviewBook::recordAnswer(*h.db, {QStringLiteral("Words"), i + 1, BenchData::word(i + 1),
                                         i % 3 != 0, 2500, now});
    }
}

// The first question of a "Due words first" quiz: the look-up of the most overdue record
// and its word.
void review_next_due_question(benchmark::State &state)
{
    History h;
    const qint64 today = ReviewBook::dayOf(QDateTime::currentDateTime());
    for (auto _ : state) {
        DueOrder order(*h.db, QStringLiteral("Words"), today);
        benchmark::DoNotOptimize(order.next());
    }
}

// The first word never asked, found past the 5,000 records answered before it (the quiz
// looks for one once no overdue word is left).
void review_next_new_question(benchmark::State &state)
{
    History h;
    const qint64 longAgo = ReviewBook::dayOf(QDateTime::currentDateTime().addDays(-400));
    for (auto _ : state) {
        DueOrder order(*h.db, QStringLiteral("Words"), longAgo);
        benchmark::DoNotOptimize(order.next());
    }
}

// "Progress" clicked: the window made, its figures read, and shown and painted once.
void review_progress_window_open(benchmark::State &state)
{
    History h;
    Module1::database = std::move(h.db);
    Module1::currentCollection = QStringLiteral("Words");
    for (auto _ : state) {
        auto *window = new ProgressWindow();
        window->refresh();
        window->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window->figures().counts.due);
        state.PauseTiming();
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
    Module1::reset();
}

} // namespace

BENCHMARK(review_record_answer)->Unit(benchmark::kMillisecond);
BENCHMARK(review_next_due_question)->Unit(benchmark::kMillisecond);
BENCHMARK(review_next_new_question)->Unit(benchmark::kMillisecond);
BENCHMARK(review_progress_window_open)->Unit(benchmark::kMillisecond);
