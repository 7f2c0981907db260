// The Splash screen and the start of the program it hands over to.
#include "Form1.h"
#include "Form3.h"
#include "Module1.h"
#include "Program.h"
#include "ProgramFixture.h"
#include "SwitchTimer.h"
#include "TitleArt.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTest>

using namespace TestSupport;

namespace {

QList<int> intervals(const Form3 *splash)
{
    return {splash->Timer1->interval(), splash->Timer2->interval(), splash->Timer3->interval()};
}

int mainWindows()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += qobject_cast<Form1 *>(w) != nullptr;
    return n;
}

// Runs the splash from load to the given point of its sequence.
enum class Stage { Waiting, Narrowing, Card };
void runTo(Form3 *splash, Stage stage)
{
    if (stage == Stage::Waiting)
        return;
    splash->timer1Tick();
    splash->timer2Tick();
    if (stage == Stage::Card)
        while (splash->Timer2->interval())
            splash->timer2Tick();
}

// The splash goes on the next turn of the event loop.
bool deleted(const QPointer<Form3> &splash)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return splash.isNull();
}

} // namespace

class TstForm3 : public QObject
{
    Q_OBJECT

private slots:
    void cardOfTheFirstRun();
    void markerPresentHandsOverAtOnce();
    void handOver_data();
    void handOver();
    void pictureNarrowsTickByTick();
    void waitAndNarrowingRunByThemselves();
    void missingDatabase_data();
    void missingDatabase();
};

void TstForm3::cardOfTheFirstRun()
{
    ProgramFixture program({.firstRun = true});
    Form3 *splash = program.startSplash();
    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QVERIFY(!program.form());
    QCOMPARE(intervals(splash), QList<int>({2000, 0, 0}));
    const QList<QPair<const char *, QString>> captions{{"Label1", "Presents"},
                                                       {"Label2", "Lexmora! Wordbrawl!"},
                                                       {"Label3", "Version 1.00"},
                                                       {"Label4", "Released on August 15th, 2002"}};
    for (const auto &[name, caption] : captions) {
        auto *label = splash->findChild<QLabel *>(name);
        QVERIFY2(label, name);
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->font().family(), "Times New Roman");
        // The title picture lies over the card until it is drawn aside.
        QVERIFY(splash->Picture1->geometry().contains(label->geometry()));
    }
    QCOMPARE(splash->Picture1->width(), splash->width());
    QVERIFY(!QFile::exists("zq.ini")); // the Main window makes the marker, later
}

void TstForm3::markerPresentHandsOverAtOnce()
{
    ProgramFixture program;
    QPointer<Form3> splash = program.startSplash();
    // Without any event processing or timer the Main window is up and started.
    QVERIFY(program.form());
    QVERIFY(program.form()->isVisible());
    QVERIFY(program.form()->isEnabled());
    QVERIFY(Module1::database);
    QCOMPARE(program.form()->Timer2->interval(), 0); // no Intro slide either
    if (splash) {
        QVERIFY(!splash->isVisible());
        QVERIFY(!splash->testAttribute(Qt::WA_WState_ExplicitShowHide)); // never shown
        QCOMPARE(intervals(splash), QList<int>({0, 0, 0}));
        QVERIFY(!splash->Timer1->isRunning());
    }
    QVERIFY(deleted(splash));
    QVERIFY(program.dialogs().calls().isEmpty());
}

void TstForm3::handOver_data()
{
    // What hands over (a click on a control or the window, or "tick" for Timer3), and when.
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<QString>("target");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("window, during the wait") << Stage::Waiting << "Form3" << Qt::LeftButton;
    QTest::newRow("picture, during the wait") << Stage::Waiting << "Picture1" << Qt::LeftButton;
    QTest::newRow("title label, during the wait") << Stage::Waiting << "Label2" << Qt::LeftButton;
    QTest::newRow("right button") << Stage::Waiting << "Form3" << Qt::RightButton;
    QTest::newRow("picture, while it narrows") << Stage::Narrowing << "Picture1" << Qt::LeftButton;
    QTest::newRow("label, on the title card") << Stage::Card << "Label4" << Qt::LeftButton;
    QTest::newRow("end of the title card") << Stage::Card << "tick" << Qt::NoButton;
}

