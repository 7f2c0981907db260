// The word display's tick and the Results viewer's page refresh on 100,000 words.
#include "BenchData.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "QuietStandIns.h"
#include "RandomSource.h"
#include "SwitchTimer.h"
#include "WordDisplay.h"
#include "sqlret.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

struct OpenWords
{
    OpenWords()
    {
        Module1::database = WordDatabase::open(BenchData::databasePath());
        Module1::openCurrentCollection(QStringLiteral("Words"));
    }
    ~OpenWords() { Module1::reset(); }
};

// The "Show Words" frame's controls, on a widget of their own.
struct Frame
{
    QWidget parent;
    QPushButton *start = new QPushButton(QStringLiteral("Start"), &parent);
    QPushButton *stop = new QPushButton(QStringLiteral("Stop"), &parent);
    QPushButton *pause = new QPushButton(QStringLiteral("Pause"), &parent);
    QPushButton *previous = new QPushButton(QStringLiteral("Previous"), &parent);
    QPushButton *next = new QPushButton(QStringLiteral("Next"), &parent);
    QCheckBox *randomize = new QCheckBox(QStringLiteral("Randomize"), &parent);
    QComboBox *interval = new QComboBox(&parent);
    QLabel *word = new QLabel(QStringLiteral("Word:"), &parent);
    QLabel *meaning = new QLabel(QStringLiteral("Meaning:"), &parent);
    SwitchTimer *timer = new SwitchTimer(&parent);

    WordDisplay::Controls controls()
    {
        return {start, stop, pause, previous, next, randomize, interval, word, meaning, timer};
    }
};

void word_display_tick(benchmark::State &state, bool random)
{
    OpenWords store;
    QWidget window;
    QuietMainWindow port(&window);
    Frame frame;
    frame.interval->setEditable(true);
    frame.interval->setEditText(QStringLiteral("Timer Interval"));
    frame.randomize->setChecked(random);
    WordDisplay display(frame.controls(), port);
    RandomSource::instance().seed(11);
    display.command2Click();
    // Driven by hand: the real timer must not tick in between.
    frame.timer->setEnabled(false);
    for (auto _ : state)
        display.timer1Tick();
    benchmark::DoNotOptimize(frame.word->text());
}

void results_page_refresh(benchmark::State &state)
{
    OpenWords store;
    Module1::queryResult =
        std::make_unique<Snapshot>(Module1::database->query(QStringLiteral("Select * from Words")));
    Module1::queryResult->rowCount(); // the whole result, so the slider spans every row
    QWidget window;
    QuietMainWindow port(&window);
    auto viewer = std::make_unique<sqlret>(port);
    viewer->load();
    // Jump about the whole result, end included, as a drag of the slider does.
    const int total = viewer->Slider1->maximum();
    int value = 0;
    for (auto _ : state) {
        value = (value + 7919) % (total + 1);
        viewer->Slider1->setValue(value);
    }
    benchmark::DoNotOptimize(viewer->Label4->text());
    state.counters["rows"] = double(viewer->recordTotal());
}

} // namespace

BENCHMARK_CAPTURE(word_display_tick, order, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(word_display_tick, random, true)->Unit(benchmark::kMillisecond);
BENCHMARK(results_page_refresh)->Unit(benchmark::kMillisecond);
