// The SQL Parser frame: Go! on the real Main window, its refusals, its popup help and texts.
#include "Form1.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "QueryProgress.h"
#include "StatusBox.h"
#include "StoreTestAccess.h"
#include "SwitchTimer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

using namespace TestSupport;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Title = QStringLiteral("Lexmora! Wordbrawl");
const QString NoRecords =
    QStringLiteral("Sorry, there are no records under these set of conditions!");
const QString ErrorIntro = QStringLiteral("An error was returned! ") + CrLf + CrLf;

std::vector<WordEntry> threeWords()
{
    return {{"Abacus", "a counting frame", "n."},
            {"abate", "to lessen", "v."},
            {"Zeal", "great energy", "Got it wrong"}};
}

// The Results viewer once it is open (it is its own top-level window).
QWidget *resultsViewer()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("sqlret") && w->isVisible())
            return w;
    return nullptr;
}

// Puts the word display in its running state so that Display halt can be seen.
void startWordDisplay(Form1 *form)
{
    form->Timer1->setEnabled(true);
    form->Check1->setEnabled(false);
    form->Combo1->setEnabled(false);
}

void verifyDisplayHalted(Form1 *form)
{
    QVERIFY(!form->Timer1->isEnabled());
    // Their own state: the Main window itself may still be disabled.
    QVERIFY(form->Check1->isEnabledTo(form));
    QVERIFY(form->Combo1->isEnabledTo(form));
}

void go(Form1 *form, const QString &sql)
{
    form->Text1->setText(sql);
    QTest::mouseClick(form->Command13, Qt::LeftButton);
}

QString passText(const QStringList &names)
{
    QString text =
        CrLf + "You will need to pass a query to one of the following tables. " + CrLf + CrLf;
    const QStringList labels{"1) Words (",  "2) Words1 (", "3) Words2 (",
                             "4) Words3 (", "5) Words4 (", "6) Words5 ("};
    for (int k = 0; k < 6; ++k)
        text += labels[k] + names.value(k) + ")" + CrLf;
    return text + CrLf + "Example : Select * from words " + CrLf +
           "Example : Select * from words1" + CrLf;
}

// Presses the progress box's Cancel button as soon as the box is up.
void cancelWhenShown()
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        QProgressDialog *box = QueryProgress::install().dialog();
        if (!box || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        QTest::mouseClick(box->findChild<QPushButton *>(), Qt::LeftButton);
    });
    poll->start(1);
}

} // namespace

class TstSqlParser : public QObject
{
    Q_OBJECT

private slots:
    void goWithRecords_data();
    void goWithRecords();
    void goWithoutRecords_data();
    void goWithoutRecords();
    void goWithError_data();
    void goWithError();
    void otherColumnsComeFirst();
    void longQueryCanBeCancelled_data();
    void longQueryCanBeCancelled();
    void changesAreRefused_data();
    void changesAreRefused();
    void whatIsSql();
    void howToPassAQuery_data();
    void howToPassAQuery();
    void mouseOnTheFrame_data();
    void mouseOnTheFrame();
    void frameTooltip();
};

void TstSqlParser::goWithRecords_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("exact name") << "Select * from Words" << QStringList{"Abacus", "abate", "Zeal"};
    QTest::newRow("lower case table")
        << "select * from words" << QStringList{"Abacus", "abate", "Zeal"};
    QTest::newRow("like, any case")
        << "Select * from Words where word like 'A*'" << QStringList{"Abacus", "abate"};
}

void TstSqlParser::goWithRecords()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, words);
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    startWordDisplay(form);

    go(form, sql);

    verifyDisplayHalted(form);
    QVERIFY(program.dialogs().calls().isEmpty());
    QVERIFY(Module1::queryResult);
    QStringList found;
    for (qint64 r = 0; r < Module1::queryResult->rowCount(); ++r)
        found << Module1::queryResult->text(r, 0);
    QCOMPARE(found, words);
    QCOMPARE(Module1::queryResult->columnCount(), 3);
    // The viewer has the user now: the Main window waits hidden and disabled.
    QVERIFY(!form->isVisible());
    QVERIFY(!form->isEnabled());
    QCOMPARE(form->Text1->text(), sql);
    QWidget *viewer = resultsViewer();
    QVERIFY2(viewer, "the Results viewer (sqlret) opens over the records");
    QCOMPARE(viewer->findChild<QLabel *>("Label4")->text(), words.first());
}

