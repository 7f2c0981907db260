// The Database Selector opened from "Change table" on the real Main window.
#include "Backups.h"
#include "Form1.h"
#include "Form2.h"
#include "FullDisk.h"
#include "HoverLooks.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "StatusBox.h"
#include "StoreTestAccess.h"
#include "SwitchTimer.h"
#include "quiz.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLocale>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

using namespace TestSupport;

namespace {

const QString Title = QStringLiteral("Lexmora! Wordbrawl");
const QString Improper =
    QStringLiteral("Improper choice! Do not type anything in the table name! Get serious!");
const QString CrLf = QStringLiteral("\r\n");

const QStringList StandardNames{"Words collection",  "Words1 collection", "Words2 collection",
                                "Words3 collection", "Words4 collection", "Words5 collection"};

std::vector<WordEntry> words2()
{
    return {
        {"Quell", "to calm", "v."}, {"Rancor", "bitter ill will", "n."}, {"Sully", "to soil", ""}};
}

template <class W> W *shownWindow(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return qobject_cast<W *>(w);
    return nullptr;
}

Form2 *openSelector(Form1 *form)
{
    QTest::mouseClick(form->Command18, Qt::LeftButton);
    return shownWindow<Form2>("Form2");
}

// Every dialog shown, as "title: text".
QStringList shownDialogs(ScriptedDialogs &dialogs)
{
    QStringList out;
    for (const ScriptedDialogs::Call &c : dialogs.calls())
        out << c.title + ": " + c.text;
    return out;
}

// The summary labels Label2 .. Label5.
QStringList summary(Form2 *s)
{
    return {s->Label2->text(), s->Label3->text(), s->Label4->text(), s->Label5->text()};
}

QStringList items(Form2 *s)
{
    QStringList out;
    for (int i = 0; i < s->Combo1->count(); ++i)
        out << s->Combo1->itemText(i);
    return out;
}

// Picks a list entry as the user does.
void pick(Form2 *s, int index)
{
    s->Combo1->setCurrentIndex(index);
    emit s->Combo1->textActivated(s->Combo1->itemText(index));
}

QList<QPair<QString, int>> details()
{
    QList<QPair<QString, int>> out;
    SQLite::Statement st(StoreTestAccess::sql(*Module1::database),
                         "SELECT * FROM Details ORDER BY rowid");
    while (st.executeStep())
        out.append({QString::fromStdString(st.getColumn(0).getString()), st.getColumn(1).getInt()});
    return out;
}

qint64 countOf(const char *table)
{
    return StoreTestAccess::sql(*Module1::database)
        .execAndGet(std::string("SELECT count(*) FROM ") + table)
        .getInt64();
}

void moveMouse(QWidget *w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

bool gone(const QPointer<Form2> &s)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return s.isNull();
}

} // namespace

class TstForm2 : public QObject
{
    Q_OBJECT

private slots:
    void opening();
    void everyWayOutEnablesTheMainWindow_data();
    void everyWayOutEnablesTheMainWindow();
    void typingBringsTheMessageOnEveryChange();
    void actionsOnATypedText_data();
    void actionsOnATypedText();
    void renameWordsToDifficultAndWorkOn();
    void renameWithoutAnAnswer();
    void twoCollectionsWithOneName();
    void makeDefault_data();
    void makeDefault();
    void deleteContentOfTheCurrentCollection_data();
    void deleteContentOfTheCurrentCollection();
    void deleteContentWithoutACopyAsksFirst_data();
    void deleteContentWithoutACopyAsksFirst();
    void restoreABackup();
    void restoreThatChangesNothing_data();
    void restoreThatChangesNothing();
    void selectOnTheCurrentCollection();
    void afterSelectEverythingWorksOnTheNewCollection();
    void detailsWithoutAFlag();
    void missingTableGivesAMessage();
    void hoverLooks_data();
    void hoverLooks();
};

