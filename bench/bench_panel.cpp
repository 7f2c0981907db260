// One tick of the control panel's slides and of the Status flash on the real Main window,
// repaint included: each must stay well under the 1 ms timers' pace of a smooth slide.
#include "BenchData.h"
#include "Form1.h"
#include "Form3.h"
#include "Module1.h"
#include "PaintedPicture.h"
#include "Program.h"
#include "StatusBox.h"
#include "SwitchTimer.h"

#include <QApplication>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

// The program started on the 100,000-word database, its timers held for the benchmark. On a
// first run the panes wait for the Intro slide; otherwise they are in place at once.
struct MainWindow
{
    std::unique_ptr<Program> program = std::make_unique<Program>();
    Form1 *form = nullptr;

    explicit MainWindow(bool firstRun)
    {
        BenchData::databasePath(); // also makes its folder the current directory
        QFile::remove(Form1::FirstRunMarker);
        if (!firstRun) {
            QFile marker(Form1::FirstRunMarker);
            if (marker.open(QIODevice::WriteOnly))
                marker.write("\"False\"\r\n");
        }
        program->start();
        // A first run plays the splash's title sequence first; skip it.
        if (Form3 *splash = program->splash(); splash && !splash->handedOver())
            splash->handOver();
        form = program->mainWindow();
        for (SwitchTimer *t :
             {form->Timer1, form->Timer2, form->Timer3, form->Timer4, form->Timer5, form->Timer6})
            t->setEnabled(false);
        QApplication::processEvents();
    }
    ~MainWindow()
    {
        program.reset();
        Module1::reset();
    }
};

// Counts the paint events of the widgets it watches, to show the figures include repaints.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    void watch(QWidget *w) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// Closes and opens the cover over and over, one tick per iteration.
void panel_slide_tick(benchmark::State &state)
{
    MainWindow main(false);
    Form1 *form = main.form;
    PaintCounter counter;
    counter.watch(form->Picture4);
    for (auto _ : state) {
        if (form->Timer4->interval()) {
            form->timer4Tick();
        } else if (form->Timer6->interval()) {
            form->timer6Tick();
        } else if (form->panel().covered) {
            form->openRequest();
            form->timer6Tick();
        } else {
            form->command20Click();
            form->timer5Tick();
            form->timer4Tick();
        }
        QApplication::processEvents();
    }
    state.counters["cover paints per tick"] = double(counter.paints) / double(state.iterations());
}

// The first run's Intro slide: both panes move on every tick.
void panel_intro_tick(benchmark::State &state)
{
    MainWindow main(true);
    Form1 *form = main.form;
    PaintCounter counter;
    counter.watch(form->Picture2);
    for (auto _ : state) {
        form->timer2Tick();
        form->timer3Tick();
        QApplication::processEvents();
    }
    state.counters["still sliding"] = form->Timer2->interval() && form->Timer3->interval();
    state.counters["pane paints per tick"] = double(counter.paints) / double(state.iterations());
}

void status_flash_tick(benchmark::State &state)
{
    MainWindow main(false);
    StatusBox *box = main.form->RichTextBox1;
    PaintCounter counter;
    counter.watch(box->viewport());
    for (auto _ : state) {
        box->flashTick();
        QApplication::processEvents();
    }
    state.counters["box paints per tick"] = double(counter.paints) / double(state.iterations());
}

} // namespace

BENCHMARK(panel_slide_tick)->Unit(benchmark::kMillisecond);
// The left pane reaches its width in about 100 ticks; measure while both still move.
BENCHMARK(panel_intro_tick)->Unit(benchmark::kMillisecond)->Iterations(95);
BENCHMARK(status_flash_tick)->Unit(benchmark::kMillisecond);