void TstForm3::handOver()
{
    QFETCH(Stage, stage);
    QFETCH(QString, target);
    QFETCH(Qt::MouseButton, button);
    ProgramFixture program({.firstRun = true});
    QPointer<Form3> splash = program.startSplash();
    runTo(splash, stage);
    if (target == "tick") {
        splash->timer3Tick();
    } else {
        auto *widget = target == "Form3" ? splash.data() : splash->findChild<QWidget *>(target);
        QVERIFY(widget);
        QTest::mouseClick(widget, button, {}, QPoint(4, 4));
    }
    QVERIFY(program.form());
    QVERIFY(program.form()->isVisible());
    QVERIFY(!splash->isVisible());
    QCOMPARE(intervals(splash), QList<int>({0, 0, 0}));
    // A timer tick or another click that was already on its way changes nothing.
    splash->timer3Tick();
    splash->handOver();
    QCOMPARE(mainWindows(), 1);
    QVERIFY(deleted(splash));
    // The Main window runs its first start: the Intro slide and the marker.
    QCOMPARE(program.form()->Timer2->interval(), 1);
    QVERIFY(QFile::exists("zq.ini"));
}

void TstForm3::pictureNarrowsTickByTick()
{
    ProgramFixture program({.firstRun = true});
    Form3 *splash = program.startSplash();
    const double start = splash->picture1Width();
    QCOMPARE(start, 7200.0);
    const QImage full = splash->Picture1->grab().toImage();

    splash->timer1Tick();
    QCOMPARE(intervals(splash), QList<int>({0, 1, 0}));
    QList<double> widths;
    while (splash->Timer2->interval() && widths.size() < 1000) {
        splash->timer2Tick();
        widths << splash->picture1Width();
        QCOMPARE(splash->Picture1->width(), qRound(widths.last() / 15));
        if (widths.size() == 100) {
            // Narrowed, the picture is cut off on the right, not squeezed.
            const QImage cut = splash->Picture1->grab().toImage();
            QCOMPARE(cut.copy(0, 0, 60, cut.height()), full.copy(0, 0, 60, full.height()));
        }
    }
    // 7150, 7100, ... 100, then 50, which snaps back to 100.
    QList<double> expected;
    for (double w = start - 50; w > 51; w -= 50)
        expected << w;
    expected << 100;
    QCOMPARE(widths, expected);
    QCOMPARE(widths.size(), 143);
    QCOMPARE(intervals(splash), QList<int>({0, 0, 4000}));
    QCOMPARE(splash->Picture1->x(), 0);
    QVERIFY(splash->isVisible());
    QVERIFY(!program.form());
}

void TstForm3::waitAndNarrowingRunByThemselves()
{
    ProgramFixture program({.firstRun = true});
    QPointer<Form3> splash = program.startSplash();
    QTest::qWait(1000);
    QCOMPARE(splash->Timer1->interval(), 2000); // still waiting
    QTRY_COMPARE_WITH_TIMEOUT(splash->Timer3->interval(), 4000, 5000);
    QCOMPARE(splash->picture1Width(), 100.0);
    QVERIFY(!program.form());
}

void TstForm3::missingDatabase_data()
{
    QTest::addColumn<bool>("firstRun");
    QTest::newRow("marker present: before the event loop") << false;
    QTest::newRow("first run: after the title sequence") << true;
}

void TstForm3::missingDatabase()
{
    QFETCH(bool, firstRun);
    ProgramFixture folder({.firstRun = firstRun, .database = false});
    folder.dialogs().expectMessage();
    Program program;
    // With the marker, start() itself reports that the program has ended; on a first run
    // the program is running until the splash hands over.
    QCOMPARE(program.start(), firstRun);
    if (firstRun) {
        QCOMPARE(folder.dialogs().calls().size(), 0);
        program.splash()->timer1Tick();
        QTest::mouseClick(program.splash(), Qt::LeftButton);
    }
    QCOMPARE(folder.dialogs().calls().size(), 1);
    QVERIFY(folder.dialogs().last().text.startsWith("I was hopin' to find"));
    QVERIFY(!program.mainWindow());
    QCOMPARE(mainWindows(), 0);
    QCOMPARE(QFile::exists("zq.ini"), !firstRun); // no first start was made
}

QTEST_MAIN(TstForm3)
#include "tst_form3.moc"