void TstForm2::opening()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(3)}}});
    Form1 *form = program.start();
    form->Timer1->setEnabled(true); // the word display running
    HoverLooks::applyLook(form->Command18, QColor(255, 224, 192), true);

    Form2 *s = openSelector(form);
    QVERIFY(s);
    QVERIFY(!form->Timer1->isEnabled());                                    // Display halt
    QCOMPARE(HoverLooks::backColour(form->Command18), QColor(255, 128, 0)); // Highlight reset
    QVERIFY(!form->isEnabled());
    QVERIFY(!s->isModal());
    QCOMPARE(s->windowTitle(), "Database Selector");
    QCOMPARE(items(s), StandardNames);
    QCOMPARE(s->chosenName(), "Words collection");
    QCOMPARE(s->Label1->text(), "Database path : " + Module1::database->path());
    QCOMPARE(summary(s), (QStringList{"Number of records : 3", "Starting Word : Word000001",
                                      "Ending Word : Word000003", "Default table"}));

    pick(s, 2); // another collection: its own summary
    QCOMPARE(summary(s), (QStringList{"Number of records : 0", "", "", "Not the default table"}));
    QVERIFY(program.dialogs().calls().isEmpty());
}

void TstForm2::everyWayOutEnablesTheMainWindow_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QStringList>("dialogs");

    QTest::newRow("Cancel") << "Cancel" << QStringList{};
    QTest::newRow("close box") << "close box" << QStringList{};
    QTest::newRow("Select") << "Select" << QStringList{};
    QTest::newRow("Select of a typed text")
        << "Select typed" << QStringList{Title + ": " + Improper};
}

void TstForm2::everyWayOutEnablesTheMainWindow()
{
    QFETCH(QString, way);
    QFETCH(QStringList, dialogs);
    ProgramFixture program;
    Form1 *form = program.start();
    QPointer<Form2> s = openSelector(form);
    if (way == "Select typed") {
        s->Combo1->setEditText("Nothing of the sort");
        program.dialogs().expectMessage();
    }
    if (way == "Cancel")
        QTest::mouseClick(s->Command4, Qt::LeftButton);
    else if (way == "close box")
        s->close();
    else
        QTest::mouseClick(s->Command5, Qt::LeftButton);

    QVERIFY(gone(s));
    QVERIFY(form->isEnabled());
    QVERIFY(form->isVisible());
    QCOMPARE(shownDialogs(program.dialogs()), dialogs);
}

void TstForm2::typingBringsTheMessageOnEveryChange()
{
    ProgramFixture program;
    Form2 *s = openSelector(program.start());
    program.dialogs().expectMessage().expectMessage().expectMessage();
    QTest::keyClicks(s->Combo1->lineEdit(), "xy");
    QCOMPARE(summary(s), (QStringList{"", "", "", "Not the default table"}));
    QTest::keyClick(s->Combo1->lineEdit(), Qt::Key_Backspace);
    QTest::keyClick(s->Combo1->lineEdit(), Qt::Key_Backspace); // a name again: no message
    QCOMPARE(shownDialogs(program.dialogs()), QStringList(3, Title + ": " + Improper));
    QCOMPARE(summary(s), (QStringList{"Number of records : 0", "", "", "Default table"}));
}

void TstForm2::actionsOnATypedText_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("asked");

    QTest::newRow("Make Default") << "Command1" << false;
    QTest::newRow("Delete content") << "Command2" << true;
    QTest::newRow("Rename") << "Command3" << false;
}

void TstForm2::actionsOnATypedText()
{
    QFETCH(QString, button);
    QFETCH(bool, asked);
    ProgramFixture program({.tables = {{"Words", numberedWords(2)}}});
    Form2 *s = openSelector(program.start());
    s->Combo1->setEditText("words collection");
    if (asked)
        program.dialogs().expectQuestion(true);
    program.dialogs().expectMessage();
    QTest::mouseClick(s->findChild<QPushButton *>(button), Qt::LeftButton);

    QCOMPARE(program.dialogs().last().text, Improper);
    QCOMPARE(summary(s), (QStringList{"", "", "", ""}));
    QCOMPARE(details(), standardDetails());
    QCOMPARE(countOf("Words"), qint64(2));
    QVERIFY(s->isVisible());
}

void TstForm2::renameWordsToDifficultAndWorkOn()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(2)}}});
    Form1 *form = program.start();
    Form2 *s = openSelector(form);
    program.dialogs().expectInput("Difficult").expectMessage();
    QTest::mouseClick(s->Command3, Qt::LeftButton);
    QCOMPARE(shownDialogs(program.dialogs()),
             (QStringList{"Rename: What would you like Words collection renamed to ?",
                          Title + ": Okay! I have renamed it!"}));
    QCOMPARE(items(s).first(), "Difficult");
    QCOMPARE(s->chosenName(), "Difficult");
    QCOMPARE(summary(s).last(), "Default table");

    const QString before = form->RichTextBox1->statusText();
    QTest::mouseClick(s->Command5, Qt::LeftButton);
    QCOMPARE(Module1::currentCollection, "Words"); // the table keeps its name
    QVERIFY(form->RichTextBox1->statusText()
                .mid(before.size())
                .startsWith(CrLf + "Switched over to Difficult!" + CrLf +
                            "I am using the table 'Words' of "));
    // Other windows keep working with the table name.
    QTest::mouseClick(form->Command8, Qt::LeftButton); // Show all
    QCOMPARE(Module1::queryResult->rowCount(), qint64(2));
}

