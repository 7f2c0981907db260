// The control panel on the real Main window: cover and lock, the requests' messages, the
// Status flash of both boxes, hover looks, popup help and flat button faces.
#include "Form1.h"
#include "HoverLooks.h"
#include "ListBox.h"
#include "Module1.h"
#include "PaintedPicture.h"
#include "ProgramFixture.h"
#include "StatusBox.h"
#include "SwitchTimer.h"
#include "Twips.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

using namespace TestSupport;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Shutting = " I'll shut the Control Panel shortly";
const QString WordPanelClosing =
    " Closing the panel! Click on 'Close' or move your mouse over the lock to activate it!";
const QString Opening = " Opening the Control Panel";
const QString Shut = " I have shut the Control Panel. Please navigate the mouse pointer over "
                     "the lock to activate it!";

int lines(const StatusBox *box, const QString &message)
{
    return int(box->statusText().count(CrLf + message + CrLf));
}

void moveOver(QWidget *w, QPointF at = QPointF(2, 2))
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

QPoint centreIn(QWidget *w, QWidget *window)
{
    return w->mapTo(window, w->rect().center());
}

// Runs the cover's timers by hand until the closing slide has finished.
void closeFully(Form1 *form)
{
    if (form->Timer5->interval())
        form->timer5Tick();
    int guard = 0;
    while (form->Timer4->interval() && ++guard < 1000)
        form->timer4Tick();
    QVERIFY(form->panel().covered);
}

void openFully(Form1 *form)
{
    int guard = 0;
    while (form->Timer6->interval() && ++guard < 1000)
        form->timer6Tick();
    QVERIFY(!form->panel().covered);
}

// The program with the timers held still, so that the test alone steps them.
struct HeldProgram
{
    ProgramFixture fixture;
    Form1 *form;

    explicit HeldProgram(const ProgramFixture::Options &options = {}) : fixture(options)
    {
        form = fixture.start();
        for (SwitchTimer *t : {form->Timer2, form->Timer3, form->Timer4, form->Timer5, form->Timer6,
                               form->Timer7, form->Timer8})
            t->setEnabled(false);
    }
};

// The panel's own controls: everything the cover must hide.
QList<QWidget *> panelControls(Form1 *form)
{
    return {form->Frame1,    form->Frame2,   form->Frame3,  form->Frame4,
            form->Command20, form->Command7, form->Command6};
}

} // namespace

class TstPanel : public QObject
{
    Q_OBJECT

private slots:
    void leftPanePaperReachesAnyWidth_data();
    void leftPanePaperReachesAnyWidth();
    void coverPanelTwiceWritesOneLine();
    void closingSlideWidensTheCoverTickByTick();
    void coverHidesThePanelAndTheLockIsReachable();
    void lockIgnoredWhileClosingThenOpensOnce();
    void releaseOverTheLockInEveryState_data();
    void releaseOverTheLockInEveryState();
    void coverNudgesAndClick();
    void wordPanelRequests();
    void realTimersRunTheSlides();
    void bothStatusBoxesFlash();
    void hoverLookOfEveryButton_data();
    void hoverLookOfEveryButton();
    void bareWindowLeavesWordPanelButtons();
    void list1LooksAndFrame4Tip();
    void popupMenus_data();
    void popupMenus();
    void noPopupOnDisabledControls_data();
    void noPopupOnDisabledControls();
    void helpItemsAppendTheirText_data();
    void helpItemsAppendTheirText();
    void buttonFacesAreFlat();
};

void TstPanel::coverPanelTwiceWritesOneLine()
{
    HeldProgram p;
    QTest::mouseClick(p.form->Command20, Qt::LeftButton);
    QTest::mouseClick(p.form->Command20, Qt::LeftButton);
    QCOMPARE(lines(p.form->RichTextBox1, Shutting), 1);
    QVERIFY(p.form->panel().closePending);
    QCOMPARE(p.form->Timer5->interval(), 1);
    QVERIFY(p.form->Picture4->isVisible());
    // Covered: the button does nothing, not even a line.
    closeFully(p.form);
    const QString before = p.form->RichTextBox1->statusText();
    p.form->command20Click();
    QCOMPARE(p.form->RichTextBox1->statusText(), before);
    QCOMPARE(p.form->Timer5->interval(), 0);
}

