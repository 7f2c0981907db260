// The Results viewer over the query recordset, opened through the Main window.
#include "Form1.h"
#include "MarkBook.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "StatusBox.h"
#include "StoreTestAccess.h"
#include "sqlret.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <SQLiteCpp/Statement.h>

using namespace TestSupport;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Removed =
    QStringLiteral(" Removed the pointer 'Got it wrong' from appropriate words") + CrLf;

sqlret *findViewer()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("sqlret") && w->isVisible())
            return qobject_cast<sqlret *>(w);
    return nullptr;
}

// A large result is read on between events after the first page; lets that run out.
void readWhole(sqlret *v)
{
    while (v && v->reading())
        QCoreApplication::processEvents();
}

// Runs `sql` into the query recordset and opens the viewer over it, as Go! does.
sqlret *openOver(Form1 *form, const QString &sql, bool whole = true)
{
    Module1::queryResult = std::make_unique<Snapshot>(Module1::database->query(sql));
    form->openResultsViewer();
    if (whole)
        readWhole(findViewer());
    return findViewer();
}

QStringList row(sqlret *v, int r)
{
    const QList<QLabel *> cells{v->Label4, v->Label5,  v->Label6,  v->Label7, v->Label8,
                                v->Label9, v->Label10, v->Label11, v->Label12};
    return {cells[r * 3]->text(), cells[r * 3 + 1]->text(), cells[r * 3 + 2]->text()};
}

QStringList numbered(int n)
{
    const QString word = QStringLiteral("Word%1").arg(n, 6, 10, QLatin1Char('0'));
    return {word, QStringLiteral("meaning %1").arg(n), QStringLiteral("p%1").arg(n)};
}

const QStringList Untouched{" ", " ", " "}; // the design caption of a row
const QStringList Blanked{"", "", ""};

QStringList pointers()
{
    QStringList out;
    SQLite::Statement st(StoreTestAccess::sql(*Module1::database),
                         "SELECT pointer FROM Words ORDER BY rowid");
    while (st.executeStep())
        out << QString::fromStdString(st.getColumn(0).getString());
    return out;
}

// The viewer goes on the next turn of the event loop; wait for it.
bool deleted(const QPointer<sqlret> &viewer)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return viewer.isNull();
}

void moveMouse(QWidget *w, QPointF at = QPointF(3, 3))
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// A point of the window where no control lies: only there is the mouse over the window.
QPointF bareSpot(QWidget *window)
{
    for (int y = window->height() - 2; y > 0; y -= 4)
        for (int x = window->width() - 2; x > 0; x -= 4)
            if (!window->childAt(x, y))
                return QPointF(x, y);
    return {};
}

} // namespace

class TstSqlret : public QObject
{
    Q_OBJECT

private slots:
    void designOfTheWindow();
    void loadShowsFirstRecords_data();
    void loadShowsFirstRecords();
    void emptyResultSaysSoAndStaysOpen();
    void largeResultShowsFirstPageBeforeReadingAll();
    void sliderEventsRefreshThePage_data();
    void sliderEventsRefreshThePage();
    void keyReleasedWithoutItsPressDoesNotPage_data();
    void keyReleasedWithoutItsPressDoesNotPage();
    void pagingThroughFortyThousandRows();
    void emptyPointerCellAfterPaging();
    void resultWithOneColumn();
    void closeWithoutMarksAsksNothing();
    void closeWithMarks_data();
    void closeWithMarks();
    void closeBoxAsksNothing();
    void failedClearingIsNotReportedAsDone();
    void closeButtonHoverLooks();
};

