// The Help window, opened with the Main window's "Help" button.
#include "Form1.h"
#include "Helpf.h"
#include "ProgramFixture.h"
#include "TitleArt.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

QList<Helpf *> helpWindows()
{
    QList<Helpf *> out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *h = qobject_cast<Helpf *>(w); h && h->isVisible())
            out << h;
    return out;
}

Helpf *openHelp(Form1 *form)
{
    QTest::mouseClick(form->Command7, Qt::LeftButton);
    const QList<Helpf *> open = helpWindows();
    return open.size() == 1 ? open.first() : nullptr;
}

void moveOver(QWidget *w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// A button's look: back colour, point size, and italic or not.
QString lookOf(const QPushButton *b)
{
    return QStringLiteral("%1 %2pt%3")
        .arg(b->palette().color(QPalette::Button).name())
        .arg(b->font().pointSize())
        .arg(b->font().italic() ? " italic" : "");
}

const QString Normal = "#00c000 10pt";
const QString Lit = "#c0ffc0 11pt italic";

bool deleted(const QPointer<Helpf> &window)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull();
}

} // namespace

class TstHelpf : public QObject
{
    Q_OBJECT

private slots:
    void opensAndDisablesTheMainWindow();
    void textsLineForLine_data();
    void textsLineForLine();
    void aboutToggles();
    void leavingReturnsToTheMainWindow_data();
    void leavingReturnsToTheMainWindow();
    void hoverLooks();
};

void TstHelpf::opensAndDisablesTheMainWindow()
{
    ProgramFixture program;
    Form1 *form = program.start();
    Helpf *help = openHelp(form);
    QVERIFY(help);
    QCOMPARE(help->windowTitle(), "Help");
    QVERIFY(!form->isEnabled());
    QVERIFY(form->isVisible()); // disabled, not hidden
    QVERIFY(help->isEnabled());
    QVERIFY(!help->Frame1->isVisible());
    QCOMPARE(help->Command1->text(), "About");
    QCOMPARE(help->Command2->text(), "Okay");

    // While it is open the Main window takes no clicks: no second Help window, no Exit.
    QTest::mouseClick(form->Command7, Qt::LeftButton);
    QTest::mouseClick(form->Command6, Qt::LeftButton);
    QCOMPARE(helpWindows().size(), 1);
    QVERIFY(form->isVisible());
    QVERIFY(program.dialogs().calls().isEmpty());
}

void TstHelpf::textsLineForLine_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("welcome") << "Label1" << QStringList{"Welcome to Lexmora! (Wordbrawl)"};
    QTest::newRow("objective")
        << "Label2"
        << QStringList{"Objective: This Software has been designed to make the Verbal Section of",
                       "QVT or a similar examination both easy and fun to learn. "};
    QTest::newRow("working")
        << "Label3"
        << QStringList{"Working:  Word, Meaning and Pointer are the three fields that the user can",
                       "add to/view or modify. Five tables are provided, one of them",
                       "already holding a large number of words. The user can add to,",
                       "modify or delete the contents of any of the five tables provided.",
                       "For instance, you could have a table and store all the difficult",
                       "words in it and call the table \"Difficult\"."};
    QTest::newRow("help")
        << "Label4"
        << QStringList{"Help:", "You could right click on any frame for instantaneous help. That",
                       "will give you information on Frequently asked Questions. You",
                       "are welcome to tell us what you think of Lexmora. Thank you!"};
}

void TstHelpf::textsLineForLine()
{
    QFETCH(QString, label);
    QFETCH(QStringList, lines);
    ProgramFixture program;
    Helpf *help = openHelp(program.start());
    auto *l = help->findChild<QLabel *>(label);
    QVERIFY(l);
    QCOMPARE(l->text().split('\n'), lines);
    QCOMPARE(l->font().family(), "Times New Roman");
    // Every line is shown whole: nothing wraps and nothing is cut off.
    QVERIFY(!l->wordWrap());
    const QFontMetrics metrics(l->font());
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= l->contentsRect().width(), qPrintable(line));
    QVERIFY(metrics.lineSpacing() * lines.size() <= l->contentsRect().height());
    QVERIFY(help->rect().contains(l->geometry()));
}

void TstHelpf::aboutToggles()
{
    ProgramFixture program;
    Helpf *help = openHelp(program.start());
    const QList<QPair<QString, bool>> afterEachPress{
        {"Main", true}, {"About", false}, {"Main", true}};
    for (const auto &[caption, aboutShown] : afterEachPress) {
        QTest::mouseClick(help->Command1, Qt::LeftButton);
        QCOMPARE(help->Command1->text(), caption);
        QCOMPARE(help->Frame1->isVisible(), aboutShown);
        QVERIFY(help->isVisible());
    }
    // The About panel holds its picture and the credits, over the paragraphs.
    QCOMPARE(help->Frame1->title(), "About");
    QVERIFY(help->Picture1->isVisible());
    QVERIFY(!help->Label5->text().isEmpty());
    QVERIFY(help->Frame1->geometry().contains(help->Label3->geometry()));
}

void TstHelpf::leavingReturnsToTheMainWindow_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::addColumn<bool>("aboutShown");
    QTest::newRow("Okay") << false << false;
    QTest::newRow("close box") << true << false;
    QTest::newRow("close box, About panel shown") << true << true;
}

void TstHelpf::leavingReturnsToTheMainWindow()
{
    QFETCH(bool, closeBox);
    QFETCH(bool, aboutShown);
    ProgramFixture program;
    Form1 *form = program.start();
    QPointer<Helpf> help = openHelp(form);
    if (aboutShown)
        help->command1Click();
    form->hide(); // comes back even from hiding
    if (closeBox)
        QVERIFY(help->close());
    else
        QTest::mouseClick(help->Command2, Qt::LeftButton);
    QVERIFY(form->isEnabled());
    QVERIFY(form->isVisible());
    QVERIFY(helpWindows().isEmpty());
    QVERIFY(deleted(help));

    // The Main window works again: Help opens a fresh window, with the About panel hidden.
    Helpf *again = openHelp(form);
    QVERIFY(again);
    QCOMPARE(again->Command1->text(), "About");
    QVERIFY(!again->Frame1->isVisible());
    QVERIFY(!form->isEnabled());
}

void TstHelpf::hoverLooks()
{
    ProgramFixture program;
    Helpf *help = openHelp(program.start());
    moveOver(help->Command1);
    QCOMPARE(lookOf(help->Command1), Lit);
    QCOMPARE(help->Command1->font().family(), "TimesNewRoman");
    QVERIFY(!help->Command1->font().bold());
    // Straight from one button to the other: both stay lit until the background.
    moveOver(help->Command2);
    QCOMPARE(lookOf(help->Command1), Lit);
    QCOMPARE(lookOf(help->Command2), Lit);

    // Every part of the background puts both back, with the About panel hidden or shown.
    const QList<QPair<QWidget *, bool>> background{
        {help, false},        {help->Label1, false}, {help->Label3, false},  {help->Label4, false},
        {help->Frame1, true}, {help->Label5, true},  {help->Picture1, true}, {help, true}};
    for (const auto &[area, aboutShown] : background) {
        if (help->Frame1->isVisible() != aboutShown)
            QTest::mouseClick(help->Command1, Qt::LeftButton);
        moveOver(help->Command1);
        moveOver(help->Command2);
        moveOver(area);
        QCOMPARE(lookOf(help->Command1), Normal);
        QCOMPARE(lookOf(help->Command2), Normal);
    }
}

QTEST_MAIN(TstHelpf)
#include "tst_helpf.moc"
