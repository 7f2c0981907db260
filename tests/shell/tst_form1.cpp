// Start-up and the Main window, started exactly as main() does.
#include "Form1.h"
#include "ListBox.h"
#include "Module1.h"
#include "PaintedPicture.h"
#include "ProgramFixture.h"
#include "StatusBox.h"
#include "SwitchTimer.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QMouseEvent>
#include <QTest>

using namespace TestSupport;

namespace {

const QString CrLf = QStringLiteral("\r\n");

std::vector<WordEntry> abacusToZeal()
{
    std::vector<WordEntry> words{{"Abacus", "a counting frame", "n."}};
    for (int i = 2; i < 120; ++i)
        words.push_back({QStringLiteral("Middle%1").arg(i), QStringLiteral("m%1").arg(i), {}});
    words.push_back({"Zeal", "great energy for a cause", "n."});
    // The Welcome text shows the words as stored, whatever their case.
    words.front().word = "abacus";
    words.back().word = "zeal";
    return words;
}

} // namespace

class TstForm1 : public QObject
{
    Q_OBJECT

private slots:
    void missingDatabaseEndsTheProgram();
    void unusableDatabaseEndsTheProgram_data();
    void unusableDatabaseEndsTheProgram();
    void welcomeText();
    void emptyDefaultCollection();
    void firstRunCreatesMarkerAndSlides();
    void laterRunSkipsIntro();
    void intervalLists();
    void keysStartOnShowWordsStart();
    void controlsByName();
    void exitEndsAtOnce();
    void statusBoxAppendAndFlash();
    void buttonLooksResetOverFramesAndWindow();
};

void TstForm1::missingDatabaseEndsTheProgram()
{
    ProgramFixture program({.firstRun = true, .database = false});
    program.dialogs().expectMessage();
    QVERIFY(!program.start());
    const auto call = program.dialogs().last();
    QCOMPARE(call.title, "Lexmora! Wordbrawl");
    QCOMPARE(call.text, "I was hopin' to find one of my subordinate files at " +
                            QDir::currentPath() + "/qvtmdb.mdb but, I could not! " + CrLf + CrLf +
                            "Please find the file for me or re-install this application");
    QCOMPARE(program.dialogs().calls().size(), 1);
    // Nothing after the check ran: no database, no marker.
    QVERIFY(!Module1::database);
    QVERIFY(!QFile::exists("zq.ini"));
    QVERIFY(!QFile::exists("qvtmdb.mdb"));
}

void TstForm1::unusableDatabaseEndsTheProgram_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");
    QTest::addColumn<bool>("offersConversion");
    QTest::newRow("text file") << QByteArray("just some words\n") << "is not a Lexmora word database" << false;
    QTest::newRow("access file") << (QByteArray("\x00\x01\x00\x00", 4) + "Standard Jet DB" + QByteArray(600, '\0'))
                                 << "Microsoft Access database" << true;
}

void TstForm1::unusableDatabaseEndsTheProgram()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    QFETCH(bool, offersConversion);
    ProgramFixture program({.database = false});
    QFile file("qvtmdb.mdb");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (offersConversion)
        program.dialogs().expectQuestion(false);
    program.dialogs().expectMessage();
    QVERIFY(!program.start());
    QCOMPARE(program.dialogs().last().title, "Lexmora! Wordbrawl");
    QVERIFY2(program.dialogs().last().text.contains(says), qPrintable(program.dialogs().last().text));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