void TstSqlParser::goWithoutRecords_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("no match") << "Select * from Words where word like 'Q*'";
    QTest::newRow("empty collection") << "select * from words4";
}

void TstSqlParser::goWithoutRecords()
{
    QFETCH(QString, sql);
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    startWordDisplay(form);
    bool shownWithMessage = false;
    program.dialogs()
        .whenShown([&] { shownWithMessage = form->isVisible() && form->isEnabled(); })
        .expectMessage();

    go(form, sql);

    verifyDisplayHalted(form);
    QCOMPARE(program.dialogs().calls().size(), 1);
    QCOMPARE(program.dialogs().last().text, NoRecords);
    QCOMPARE(program.dialogs().last().title, Title);
    QVERIFY2(shownWithMessage, "the Main window comes back before the message");
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
    QCOMPARE(Module1::queryResult->rowCount(), 0);
    QCOMPARE(form->Text1->text(), sql);
    QVERIFY(!resultsViewer());
}

void TstSqlParser::goWithError_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("description");
    QTest::newRow("syntax error") << "Selec * from Words"
                                  << "near \"Selec\": syntax error";
    QTest::newRow("example text") << "Example: Select * from words"
                                  << "near \"Example\": syntax error";
    QTest::newRow("empty box")
        << ""
        << "The query is empty. Type a statement such as Select * from Words.";
    QTest::newRow("blank box")
        << "   "
        << "The query is empty. Type a statement such as Select * from Words.";
    QTest::newRow("unknown table") << "Select * from Words9"
                                   << "no such table: Words9";
    QTest::newRow("apostrophe left open") << "Select * from Words where meaning like '*one's*'"
                                          << "near \"s\": syntax error";
    // Past the bounds of a query: the ordinary error, with the reason.
    const QString tooLong = "The query was stopped: it made a text or value longer than "
                            "1,000,000 bytes, the most a query may make (string or blob too big).";
    QTest::newRow("a gigabyte of text") << "select printf('%.*c', 999999999, 'x')" << tooLong;
    QTest::newRow("text doubling in a recursive query")
        << "with recursive t(x) as (select 'x' union all select x || x from t) "
           "select max(length(x)) from t"
        << tooLong;
}

void TstSqlParser::goWithError()
{
    QFETCH(QString, sql);
    QFETCH(QString, description);
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    startWordDisplay(form);
    bool hiddenWithMessage = false;
    program.dialogs()
        .whenShown([&] { hiddenWithMessage = !form->isVisible() && !form->isEnabled(); })
        .expectMessage();

    go(form, sql);

    verifyDisplayHalted(form);
    QCOMPARE(program.dialogs().calls().size(), 1);
    QCOMPARE(program.dialogs().last().text, ErrorIntro + description);
    QCOMPARE(program.dialogs().last().title, Title);
    QVERIFY2(hiddenWithMessage, "the message comes before the Main window returns");
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
    QCOMPARE(form->Text1->text(), sql);
    QVERIFY(!resultsViewer());
}

void TstSqlParser::otherColumnsComeFirst()
{
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);

    go(form, "Select pointer, meaning, word, 'x' from Words where word = 'Zeal'");

    QVERIFY(program.dialogs().calls().isEmpty());
    QCOMPARE(Module1::queryResult->rowCount(), 1);
    QCOMPARE(Module1::queryResult->columnCount(), 4);
    QCOMPARE(Module1::queryResult->text(0, 0), "Got it wrong");
    QCOMPARE(Module1::queryResult->text(0, 1), "great energy");
    QCOMPARE(Module1::queryResult->text(0, 2), "Zeal");
    QVERIFY(!form->isVisible());
    // The viewer shows the first three columns, whatever they are.
    QWidget *viewer = resultsViewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->findChild<QLabel *>("Label4")->text(), "Got it wrong");
    QCOMPARE(viewer->findChild<QLabel *>("Label6")->text(), "Zeal");
}