void TstPanel::closingSlideWidensTheCoverTickByTick()
{
    HeldProgram p;
    Form1 *form = p.form;
    form->command20Click();
    form->timer5Tick();
    QCOMPARE(form->Timer5->interval(), 0);
    QCOMPARE(form->Timer4->interval(), 1);
    QVERIFY(!form->panel().closePending);
    for (int tick = 1; tick <= 200; ++tick) {
        QCOMPARE(lines(form->RichTextBox1, Shut), 0);
        form->timer4Tick();
        QCOMPARE(form->coverWidth(), 70.0 * tick);
        QCOMPARE(form->Picture4->width(), Twips::toPixels(70.0 * tick));
    }
    QCOMPARE(form->coverWidth(), 14000.0);
    QCOMPARE(form->Timer4->interval(), 0);
    QCOMPARE(lines(form->RichTextBox1, Shut), 1);
    QVERIFY(form->panel().covered);
    QVERIFY(!form->panel().closing);
    // The line restarted the main box's flash.
    QCOMPARE(form->Timer7->interval(), 300);
    QCOMPARE(form->RichTextBox1->flashCounter(), 0);
}

void TstPanel::coverHidesThePanelAndTheLockIsReachable()
{
    HeldProgram p;
    Form1 *form = p.form;
    form->command20Click();
    form->timer5Tick();
    // Half way: the left column is under the cover, the right one still in use.
    while (form->coverWidth() < 960 + 6900)
        form->timer4Tick();
    for (QWidget *w :
         {static_cast<QWidget *>(form->Frame1), static_cast<QWidget *>(form->Frame2)}) {
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QCOMPARE(form->childAt(centreIn(w, form)), form->Picture4);
    }
    QVERIFY(form->Frame3->isEnabled());
    QCOMPARE(form->childAt(centreIn(form->Command18, form)), form->Command18);

    closeFully(form);
    for (QWidget *w : panelControls(form)) {
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        // The mouse over any of them is over the cover or its Lock.
        for (const QPoint corner : {w->rect().topLeft(), w->rect().bottomRight()}) {
            QWidget *hit = form->childAt(w->mapTo(form, corner));
            QVERIFY2(hit == form->Picture4 || hit == form->Picture5, qPrintable(w->objectName()));
        }
    }
    QCOMPARE(form->childAt(centreIn(form->Picture5, form)), form->Picture5);
    QVERIFY(form->Picture5->isVisible());
    // A click where "Exit" lies does not end the program.
    QTest::mouseClick(form->Command6, Qt::LeftButton);
    QVERIFY(form->isVisible());

    // Opened again, everything is in reach, and what others had disabled stays disabled.
    form->Check1->setEnabled(false);
    moveOver(form->Picture5);
    openFully(form);
    QVERIFY(!form->Picture4->isVisible());
    for (QWidget *w : panelControls(form))
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(!form->Check1->isEnabled());
    QCOMPARE(form->childAt(centreIn(form->Command6, form)), form->Command6);
}

void TstPanel::lockIgnoredWhileClosingThenOpensOnce()
{
    HeldProgram p;
    Form1 *form = p.form;
    form->command20Click();
    form->timer5Tick();
    while (form->Picture4->width() < form->Picture5->x() + form->Picture5->width())
        form->timer4Tick();
    QVERIFY(form->panel().closing);
    moveOver(form->Picture5);
    QCOMPARE(lines(form->RichTextBox1, Opening), 0);
    QCOMPARE(form->Timer6->interval(), 0);

    closeFully(form);
    moveOver(form->Picture5);
    QCOMPARE(lines(form->RichTextBox1, Opening), 1);
    QVERIFY(form->panel().opening);
    QCOMPARE(form->Timer6->interval(), 1);
    form->timer6Tick();
    QCOMPARE(form->coverWidth(), 14000.0 - 70);
    moveOver(form->Picture5);
    form->openRequest();
    QCOMPARE(lines(form->RichTextBox1, Opening), 1);

    openFully(form);
    QCOMPARE(form->coverWidth(), 0.0);
    QCOMPARE(form->Timer6->interval(), 0);
    QVERIFY(!form->panel().opening);
    QVERIFY(!form->panel().covered);
    QVERIFY(!form->Picture4->isVisible());
    // Open and still: "Cover Panel" works again.
    form->command20Click();
    QCOMPARE(lines(form->RichTextBox1, Shutting), 2);
}

