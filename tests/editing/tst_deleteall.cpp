// "Delete all" on the real Main window: the question, the two Status lines and a
// collection emptied for every other part of the program.
#include "Backups.h"
#include "DeleteAll.h"
#include "Form1.h"
#include "FullDisk.h"
#include "LongWork.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "StatusBox.h"
#include "StoreTestAccess.h"
#include "SwitchTimer.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace TestSupport;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Title = QStringLiteral("Lexmora! Wordbrawl");

// Collection `table`, under the name `name`, is the Default one and holds `count` words;
// Words3 holds two words that must survive.
ProgramFixture::Options collection(const QString &table, const QString &name, int count)
{
    DetailsRows details = standardDetails();
    for (int i = 0; i < details.size(); ++i) {
        const bool chosen = WordDatabase::collectionTables()[i] == table;
        details[i] = {chosen ? name : details[i].first, chosen ? 1 : 0};
    }
    Tables tables{{"Words3", {{"Keep", "me", ""}, {"And", "me", ""}}}};
    if (count > 0)
        tables[table] = numberedWords(count);
    return {.details = details, .tables = tables};
}

qint64 count(const QString &table)
{
    return Module1::database->query("Select * from " + table).rowCount();
}

} // namespace

class TstDeleteAll : public QObject
{
    Q_OBJECT

private slots:
    void emptiesTheCurrentCollection_data();
    void emptiesTheCurrentCollection();
    void answeredNoLeavesEverything();
    void withoutACopyAsksFirst_data();
    void withoutACopyAsksFirst();
    void chooserIsRefilledAtTheNextOpening();
    void failurePartWayIsReported();
    void refusedRecordInALargeCollection_data();
    void refusedRecordInALargeCollection();
    void largeCollectionKeepsTheWindowServed_data();
    void largeCollectionKeepsTheWindowServed();
};

void TstDeleteAll::emptiesTheCurrentCollection_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("words");
    QTest::newRow("named collection") << "Words1"
                                      << "My own words" << 25;
    QTest::newRow("empty collection") << "Words"
                                      << "Words collection" << 0;
    QTest::newRow("last collection, one word") << "Words5"
                                               << "Five" << 1;
}

void TstDeleteAll::emptiesTheCurrentCollection()
{
    QFETCH(QString, table);
    QFETCH(QString, name);
    QFETCH(int, words);
    ProgramFixture program(collection(table, name, words));
    Form1 *form = program.start();
    QCOMPARE(Module1::currentCollection, table);
    const QString before = form->RichTextBox1->statusText();

    program.dialogs().expectQuestion(true);
    QTest::mouseClick(form->Command11, Qt::LeftButton);
    // The question names the table, never the Collection name.
    QCOMPARE(program.dialogs().last().text,
             "This will empty the wordlist " + table + " You sure ? ");
    QCOMPARE(program.dialogs().last().title, Title);
    QCOMPARE(form->RichTextBox1->statusText().mid(before.size()),
             CrLf + "Deleting contents of " + table + "...." + CrLf + CrLf + "Deleted.." + CrLf);
    QCOMPARE(count(table), 0);
    QCOMPARE(Module1::words->recordCount(), 0);
    QVERIFY(Module1::words->eof() && Module1::words->bof());
    QCOMPARE(count("Words3"), 2);
    QCOMPARE(program.dialogs().calls().size(), 1);
    // The words as they were are kept in a copy taken before the emptying; an empty
    // collection loses nothing, and no copy pushes out an older one.
    QCOMPARE(Backups::list(Module1::database->path()).size(), words > 0 ? 1 : 0);
}

void TstDeleteAll::answeredNoLeavesEverything()
{
    ProgramFixture program(collection("Words", "Words collection", 3));
    Form1 *form = program.start();
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QVERIFY(form->Timer1->isRunning());
    const QString before = form->RichTextBox1->statusText();

    program.dialogs().expectQuestion(false);
    QTest::mouseClick(form->Command11, Qt::LeftButton);
    // The display halts before the question, whatever the answer.
    QVERIFY(!form->Timer1->isRunning());
    QCOMPARE(form->RichTextBox1->statusText(), before);
    QCOMPARE(count("Words"), 3);
    QVERIFY(Backups::list(Module1::database->path()).isEmpty());
}

void TstDeleteAll::withoutACopyAsksFirst_data()
{
    QTest::addColumn<bool>("goOn");
    QTest::newRow("No keeps every word") << false;
    QTest::newRow("Yes empties without a copy") << true;
}

// On a full disk no copy can be made: the user hears why and chooses, No by default.
void TstDeleteAll::withoutACopyAsksFirst()
{
    QFETCH(bool, goOn);
    ProgramFixture program(collection("Words", "Words collection", 300));
    Form1 *form = program.start();
    const QString before = form->RichTextBox1->statusText();
    FullDisk disk;
    program.dialogs().expectQuestion(true).expectQuestion(goOn);
    QTest::mouseClick(form->Command11, Qt::LeftButton);
    QCOMPARE(program.dialogs().calls().size(), 2);
    const ScriptedDialogs::Call asked = program.dialogs().last();
    QCOMPARE(asked.text, "Lexmora could not make its backup copy of the word database first: "
                         "database or disk is full." + CrLf + CrLf +
                             "If you go on, there will be no copy to go back to. Go on without "
                             "a copy?");
    QCOMPARE(asked.title, Title);
    QVERIFY(asked.defaultNo);
    QCOMPARE(count("Words"), goOn ? 0 : 300);
    QCOMPARE(form->RichTextBox1->statusText() == before, !goOn);
    QVERIFY(Backups::list(Module1::database->path()).isEmpty());
}