void TstForm1::welcomeText()
{
    DetailsRows details = standardDetails();
    details[0].second = 0;
    details[2].second = 1; // Words2 is the Default collection
    ProgramFixture program({.details = details, .tables = {{"Words2", abacusToZeal()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    QCOMPARE(Module1::currentCollection, "Words2");
    const QString path = QDir::currentPath() + "/qvtmdb.mdb";
    QCOMPARE(form->RichTextBox1->statusText().split(CrLf),
             QStringList({"Welcome to Lexmora!", "I am using the table 'Words2' of ", path,
                          "Starting Word : abacus  Ending word : zeal",
                          "Total Number of words : 120", "",
                          "You may click on 'Change table' in the 'Word Control' options to "
                          "switch to a different collection",
                          "", "Clicking on 'Cover Panel' will close the Control Panel!", ""}));
    QCOMPARE(form->RichTextBox2->statusText(),
             "I am using the table 'Words2' of " + CrLf + path + CrLf +
                 "Starting Word : abacus  Ending word : zeal" + CrLf + CrLf +
                 "Total Number of words : 120" + CrLf + CrLf + "Progress......" + CrLf + CrLf);
    // The record set was left on the last record.
    QCOMPARE(Module1::words->text("word"), "zeal");
    QVERIFY(form->isVisible());
}

void TstForm1::emptyDefaultCollection()
{
    ProgramFixture program;
    Form1 *form = program.start();
    QVERIFY(form);
    QCOMPARE(Module1::currentCollection, "Words");
    QVERIFY(form->RichTextBox1->statusText().contains(
        CrLf + "Starting Word :   Ending word : " + CrLf + "Total Number of words : 0" + CrLf));
    QVERIFY(Module1::words->eof());
}

void TstForm1::firstRunCreatesMarkerAndSlides()
{
    ProgramFixture program({.firstRun = true});
    Form1 *form = program.start();
    QVERIFY(form);
    QFile marker("zq.ini");
    QVERIFY(marker.open(QIODevice::ReadOnly));
    QCOMPARE(marker.readAll(), QByteArray("\"False\"\r\n"));
    QCOMPARE(form->picture1Width(), 0.0);
    QCOMPARE(form->Timer2->interval(), 1);
    QCOMPARE(form->Timer3->interval(), 1);

    // Step the Intro slide to its end: both panes land where their rules put them.
    const double designWidth = form->panel().savedPaneWidth;
    const double designLeft = form->panel().savedPaneLeft;
    int guard = 0;
    while ((form->Timer2->interval() || form->Timer3->interval()) && ++guard < 1000) {
        if (form->Timer2->interval())
            form->timer2Tick();
        if (form->Timer3->interval())
            form->timer3Tick();
    }
    QVERIFY(guard < 1000);
    QCOMPARE(form->picture1Width(), std::ceil(designWidth / 70) * 70 + 70);
    QCOMPARE(form->picture2Left(), designLeft - 95); // 13905-twip pane
}

void TstForm1::laterRunSkipsIntro()
{
    ProgramFixture program;
    Form1 *form = program.start();
    QVERIFY(form);
    QCOMPARE(form->Timer2->interval(), 0);
    QCOMPARE(form->Timer3->interval(), 0);
    QCOMPARE(form->picture1Width(), double(form->panel().savedPaneWidth));
    QCOMPARE(form->picture2Left(), form->panel().savedPaneLeft - 40);
    QCOMPARE(QFile("zq.ini").size(), 9);
}

void TstForm1::intervalLists()
{
    ProgramFixture program;
    Form1 *form = program.start();
    for (QComboBox *list : {form->Combo1, form->Combo2}) {
        QCOMPARE(list->count(), 40);
        QCOMPARE(list->itemText(0), "1 Second");
        QCOMPARE(list->itemText(1), "2 Seconds");
        QCOMPARE(list->itemText(39), "40 Seconds");
        QCOMPARE(list->currentText(), "Timer Interval");
    }
}

void TstForm1::keysStartOnShowWordsStart()
{
    ProgramFixture program;
    Form1 *form = program.start();
    // The control that gets the keys once the window is active (offscreen cannot activate
    // it for certain; the real window is checked under X).
    QCOMPARE(form->focusWidget(), form->Command2);
    QCOMPARE(form->Command2->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
}

void TstForm1::controlsByName()
{
    ProgramFixture program;
    Form1 *form = program.start();
    QCOMPARE(form->objectName(), "Form1");
    QCOMPARE(form->windowTitle(), "Lexmora! Wordbrawl!");
    const QList<QPair<const char *, QString>> buttons{
        {"Command6", "Exit"},       {"Command7", "Help"},        {"Command20", "Cover Panel"},
        {"Command13", "Go!"},       {"Command18", "Change table"}, {"Command12", "Import"},
        {"Command11", "Delete all"}, {"Command10", "Find/Delete"}, {"Command9", "Add"},
        {"Command5", "Start"},      {"Command2", "Start"},       {"Command3", "Stop"},
        {"Command4", "Pause"},      {"Command8", "Show all"},    {"Command14", "Previous"},
        {"Command15", "Next"},      {"Command1", "Add"},         {"Command17", "Delete"},
        {"Command16", "Close"}};
    for (const auto &[name, caption] : buttons) {
        auto *b = form->findChild<QPushButton *>(name);
        QVERIFY2(b, name);
        QCOMPARE(b->text(), caption);
    }
    QCOMPARE(form->List1->count(), 3);
    QCOMPARE(form->List1->item(1)->text(), "Quick search - By meaning");
    QCOMPARE(form->Text1->text(), "Example: Select * from words");
    QCOMPARE(form->Command13->palette().color(QPalette::Button), QColor(0, 192, 0));
    QCOMPARE(form->Command18->palette().color(QPalette::Button), QColor(255, 128, 0));
    QVERIFY(!form->Frame5->isVisible());
    // The cover hides nothing at start: width 0, its left edge 960 twips left of the pane.
    QCOMPARE(form->coverWidth(), 0.0);
    QCOMPARE(form->Picture4->x(), -64);
}

void TstForm1::exitEndsAtOnce()
{
    ProgramFixture program;
    Form1 *form = program.start();
    QVERIFY(form->isVisible());
    QTest::mouseClick(form->Command6, Qt::LeftButton);
    QVERIFY(!form->isVisible());
    QVERIFY(program.dialogs().calls().isEmpty());
}

void TstForm1::statusBoxAppendAndFlash()
{
    ProgramFixture program;
    Form1 *form = program.start();
    StatusBox *box = form->RichTextBox1;
    const QString before = box->statusText();
    form->appendStatusLine(" Opening the Control Panel");
    QCOMPARE(box->statusText(), before + CrLf + " Opening the Control Panel" + CrLf);
    QCOMPARE(form->Timer7->interval(), 300);
    QList<bool> green;
    for (int tick = 1; tick <= 15; ++tick) {
        box->flashTick();
        green << (box->backgroundColour() == QColor(0, 255, 0));
        if (tick == 3)
            QCOMPARE(box->backgroundColour(), QColor(Qt::white));
    }
    QCOMPARE(green.count(true), 1);
    QVERIFY(green[1]);
    QCOMPARE(form->Timer7->interval(), 0);
    QCOMPARE(box->flashCounter(), 0);
    // A change during a flash starts it again from the beginning.
    box->flashTick();
    box->appendLine("again");
    QCOMPARE(box->flashCounter(), 0);
    QCOMPARE(form->Timer7->interval(), 300);
}

namespace {

void moveOver(QWidget *w, QPointF at = QPointF(1, 1))
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

bool lit(QPushButton *b)
{
    return b->font().italic();
}

} // namespace

void TstForm1::buttonLooksResetOverFramesAndWindow()
{
    ProgramFixture program;
    Form1 *form = program.start();
    moveOver(form->Command2);
    QVERIFY(lit(form->Command2));
    QCOMPARE(form->Command2->palette().color(QPalette::Button), QColor(192, 255, 192));
    moveOver(form->Command1); // a word panel button
    const QPointF bare(form->width() - 2, form->height() - 2);
    QVERIFY(!form->childAt(bare.toPoint()));
    moveOver(form, bare);
    QVERIFY(!lit(form->Command2));
    QVERIFY(lit(form->Command1)); // the bare window leaves the word panel's buttons alone
    moveOver(form->Command9);
    moveOver(form->Frame3);
    QVERIFY(!lit(form->Command1));
    QVERIFY(!lit(form->Command9));
    QCOMPARE(form->Command9->palette().color(QPalette::Button), QColor(255, 128, 0));
}

QTEST_MAIN(TstForm1)
#include "tst_form1.moc"
