// Start-up over files that are not quite what the program writes, through the whole program.
#include "Form1.h"
#include "Form3.h"
#include "LongWork.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "QuizRules.h"
#include "QuizStart.h"
#include "StatusBox.h"
#include "quiz.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>
#include <cstdio>

using namespace TestSupport;

namespace {

const QString CrLf = QStringLiteral("\r\n");

void runSql(const QString &path, const char *sql)
{
    sqlite3 *raw = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &raw);
    QCOMPARE(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
}

DetailsRows flagged(int row)
{
    DetailsRows rows = standardDetails();
    for (int i = 0; i < rows.size(); ++i)
        rows[i].second = i + 1 == row ? 1 : 0;
    return rows;
}

} // namespace

class TstStartup : public QObject
{
    Q_OBJECT

private slots:
    void startsWithoutSomeWordTables_data();
    void startsWithoutSomeWordTables();
    void missingCurrentCollectionGivesMessages_data();
    void missingCurrentCollectionGivesMessages();
    void longWordsWrapAnywhere();
    void failedMarkingIsReported();
    void foreignFileOpensWithTheBoxAndKeepsTime_data();
    void foreignFileOpensWithTheBoxAndKeepsTime();
    void fileReplacedDuringTheSplashIsTheOneOpened();
};

void TstStartup::startsWithoutSomeWordTables_data()
{
    QTest::addColumn<int>("defaultRow");
    QTest::addColumn<QByteArray>("drop");
    QTest::addColumn<QString>("tableLine");
    QTest::addColumn<QString>("wordsLine");
    QTest::addColumn<QString>("totalLine");

    QTest::newRow("Words4 missing, not current")
        << 1 << QByteArray("DROP TABLE Words4") << "I am using the table 'Words' of "
        << "Starting Word : Abate  Ending word : Zeal"
        << "Total Number of words : 2";
    QTest::newRow("current collection missing")
        << 3 << QByteArray("DROP TABLE Words2") << "I am using the table 'Words2' of "
        << "Starting Word :   Ending word : "
        << "Total Number of words : 0";
}

void TstStartup::startsWithoutSomeWordTables()
{
    QFETCH(int, defaultRow);
    QFETCH(QByteArray, drop);
    QFETCH(QString, tableLine);
    QFETCH(QString, wordsLine);
    QFETCH(QString, totalLine);
    ProgramFixture program(
        {.details = flagged(defaultRow),
         .tables = {{"Words", {{"Abate", "to lessen", "v."}, {"Zeal", "fervour", "n."}}}}});
    runSql(program.folder().databasePath(), drop.constData());
    Form1 *form = program.start(); // any dialog here fails the test
    QVERIFY(form);
    QVERIFY(form->isVisible());
    const QStringList lines = form->RichTextBox1->statusText().split(CrLf);
    QCOMPARE(lines.mid(0, 2), QStringList({"Welcome to Lexmora!", tableLine}));
    QCOMPARE(lines.mid(3, 2), QStringList({wordsLine, totalLine}));
    QVERIFY(form->RichTextBox2->statusText().startsWith(tableLine));
}

// Each of the windows that use the Current collection says so when its table is missing.
void TstStartup::missingCurrentCollectionGivesMessages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("says");

    QTest::newRow("Show Words: Start") << "Command2"
                                       << "Sorry! There are no words in this collection!";
    QTest::newRow("Show all") << "Command8"
                              << "no such table: Words2";
    QTest::newRow("quiz Start") << "Command5" << QuizRules::noWords("Words2");
}