void TstForm2::renameWithoutAnAnswer()
{
    ProgramFixture program;
    Form2 *s = openSelector(program.start());
    program.dialogs().expectInput("").expectMessage();
    QTest::mouseClick(s->Command3, Qt::LeftButton);
    QCOMPARE(program.dialogs().last().text, "Bubba, enter something!");
    QCOMPARE(details(), standardDetails());
    QCOMPARE(summary(s).last(), "Default table"); // the list refilled
}

void TstForm2::twoCollectionsWithOneName()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(1)}, {"Words2", words2()}}});
    Form2 *s = openSelector(program.start());
    pick(s, 2);
    program.dialogs().expectInput("Words collection").expectMessage();
    QTest::mouseClick(s->Command3, Qt::LeftButton);
    QCOMPARE(items(s).mid(0, 3),
             (QStringList{"Words collection", "Words1 collection", "Words collection"}));
    pick(s, 2); // the name chooses the earlier collection
    QCOMPARE(summary(s).first(), "Number of records : 1");

    // Renaming it changes only the collection it chooses; the later one is free again.
    program.dialogs().expectInput("Mine").expectMessage();
    QTest::mouseClick(s->Command3, Qt::LeftButton);
    QCOMPARE(program.dialogs().calls().size(), 4);
    QCOMPARE(items(s).mid(0, 3), (QStringList{"Mine", "Words1 collection", "Words collection"}));
    pick(s, 2);
    QCOMPARE(summary(s).mid(0, 3), (QStringList{"Number of records : 3", "Starting Word : Quell",
                                                "Ending Word : Sully"}));
}

void TstForm2::makeDefault_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("the default again") << 0;
    QTest::newRow("another collection") << 3;
}

void TstForm2::makeDefault()
{
    QFETCH(int, index);
    ProgramFixture program;
    Form2 *s = openSelector(program.start());
    pick(s, index);
    QTest::mouseClick(s->Command1, Qt::LeftButton);

    DetailsRows expected = standardDetails();
    for (int k = 0; k < expected.size(); ++k)
        expected[k].second = k == index ? 1 : 0;
    QCOMPARE(details(), expected);
    QCOMPARE(s->chosenName(), StandardNames[index]);
    QCOMPARE(summary(s).last(), "Default table");
    QCOMPARE(Module1::currentCollection, "Words"); // used from the next start
    QVERIFY(program.dialogs().calls().isEmpty());
}

void TstForm2::deleteContentWithoutACopyAsksFirst_data()
{
    QTest::addColumn<bool>("goOn");
    QTest::newRow("No keeps every word") << false;
    QTest::newRow("Yes empties without a copy") << true;
}

// No copy can be made on a full disk: the user hears why and chooses, No by default.
void TstForm2::deleteContentWithoutACopyAsksFirst()
{
    QFETCH(bool, goOn);
    ProgramFixture program({.tables = {{"Words", numberedWords(4)}, {"Words1", words2()}}});
    Form1 *form = program.start();
    Form2 *s = openSelector(form);
    FullDisk disk;
    program.dialogs().expectQuestion(true).expectQuestion(goOn);
    if (goOn)
        program.dialogs().expectMessage();
    QTest::mouseClick(s->Command2, Qt::LeftButton);
    QStringList dialogs{Title + ": Are you sure you wish to empty Words collection ?",
                        Title + ": " + Backups::withoutCopyQuestion("database or disk is full")};
    if (goOn)
        dialogs << Title + ": All words in Words collection have been deleted";
    QCOMPARE(shownDialogs(program.dialogs()), dialogs);
    QVERIFY(program.dialogs().calls().at(1).defaultNo);
    QCOMPARE(countOf("Words"), qint64(goOn ? 0 : 4));
    QCOMPARE(summary(s).first(), goOn ? "Number of records : 0" : "Number of records : 4");
    QVERIFY(Backups::list(Module1::database->path()).isEmpty());
}