void TstPanel::releaseOverTheLockInEveryState_data()
{
    QTest::addColumn<int>("phase"); // 0 closing, 1 covered, 2 opening
    QTest::newRow("closing") << 0;
    QTest::newRow("covered") << 1;
    QTest::newRow("opening") << 2;
}

void TstPanel::releaseOverTheLockInEveryState()
{
    QFETCH(int, phase);
    HeldProgram p;
    Form1 *form = p.form;
    form->command20Click();
    form->timer5Tick();
    if (phase == 0) {
        while (form->Picture4->width() < form->Picture5->x() + form->Picture5->width())
            form->timer4Tick();
    } else {
        closeFully(form);
    }
    if (phase == 2) {
        form->openRequest();
        form->timer6Tick();
    }
    const Form1::PanelState before = form->panel();
    const int shut = lines(form->RichTextBox1, Shut);
    const QPoint at = form->Picture5->rect().center();
    QTest::mousePress(form->Picture5, Qt::LeftButton, {}, at);
    QCOMPARE(lines(form->RichTextBox1, Shut), shut); // a press on the Lock writes nothing
    QTest::mouseRelease(form->Picture5, Qt::LeftButton, {}, at);
    QCOMPARE(lines(form->RichTextBox1, Shut), shut + 1);
    QCOMPARE(form->panel().covered, before.covered);
    QCOMPARE(form->panel().opening, before.opening);
    QCOMPARE(form->panel().closing, before.closing);
}

void TstPanel::coverNudgesAndClick()
{
    HeldProgram p;
    Form1 *form = p.form;
    form->command20Click();
    closeFully(form);
    const int shut = lines(form->RichTextBox1, Shut);
    const QPoint onCover(20, 20);
    QVERIFY(form->Picture4->childAt(onCover) == nullptr);

    // Double click: the first press, its click (an Open request), the double click.
    const auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QMouseEvent e(type, onCover, form->Picture4->mapToGlobal(onCover), Qt::LeftButton, buttons,
                      {});
        QApplication::sendEvent(form->Picture4, &e);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    QCOMPARE(lines(form->RichTextBox1, Shut), shut + 2);
    QCOMPARE(lines(form->RichTextBox1, Opening), 1);
    openFully(form);

    form->command20Click();
    closeFully(form);
    const int shut2 = lines(form->RichTextBox1, Shut);
    // A right button press is a nudge and no click.
    QTest::mouseClick(form->Picture4, Qt::RightButton, {}, onCover);
    QCOMPARE(lines(form->RichTextBox1, Shut), shut2 + 1);
    QCOMPARE(lines(form->RichTextBox1, Opening), 1);
    // A key typed while the cover has the focus.
    form->Picture4->setFocus();
    QTest::keyClick(form->Picture4, Qt::Key_A);
    QCOMPARE(lines(form->RichTextBox1, Shut), shut2 + 2);
    // A left click: the press writes the line, the click opens.
    QTest::mouseClick(form->Picture4, Qt::LeftButton, {}, onCover);
    QCOMPARE(lines(form->RichTextBox1, Shut), shut2 + 3);
    QCOMPARE(lines(form->RichTextBox1, Opening), 2);
    QVERIFY(form->panel().opening);
}

void TstPanel::wordPanelRequests()
{
    HeldProgram p;
    Form1 *form = p.form;
    MainWindowPort &port = *form;
    port.closeRequest();
    port.closeRequest();
    QCOMPARE(lines(form->RichTextBox2, WordPanelClosing), 1);
    QCOMPARE(lines(form->RichTextBox1, WordPanelClosing), 0);
    QCOMPARE(lines(form->RichTextBox1, Shutting), 0);
    QCOMPARE(form->Timer8->interval(), 300);
    form->command20Click(); // still pending: nothing
    QCOMPARE(lines(form->RichTextBox1, Shutting), 0);
    port.openRequest(); // not covered yet: nothing
    QCOMPARE(lines(form->RichTextBox1, Opening), 0);
    closeFully(form);
    port.openRequest();
    QCOMPARE(lines(form->RichTextBox1, Opening), 1);
    QVERIFY(form->panel().opening);
}

