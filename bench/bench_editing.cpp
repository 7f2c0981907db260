// The word panel on 100,000 words: Add's duplicate check, showing a chosen word, Edit,
// Delete, and opening Modify mode, which fills the chooser with every word.
#include "BenchData.h"
#include "DeleteAll.h"
#include "Dialogs.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "QuietStandIns.h"
#include "StatusBox.h"
#include "WordDatabase.h"
#include "WordPanel.h"

#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The word panel over a copy of the bench database of its own, on widgets of its own
// that are shown as the Main window's are.
struct Bench
{
    QTemporaryDir dir;
    QWidget window;
    QuietMainWindow main{&window};
    QuietDialogs dialogs{true};
    QGroupBox *frame = new QGroupBox(&window);
    QLineEdit *word = new QLineEdit(frame);
    QComboBox *chooser = new QComboBox(frame);
    QLineEdit *meaning = new QLineEdit(frame);
    QLineEdit *pointer = new QLineEdit(frame);
    QPushButton *panelButton = new QPushButton(frame);
    std::unique_ptr<WordPanel> panel;

    Bench()
    {
        const QString path = dir.filePath(QStringLiteral("qvtmdb.mdb"));
        QFile::copy(BenchData::databasePath(), path);
        Module1::database = WordDatabase::open(path);
        Module1::openCurrentCollection(QStringLiteral("Words"));
        Dialogs::install(&dialogs);
        panel = std::make_unique<WordPanel>(
            WordPanel::Controls{frame, word, chooser, meaning, pointer, panelButton,
                                new QPushButton(frame), new QPushButton(frame),
                                new StatusBox(Qt::green, frame), new QWidget(&window)},
            main);
        window.resize(900, 600);
        frame->setGeometry(0, 0, 420, 420);
        chooser->setGeometry(10, 20, 260, 26);
        window.show();
    }
    ~Bench()
    {
        panel.reset();
        Dialogs::install(nullptr);
        Module1::reset();
    }
};

// A word of the middle stretch, different on every call.
QString someWord(int &i)
{
    i = (i * 7919 + 13) % (BenchData::words() / 2);
    return BenchData::word(BenchData::words() / 4 + i + 1);
}

void editing_add_duplicate_check(benchmark::State &state)
{
    Bench b;
    b.panel->command9Click();
    int i = 0;
    for (auto _ : state) {
        b.word->setText(someWord(i));
        b.meaning->setText(QStringLiteral("again"));
        b.panel->command1Click(); // refused: already stored
    }
    if (b.dialogs.messages != int(state.iterations()))
        state.SkipWithError("a word was not found to be stored already");
}

void editing_show_chosen_word(benchmark::State &state)
{
    Bench b;
    b.panel->command10Click();
    int i = 0;
    for (auto _ : state)
        b.chooser->setEditText(someWord(i));
    benchmark::DoNotOptimize(b.meaning->text());
}

void editing_edit(benchmark::State &state)
{
    Bench b;
    b.panel->command10Click();
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        b.chooser->setEditText(someWord(i));
        state.ResumeTiming();
        b.panel->command1Click(); // Edit
        state.PauseTiming();
        b.panel->command1Click(); // Update, to be browsing again
        state.ResumeTiming();
    }
}

void editing_delete(benchmark::State &state)
{
    Bench b;
    b.panel->command10Click();
    int n = BenchData::words() / 3;
    for (auto _ : state) {
        state.PauseTiming();
        b.chooser->setEditText(BenchData::word(++n));
        state.ResumeTiming();
        b.panel->command17Click();
    }
    if (b.chooser->count() != BenchData::words() - int(state.iterations()))
        state.SkipWithError("the chooser does not match the collection");
}

void editing_open_modify_mode(benchmark::State &state)
{
    Bench b;
    for (auto _ : state) {
        b.panel->command10Click();         // fills the chooser with every word
        QCoreApplication::processEvents(); // and shows it
        state.PauseTiming();
        b.panel->command16Click();
        state.ResumeTiming();
    }
    state.counters["words"] = b.chooser->count();
}

// The completion list for a typed beginning, as each key typed into the chooser asks.
void editing_complete_typed_prefix(benchmark::State &state)
{
    Bench b;
    b.panel->command10Click();
    QCompleter *completer = b.chooser->completer();
    int i = 0;
    for (auto _ : state) {
        completer->setCompletionPrefix(someWord(i).left(8));
        benchmark::DoNotOptimize(completer->completionCount());
    }
}

// "Delete all" on the whole collection, in batches of rowids, on a fresh copy each time.
void editing_delete_all(benchmark::State &state)
{
    QWidget window;
    QuietMainWindow main{&window};
    QuietDialogs dialogs{true};
    Dialogs::install(&dialogs);
    DeleteAll deleteAll(main);
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("qvtmdb.mdb"));
        QFile::copy(BenchData::databasePath(), path);
        Module1::database = WordDatabase::open(path);
        Module1::openCurrentCollection(QStringLiteral("Words"));
        state.ResumeTiming();
        deleteAll.command11Click();
        state.PauseTiming();
        if (Module1::words->recordCount() != 0)
            state.SkipWithError("words are left");
        Module1::reset();
        state.ResumeTiming();
    }
    Dialogs::install(nullptr);
}

} // namespace

BENCHMARK(editing_add_duplicate_check)->Unit(benchmark::kMillisecond);
BENCHMARK(editing_show_chosen_word)->Unit(benchmark::kMillisecond);
BENCHMARK(editing_edit)->Unit(benchmark::kMillisecond);
BENCHMARK(editing_delete)->Unit(benchmark::kMillisecond);
BENCHMARK(editing_open_modify_mode)->Unit(benchmark::kMillisecond);
BENCHMARK(editing_complete_typed_prefix)->Unit(benchmark::kMillisecond);
BENCHMARK(editing_delete_all)->Unit(benchmark::kMillisecond)->Iterations(3);
