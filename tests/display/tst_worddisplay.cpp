// The "Show Words" frame driven through the Main window's real controls.
#include "Form1.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "RandomSource.h"
#include "StatusBox.h"
#include "SwitchTimer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace TestSupport;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Title = QStringLiteral("Lexmora! Wordbrawl");
const QString Wrap =
    CrLf + "You are looking up the last word. Switching back to the beginning " + CrLf;
const QString FirstWord = QStringLiteral("You are already looking up the first word buddy!");
const QString LastWord = QStringLiteral("You are already looking up the last word buddy!");

std::vector<WordEntry> threeWords()
{
    return {{"Abate", "to lessen", "v."},
            {"Bane", "a cause of ruin", "n."},
            {"Cajole", "to coax", "v. tr."}};
}

// The word display as the user sees it: both labels and the pointer tooltip.
struct Shown
{
    QString word, meaning, pointer;
    bool operator==(const Shown &) const = default;
};

Shown shown(Form1 *form)
{
    return {form->Label1->text(), form->Label2->text(), form->Label1->toolTip()};
}

char *toString(const Shown &s)
{
    return QTest::toString(s.word + " | " + s.meaning + " | " + s.pointer);
}

// What was appended to the Status box since `before`.
QString appended(Form1 *form, const QString &before)
{
    return form->RichTextBox1->statusText().mid(before.size());
}

} // namespace

class TstWordDisplay : public QObject
{
    Q_OBJECT

private slots:
    void orderModeRunsOneAheadAndWraps();
    void oneWordCollectionWrapsTwice();
    void intervalTexts_data();
    void intervalTexts();
    void previousAndNextAtBothEnds();
    void previousAfterStartShowsTheWordOnDisplay();
    void tickAfterPreviousPastFirstShowsFirst();
    void emptyCollection();
    void stopThenStartAgain();
    void pauseGoAndRandomizeReadOnEveryTick();
    void goFromIdleNeverFires();
    void displayHaltStopsTheTickOnly();
    void realTimerAdvancesTheDisplay();
};

void TstWordDisplay::orderModeRunsOneAheadAndWraps()
{
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    const QString before = form->RichTextBox1->statusText();

    QTest::mouseClick(form->Command2, Qt::LeftButton);
    // Start shows the first word at once and leaves the tooltip alone.
    QCOMPARE(shown(form), (Shown{"Abate", "to lessen", ""}));
    QCOMPARE(appended(form, before), CrLf + "Displaying words every 5 Seconds" + CrLf);
    QVERIFY(!form->Check1->isEnabled());
    QVERIFY(!form->Combo1->isEnabled());
    QVERIFY(form->Timer1->isRunning());

    const QString started = form->RichTextBox1->statusText();
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Bane", "a cause of ruin", "n."}));
    QCOMPARE(form->Label2->toolTip(), "n.");
    QCOMPARE(appended(form, started), QString());

    // The wrap line is written while the last word is on display.
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Cajole", "to coax", "v. tr."}));
    QCOMPARE(appended(form, started), Wrap);

    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Abate", "to lessen", "v."}));
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Bane", "a cause of ruin", "n."}));
    QCOMPARE(appended(form, started), Wrap);
    QVERIFY(program.dialogs().calls().isEmpty());
}

void TstWordDisplay::oneWordCollectionWrapsTwice()
{
    ProgramFixture program({.tables = {{"Words", {{"Lone", "alone", "adj."}}}}});
    Form1 *form = program.start();
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(shown(form), (Shown{"Lone", "alone", ""}));

    const QString started = form->RichTextBox1->statusText();
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Lone", "alone", "adj."}));
    QCOMPARE(appended(form, started), Wrap + Wrap);
    // From then on the wrap back to the start is already done: once per tick.
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Lone", "alone", "adj."}));
    QCOMPARE(appended(form, started), Wrap + Wrap + Wrap);
}

void TstWordDisplay::intervalTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<int>("ms");
    QTest::addColumn<QString>("line");

    QTest::newRow("untouched") << "Timer Interval"
                               << "5 Seconds" << 5000 << "Displaying words every 5 Seconds";
    QTest::newRow("1 second") << "1 Second"
                              << "1 Second" << 1000 << "Displaying words every 1 Second";
    QTest::newRow("7 seconds") << "7 Seconds"
                               << "7 Seconds" << 7000 << "Displaying words every 7 Seconds";
    QTest::newRow("40 seconds") << "40 Seconds"
                                << "40 Seconds" << 40000 << "Displaying words every 40 Seconds";
    QTest::newRow("not a number") << "soon"
                                  << "soon" << 0 << "Displaying words every 0 Seconds";
    QTest::newRow("fraction") << "2.7 Seconds"
                              << "2.7 Seconds" << 2000 << "Displaying words every 2 Seconds";
    QTest::newRow("zero") << "0 Seconds"
                          << "0 Seconds" << 0 << "Displaying words every 0 Seconds";
    QTest::newRow("negative") << "-4 Seconds"
                              << "-4 Seconds" << 0 << "Displaying words every 0 Seconds";
    QTest::newRow("above an hour")
        << "99999 Seconds"
        << "99999 Seconds" << 3600000 << "Displaying words every 3600 Seconds";
}