void TstPanel::realTimersRunTheSlides()
{
    ProgramFixture fixture;
    Form1 *form = fixture.start();
    form->command20Click();
    QTRY_VERIFY_WITH_TIMEOUT(form->panel().covered, 20000);
    QCOMPARE(form->coverWidth(), 14000.0);
    QCOMPARE(form->Timer4->interval(), 0);
    moveOver(form->Picture5);
    QTRY_VERIFY_WITH_TIMEOUT(!form->Picture4->isVisible(), 20000);
    QCOMPARE(form->coverWidth(), 0.0);
    QVERIFY(form->panel().savedPaneLeft == 7135.0);
}

void TstPanel::bothStatusBoxesFlash()
{
    HeldProgram p;
    for (StatusBox *box : {p.form->RichTextBox1, p.form->RichTextBox2}) {
        SwitchTimer *timer = box == p.form->RichTextBox1 ? p.form->Timer7 : p.form->Timer8;
        box->appendLine("a change");
        QCOMPARE(timer->interval(), 300);
        QStringList colours;
        for (int tick = 1; tick <= 15; ++tick) {
            emit timer->tick();
            colours << (box->backgroundColour() == QColor(0, 255, 0) ? "G" : "w");
        }
        QCOMPARE(colours.join(QString()), "wGwwwwwwwwwwwww");
        QCOMPARE(timer->interval(), 0);
        QCOMPARE(box->backgroundColour(), QColor(255, 255, 255));
    }
}

void TstPanel::hoverLookOfEveryButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QColor>("hover");
    QTest::addColumn<QColor>("normal");
    const QColor green(0, 192, 0), lightGreen(192, 255, 192);
    const QColor red(192, 0, 0), lightRed(255, 192, 192);
    const QColor teal(0, 192, 192), lightTeal(192, 255, 255);
    const QColor olive(192, 192, 0), lightOlive(255, 255, 192);
    const QColor orange(255, 128, 0), lightOrange(255, 192, 128), paleOrange(255, 224, 192);
    const QList<std::tuple<const char *, QColor, QColor>> table{
        {"Command2", lightGreen, green},
        {"Command5", lightGreen, green},
        {"Command13", lightGreen, green},
        {"Command1", lightGreen, green},
        {"Command3", lightRed, red},
        {"Command6", lightRed, red},
        {"Command4", lightTeal, teal},
        {"Command7", lightTeal, teal},
        {"Command8", lightOlive, olive},
        {"Command14", lightOlive, olive},
        {"Command15", lightOlive, olive},
        {"Command20", lightOlive, olive},
        {"Command17", lightOlive, olive},
        {"Command9", lightOrange, orange},
        {"Command10", lightOrange, orange},
        {"Command11", lightOrange, orange},
        {"Command12", lightOrange, orange},
        {"Command18", paleOrange, orange},
        {"Command16", paleOrange, QColor(192, 64, 0)}};
    for (const auto &[name, hover, normal] : table)
        QTest::newRow(name) << QString(name) << hover << normal;
}

void TstPanel::hoverLookOfEveryButton()
{
    QFETCH(QString, button);
    QFETCH(QColor, hover);
    QFETCH(QColor, normal);
    HeldProgram p;
    auto *b = p.form->findChild<QPushButton *>(button);
    QVERIFY(b);
    QCOMPARE(HoverLooks::backColour(b), normal);
    QCOMPARE(b->font().family(), "TimesNewRoman");
    QCOMPARE(b->font().pointSize(), 10);
    QVERIFY(!b->font().italic());

    moveOver(b);
    QCOMPARE(HoverLooks::backColour(b), hover);
    QCOMPARE(b->font().family(), "TimesNewRoman");
    QCOMPARE(b->font().pointSize(), 11);
    QVERIFY(b->font().italic());
    QVERIFY(!b->font().bold());

    // Any frame or pane resets it; the Highlight reset does too.
    for (QWidget *area : std::initializer_list<QWidget *>{
             p.form->Frame1, p.form->Frame2, p.form->Frame3, p.form->Frame4, p.form->Frame5,
             p.form->Picture1, p.form->Picture2}) {
        moveOver(b);
        moveOver(area, QPointF(3, 3));
        QVERIFY2(HoverLooks::backColour(b) == normal, qPrintable(area->objectName()));
        QCOMPARE(b->font().pointSize(), 10);
        QVERIFY(!b->font().italic());
    }
    moveOver(b);
    p.form->highlightReset();
    QCOMPARE(HoverLooks::backColour(b), normal);
}

