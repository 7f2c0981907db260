// The clicks of the real program's windows, from the click to the window painted: Show all,
// Go! on the SQL box (the Results viewer's first page), the quiz's Start, Next and the last
// Next with the marked words, and the word panel's Modify mode and Delete. The program runs
// on a copy of the bench database of its own, so that deleting words changes no other figure.
#include "BenchData.h"
#include "Dialogs.h"
#include "Form1.h"
#include "Form3.h"
#include "Module1.h"
#include "Program.h"
#include "StatusBox.h"
#include "SwitchTimer.h"
#include "quiz.h"
#include "sqlret.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

// Answers every box at once: questions with yes, the quiz's count with `count`.
class Answers : public Dialogs
{
public:
    void message(const QString &, const QString &) override { ++messages; }
    bool question(const QString &, const QString &) override { return true; }
    bool questionDefaultNo(const QString &, const QString &) override { return true; }
    int choice(const QString &, const QString &, const QStringList &) override { return -1; }
    QString input(const QString &, const QString &, const QString &) override { return count; }
    QString saveFile(const QString &, const QString &, const QStringList &, QString *) override
    {
        return {}; // no file chosen
    }

    QString count = QStringLiteral("0"); // no limit
    int messages = 0;
};

// Notes the first paint of a widget that `wanted` accepts, as the user would see it.
class FirstPaint : public QObject
{
public:
    std::function<bool(QWidget *)> wanted;
    bool seen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            wanted(static_cast<QWidget *>(watched)))
            seen = true;
        return false;
    }
};

template <class Window> Window *topLevel()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<Window *>(w); window && window->isVisible())
            return window;
    return nullptr;
}

template <class Window> bool inside(QWidget *w)
{
    return qobject_cast<Window *>(w->window()) != nullptr;
}

struct RealProgram
{
    QTemporaryDir dir;
    QString home = QDir::currentPath();
    Answers answers;
    std::unique_ptr<Program> program;
    Form1 *form = nullptr;

    RealProgram()
    {
        QFile::copy(BenchData::databasePath(), dir.filePath(QStringLiteral("qvtmdb.mdb")));
        QDir::setCurrent(dir.path());
        QFile marker(Form1::FirstRunMarker);
        if (marker.open(QIODevice::WriteOnly))
            marker.write("\"False\"\r\n");
        marker.close();
        Dialogs::install(&answers);
        program = std::make_unique<Program>();
        program->start();
        if (Form3 *splash = program->splash(); splash && !splash->handedOver())
            splash->handOver();
        form = program->mainWindow();
        // The slides would move the panes while the figures run.
        for (SwitchTimer *t : {form->Timer1, form->Timer2, form->Timer3, form->Timer4,
                               form->Timer5, form->Timer6})
            t->setEnabled(false);
        settle();
    }
    ~RealProgram()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<sqlret *>(w) || qobject_cast<quiz *>(w))
                delete w;
        program.reset();
        Dialogs::install(nullptr);
        Module1::reset();
        QDir::setCurrent(home);
    }

    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    // Runs `click` and the event loop until a widget that `wanted` accepts has painted.
    static bool clickToPaint(const std::function<void()> &click,
                             const std::function<bool(QWidget *)> &wanted)
    {
        FirstPaint paint;
        paint.wanted = wanted;
        qApp->installEventFilter(&paint);
        click();
        QElapsedTimer limit;
        limit.start();
        while (!paint.seen && limit.elapsed() < 5000)
            QApplication::processEvents();
        qApp->removeEventFilter(&paint);
        return paint.seen;
    }

    void closeQuiz()
    {
        if (quiz *q = topLevel<quiz>())
            q->close();
        settle();
    }
    void closeViewer()
    {
        if (sqlret *viewer = topLevel<sqlret>())
            viewer->command1Click();
        settle();
    }
};