void TstWordDisplay::intervalTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, textAfter);
    QFETCH(int, ms);
    QFETCH(QString, line);
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    form->Combo1->setEditText(text);
    const QString before = form->RichTextBox1->statusText();

    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(form->Combo1->currentText(), textAfter);
    QCOMPARE(form->Timer1->interval(), ms);
    QVERIFY(form->Timer1->isEnabled());
    QCOMPARE(form->Timer1->isRunning(), ms > 0);
    QCOMPARE(appended(form, before), CrLf + line + CrLf);
}

void TstWordDisplay::previousAndNextAtBothEnds()
{
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    Module1::words->moveLast();

    // On the last record: Next has nowhere to go; the labels stay.
    program.dialogs().expectMessage();
    QTest::mouseClick(form->Command15, Qt::LeftButton);
    QCOMPARE(program.dialogs().last().text, LastWord);
    QCOMPARE(program.dialogs().last().title, Title);
    QCOMPARE(shown(form), (Shown{"Word:", "Meaning:", ""}));

    // From past the end, Previous comes back to the last record, then walks down.
    QTest::mouseClick(form->Command14, Qt::LeftButton);
    QCOMPARE(shown(form), (Shown{"Cajole", "to coax", "v. tr."}));
    QTest::mouseClick(form->Command14, Qt::LeftButton);
    QTest::mouseClick(form->Command14, Qt::LeftButton);
    QCOMPARE(shown(form), (Shown{"Abate", "to lessen", "v."}));
    QCOMPARE(program.dialogs().calls().size(), 1);

    program.dialogs().expectMessage();
    QTest::mouseClick(form->Command14, Qt::LeftButton);
    QCOMPARE(program.dialogs().last().text, FirstWord);
    QCOMPARE(program.dialogs().last().title, Title);
    QCOMPARE(shown(form), (Shown{"Abate", "to lessen", "v."}));

    QTest::mouseClick(form->Command15, Qt::LeftButton);
    QCOMPARE(shown(form), (Shown{"Abate", "to lessen", "v."}));
    QTest::mouseClick(form->Command15, Qt::LeftButton);
    QCOMPARE(shown(form), (Shown{"Bane", "a cause of ruin", "n."}));
    QCOMPARE(program.dialogs().calls().size(), 2);
}

void TstWordDisplay::previousAfterStartShowsTheWordOnDisplay()
{
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    emit form->Timer1->tick(); // Bane on display, Cajole current
    QTest::mouseClick(form->Command14, Qt::LeftButton);
    QCOMPARE(shown(form), (Shown{"Bane", "a cause of ruin", "n."}));
    // The timer goes on from where Previous left the position: Bane once more, then on.
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Bane", "a cause of ruin", "n."}));
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Cajole", "to coax", "v. tr."}));
}

void TstWordDisplay::tickAfterPreviousPastFirstShowsFirst()
{
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QTest::mouseClick(form->Command14, Qt::LeftButton);
    program.dialogs().expectMessage();
    QTest::mouseClick(form->Command14, Qt::LeftButton);
    QCOMPARE(program.dialogs().last().text, FirstWord);

    const QString before = form->RichTextBox1->statusText();
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Abate", "to lessen", "v."}));
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Bane", "a cause of ruin", "n."}));
    QCOMPARE(appended(form, before), QString());
}

void TstWordDisplay::emptyCollection()
{
    ProgramFixture program;
    Form1 *form = program.start();
    const QString before = form->RichTextBox1->statusText();

    program.dialogs().expectMessage();
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(program.dialogs().last().text, "Sorry! There are no words in this collection!");
    QCOMPARE(program.dialogs().last().title, Title);
    // Nothing else changed.
    QCOMPARE(form->Combo1->currentText(), "Timer Interval");
    QCOMPARE(form->Timer1->interval(), 0);
    QVERIFY(form->Check1->isEnabled());
    QVERIFY(form->Combo1->isEnabled());
    QCOMPARE(shown(form), (Shown{"Word:", "Meaning:", ""}));
    QCOMPARE(appended(form, before), QString());

    // Previous and Next only say so.
    program.dialogs().expectMessage().expectMessage();
    QTest::mouseClick(form->Command14, Qt::LeftButton);
    QTest::mouseClick(form->Command15, Qt::LeftButton);
    QCOMPARE(program.dialogs().calls().at(1).text, FirstWord);
    QCOMPARE(program.dialogs().calls().at(2).text, LastWord);
    QCOMPARE(shown(form), (Shown{"Word:", "Meaning:", ""}));
}