void TstSqlParser::longQueryCanBeCancelled_data()
{
    QTest::addColumn<QString>("sql");
    // Counting rows that never end: no row ever comes.
    QTest::newRow("before the first row")
        << "with recursive c(x) as (select 1 union all select x+1 from c) select count(*) from c";
    // Three rows at once, then none for ever: the viewer is open when Cancel comes.
    QTest::newRow("after the first page")
        << "with recursive c(x) as (select 1 union all select x+1 from c) "
           "select x, x, x from c where x < 4 or x < 0";
}

void TstSqlParser::longQueryCanBeCancelled()
{
    QFETCH(QString, sql);
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    const QByteArray before = fileState(program.folder().databasePath());
    QueryProgress &progress = QueryProgress::install();
    progress.setDelay(20);
    program.dialogs().expectMessage();
    cancelWhenShown();

    go(form, sql);
    // After the first page the rest is read between events.
    QTRY_VERIFY(program.dialogs().pending() == 0);
    progress.setDelay(QueryProgress::DefaultDelayMs);

    QCOMPARE(program.dialogs().last().text,
             "The query was stopped before it finished, as you asked. Nothing was changed.");
    QCOMPARE(program.dialogs().last().title, Title);
    QTRY_VERIFY(!resultsViewer());
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
    QVERIFY(!progress.dialog());
    QCOMPARE(fileState(program.folder().databasePath()), before);
    // The connection is free again for the next query.
    QCOMPARE(Module1::database->query("Select * from Words").rowCount(), 3);
}

void TstSqlParser::changesAreRefused_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("says");
    const QString notAllowed = "Not allowed: %1 would change the word database.";
    QTest::newRow("insert") << "insert into Words values ('New', 'new', '')"
                            << notAllowed.arg("INSERT");
    QTest::newRow("update") << "UPDATE Words SET pointer = ''" << notAllowed.arg("UPDATE");
    QTest::newRow("delete") << "Delete from Words" << notAllowed.arg("DELETE");
    QTest::newRow("drop") << "drop table Words" << notAllowed.arg("DROP");
    QTest::newRow("create") << "create table Words9 (word)" << notAllowed.arg("CREATE");
    QTest::newRow("attach") << "attach 'other.mdb' as other" << notAllowed.arg("ATTACH");
    QTest::newRow("pragma") << "pragma journal_mode=delete"
                            << notAllowed.arg("PRAGMA journal_mode with the value delete");
    QTest::newRow("two statements") << "select 1; delete from Words"
                                    << "Only one statement can be run at a time";
}

void TstSqlParser::changesAreRefused()
{
    QFETCH(QString, sql);
    QFETCH(QString, says);
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    const QByteArray before = fileState(program.folder().databasePath());
    program.dialogs().expectMessage();

    go(form, sql);

    const QString shown = program.dialogs().last().text;
    QVERIFY2(shown.startsWith(ErrorIntro) && shown.contains(says), qPrintable(shown));
    QCOMPARE(program.dialogs().last().title, Title);
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
    QCOMPARE(form->Text1->text(), sql);
    QCOMPARE(fileState(program.folder().databasePath()), before);
    QVERIFY(!QFile::exists("other.mdb"));
    QCOMPARE(TableCursor(*Module1::database, "Words").recordCount(), 3);
}

void TstSqlParser::whatIsSql()
{
    ProgramFixture program;
    Form1 *form = program.start();
    QVERIFY(form);
    const QString text = CrLf + "WHAT IS SQL ? " + CrLf + CrLf +
                         "SQL stands for Structured Query Language. " + CrLf +
                         "If you have a large database (collection of records) and wish to access "
                         "a record based on a set of conditions, you will find SQL very handy. " +
                         CrLf +
                         "This option is intended for any user who knows the basics of SQL." + CrLf;
    const QString before = form->RichTextBox1->statusText();
    QAction *sql = form->help->findChild<QAction *>("sql");
    QCOMPARE(sql->text(), "What is SQL?");
    sql->trigger();
    QCOMPARE(form->RichTextBox1->statusText(), before + text);
    sql->trigger(); // appended again, never replacing
    QCOMPARE(form->RichTextBox1->statusText(), before + text + text);
}