void TstForm2::deleteContentOfTheCurrentCollection_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TstForm2::deleteContentOfTheCurrentCollection()
{
    QFETCH(bool, yes);
    ProgramFixture program({.tables = {{"Words", numberedWords(4)}, {"Words1", words2()}}});
    Form1 *form = program.start();
    const QString status = form->RichTextBox1->statusText();
    Form2 *s = openSelector(form);
    program.dialogs().expectQuestion(yes);
    if (yes)
        program.dialogs().expectMessage();
    QTest::mouseClick(s->Command2, Qt::LeftButton);

    QStringList dialogs{Title + ": Are you sure you wish to empty Words collection ?"};
    if (yes)
        dialogs << Title + ": All words in Words collection have been deleted";
    QCOMPARE(shownDialogs(program.dialogs()), dialogs);
    QCOMPARE(countOf("Words"), qint64(yes ? 0 : 4));
    QCOMPARE(countOf("Words1"), qint64(3));
    // Emptying takes a copy of the database first, with the words still in it.
    const QStringList copies = Backups::list(Module1::database->path());
    QCOMPARE(copies.size(), yes ? 1 : 0);
    if (yes) {
        SQLite::Database copy(
            QDir(Backups::folderFor(Module1::database->path())).filePath(copies.first()).toStdString());
        QCOMPARE(copy.execAndGet("SELECT count(*) FROM Words").getInt64(), qint64(4));
    }
    QCOMPARE(summary(s).first(), yes ? "Number of records : 0" : "Number of records : 4");
    QCOMPARE(form->RichTextBox1->statusText(), status); // the Main window is not refreshed
    if (!yes)
        return;

    // An empty collection's Select report.
    QTest::mouseClick(s->Command5, Qt::LeftButton);
    QCOMPARE(form->RichTextBox1->statusText().mid(status.size()),
             CrLf + "Switched over to Words collection!" + CrLf +
                 "I am using the table 'Words' of " + CrLf + Module1::database->path() + CrLf +
                 "Starting Word :   Ending word : " + CrLf + "Total Number of words : 0" + CrLf);
}

// When the copy below was taken, as the list and the texts show it: in the user's time.
const QDateTime CopyTaken(QDate(2026, 5, 1), QTime(9, 0), Qt::UTC);
QString copyTime()
{
    return QLocale(QLocale::English).toString(CopyTaken.toLocalTime(), "d MMM yyyy, HH:mm:ss");
}

// The copy's words come back into every collection, the Collection names with them; the
// record sets are reopened as after Select, and the selector shows what the file now holds.
void TstForm2::restoreABackup()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(4)}, {"Words1", words2()}}});
    Form1 *form = program.start();
    QCOMPARE(Backups::take(*Module1::database, CopyTaken).kind, Backups::Outcome::Kind::Taken);
    StoreTestAccess::sql(*Module1::database).exec(
        "DELETE FROM Words; UPDATE Details SET CollectionName = 'Renamed' WHERE rowid = 2");
    const QString status = form->RichTextBox1->statusText();
    const TableCursor *before = Module1::words.get();
    Form2 *s = openSelector(form);
    QCOMPARE(items(s).at(1), "Renamed");
    QVERIFY(s->Command6->isVisible());
    QCOMPARE(s->Command6->text(), QString("Restore a backup\u2026"));

    program.dialogs().expectChoice(0).expectQuestion(true).expectMessage();
    QTest::mouseClick(s->Command6, Qt::LeftButton);
    const QList<ScriptedDialogs::Call> calls = program.dialogs().calls();
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[0].title, "Restore a backup");
    QCOMPARE(calls[0].items,
             QStringList{copyTime() + "   7 words (Words collection 4, Words1 collection 3)"});
    QCOMPARE(calls[1].text, "Put back the backup copy of " + copyTime() +
                                ", with 7 words? Every collection gets back the words it had "
                                "then.");
    QVERIFY2(calls[2].text.startsWith("The backup copy of " + copyTime() +
                                      " is back: 7 words in all." + CrLf +
                                      "The words as they were are kept in the backup copy "
                                      "qvtmdb-"),
             qPrintable(calls[2].text));
    QCOMPARE(calls[2].title, Title);

    QCOMPARE(countOf("Words"), 4);
    QCOMPARE(items(s), StandardNames);
    QCOMPARE(summary(s).first(), "Number of records : 4");
    QVERIFY(Module1::words.get() != before);
    QCOMPARE(Module1::words->recordCount(), 4);
    QCOMPARE(Module1::queryResult->rowCount(), 4);
    QCOMPARE(form->RichTextBox1->statusText().mid(status.size()),
             CrLf + "Restored the backup copy of " + copyTime() + "." + CrLf);
    QCOMPARE(Backups::list(Module1::database->path()).size(), 2);
}