void measure(benchmark::State &state, RealProgram &p, const std::function<void()> &before,
             const std::function<void()> &click, const std::function<bool(QWidget *)> &wanted,
             const std::function<void()> &after)
{
    for (auto _ : state) {
        state.PauseTiming();
        before();
        state.ResumeTiming();
        const bool painted = RealProgram::clickToPaint(click, wanted);
        state.PauseTiming();
        after();
        if (!painted) {
            state.SkipWithError("the window did not paint");
            break;
        }
        state.ResumeTiming();
    }
    p.closeQuiz();
    p.closeViewer();
}

void window_show_all(benchmark::State &state)
{
    RealProgram p;
    measure(
        state, p, [] {}, [&] { p.form->Command8->click(); }, inside<sqlret>,
        [&] { p.closeViewer(); });
}

void window_go_first_page(benchmark::State &state)
{
    RealProgram p;
    measure(
        state, p,
        [&] { p.form->Text1->setText(QStringLiteral("Select * from Words where word like 'Word*'")); },
        [&] { p.form->Command13->click(); }, inside<sqlret>, [&] { p.closeViewer(); });
}

// Start with the quiz's count asked and answered, up to the Quiz window painted.
void window_quiz_start(benchmark::State &state)
{
    RealProgram p;
    measure(
        state, p, [] {}, [&] { p.form->Command5->click(); }, inside<quiz>,
        [&] {
            p.closeQuiz();
            p.closeViewer(); // a quiz ended early lists its marked words too
        });
}

QRadioButton *rightOption(quiz *q)
{
    const QList<QRadioButton *> options{q->Option1, q->Option2, q->Option3, q->Option4,
                                        q->Option5};
    return options[q->question().correctSlot - 1];
}

void window_quiz_next(benchmark::State &state)
{
    RealProgram p;
    p.form->Command5->click();
    RealProgram::settle();
    quiz *q = topLevel<quiz>();
    if (!q) {
        state.SkipWithError("no quiz window");
        return;
    }
    measure(
        state, p, [&] { rightOption(q)->setChecked(true); }, [&] { q->Command3->click(); },
        inside<quiz>, [] {});
}

// The last Next of a one-question quiz answered wrongly: the marked words in the viewer.
void window_quiz_end_marked(benchmark::State &state)
{
    RealProgram p;
    p.answers.count = QStringLiteral("1");
    quiz *q = nullptr;
    measure(
        state, p,
        [&] {
            p.form->Command5->click();
            RealProgram::settle();
            q = topLevel<quiz>();
            if (q)
                q->Option1->setChecked(q->question().correctSlot != 1);
            if (q && q->question().correctSlot == 1)
                q->Option2->setChecked(true);
        },
        [&] {
            if (q)
                q->Command3->click();
        },
        inside<sqlret>, [&] {
            p.closeViewer();
            p.closeQuiz();
        });
}

void window_modify_mode(benchmark::State &state)
{
    RealProgram p;
    measure(
        state, p, [] {}, [&] { p.form->Command10->click(); },
        [&](QWidget *w) { return w == p.form->Combo3 || p.form->Combo3->isAncestorOf(w); },
        [&] {
            p.form->Command16->click();
            RealProgram::settle();
        });
}

void window_delete_word(benchmark::State &state)
{
    RealProgram p;
    p.form->Command10->click();
    RealProgram::settle();
    int n = BenchData::words() / 3;
    measure(
        state, p,
        [&] {
            p.form->Combo3->setEditText(BenchData::word(++n));
            RealProgram::settle();
        },
        [&] { p.form->Command17->click(); },
        [&](QWidget *w) {
            return w == p.form->RichTextBox2 || p.form->RichTextBox2->isAncestorOf(w);
        },
        [] {});
}

} // namespace

BENCHMARK(window_show_all)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(window_go_first_page)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(window_quiz_start)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(window_quiz_next)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(window_quiz_end_marked)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(window_modify_mode)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(window_delete_word)->Unit(benchmark::kMillisecond)->MinTime(1.0);