void TstSqlParser::howToPassAQuery_data()
{
    QTest::addColumn<DetailsRows>("details");
    QTest::addColumn<QString>("renameFourth"); // a rename after start-up, or none
    QTest::addColumn<QStringList>("names");
    const DetailsRows standard = standardDetails();
    QStringList standardNames;
    for (const auto &row : standard)
        standardNames << row.first;

    QTest::newRow("standard") << standard << QString() << standardNames;
    DetailsRows renamed = standard;
    renamed[1].first = "My own words";
    QStringList renamedNames = standardNames;
    renamedNames[1] = "My own words";
    QTest::newRow("renamed in the file") << renamed << QString() << renamedNames;
    renamedNames[3] = "GRE list";
    QTest::newRow("renamed while running") << renamed << "GRE list" << renamedNames;
    QTest::newRow("two rows missing") << standard.mid(0, 4) << QString()
                                      << (standardNames.mid(0, 4) << ""
                                                                  << "");
}

void TstSqlParser::howToPassAQuery()
{
    QFETCH(DetailsRows, details);
    QFETCH(QString, renameFourth);
    QFETCH(QStringList, names);
    ProgramFixture program({.details = details});
    Form1 *form = program.start();
    QVERIFY(form);
    if (!renameFourth.isNull())
        StoreTestAccess::sql(*Module1::database)
            .exec("UPDATE Details SET CollectionName = '" + renameFourth.toStdString() +
                  "' WHERE rowid = 4");
    const QString before = form->RichTextBox1->statusText();
    QAction *pass = form->help->findChild<QAction *>("pass");
    QCOMPARE(pass->text(), "How do I pass a query?");

    pass->trigger();

    QCOMPARE(form->RichTextBox1->statusText(), before + passText(names));
    QVERIFY(program.dialogs().calls().isEmpty());
}

void TstSqlParser::mouseOnTheFrame_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("popup");
    QTest::addColumn<QString>("text1After");
    const QString query = "Select * from Words";
    QTest::newRow("right on frame") << "Frame4" << Qt::RightButton << true << query;
    QTest::newRow("right on box") << "Text1" << Qt::RightButton << true << query;
    QTest::newRow("right on Go!") << "Command13" << Qt::RightButton << true << query;
    QTest::newRow("left on frame") << "Frame4" << Qt::LeftButton << false << query;
    QTest::newRow("middle on frame") << "Frame4" << Qt::MiddleButton << false << query;
    QTest::newRow("middle on Go!") << "Command13" << Qt::MiddleButton << false << query;
    QTest::newRow("left into box") << "Text1" << Qt::LeftButton << false << QString();
}

void TstSqlParser::mouseOnTheFrame()
{
    QFETCH(QString, target);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, popup);
    QFETCH(QString, text1After);
    ProgramFixture program({.tables = {{"Words", threeWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    form->Text1->setText("Select * from Words");
    auto *widget = form->findChild<QWidget *>(target);
    QVERIFY(widget);
    const QPoint at(4, 4);

    QTest::mousePress(widget, button, {}, at);

    QCOMPARE(form->help->isVisible(), popup);
    if (popup) {
        // At the mouse, unless the screen's edge pushed the menu back.
        const QRect wanted(widget->mapToGlobal(at), form->help->size());
        if (form->help->screen()->availableGeometry().contains(wanted))
            QCOMPARE(form->help->pos(), wanted.topLeft());
        form->help->hide();
    }
    QTest::mouseRelease(widget, button, {}, at);
    QCOMPARE(form->Text1->text(), text1After);
    // Neither the popup nor the click into the box runs the query.
    QVERIFY(program.dialogs().calls().isEmpty());
    QVERIFY(!Module1::queryResult);
    QVERIFY(form->isVisible());
}

void TstSqlParser::frameTooltip()
{
    ProgramFixture program;
    Form1 *form = program.start();
    QVERIFY(form);
    QVERIFY(form->Frame4->toolTip().isEmpty());
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), form->Frame4->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form->Frame4, &move);
    QCOMPARE(form->Frame4->toolTip(), "Right Click for help");
}

QTEST_MAIN(TstSqlParser)
#include "tst_sqlparser.moc"