void TstForm2::restoreThatChangesNothing_data()
{
    QTest::addColumn<QString>("copy");   // "none", "whole" or "unreadable"
    QTest::addColumn<int>("chosen");     // -1: Cancel on the list; 99: no list shown
    QTest::addColumn<QString>("said");   // the message shown, or empty
    QTest::newRow("no copy yet") << "none" << 99
                                 << "There is no backup copy of the word database yet. Lexmora "
                                    "takes one before Delete all, before Delete content and "
                                    "before an import.";
    QTest::newRow("Cancel on the list") << "whole" << -1 << "";
    QTest::newRow("No to the question") << "whole" << 0 << "";
    QTest::newRow("a copy that cannot be read") << "unreadable" << 0
                                                << "Nothing was restored; your words are as "
                                                   "they were.";
}

void TstForm2::restoreThatChangesNothing()
{
    QFETCH(QString, copy);
    QFETCH(int, chosen);
    QFETCH(QString, said);
    ProgramFixture program({.tables = {{"Words", numberedWords(4)}}});
    Form1 *form = program.start();
    if (copy == "whole")
        QCOMPARE(Backups::take(*Module1::database, CopyTaken).kind, Backups::Outcome::Kind::Taken);
    if (copy == "unreadable") {
        QDir().mkpath(Backups::folderFor(Module1::database->path()));
        QFile junk(QDir(Backups::folderFor(Module1::database->path()))
                       .filePath("qvtmdb-20260501-090000-000.mdb"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("half a copy");
    }
    StoreTestAccess::sql(*Module1::database).exec("DELETE FROM Words WHERE rowid > 1");
    const QStringList copies = Backups::list(Module1::database->path());
    Form2 *s = openSelector(form);
    if (chosen != 99)
        program.dialogs().expectChoice(chosen);
    if (copy == "whole" && chosen >= 0)
        program.dialogs().expectQuestion(false);
    if (!said.isEmpty())
        program.dialogs().expectMessage();
    QTest::mouseClick(s->Command6, Qt::LeftButton);
    if (copy == "unreadable")
        QVERIFY(program.dialogs().calls().first().items.first().contains("cannot be read"));
    if (!said.isEmpty())
        QVERIFY2(program.dialogs().last().text.endsWith(said),
                 qPrintable(program.dialogs().last().text));
    QCOMPARE(countOf("Words"), 1);
    QCOMPARE(Backups::list(Module1::database->path()), copies);
    QVERIFY(s->isVisible());
}

void TstForm2::selectOnTheCurrentCollection()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(40000)}}});
    Form1 *form = program.start();
    const QString status = form->RichTextBox1->statusText();
    QVERIFY(!Module1::quizWords && !Module1::queryResult);
    const TableCursor *before = Module1::words.get();
    Form2 *s = openSelector(form);
    QCOMPARE(summary(s).first(), "Number of records : 40000");
    QTest::mouseClick(s->Command5, Qt::LeftButton);

    QVERIFY(Module1::words && Module1::words.get() != before);
    QCOMPARE(Module1::quizWords->table(), "Words");
    QCOMPARE(Module1::queryResult->rowCount(), qint64(40000));
    QCOMPARE(form->RichTextBox1->statusText().mid(status.size()),
             CrLf + "Switched over to Words collection!" + CrLf +
                 "I am using the table 'Words' of " + CrLf + Module1::database->path() + CrLf +
                 "Starting Word : Word000001  Ending word : Word040000" + CrLf +
                 "Total Number of words : 40000" + CrLf);
}