void TstWordDisplay::stopThenStartAgain()
{
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    form->Combo1->setCurrentIndex(2); // "3 Seconds"
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    emit form->Timer1->tick();
    emit form->Timer1->tick();
    QCOMPARE(form->Label1->text(), "Cajole");

    QTest::mouseClick(form->Command3, Qt::LeftButton);
    QCOMPARE(form->Label1->text(), "Word:");
    QCOMPARE(form->Label2->text(), "Meaning:");
    QCOMPARE(form->Label1->toolTip(), "v. tr."); // tooltips are left as they were
    QCOMPARE(form->Timer1->interval(), 0);
    QVERIFY(!form->Timer1->isEnabled());
    QVERIFY(form->Check1->isEnabled());
    QVERIFY(form->Combo1->isEnabled());
    QCOMPARE(form->Command4->text(), "Pause");

    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(form->Label1->text(), "Abate");
    QCOMPARE(form->Timer1->interval(), 3000);
    QVERIFY(form->Timer1->isRunning());
    emit form->Timer1->tick();
    QCOMPARE(form->Label1->text(), "Bane");
}

void TstWordDisplay::pauseGoAndRandomizeReadOnEveryTick()
{
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QTest::mouseClick(form->Command2, Qt::LeftButton);

    QTest::mouseClick(form->Command4, Qt::LeftButton);
    QCOMPARE(form->Command4->text(), "Go..");
    QVERIFY(!form->Timer1->isEnabled());
    QCOMPARE(form->Timer1->interval(), 5000);
    QVERIFY(form->Check1->isEnabled());
    QVERIFY(form->Combo1->isEnabled());

    // While paused: Randomize set, another interval chosen.
    QTest::mouseClick(form->Check1, Qt::LeftButton);
    QVERIFY(form->Check1->isChecked());
    form->Combo1->setCurrentIndex(0); // "1 Second"

    QTest::mouseClick(form->Command4, Qt::LeftButton);
    QCOMPARE(form->Command4->text(), "Pause");
    QVERIFY(form->Timer1->isRunning());
    QCOMPARE(form->Timer1->interval(), 5000); // the new choice waits for the next Start
    QVERIFY(!form->Check1->isEnabled());
    QVERIFY(!form->Combo1->isEnabled());

    // The next tick picks at random: 0.9 * 3 = 2.7 rounds to record 3.
    RandomSource::instance().feed({0.9});
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Cajole", "to coax", "v. tr."}));
    RandomSource::instance().feed({0.1});
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Abate", "to lessen", "v."}));

    // Randomize cleared again: table order goes on from the record the pick chose.
    form->Check1->setChecked(false);
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Abate", "to lessen", "v."}));
    emit form->Timer1->tick();
    QCOMPARE(shown(form), (Shown{"Bane", "a cause of ruin", "n."}));
}

void TstWordDisplay::goFromIdleNeverFires()
{
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QTest::mouseClick(form->Command4, Qt::LeftButton); // "Pause" while idle
    QCOMPARE(form->Command4->text(), "Go..");
    QTest::mouseClick(form->Command4, Qt::LeftButton);
    QCOMPARE(form->Command4->text(), "Pause");
    QVERIFY(form->Timer1->isEnabled());
    QVERIFY(!form->Timer1->isRunning()); // interval 0
    QVERIFY(!form->Check1->isEnabled());
}

void TstWordDisplay::displayHaltStopsTheTickOnly()
{
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    emit form->Timer1->tick();

    form->displayHalt();
    QVERIFY(!form->Timer1->isEnabled());
    QCOMPARE(form->Timer1->interval(), 5000);
    QVERIFY(form->Check1->isEnabled());
    QVERIFY(form->Combo1->isEnabled());
    QCOMPARE(shown(form), (Shown{"Bane", "a cause of ruin", "n."}));
    QCOMPARE(form->Command4->text(), "Pause");
}

void TstWordDisplay::realTimerAdvancesTheDisplay()
{
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    form->Combo1->setCurrentIndex(0); // "1 Second"
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(form->Label1->text(), "Abate");
    QTRY_COMPARE_WITH_TIMEOUT(form->Label1->text(), QString("Bane"), 3000);
    QTest::mouseClick(form->Command3, Qt::LeftButton);
    QTest::qWait(1300);
    QCOMPARE(form->Label1->text(), "Word:");
}

QTEST_MAIN(TstWordDisplay)
#include "tst_worddisplay.moc"
