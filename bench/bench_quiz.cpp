// The quiz on 100,000 words: putting a question, judging an answer, marking a word wrongly
// answered, a whole Next in the Quiz window, and the list of marked words at the end.
#include "BenchData.h"
#include "Dialogs.h"
#include "MainWindowPort.h"
#include "MarkBook.h"
#include "Module1.h"
#include "QuestionBuilder.h"
#include "QuietStandIns.h"
#include "QuizRules.h"
#include "RandomSource.h"
#include "SqlParser.h"
#include "TableCursor.h"
#include "WordDatabase.h"
#include "quiz.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

// A copy of the bench database of its own, so that marking words does not change what
// the other figures read.
struct Copy
{
    QTemporaryDir dir;
    std::unique_ptr<WordDatabase> db;

    Copy()
    {
        const QString path = dir.filePath(QStringLiteral("qvtmdb.mdb"));
        QFile::copy(BenchData::databasePath(), path);
        db = WordDatabase::open(path);
    }
};

struct Shared
{
    std::unique_ptr<WordDatabase> db = WordDatabase::open(BenchData::databasePath());
    TableCursor words{*db, QStringLiteral("Words")};
};

void quiz_put_question(benchmark::State &state)
{
    Shared s;
    RandomSource::instance().seed(11);
    QuestionBuilder builder(s.words, RandomSource::instance());
    for (auto _ : state) {
        const Question q = builder.build(builder.pickAtRandom());
        benchmark::DoNotOptimize(q.options[4].size());
    }
}

void quiz_judge_answer(benchmark::State &state)
{
    Shared s;
    int i = 0;
    for (auto _ : state) {
        i = (i * 7919 + 13) % BenchData::words();
        benchmark::DoNotOptimize(
            QuizRules::isRightMeaning(*s.db, QStringLiteral("Words"), BenchData::word(i + 1),
                                      BenchData::meaning(i + 1)));
    }
}

void quiz_mark_wrong_word(benchmark::State &state)
{
    Copy c;
    int i = 0;
    for (auto _ : state) {
        i = (i * 7919 + 13) % BenchData::words();
        benchmark::DoNotOptimize(QuizRules::isRightMeaning(
            *c.db, QStringLiteral("Words"), BenchData::word(i + 1), QStringLiteral("no")));
        MarkBook::markWord(*c.db, QStringLiteral("Words"), BenchData::word(i + 1));
    }
}

// The end of the quiz up to the first page of the Results viewer; the rest of the marked
// words are read while the user looks at it.
void quiz_marked_words_query(benchmark::State &state)
{
    Shared s;
    qint64 shown = 0;
    for (auto _ : state) {
        const Snapshot marked = s.db->query(QuizRules::markedWordsSql(QStringLiteral("Words")));
        marked.readFirst(3, SqlParser::FirstReadBudget);
        shown = marked.rowsRead();
    }
    state.counters["rows"] = double(shown);
}

// Every marked word read, as the viewer has them once it has read on to the end.
void quiz_marked_words_all(benchmark::State &state)
{
    Shared s;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            s.db->query(QuizRules::markedWordsSql(QStringLiteral("Words"))).rowCount());
}

// One Next with the right meaning chosen: judging it, the report in the Status box and the
// next question put up, as the user waits for it.
void quiz_window_next(benchmark::State &state)
{
    Copy c;
    Module1::database = std::move(c.db);
    Module1::openCurrentCollection(QStringLiteral("Words"));
    Module1::questionLimit = QuizRules::Unlimited;
    // Should the run ever reach the end of a quiz, its boxes must not wait for a click.
    QuietDialogs quiet(false);
    Dialogs::install(&quiet);
    QWidget mainWindow;
    QuietMainWindow main(&mainWindow);
    QCheckBox randomize;
    randomize.setChecked(true);
    QComboBox interval;
    interval.setEditable(true);
    interval.setEditText(QStringLiteral("5 Seconds"));
    auto *window = new quiz(main, &randomize, &interval);
    window->open();
    for (auto _ : state) {
        const int slot = window->question().correctSlot;
        QList<QRadioButton *>{window->Option1, window->Option2, window->Option3, window->Option4,
                              window->Option5}[slot - 1]
            ->setChecked(true);
        window->command3Click();
    }
    delete window;
    Dialogs::install(nullptr);
    Module1::reset();
}

} // namespace

BENCHMARK(quiz_put_question)->Unit(benchmark::kMillisecond);
BENCHMARK(quiz_judge_answer)->Unit(benchmark::kMillisecond);
BENCHMARK(quiz_mark_wrong_word)->Unit(benchmark::kMillisecond);
BENCHMARK(quiz_marked_words_query)->Unit(benchmark::kMillisecond);
BENCHMARK(quiz_marked_words_all)->Unit(benchmark::kMillisecond);
BENCHMARK(quiz_window_next)->Unit(benchmark::kMillisecond);