void TstPanel::bareWindowLeavesWordPanelButtons()
{
    HeldProgram p;
    Form1 *form = p.form;
    const QList<QPushButton *> seven{form->Command2, form->Command3, form->Command4, form->Command5,
                                     form->Command6, form->Command7, form->Command8};
    const QList<QPushButton *> others{form->Command1,  form->Command16, form->Command17,
                                      form->Command9,  form->Command13, form->Command14,
                                      form->Command15, form->Command20, form->Command18};
    for (QPushButton *b : seven + others)
        moveOver(b);
    const QPointF bare(form->width() - 2, form->height() - 2);
    QVERIFY(!form->childAt(bare.toPoint()));
    moveOver(form, bare);
    for (QPushButton *b : seven)
        QVERIFY2(!b->font().italic(), qPrintable(b->objectName()));
    for (QPushButton *b : others)
        QVERIFY2(b->font().italic(), qPrintable(b->objectName()));
    // Over the window where a pane lies, or over the cover, nothing resets.
    moveOver(form->Command2);
    moveOver(form, centreIn(form->Picture1, form));
    QVERIFY(form->Command2->font().italic());
    // Crossing the word panel's frame restores its buttons too.
    moveOver(form->Frame5, QPointF(2, 2));
    for (QPushButton *b : seven + others)
        QVERIFY2(!b->font().italic(), qPrintable(b->objectName()));
}

void TstPanel::list1LooksAndFrame4Tip()
{
    HeldProgram p;
    Form1 *form = p.form;
    QListWidget *list = form->List1;
    QCOMPARE(HoverLooks::listBackColour(list), QColor(192, 192, 192));
    moveOver(list->viewport());
    QVERIFY(list->font().italic());
    QCOMPARE(HoverLooks::listBackColour(list), QColor(255, 255, 255));
    list->item(2)->setSelected(true);
    // The bare window leaves the list alone; a frame restores it and clears the selection.
    moveOver(form, QPointF(form->width() - 2, form->height() - 2));
    QVERIFY(list->font().italic());
    moveOver(form->Frame3, QPointF(2, 2));
    QVERIFY(!list->font().italic());
    QCOMPARE(HoverLooks::listBackColour(list), QColor(192, 192, 192));
    QVERIFY(list->selectedItems().isEmpty());

    QVERIFY(form->Frame4->toolTip().isEmpty());
    moveOver(form->Frame4, QPointF(2, 2));
    QCOMPARE(form->Frame4->toolTip(), "Right Click for help");
}

void TstPanel::popupMenus_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("menu");
    for (const char *c :
         {"Frame3", "List1", "Command9", "Command10", "Command11", "Command12", "Command18"})
        QTest::newRow(c) << c << "help2";
    for (const char *c : {"Frame2", "Command5", "Check2"})
        QTest::newRow(c) << c << "h3";
    for (const char *c : {"Frame1", "Command2", "Command3", "Command4", "Command8", "Command14",
                          "Command15", "Check1"})
        QTest::newRow(c) << c << "h4";
    for (const char *c : {"Frame4", "Text1", "Command13"})
        QTest::newRow(c) << c << "help";
}