void TstSqlret::designOfTheWindow()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(3)}}});
    Form1 *form = program.start();
    sqlret *v = openOver(form, "Select * from Words");
    QVERIFY(v);
    QCOMPARE(v->windowTitle(), "Lexmora! Word power!");
    QVERIFY(v->isWindow());
    QVERIFY(!v->isModal());
    QCOMPARE(v->size(), QSize(592, 427)); // 8880 x 6405 twips
    QCOMPARE(v->Label1->text(), "       Word");
    QCOMPARE(v->Label2->text(), QString(18, ' ') + "Meaning");
    QCOMPARE(v->Label3->text(), QString(11, ' ') + "Pointer");
    QCOMPARE(v->Command1->text(), "Close");
    QCOMPARE(v->Label1->font().family(), "Times New Roman");
    // Columns at 0, 2040 and 6240 twips; rows at 600, 2400 and 4440.
    QCOMPARE(v->Label4->geometry().topLeft(), QPoint(0, 40));
    QCOMPARE(v->Label8->geometry().topLeft(), QPoint(136, 160));
    QCOMPARE(v->Label12->geometry().topLeft(), QPoint(416, 296));
    QCOMPARE(v->Label5->width(), 265);
    for (const char *name : {"Line1", "Line2", "Line3", "Line4", "Line5", "Slider1", "ProgressBar1",
                             "Command1", "Label12"})
        QVERIFY2(v->findChild<QWidget *>(name), name);
    // Everything below the grid still lies inside the window.
    for (QWidget *w : {static_cast<QWidget *>(v->Slider1), static_cast<QWidget *>(v->ProgressBar1),
                       static_cast<QWidget *>(v->Command1)}) {
        QVERIFY(v->rect().contains(w->geometry()));
        QVERIFY(w->y() >= v->Label12->geometry().bottom());
    }
}

void TstSqlret::loadShowsFirstRecords_data()
{
    QTest::addColumn<int>("total");
    QTest::newRow("one") << 1;
    QTest::newRow("three") << 3;
    QTest::newRow("four") << 4;
    QTest::newRow("40000") << 40000;
}

void TstSqlret::loadShowsFirstRecords()
{
    QFETCH(int, total);
    ProgramFixture program({.tables = {{"Words", numberedWords(total)}}});
    Form1 *form = program.start();
    form->Text1->setText("Select * from Words");
    sqlret *v = openOver(form, "Select * from Words", false);
    QVERIFY(v);

    // The first page stands at once, whether or not the rest is read yet.
    const int shown = qMin(3, total);
    QCOMPARE(v->Slider1->minimum(), 0);
    QCOMPARE(v->Slider1->value(), shown);
    QCOMPARE(v->ProgressBar1->value(), shown);
    for (int r = 0; r < 3; ++r)
        QCOMPARE(row(v, r), r < total ? numbered(r + 1) : Untouched);

    readWhole(v);
    QCOMPARE(v->recordTotal(), total);
    QCOMPARE(v->Slider1->maximum(), total);
    QCOMPARE(v->ProgressBar1->maximum(), total);
    QCOMPARE(v->Slider1->value(), shown);

    // The Main window is out of reach while the viewer is open.
    QVERIFY(form->isHidden());
    QVERIFY(!form->isEnabled());
    QVERIFY(program.dialogs().calls().isEmpty());
}

void TstSqlret::emptyResultSaysSoAndStaysOpen()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(3)}}});
    Form1 *form = program.start();
    program.dialogs().expectMessage();
    sqlret *v = openOver(form, "Select * from Words where word = 'none'");
    QCOMPARE(program.dialogs().last().text,
             "Sorry, there are no records under these set of conditions!");
    QCOMPARE(program.dialogs().last().title, "Lexmora! Wordbrawl");
    QVERIFY(v);
    QCOMPARE(v->recordTotal(), 0);
    for (int r = 0; r < 3; ++r)
        QCOMPARE(row(v, r), Untouched);
    // Scrolling an empty result shows nothing and fails nothing.
    v->slider1Scroll();
    QCOMPARE(row(v, 0), Blanked);

    QPointer<sqlret> viewer(v);
    QTest::mouseClick(v->Command1, Qt::LeftButton);
    QVERIFY(deleted(viewer));
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
}

void TstSqlret::largeResultShowsFirstPageBeforeReadingAll()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(3)}}});
    Form1 *form = program.start();
    sqlret *v = openOver(form,
                         "with recursive c(x) as (select 1 union all select x+1 from c "
                         "where x < 300000) select x, 'm' || x, 'p' || x from c",
                         false);
    QVERIFY(v);
    QCOMPARE(row(v, 0), (QStringList{"1", "m1", "p1"}));
    QCOMPARE(row(v, 2), (QStringList{"3", "m3", "p3"}));
    QVERIFY(v->reading());
    QVERIFY(v->recordTotal() < 300000);

    // The rest comes between events, and the slider then reaches every row.
    readWhole(v);
    QCOMPARE(v->recordTotal(), 300000);
    QCOMPARE(v->Slider1->maximum(), 300000);
    v->Slider1->setValue(300000);
    QCOMPARE(row(v, 0), (QStringList{"300000", "m300000", "p300000"}));
    QVERIFY(program.dialogs().calls().isEmpty());
}