void TstForm2::afterSelectEverythingWorksOnTheNewCollection()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(5)}, {"Words2", words2()}}});
    Form1 *form = program.start();
    Form2 *s = openSelector(form);
    pick(s, 2);
    QTest::mouseClick(s->Command5, Qt::LeftButton);
    QCOMPARE(Module1::currentCollection, "Words2");

    QTest::mouseClick(form->Command2, Qt::LeftButton); // the word display
    QCOMPARE(form->Label1->text(), "Quell");
    QTest::mouseClick(form->Command3, Qt::LeftButton);

    form->Text1->setText("Select * from Words2 where meaning like '*soil*'"); // a query
    QTest::mouseClick(form->Command13, Qt::LeftButton);
    QCOMPARE(Module1::queryResult->rowCount(), qint64(1));
    QCOMPARE(Module1::queryResult->text(0, 0), "Sully");
    shownWindow<QWidget>("sqlret")->close();

    form->Check2->setChecked(false); // the quiz, in table order
    program.dialogs().expectInput("1");
    QTest::mouseClick(form->Command5, Qt::LeftButton);
    auto *q = shownWindow<quiz>("quiz");
    QVERIFY(q);
    QCOMPARE(q->Label1->text(), "Quell");
}

void TstForm2::detailsWithoutAFlag()
{
    DetailsRows unflagged = standardDetails();
    unflagged[0].second = 0;
    ProgramFixture program({.details = unflagged});
    Form1 *form = program.start();
    program.dialogs().expectMessage();
    Form2 *s = openSelector(form);
    QCOMPARE(shownDialogs(program.dialogs()), QStringList{Title + ": " + Improper});
    QCOMPARE(s->chosenName(), "");
    QCOMPARE(items(s), StandardNames);
    QCOMPARE(summary(s), (QStringList{"", "", "", "Not the default table"}));
}

void TstForm2::missingTableGivesAMessage()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(2)}}});
    Form1 *form = program.start();
    StoreTestAccess::sql(*Module1::database).exec("DROP TABLE Words3");
    Form2 *s = openSelector(form);
    const QString missing = Title + ": The collection Words3 collection cannot be used: the word "
                                    "database has no table Words3.";

    program.dialogs().expectMessage();
    pick(s, 3);
    QCOMPARE(summary(s), (QStringList{"", "", "", "Not the default table"}));
    program.dialogs().expectQuestion(true).expectMessage();
    QTest::mouseClick(s->Command2, Qt::LeftButton);
    program.dialogs().expectMessage().expectMessage();
    pick(s, 3);
    QTest::mouseClick(s->Command5, Qt::LeftButton);

    QCOMPARE(shownDialogs(program.dialogs()),
             (QStringList{missing, Title + ": Are you sure you wish to empty Words3 collection ?",
                          missing, missing, missing}));
    QCOMPARE(Module1::currentCollection, "Words"); // still on its collection,
    QCOMPARE(Module1::words->table(), "Words");
    QVERIFY(s->isVisible()); // and free to choose another
    QVERIFY(!form->isEnabled());
}

void TstForm2::hoverLooks_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QColor>("normal");
    QTest::addColumn<QColor>("hover");

    const QColor blue(128, 128, 255), paleBlue(192, 192, 255);
    const QColor teal(0, 192, 192), paleTeal(192, 255, 255);
    QTest::newRow("Make Default") << "Command1" << blue << paleBlue;
    QTest::newRow("Delete content") << "Command2" << blue << paleBlue;
    QTest::newRow("Rename") << "Command3" << blue << paleBlue;
    QTest::newRow("Select") << "Command5" << teal << paleTeal;
    QTest::newRow("Cancel") << "Command4" << teal << paleTeal;
}

void TstForm2::hoverLooks()
{
    QFETCH(QString, button);
    QFETCH(QColor, normal);
    QFETCH(QColor, hover);
    ProgramFixture program;
    Form2 *s = openSelector(program.start());
    auto *b = s->findChild<QPushButton *>(button);
    QCOMPARE(HoverLooks::backColour(b), normal);

    for (QWidget *area : {static_cast<QWidget *>(s), static_cast<QWidget *>(s->Label5)}) {
        moveMouse(b);
        QCOMPARE(HoverLooks::backColour(b), hover);
        QCOMPARE(b->font().family(), "TimesNewRoman");
        QCOMPARE(b->font().pointSize(), 11);
        QVERIFY(b->font().italic());
        moveMouse(s->Label1); // not the background: the look stays
        QCOMPARE(HoverLooks::backColour(b), hover);
        moveMouse(area);
        QCOMPARE(HoverLooks::backColour(b), normal);
        QCOMPARE(b->font().pointSize(), 10);
        QVERIFY(!b->font().italic());
    }
}

QTEST_MAIN(TstForm2)
#include "tst_form2.moc"
