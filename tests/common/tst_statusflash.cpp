// The Status box: scrolled to its end and flashing after every change, tick by tick.
#include "StatusBox.h"
#include "SwitchTimer.h"

#include <QScrollBar>
#include <QTest>

class TstStatusFlash : public QObject
{
    Q_OBJECT

private slots:
    void changeRestartsTheFlash_data();
    void changeRestartsTheFlash();
    void endsWhiteWhateverTheBackground();
    void caretAndViewFollowTheEnd();
};

namespace {

const QColor Green(0, 255, 0);
const QColor White(255, 255, 255);

} // namespace

void TstStatusFlash::changeRestartsTheFlash_data()
{
    QTest::addColumn<int>("ticksBefore");
    QTest::newRow("after one tick") << 1;
    QTest::newRow("while green") << 2;
    QTest::newRow("half way") << 7;
    QTest::newRow("one tick from the end") << 14;
    QTest::newRow("after the end") << 15;
}

void TstStatusFlash::changeRestartsTheFlash()
{
    QFETCH(int, ticksBefore);
    StatusBox box(Green);
    box.setStatusText("first");
    for (int i = 0; i < ticksBefore; ++i)
        box.flashTick();
    box.appendText("second");
    QCOMPARE(box.flashCounter(), 0);
    QCOMPARE(box.flashTimer()->interval(), 300);
    // Green again on the second tick after the last change, and on that one only.
    QStringList colours;
    for (int tick = 1; tick <= 15; ++tick) {
        box.flashTick();
        colours << (box.backgroundColour() == Green ? "G" : "w");
    }
    QCOMPARE(colours.join(QString()), "wGwwwwwwwwwwwww");
    QCOMPARE(box.flashTimer()->interval(), 0);
}

void TstStatusFlash::endsWhiteWhateverTheBackground()
{
    StatusBox box(Green);
    QPalette p = box.palette();
    p.setColor(QPalette::Base, QColor(255, 255, 192));
    box.setPalette(p);
    box.appendLine("x");
    for (int tick = 1; tick <= 15; ++tick)
        box.flashTick();
    QCOMPARE(box.backgroundColour(), White);
}

void TstStatusFlash::caretAndViewFollowTheEnd()
{
    StatusBox box(Green);
    box.resize(200, 80);
    box.show();
    for (int i = 0; i < 40; ++i) {
        box.appendLine(QStringLiteral("line %1").arg(i));
        QCOMPARE(box.textCursor().position(), box.document()->characterCount() - 1);
        QCOMPARE(box.verticalScrollBar()->value(), box.verticalScrollBar()->maximum());
    }
    QVERIFY(box.verticalScrollBar()->maximum() > 0);
    // The caret moved by the user comes back to the end with the next change.
    QTextCursor start = box.textCursor();
    start.movePosition(QTextCursor::Start);
    box.setTextCursor(start);
    box.appendText("more");
    QCOMPARE(box.textCursor().position(), box.document()->characterCount() - 1);
}

QTEST_MAIN(TstStatusFlash)
#include "tst_statusflash.moc"