void TstSqlret::sliderEventsRefreshThePage_data()
{
    QTest::addColumn<int>("event");
    QTest::newRow("key that does not move it") << int(QEvent::KeyPress);
    QTest::newRow("mouse click on the handle") << int(QEvent::MouseButtonPress);
}

void TstSqlret::sliderEventsRefreshThePage()
{
    QFETCH(int, event);
    ProgramFixture program({.tables = {{"Words", numberedWords(10)}}});
    Form1 *form = program.start();
    sqlret *v = openOver(form, "Select * from Words");
    QVERIFY(v);
    // After loading, the slider stands at 3 while records 1 to 3 are shown.
    QCOMPARE(v->Slider1->value(), 3);
    QCOMPARE(row(v, 0), numbered(1));

    if (event == QEvent::KeyPress) {
        QTest::keyClick(v->Slider1, Qt::Key_Shift);
    } else {
        QStyleOptionSlider option;
        option.initFrom(v->Slider1);
        option.orientation = v->Slider1->orientation();
        option.minimum = v->Slider1->minimum();
        option.maximum = v->Slider1->maximum();
        option.sliderPosition = option.sliderValue = v->Slider1->value();
        const QRect handle = v->Slider1->style()->subControlRect(
            QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, v->Slider1);
        QTest::mouseClick(v->Slider1, Qt::LeftButton, Qt::NoModifier, handle.center());
    }
    // The slider did not move; the page is the one for its value.
    QCOMPARE(v->Slider1->value(), 3);
    QCOMPARE(row(v, 0), numbered(4));
    QCOMPARE(row(v, 2), numbered(6));
    QCOMPARE(v->ProgressBar1->value(), 6);
}

void TstSqlret::keyReleasedWithoutItsPressDoesNotPage_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("flagged"); // the repeats come flagged as repeats
    QTest::newRow("Enter in the SQL box") << int(Qt::Key_Return) << true;
    QTest::newRow("Enter, repeats known by their time") << int(Qt::Key_Return) << false;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << false;
    QTest::newRow("Space") << int(Qt::Key_Space) << true;
}

void TstSqlret::keyReleasedWithoutItsPressDoesNotPage()
{
    QFETCH(int, key);
    QFETCH(bool, flagged);
    ProgramFixture program({.tables = {{"Words", numberedWords(4)}}});
    Form1 *form = program.start();
    sqlret *v = openOver(form, "Select * from Words");
    QVERIFY(v);
    // The key that opened the window, still held, repeats and comes up over its slider: a
    // release and a press at one time for each repeat, then the last release.
    const auto send = [&](QEvent::Type type, quint64 time, bool repeat) {
        QKeyEvent e(type, key, Qt::NoModifier, QString(), repeat);
        e.setTimestamp(time);
        QApplication::sendEvent(v->Slider1, &e);
    };
    for (const quint64 time : {1000, 1033, 1066}) {
        send(QEvent::KeyRelease, time, flagged);
        send(QEvent::KeyPress, time, flagged);
    }
    send(QEvent::KeyRelease, 1090, false);
    QCOMPARE(row(v, 0), numbered(1));
    QCOMPARE(row(v, 2), numbered(3));
    QCOMPARE(v->ProgressBar1->value(), 3);

    // Pressed and released on the slider, the same key pages as every key does.
    send(QEvent::KeyPress, 5000, false);
    QCOMPARE(row(v, 0), numbered(4));
    QCOMPARE(row(v, 1), Blanked);
    send(QEvent::KeyRelease, 5100, false);
    QCOMPARE(v->Slider1->value(), 3);
    QCOMPARE(row(v, 0), numbered(4));
}

