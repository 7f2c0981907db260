// Speaking words: the word display's tick and the quiz's Next with "Speak words" set, through
// the recording stand-in and through the real engine (its own process, lexmora-speaker),
// against the same loop with speaking off; and the program's start with and without it.
#include "BenchData.h"
#include "Form1.h"
#include "Form3.h"
#include "Module1.h"
#include "Program.h"
#include "QuietStandIns.h"
#include "QuizRules.h"
#include "RandomSource.h"
#include "RecordingSpeaker.h"
#include "SettingsTable.h"
#include "SwitchTimer.h"
#include "TextToSpeechSpeaker.h"
#include "WordDisplay.h"
#include "quiz.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

enum class Voice { Off, StandIn, Engine };

// The speaker of a figure: none with speaking off, the stand-in, or the real engine once it
// has said that it can speak (a machine without a sound device skips the figure).
struct Voices
{
    RecordingSpeaker standIn;
    std::unique_ptr<TextToSpeechSpeaker> engine;
    std::string why;

    Speaker *choose(benchmark::State &state, Voice voice)
    {
        if (voice == Voice::Off)
            return nullptr;
        if (voice == Voice::StandIn)
            return &standIn;
        engine = std::make_unique<TextToSpeechSpeaker>();
        engine->prepare();
        QElapsedTimer waited;
        waited.start();
        while (engine->available() && !engine->engineAnswered() && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!engine->available() || !engine->engineAnswered()) {
            why = "the engine cannot speak here: " + engine->whyNot().toStdString();
            state.SkipWithError(why.c_str());
            return nullptr;
        }
        return engine.get();
    }

    // The stand-in keeps what it was told; a long run must not fill the memory with it.
    void trim()
    {
        if (standIn.said.size() > 4096)
            standIn.said.clear();
    }
};

void word_display_tick_speaking(benchmark::State &state, Voice voice)
{
    Module1::database = WordDatabase::open(BenchData::databasePath());
    Module1::openCurrentCollection(QStringLiteral("Words"));
    Voices voices;
    Speaker *speaker = voices.choose(state, voice);
    QWidget window;
    QuietMainWindow port(&window);
    QWidget frame;
    auto *interval = new QComboBox(&frame);
    interval->setEditable(true);
    interval->setEditText(QStringLiteral("Timer Interval"));
    auto *speakWords = new QCheckBox(&frame);
    speakWords->setChecked(voice != Voice::Off);
    auto *word = new QLabel(&frame);
    auto *timer = new SwitchTimer(&frame);
    WordDisplay display({new QPushButton(&frame), new QPushButton(&frame), new QPushButton(&frame),
                         new QPushButton(&frame), new QPushButton(&frame), new QCheckBox(&frame),
                         interval, word, new QLabel(&frame), timer, speakWords, speaker},
                        port);
    display.command2Click();
    timer->setEnabled(false); // driven by hand
    for (auto _ : state) {
        display.timer1Tick();
        // The events a tick leaves, the word handed to the engine's process among them.
        QCoreApplication::processEvents();
        voices.trim();
    }
    benchmark::DoNotOptimize(word->text());
    Module1::reset();
}

void quiz_window_next_speaking(benchmark::State &state, Voice voice)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("qvtmdb.mdb"));
    QFile::copy(BenchData::databasePath(), path);
    Module1::database = WordDatabase::open(path);
    Module1::openCurrentCollection(QStringLiteral("Words"));
    Module1::questionLimit = QuizRules::Unlimited;
    QuietDialogs quiet(false);
    Dialogs::install(&quiet);
    Voices voices;
    Speaker *speaker = voices.choose(state, voice);
    QWidget mainWindow;
    QuietMainWindow main(&mainWindow);
    QCheckBox randomize, speakWords;
    randomize.setChecked(true);
    speakWords.setChecked(voice != Voice::Off);
    QComboBox interval;
    interval.setEditable(true);
    interval.setEditText(QStringLiteral("5 Seconds"));
    auto *window = new quiz(main, &randomize, &interval);
    window->speakWith(&speakWords, speaker);
    window->open();
    for (auto _ : state) {
        const int slot = window->question().correctSlot;
        QList<QRadioButton *>{window->Option1, window->Option2, window->Option3, window->Option4,
                              window->Option5}[slot - 1]
            ->setChecked(true);
        window->command3Click();
        QCoreApplication::processEvents();
        voices.trim();
    }
    delete window;
    Dialogs::install(nullptr);
    Module1::reset();
}

// From Program::start() to the Main window shown over 100,000 words, with
// "Speak words" kept set (its engine's process is started then) or not.
void program_start(benchmark::State &state, bool speakWords)
{
    QTemporaryDir dir;
    QFile::copy(BenchData::databasePath(), dir.filePath(QStringLiteral("qvtmdb.mdb")));
    QFile marker(dir.filePath(Form1::FirstRunMarker));
    if (marker.open(QIODevice::WriteOnly))
        marker.write("\"False\"\r\n");
    marker.close();
    {
        auto db = WordDatabase::open(dir.filePath(QStringLiteral("qvtmdb.mdb")));
        SettingsTable::setFlag(*db, SettingsTable::SpeakWords, speakWords);
    }
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    for (auto _ : state) {
        auto program = std::make_unique<Program>();
        program->start();
        if (Form3 *splash = program->splash(); splash && !splash->handedOver())
            splash->handOver();
        QApplication::processEvents();
        benchmark::DoNotOptimize(program->mainWindow());
        state.PauseTiming(); // the teardown is not the start
        program.reset();
        Module1::reset();
        state.ResumeTiming();
    }
    QDir::setCurrent(before);
}

} // namespace

BENCHMARK_CAPTURE(word_display_tick_speaking, off, Voice::Off)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(word_display_tick_speaking, standin, Voice::StandIn)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(word_display_tick_speaking, engine, Voice::Engine)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(quiz_window_next_speaking, off, Voice::Off)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(quiz_window_next_speaking, standin, Voice::StandIn)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(quiz_window_next_speaking, engine, Voice::Engine)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(program_start, speak_words_off, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(program_start, speak_words_on, true)->Unit(benchmark::kMillisecond);