void TstDeleteAll::chooserIsRefilledAtTheNextOpening()
{
    ProgramFixture program(collection("Words", "Words collection", 3));
    Form1 *form = program.start();
    QTest::mouseClick(form->Command10, Qt::LeftButton);
    QCOMPARE(form->Combo3->count(), 3);
    QTest::mouseClick(form->Command16, Qt::LeftButton);

    program.dialogs().expectQuestion(true);
    QTest::mouseClick(form->Command11, Qt::LeftButton);
    QCOMPARE(form->Combo3->count(), 3); // not refreshed while the panel is closed
    QTest::mouseClick(form->Command10, Qt::LeftButton);
    QCOMPARE(form->Combo3->count(), 0);
    QCOMPARE(form->Combo3->currentText(), "Choose your word");
}

void TstDeleteAll::failurePartWayIsReported()
{
    ProgramFixture program(collection("Words", "Words collection", 5));
    Form1 *form = program.start();
    // The third record refuses to go.
    StoreTestAccess::sql(*Module1::database)
        .exec("CREATE TRIGGER refuse BEFORE DELETE ON Words WHEN old.word = 'Word000003' "
              "BEGIN SELECT RAISE(ABORT, 'the record is locked'); END");
    const QString before = form->RichTextBox1->statusText();

    program.dialogs().expectQuestion(true).expectMessage();
    QTest::mouseClick(form->Command11, Qt::LeftButton);
    QCOMPARE(program.dialogs().last().text,
             "Sorry, not every word could be deleted: the record is locked.");
    QCOMPARE(program.dialogs().last().title, Title);
    // No "Deleted.." for a collection that is not empty; every other record is gone.
    QCOMPARE(form->RichTextBox1->statusText().mid(before.size()),
             CrLf + "Deleting contents of Words...." + CrLf);
    QCOMPARE(count("Words"), 1);
    QCOMPARE(Module1::database->query("Select * from Words").text(0, 0), "Word000003");
}

void TstDeleteAll::refusedRecordInALargeCollection_data()
{
    QTest::addColumn<int>("refused");
    constexpr int batch = DeleteAll::BatchRows;
    QTest::newRow("first record") << 1;
    QTest::newRow("last of the first batch") << batch;
    QTest::newRow("in the short last batch") << batch + 2;
}

void TstDeleteAll::refusedRecordInALargeCollection()
{
    QFETCH(int, refused);
    constexpr int words = DeleteAll::BatchRows + 3;
    ProgramFixture program(collection("Words", "Words collection", words));
    Form1 *form = program.start();
    const QString word = Module1::database->query("Select word from Words")
                             .text(refused - 1, 0);
    StoreTestAccess::sql(*Module1::database)
        .exec("CREATE TRIGGER refuse BEFORE DELETE ON Words WHEN old.word = '" +
              word.toStdString() + "' BEGIN SELECT RAISE(ABORT, 'the record is locked'); END");

    program.dialogs().expectQuestion(true).expectMessage();
    QTest::mouseClick(form->Command11, Qt::LeftButton);
    QCOMPARE(program.dialogs().last().text,
             "Sorry, not every word could be deleted: the record is locked.");
    // Only the refused record is left, in the file and in the shared record set.
    QCOMPARE(count("Words"), 1);
    QCOMPARE(Module1::database->query("Select word from Words").text(0, 0), word);
    QCOMPARE(Module1::words->recordCount(), 1);
    QCOMPARE(count("Words3"), 2);
}

void TstDeleteAll::largeCollectionKeepsTheWindowServed_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("to the end") << false;
    QTest::newRow("cancelled") << true;
}

// 200,000 words: the timers keep firing while they go, and Cancel keeps every one.
void TstDeleteAll::largeCollectionKeepsTheWindowServed()
{
    QFETCH(bool, cancel);
    constexpr int words = 200000;
    ProgramFixture program(collection("Words", "Words collection", words));
    Form1 *form = program.start();
    int served = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++served; });
    timer.start(10);
    QTimer canceller;
    if (cancel) {
        LongWork::setShowAfterForTests(0);
        connect(&canceller, &QTimer::timeout, [&] {
            if (QProgressDialog *box = LongWork::currentDialog()) {
                canceller.stop();
                box->findChild<QPushButton *>()->click();
            }
        });
        canceller.start(100);
        program.dialogs().expectQuestion(true).expectMessage();
    } else {
        program.dialogs().expectQuestion(true);
    }
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(form->Command11, Qt::LeftButton);
    const qint64 elapsed = clock.elapsed();
    LongWork::setShowAfterForTests(-1);
    // Served at least once every quarter of a second of work; a blocking loop gives none.
    qInfo("%d timer events in %lld ms", served, elapsed);
    QVERIFY2(served >= qMax<qint64>(1, elapsed / 250),
             qPrintable(QStringLiteral("%1 timer events in %2 ms").arg(served).arg(elapsed)));
    if (cancel)
        QCOMPARE(program.dialogs().last().text,
                 "Delete all was stopped, as you asked. No word was deleted.");
    QCOMPARE(count("Words"), cancel ? words : 0);
    QCOMPARE(Module1::words->recordCount(), cancel ? words : 0);
}

QTEST_MAIN(TstDeleteAll)
#include "tst_deleteall.moc"