void TstSqlret::pagingThroughFortyThousandRows()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(40000)}}});
    Form1 *form = program.start();
    sqlret *v = openOver(form, "Select * from Words");
    QVERIFY(v);

    // The last page: the last record alone, the rows past it blanked.
    v->Slider1->setValue(40000);
    QCOMPARE(row(v, 0), numbered(40000));
    QCOMPARE(row(v, 1), Blanked);
    QCOMPARE(row(v, 2), Blanked);
    QCOMPARE(v->ProgressBar1->value(), 40000);

    // Past the old 16-bit limit.
    v->Slider1->setValue(32767);
    QCOMPARE(row(v, 0), numbered(32768));
    QCOMPARE(row(v, 2), numbered(32770));
    QCOMPARE(v->ProgressBar1->value(), 32770);

    v->Slider1->setValue(39998);
    QCOMPARE(row(v, 0), numbered(39999));
    QCOMPARE(row(v, 1), numbered(40000));
    QCOMPARE(row(v, 2), Blanked);

    // Keys move the slider a record or a page at a time.
    v->Slider1->setValue(0);
    QCOMPARE(row(v, 0), numbered(1));
    QCOMPARE(v->ProgressBar1->value(), 3);
    QTest::keyClick(v->Slider1, Qt::Key_Right);
    QCOMPARE(row(v, 0), numbered(2));
    QTest::keyClick(v->Slider1, Qt::Key_PageUp);
    QCOMPARE(v->Slider1->value(), 4);
    QCOMPARE(row(v, 0), numbered(5));
    QTest::keyClick(v->Slider1, Qt::Key_End);
    QCOMPARE(row(v, 0), numbered(40000));

    // The same value shows the same page.
    v->slider1Scroll();
    QCOMPARE(row(v, 0), numbered(40000));
    QCOMPARE(row(v, 1), Blanked);
}

void TstSqlret::emptyPointerCellAfterPaging()
{
    ProgramFixture program({.tables = {{"Words",
                                        {{"Abate", "to lessen", "v."},
                                         {"Bane", "a cause of ruin", ""},
                                         {"Cajole", "to coax", QString()}, // no value at all
                                         {"Dearth", "scarcity", "n."}}}}});
    Form1 *form = program.start();
    sqlret *v = openOver(form, "Select * from Words");
    QVERIFY(v);
    QCOMPARE(row(v, 0), QStringList({"Abate", "to lessen", "v."}));
    QCOMPARE(row(v, 1), QStringList({"Bane", "a cause of ruin", ""}));

    v->Slider1->setValue(1);
    QCOMPARE(row(v, 0), QStringList({"Bane", "a cause of ruin", ""}));
    QCOMPARE(row(v, 1), QStringList({"Cajole", "to coax", ""}));
    QCOMPARE(row(v, 2), QStringList({"Dearth", "scarcity", "n."}));
    v->Slider1->setValue(2);
    QCOMPARE(row(v, 0), QStringList({"Cajole", "to coax", ""}));
    QCOMPARE(row(v, 2), Blanked);
}

void TstSqlret::resultWithOneColumn()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(5)}}});
    Form1 *form = program.start();
    sqlret *v = openOver(form, "Select word from Words");
    QVERIFY(v);
    QCOMPARE(row(v, 0), QStringList({numbered(1)[0], " ", " "}));
    v->Slider1->setValue(4);
    QCOMPARE(row(v, 0), QStringList({numbered(5)[0], " ", " "}));
    // A row past the end is blanked whole.
    QCOMPARE(row(v, 2), Blanked);
}

void TstSqlret::closeWithoutMarksAsksNothing()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(3)}}});
    Form1 *form = program.start();
    form->Text1->setText("Select * from Words");
    const QString status = form->RichTextBox1->statusText();
    QPointer<sqlret> v = openOver(form, form->Text1->text());
    QVERIFY(v);

    QTest::mouseClick(v->Command1, Qt::LeftButton);
    QVERIFY(program.dialogs().calls().isEmpty());
    QVERIFY(deleted(v));
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
    QCOMPARE(form->Text1->text(), QString());
    QCOMPARE(form->RichTextBox1->statusText(), status);
}

void TstSqlret::closeWithMarks_data()
{
    QTest::addColumn<bool>("leave");
    QTest::newRow("Yes: marks stay") << true;
    QTest::newRow("No: marks cleared") << false;
}