void TstPanel::popupMenus()
{
    QFETCH(QString, control);
    QFETCH(QString, menu);
    HeldProgram p;
    Form1 *form = p.form;
    auto *w = form->findChild<QWidget *>(control);
    QVERIFY(w);
    if (auto *list = qobject_cast<QListWidget *>(w))
        w = list->viewport();
    const QList<QMenu *> menus{form->help, form->help2, form->h3, form->h4};
    const auto shown = [&] {
        QStringList names;
        for (QMenu *m : menus)
            if (m->isVisible())
                names << m->objectName();
        return names;
    };
    // Left and middle buttons on a frame pop up nothing.
    const QPoint at(3, 3);
    const bool frame = qobject_cast<QGroupBox *>(w);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
        if (!frame)
            break;
        QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, {});
        QApplication::sendEvent(w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button, {}, {});
        QApplication::sendEvent(w, &release);
        QVERIFY(shown().isEmpty());
    }
    QMouseEvent right(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, {});
    QApplication::sendEvent(w, &right);
    QCOMPARE(shown(), QStringList{menu});
    auto *m = form->findChild<QMenu *>(menu);
    QCOMPARE(m->title(), "&Help");
    m->hide();
}

void TstPanel::noPopupOnDisabledControls_data()
{
    QTest::addColumn<QString>("control");
    for (const char *c : {"Frame1", "Frame2", "Frame3", "Frame4", "Command2", "Command5",
                          "Command9", "Command13", "Text1"})
        QTest::newRow(c) << c;
}

void TstPanel::noPopupOnDisabledControls()
{
    QFETCH(QString, control);
    HeldProgram p;
    Form1 *form = p.form;
    QTest::mouseClick(form->Command9, Qt::LeftButton); // the word panel disables the panel
    auto *w = form->findChild<QWidget *>(control);
    QVERIFY(w);
    QVERIFY(!w->isEnabled());
    const QString sql = form->Text1->text();
    const QPoint at(3, 3);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
        QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, {});
        QApplication::sendEvent(w, &press);
    }
    for (QMenu *m : {form->help, form->help2, form->h3, form->h4})
        QVERIFY2(!m->isVisible(), qPrintable(m->objectName()));
    QCOMPARE(form->Text1->text(), sql); // a click into the disabled SQL box empties nothing
}

void TstPanel::helpItemsAppendTheirText_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    const auto block = [](const QString &heading, const QStringList &body) {
        return CrLf + heading + CrLf + CrLf + body.join(CrLf) + CrLf;
    };
    QTest::newRow("wiata")
        << "wiata"
        << "What is all this about?"
        << block("WHAT IS WORD CONTROL ALL ABOUT ? ",
                 {"There are a lot of words in QVT. I have taken the liberty of storing most of "
                  "these words in a table called 'Words'. But, the user (that's you!) may wish to "
                  "have his/her own collection separately or add/modify to 'Words'.",
                  "This is where you could do so!"});
    QTest::newRow("wiaw") << "wiaw"
                          << "What is 'Add Word' ?"
                          << block("WHAT IS ADD WORD ? ",
                                   {"This is where you could add a new word to the table that "
                                    "is currently being used, which is Words3."});
    QTest::newRow("wii")
        << "wii"
        << "What is 'Import' ?"
        << block("WHAT DOES 'IMPORT' DO? ",
                 {"This is probably the most complicated option in this software. Okay, assume "
                  "you have an excel file containing a lot of words in the format ",
                  " WORD   MEANING  POINTER",
                  "Instead of manually entering each word in the excel file in Lexmora, you could "
                  "have this software do that for you. What you do is to select the cell number "
                  "of the starting word. This software will then import the words that follow "
                  "till it reaches an empty cell."});
    QTest::newRow("wida") << "wida"
                          << "What is 'Delete All' ?"
                          << block("WHAT DOES 'DELETE ALL' DO ? ",
                                   {"This is where you could delete all the words in the table "
                                    "that is currently being used, which is Words3."});
    QTest::newRow("wivd")
        << "wivd"
        << "What is 'View / Delete' ?"
        << block("WHAT DOES 'VIEW / MODIFY' DO ? ",
                 {"Here, you could look up a particular word in the table currently being used "
                  "(Words3).",
                  "You could also delete any word or modify the meaning/pointer of an existing "
                  "word, one by one."});
    QTest::newRow("wicd")
        << "wicd"
        << "What is 'Change Database ?'"
        << block("WHAT IS 'CHANGE TABLE' ABOUT ? ",
                 {"There are five tables in which you could store your words. This is an option "
                  "where you could switch to another table for now or make another table, the "
                  "default. ",
                  "You also have the option of deleting the contents of a table or renaming a "
                  "table to one of your choice. "});
    QTest::newRow("wita2")
        << "wita2"
        << "What is this about?"
        << block("WHAT IS 'QUIZ'ALL ABOUT ? ",
                 {"This option quizzes you on the words in the database currently being used "
                  "(Words3)",
                  "You could select the time that you would like each word to be displayed for, "
                  "from the 'Timer Interval'."});
    QTest::newRow("wir") << "wir"
                         << "What is 'Randomize' ?"
                         << block("WHAT DOES 'RANDOMIZE' ALL ABOUT ? ",
                                  {"This will quiz you on the words in Words3 randomly. Check "
                                   "this option and click on 'Start' to start the quiz."});
    QTest::newRow("wiata4")
        << "wiata4"
        << "What is all this about?"
        << block("WHAT DOES 'DISPLAY WORDS' DO ? ",
                 {"This displays the words in (Words3) in the manner selected. ",
                  "If Randomize is chosen, it displays the words in a random fashion. Each word "
                  "is displayed for a specified amount of time selected by the 'Time Interval'. "
                  "Default being 5 Seconds."});
    QTest::newRow("wisa") << "wisa"
                          << "What is 'Show all' ?"
                          << block("WHAT IS 'VIEW ALL' ? ",
                                   {"This option displays all the words in Words3 three words at "
                                    "a time. You could scroll to view the rest of the words."});
}

