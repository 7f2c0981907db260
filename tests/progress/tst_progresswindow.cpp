// The progress window in the running program: opened from the quiz frame beside a usable
// Main window, with the figures of the Current collection in its charts and list.
#include "Form1.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "ProgressStart.h"
#include "ProgressWindow.h"
#include "QuizWords.h"
#include "ReviewBook.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace TestSupport;

namespace {

QChart *chartOf(QWidget *view)
{
    auto *chartView = qobject_cast<QChartView *>(view);
    return chartView ? chartView->chart() : nullptr;
}

QList<double> barValues(ProgressWindow *w)
{
    const auto series = chartOf(w->Chart2)->series();
    auto *bars = series.isEmpty() ? nullptr : qobject_cast<QBarSeries *>(series.first());
    QList<double> out;
    for (int i = 0; bars && i < bars->barSets().first()->count(); ++i)
        out << bars->barSets().first()->at(i);
    return out;
}

QList<QPointF> scorePoints(ProgressWindow *w)
{
    const auto series = chartOf(w->Chart1)->series();
    auto *line = series.isEmpty() ? nullptr : qobject_cast<QLineSeries *>(series.first());
    return line ? line->points() : QList<QPointF>{};
}

void sendMouseMove(QWidget *w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

} // namespace

class TstProgressWindow : public QObject
{
    Q_OBJECT

private slots:
    void quizFrameControls();
    void showsTheCurrentCollection();
    void emptyHistory();
    void closeButtonLooks();

private:
    ProgressWindow *open(Form1 *form);
};

ProgressWindow *TstProgressWindow::open(Form1 *form)
{
    QTest::mouseClick(form->Command22, Qt::LeftButton);
    return form->findChild<ProgressStart *>(QStringLiteral("ProgressStart"))->window();
}

void TstProgressWindow::quizFrameControls()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    QCOMPARE(form->Check3->text(), "Due words first");
    QVERIFY(!form->Check3->isChecked());
    QCOMPARE(form->Check3->parentWidget(), form->Frame2);
    QCOMPARE(form->Command22->text(), "Progress");
    QCOMPARE(form->Command22->toolTip(),
             "This shows how well you know the words of the current database");
    QCOMPARE(form->Command22->parentWidget(), form->Frame2);
    // Inside the frame, under "Randomize" and beside it, clear of Start and the interval.
    QVERIFY(form->Frame2->rect().contains(form->Check3->geometry()));
    QVERIFY(form->Frame2->rect().contains(form->Command22->geometry()));
    QVERIFY(form->Check3->y() > form->Check2->y());
    for (QWidget *other : {static_cast<QWidget *>(form->Command5),
                           static_cast<QWidget *>(form->Check2),
                           static_cast<QWidget *>(form->Combo2)})
        QVERIFY(!form->Command22->geometry().intersects(other->geometry()));
}

void TstProgressWindow::showsTheCurrentCollection()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}, {"Words1", fourQuizWords()}}});
    Form1 *form = program.start();
    WordDatabase &db = *Module1::database;
    const QDateTime now = QDateTime::currentDateTime();
    ReviewBook::recordAnswer(db, {"Words", 1, "Abate", true, 1000, now.addDays(-5)});
    ReviewBook::recordAnswer(db, {"Words", 2, "Zeal", false, 1000, now.addDays(-3)});
    ReviewBook::recordAnswer(db, {"Words", 2, "Zeal", false, 1000, now.addDays(-3)});
    ReviewBook::recordAnswer(db, {"Words", 3, "Quell", false, 1000, now});
    ReviewBook::recordAnswer(db, {"Words1", 1, "Abate", false, 1000, now});
    ReviewBook::recordQuiz(db, "Words", now.addDays(-5), 4, 3);
    ReviewBook::recordQuiz(db, "Words", now.addDays(-3), 2, 0);
    ReviewBook::recordQuiz(db, "Words", now, 0, 0); // cancelled at once: no point
    ReviewBook::recordQuiz(db, "Words1", now, 5, 5);

    ProgressWindow *w = open(form);
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), "Lexmora! Progress");
    // Modeless: the Main window stays in view and usable.
    QVERIFY(form->isVisible() && form->isEnabled());
    QCOMPARE(w->Label1->text(), "How well you know the words of Words");
    const auto points = scorePoints(w);
    QCOMPARE(points.size(), 2);
    QCOMPARE(points[0].y(), 75.0);
    QCOMPARE(points[1].y(), 0.0);
    QVERIFY(points[0].x() < points[1].x());
    // New (Earlier), learning (Abate, due in three days; Quell, due tomorrow), known, due
    // today (Zeal, due two days ago).
    QCOMPARE(barValues(w), QList<double>({1, 2, 0, 1}));
    QCOMPARE(w->List1->topLevelItemCount(), 2);
    QCOMPARE(w->List1->topLevelItem(0)->text(0), "Zeal");
    QCOMPARE(w->List1->topLevelItem(0)->text(1), "fervour");
    QCOMPARE(w->List1->topLevelItem(0)->text(2), "2");
    QCOMPARE(w->List1->topLevelItem(1)->text(0), "Quell");

    // A second click brings the same window back with the figures read afresh.
    ReviewBook::recordAnswer(db, {"Words", 4, "Earlier", true, 1000, now});
    QCOMPARE(open(form), w);
    QCOMPARE(barValues(w), QList<double>({0, 3, 0, 1}));
    // Another collection chosen: its own figures.
    Module1::currentCollection = QStringLiteral("Words1");
    w->refresh();
    QCOMPARE(scorePoints(w).size(), 1);
    QCOMPARE(barValues(w), QList<double>({3, 1, 0, 0}));
    QCOMPARE(w->List1->topLevelItemCount(), 1);

    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QTRY_VERIFY(!form->findChild<ProgressStart *>()->window());
    QVERIFY(form->isVisible() && form->isEnabled());
}

void TstProgressWindow::emptyHistory()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    ProgressWindow *w = open(program.start());
    QVERIFY(w);
    QVERIFY(chartOf(w->Chart1) && chartOf(w->Chart2));
    QVERIFY(chartOf(w->Chart1)->title().contains("no quiz yet"));
    QVERIFY(scorePoints(w).isEmpty());
    QCOMPARE(barValues(w), QList<double>({4, 0, 0, 0}));
    QCOMPARE(w->List1->topLevelItemCount(), 0);
    // A collection that cannot be read: said in the heading, nothing shown, nothing thrown.
    Module1::currentCollection = QStringLiteral("Nowhere");
    w->refresh();
    QVERIFY(w->Label1->text().startsWith("The progress of Nowhere could not be read"));
    QCOMPARE(barValues(w), QList<double>({0, 0, 0, 0}));
}

void TstProgressWindow::closeButtonLooks()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    ProgressWindow *w = open(program.start());
    QPushButton *close = w->Command1;
    QCOMPARE(close->palette().color(QPalette::Button), QColor(0, 192, 192));
    sendMouseMove(close);
    QCOMPARE(close->palette().color(QPalette::Button), QColor(192, 255, 255));
    QVERIFY(close->font().italic());
    sendMouseMove(w);
    QCOMPARE(close->palette().color(QPalette::Button), QColor(0, 192, 192));
    QVERIFY(!close->font().italic());
}

QTEST_MAIN(TstProgressWindow)
#include "tst_progresswindow.moc"