void TstStartup::missingCurrentCollectionGivesMessages()
{
    QFETCH(QString, button);
    QFETCH(QString, says);
    ProgramFixture program({.details = flagged(3)});
    runSql(program.folder().databasePath(), "DROP TABLE Words2");
    Form1 *form = program.start();
    QVERIFY(form);
    QVERIFY(!Module1::words);
    program.dialogs().expectMessage();
    QTest::mouseClick(form->findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(program.dialogs().calls().size(), 1);
    QVERIFY2(program.dialogs().last().text.contains(says),
             qPrintable(program.dialogs().last().text));
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
}

// A word of 100 KB without a blank in it is broken anywhere in the Status boxes, rather
// than laid out as one line (which takes seconds, and minutes for 1 MB).
void TstStartup::longWordsWrapAnywhere()
{
    const QString longWord = QString(100 * 1024, QLatin1Char('w'));
    ProgramFixture program(
        {.tables = {{"Words", {{longWord, "long", "n."}, {"Zeal", "fervour", "n."}}}}});
    Form1 *form = program.start();
    QVERIFY(form);
    for (StatusBox *box : {form->RichTextBox1, form->RichTextBox2}) {
        QVERIFY(box->statusText().contains("Starting Word : " + longWord + "  Ending word : Zeal"));
        // The word's paragraph is laid out over many lines, not one.
        QTextDocument *doc = box->document();
        doc->setTextWidth(400);
        const QTextBlock block = doc->find(longWord.left(64)).block();
        QVERIFY(block.isValid());
        QVERIFY(block.layout()->lineCount() > 10);
    }
}

// A word that cannot be marked is reported in the quiz's Status box; the quiz goes on.
void TstStartup::failedMarkingIsReported()
{
    ProgramFixture program({.tables = {{"Words",
                                        {{"Abate", "to lessen", "v."},
                                         {"Quell", "to calm", "v."},
                                         {"Zeal", "fervour", "n."}}}}});
    runSql(program.folder().databasePath(), "CREATE TRIGGER frozen BEFORE UPDATE ON Words BEGIN "
                                            "SELECT RAISE(ABORT, 'the words are frozen'); END");
    Form1 *form = program.start();
    QVERIFY(form);
    program.dialogs().expectInput("3");
    QTest::mouseClick(form->Command5, Qt::LeftButton);
    quiz *w = form->findChild<QuizStart *>(QStringLiteral("QuizStart"))->window();
    QVERIFY(w);
    const QString word = w->Label1->text();
    QTest::mouseClick(w->Command3, Qt::LeftButton); // Next with nothing chosen: wrong
    QCOMPARE(w->questionsAsked(), 1);
    QVERIFY2(w->RichTextBox1->statusText().contains("The word " + word +
                                                    " could not be marked as answered wrongly: "
                                                    "the words are frozen"),
             qPrintable(w->RichTextBox1->statusText()));
}

// A large file from another program gets its search index at the first open: the box says
// so, and the program's timers keep firing while the index is built. Cancel in the box
// leaves the index to the next open: the program starts all the same and searches read the
// table.
void TstStartup::foreignFileOpensWithTheBoxAndKeepsTime_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("built to its end") << false;
    QTest::newRow("broken off") << true;
}

void TstStartup::foreignFileOpensWithTheBoxAndKeepsTime()
{
    QFETCH(bool, cancel);
    ProgramFixture program({.database = false});
    writeForeignDatabase(program.folder().databasePath(), 200000);
    LongWork::setShowAfterForTests(20);
    int beats = 0;
    QString boxLabel;
    QTimer beat;
    beat.setInterval(5);
    connect(&beat, &QTimer::timeout, [&] {
        ++beats;
        if (QProgressDialog *box = LongWork::currentDialog(); box && box->isVisible()) {
            boxLabel = box->labelText();
            if (cancel)
                box->cancel();
        }
    });
    beat.start();
    QElapsedTimer took;
    took.start();
    Form1 *form = program.start();
    const qint64 ms = took.elapsed();
    beat.stop();
    LongWork::setShowAfterForTests(-1);
    QVERIFY(form);
    QCOMPARE(boxLabel, "Preparing the word search of Words...");
    // A beat at least every 100 ms of the open, though the open ran on the GUI thread.
    QVERIFY2(beats >= qMax<qint64>(3, ms / 100), qPrintable(QStringLiteral("%1 beats in %2 ms").arg(beats).arg(ms)));
    QVERIFY(Module1::database);
    QCOMPARE(Module1::database->query("Select * from Words where meaning like '*of 199999*'")
                 .rowCount(),
             1);
    const Snapshot index = Module1::database->query(
        "Select count(*) from sqlite_schema where name = 'lexmora_text_Words'");
    QCOMPARE(index.value(0, 0).toInt(), cancel ? 0 : 1);
}

// The word database is opened while the splash shows; a file put in its place meanwhile,
// as a user might restore one, is the file the Main window works on.
void TstStartup::fileReplacedDuringTheSplashIsTheOneOpened()
{
    ProgramFixture program({.tables = {{"Words", {{"Old", "x", "n."}}}}, .firstRun = true});
    Form3 *splash = program.startSplash();
    QVERIFY(splash && !splash->handedOver());
    QTest::qWait(300); // time for the opening ahead to end, so that it is the one replaced
    const QString path = program.folder().databasePath();
    writeDatabase(path + ".new", standardDetails(),
                  {{"Words", {{"Abate", "to lessen", "v."}, {"Zeal", "fervour", "n."}}}});
    QCOMPARE(::rename(QFile::encodeName(path + ".new").constData(), QFile::encodeName(path).constData()), 0);
    splash->handOver();
    Form1 *form = program.form();
    QVERIFY(form);
    const QStringList lines = form->RichTextBox1->statusText().split(CrLf);
    QCOMPARE(lines.mid(3, 2), QStringList({"Starting Word : Abate  Ending word : Zeal",
                                           "Total Number of words : 2"}));
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