void TstPanel::helpItemsAppendTheirText()
{
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    DetailsRows details = standardDetails();
    for (auto &row : details)
        row.second = row.first.startsWith("Words3") ? 1 : 0;
    HeldProgram p({.details = details});
    QCOMPARE(Module1::currentCollection, "Words3");
    auto *action = p.form->findChild<QAction *>(item);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    const QString before = p.form->RichTextBox1->statusText();
    action->trigger();
    action->trigger();
    QCOMPARE(p.form->RichTextBox1->statusText(), before + text + text);
    QCOMPARE(p.form->Timer7->interval(), 300);
}

void TstPanel::buttonFacesAreFlat()
{
    HeldProgram p;
    QPushButton *start = p.form->Command5;
    const auto faceColour = [start] {
        const QImage image = start->grab().toImage();
        return image.pixelColor(6, 5);
    };
    QCOMPARE(faceColour(), QColor(0, 192, 0));
    moveOver(start);
    QCOMPARE(faceColour(), QColor(192, 255, 192));
}

void TstPanel::leftPanePaperReachesAnyWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("the margin only") << 12;
    QTest::newRow("design width") << 460;
    QTest::newRow("as wide as the window, mid-Intro") << 1406;
}

// The left pane's paper is drawn once as far as its first plain column and stretched from
// there: at any width it shows the margin, rules right across and the same paper as a pane
// of another width.
void TstPanel::leftPanePaperReachesAnyWidth()
{
    QFETCH(int, width);
    const int height = 200;
    PaintedPicture pane(PaintedPicture::Art::LeftPane);
    pane.resize(width, height);
    const QImage paper = pane.grab().toImage();
    QCOMPARE(paper.size(), QSize(width, height));
    PaintedPicture wide(PaintedPicture::Art::LeftPane);
    wide.resize(1500, height);
    const QImage widePaper = wide.grab().toImage();
    QCOMPARE(paper, widePaper.copy(0, 0, width, height));

    // A rule (every 24 pixels from 28) stands out from the paper above it, up to the edge.
    const int right = width - 1;
    QVERIFY(paper.pixel(right, 28) != paper.pixel(right, 30));
    QVERIFY(paper.pixel(right, 52) != paper.pixel(right, 50));
    // The red margin at x = 10 is not the paper beside it.
    QVERIFY(paper.pixel(10, 40) != paper.pixel(5, 40));
    // Either side of the margin every column is the same paper.
    for (int x : {0, 5, 16, 17, 200, 733, 1499})
        for (int y = 0; y < height; ++y)
            QCOMPARE(widePaper.pixel(x, y), widePaper.pixel(5, y));
}

QTEST_MAIN(TstPanel)
#include "tst_panel.moc"
