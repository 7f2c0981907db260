#include "LongWork.h"
#include "WindowOwner.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace {

// What the user does: a click on the box's Cancel button.
void pressCancel()
{
    QProgressDialog *box = LongWork::currentDialog();
    QVERIFY(box);
    auto *button = box->findChild<QPushButton *>();
    QVERIFY(button);
    button->click();
}

} // namespace

// Long work on the GUI thread: the windows keep being served while it runs, the box comes
// only when the work lasts, and Cancel reaches the work.
class tst_LongWork : public QObject
{
    Q_OBJECT

private slots:
    void init() { LongWork::setShowAfterForTests(100); }
    void cleanup() { LongWork::setShowAfterForTests(-1); }

    void timersRunAndTheBoxComesOnlyForLongWork_data()
    {
        QTest::addColumn<int>("workMs");
        QTest::addColumn<bool>("boxShown");
        QTest::newRow("short") << 40 << false;
        QTest::newRow("long") << 400 << true;
    }

    void timersRunAndTheBoxComesOnlyForLongWork()
    {
        QFETCH(int, workMs);
        QFETCH(bool, boxShown);
        QWidget owner;
        owner.show();
        int timerTicks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++timerTicks; });
        timer.start(5);

        bool sawBox = false;
        {
            LongWork work(&owner, QStringLiteral("Working..."));
            QElapsedTimer clock;
            clock.start();
            for (qint64 row = 0; clock.elapsed() < workMs; ++row) {
                QThread::usleep(200); // a row's worth of work
                QVERIFY(work.tick(row, 0));
                sawBox = sawBox || LongWork::currentDialog();
            }
        }
        QCOMPARE(sawBox, boxShown);
        QVERIFY(!LongWork::currentDialog());
        // A pump per PumpEveryMs of work, each of which lets the timer fire; half of them
        // at least, since a loaded machine runs late.
        QVERIFY2(timerTicks >= workMs / LongWork::PumpEveryMs / 2,
                 qPrintable(QString::number(timerTicks)));
    }

    // The box is a window of its own above the owner's window (not its child, which would
    // be disabled with it); with the owner out of sight, above the window left in use.
    void boxKeptAboveItsOwner_data()
    {
        QTest::addColumn<bool>("ownerShown");
        QTest::newRow("owner in view") << true;
        QTest::newRow("owner hidden") << false;
    }

    void boxKeptAboveItsOwner()
    {
        QFETCH(bool, ownerShown);
        QWidget owner;
        auto *control = new QPushButton(&owner);
        owner.show();
        QWidget other;
        other.show();
        owner.setVisible(ownerShown);
        other.setVisible(!ownerShown);
        owner.setEnabled(false);
        LongWork work(control, QStringLiteral("Working..."));
        QElapsedTimer clock;
        clock.start();
        while (!LongWork::currentDialog() && clock.elapsed() < 5000) {
            QThread::usleep(200);
            work.tick();
        }
        QProgressDialog *box = LongWork::currentDialog();
        QVERIFY(box);
        QVERIFY(!box->parentWidget());
        QVERIFY(box->isEnabled());
        QCOMPARE(WindowOwner::of(box), ownerShown ? &owner : &other);
    }

    void cancelStopsTickingWorkAndInterruptsOnce()
    {
        QWidget owner;
        owner.show();
        LongWork work(&owner, QStringLiteral("Working..."));
        int interrupts = 0;
        work.onCancel([&] { ++interrupts; });
        QTimer::singleShot(200, pressCancel);
        QElapsedTimer clock;
        clock.start();
        bool going = true;
        while (going && clock.elapsed() < 5000) {
            QThread::usleep(200);
            going = work.tick();
        }
        QVERIFY(!going);
        QVERIFY(work.cancelled());
        QVERIFY(!work.tick());
        QCOMPARE(interrupts, 1);
    }

    void waitForASignalOrCancel_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("signalAfterMs");
        QTest::newRow("signal before the box") << false << 30;
        QTest::newRow("signal after the box") << false << 300;
        QTest::newRow("cancel") << true << 4000;
    }

    void waitForASignalOrCancel()
    {
        QFETCH(bool, cancel);
        QFETCH(int, signalAfterMs);
        QTimer job; // stands for a child process
        job.setSingleShot(true);
        job.start(signalAfterMs);
        LongWork work(nullptr, QStringLiteral("Converting..."));
        int interrupts = 0;
        work.onCancel([&] {
            ++interrupts;
            job.stop();
        });
        if (cancel)
            QTimer::singleShot(250, pressCancel);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(work.waitFor(&job, &QTimer::timeout), !cancel);
        QCOMPARE(interrupts, cancel ? 1 : 0);
        QVERIFY(clock.elapsed() < 3000);
    }

    void workThatMustNotBeBrokenOffHasNoCancel()
    {
        LongWork work(nullptr, QStringLiteral("Saving..."));
        work.setCancellable(false);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 250)
            QVERIFY(work.tick());
        QProgressDialog *box = LongWork::currentDialog();
        QVERIFY(box);
        QVERIFY(box->findChildren<QPushButton *>().isEmpty());
        box->cancel();
        QVERIFY(work.tick());
    }
};

QTEST_MAIN(tst_LongWork)
#include "tst_longwork.moc"