void TstSqlret::closeWithMarks()
{
    QFETCH(bool, leave);
    ProgramFixture program({.tables = {{"Words",
                                        {{"Abate", "to lessen", "v."},
                                         {"Bane", "a cause of ruin", "my note"},
                                         {"Cajole", "to coax", ""},
                                         {"Dearth", "scarcity", "n."},
                                         {"Bane", "a curse", "second"}}}}});
    Form1 *form = program.start();
    for (const char *word : {"Bane", "Cajole"})
        MarkBook::markWord(*Module1::database, "Words", word);
    const QStringList marked{"v.", "Got it wrong", "Got it wrong", "n.", "Got it wrong"};
    QCOMPARE(pointers(), marked);
    const QString status = form->RichTextBox1->statusText();

    QPointer<sqlret> v = openOver(form, "Select * from Words where pointer=\"Got it wrong\"");
    QVERIFY(v);
    QCOMPARE(v->recordTotal(), 3);
    program.dialogs().expectQuestion(leave);
    QTest::mouseClick(v->Command1, Qt::LeftButton);
    QCOMPARE(program.dialogs().last().text,
             "Would you like to leave the words marked 'Got it wrong' ?");
    QCOMPARE(program.dialogs().last().title, "Lexmora! Wordbrawl!");

    if (leave) {
        QCOMPARE(pointers(), marked);
        QCOMPARE(form->RichTextBox1->statusText(), status);
    } else {
        // Each record gets back the pointer it had before it was marked.
        QCOMPARE(pointers(), QStringList({"v.", "my note", "", "n.", "second"}));
        QCOMPARE(form->RichTextBox1->statusText(), status + Removed);
    }
    QVERIFY(deleted(v));
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
    QCOMPARE(form->Text1->text(), QString());
}

void TstSqlret::closeBoxAsksNothing()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(4)}}});
    Form1 *form = program.start();
    MarkBook::markWord(*Module1::database, "Words", numbered(2)[0]);
    QPointer<sqlret> v = openOver(form, "Select * from Words");
    QVERIFY(v);
    QVERIFY(form->isHidden());

    QVERIFY(v->close()); // the window frame's close box
    QVERIFY(program.dialogs().calls().isEmpty());
    QVERIFY(deleted(v));
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
    QCOMPARE(form->Text1->text(), QString());
    QCOMPARE(pointers(), QStringList({"p1", "Got it wrong", "p3", "p4"}));
}

void TstSqlret::failedClearingIsNotReportedAsDone()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(3)}}});
    Form1 *form = program.start();
    MarkBook::markWord(*Module1::database, "Words", numbered(3)[0]);
    // Without its book of kept pointers the clearing cannot run.
    StoreTestAccess::sql(*Module1::database).exec(std::string("DROP TABLE ") + MarkBook::Table);
    const QString status = form->RichTextBox1->statusText();
    QPointer<sqlret> v = openOver(form, "Select * from Words");
    QVERIFY(v);

    program.dialogs().expectQuestion(false).expectMessage();
    QTest::mouseClick(v->Command1, Qt::LeftButton);
    QVERIFY2(program.dialogs().last().text.startsWith(
                 "The pointer 'Got it wrong' could not be removed: "),
             qPrintable(program.dialogs().last().text));
    QCOMPARE(form->RichTextBox1->statusText(), status);
    QCOMPARE(pointers(), QStringList({"p1", "p2", "Got it wrong"}));
    QVERIFY(deleted(v));
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
}

void TstSqlret::closeButtonHoverLooks()
{
    ProgramFixture program({.tables = {{"Words", numberedWords(3)}}});
    Form1 *form = program.start();
    sqlret *v = openOver(form, "Select * from Words");
    QVERIFY(v);
    const auto look = [v] {
        return std::make_tuple(v->Command1->palette().color(QPalette::Button),
                               v->Command1->font().family(), v->Command1->font().pointSize(),
                               v->Command1->font().italic());
    };
    const auto normal = std::make_tuple(QColor(192, 0, 0), QString("TimesNewRoman"), 10, false);
    const auto hover = std::make_tuple(QColor(255, 192, 192), QString("TimesNewRoman"), 11, true);
    QCOMPARE(look(), normal);

    moveMouse(v->Command1);
    QCOMPARE(look(), hover);
    moveMouse(v->Label5); // neither a label nor the slider resets it
    moveMouse(v->Slider1);
    QCOMPARE(look(), hover);
    moveMouse(v, bareSpot(v));
    QCOMPARE(look(), normal);

    moveMouse(v->Command1);
    moveMouse(v->ProgressBar1);
    QCOMPARE(look(), normal);
}

QTEST_MAIN(TstSqlret)
#include "tst_sqlret.moc"
