// The Main window's wiring, the one place where it meets its subsystems. Each subsystem
// object is made here with the controls it drives and this window as its MainWindowPort;
// then every control's signal is connected to the handler of the subsystem it belongs to.
// A subsystem connects none of the Main window's controls itself.
#include "Form1.h"

#include "DeleteAll.h"
#include "ExportStart.h"
#include "Helpf.h"
#include "HoverLooks.h"
#include "ImportStart.h"
#include "ListBox.h"
#include "Module1.h"
#include "PaintedPicture.h"
#include "PanelSlides.h"
#include "PopupHelp.h"
#include "QuickSearch.h"
#include "QuizStart.h"
#include "SelectorStart.h"
#include "ShowAll.h"
#include "SqlParser.h"
#include "SqlParserFrame.h"
#include "StatusBox.h"
#include "SwitchTimer.h"
#include "WordDisplay.h"
#include "WordPanel.h"
#include "sqlret.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

void Form1::wire()
{
    const auto clicked = &QPushButton::clicked;
    const auto tick = &SwitchTimer::tick;

    // The control panel's cover, its Lock and the Intro slide.
    m_slides = new PanelSlides({.Picture1 = Picture1,
                                .Picture2 = Picture2,
                                .Picture4 = Picture4,
                                .Picture5 = Picture5,
                                .RichTextBox1 = RichTextBox1,
                                .RichTextBox2 = RichTextBox2,
                                .Timer2 = Timer2,
                                .Timer3 = Timer3,
                                .Timer4 = Timer4,
                                .Timer5 = Timer5,
                                .Timer6 = Timer6},
                               this);
    connect(Command20, clicked, m_slides, &PanelSlides::command20Click);
    connect(Timer2, tick, m_slides, &PanelSlides::timer2Tick);
    connect(Timer3, tick, m_slides, &PanelSlides::timer3Tick);
    connect(Timer4, tick, m_slides, &PanelSlides::timer4Tick);
    connect(Timer5, tick, m_slides, &PanelSlides::timer5Tick);
    connect(Timer6, tick, m_slides, &PanelSlides::timer6Tick);

    // "Show Words".
    m_wordDisplay = new WordDisplay({.Command2 = Command2,
                                     .Command3 = Command3,
                                     .Command4 = Command4,
                                     .Command14 = Command14,
                                     .Command15 = Command15,
                                     .Check1 = Check1,
                                     .Combo1 = Combo1,
                                     .Label1 = Label1,
                                     .Label2 = Label2,
                                     .Timer1 = Timer1},
                                    *this, this);
    connect(Command2, clicked, m_wordDisplay, &WordDisplay::command2Click);
    connect(Command3, clicked, m_wordDisplay, &WordDisplay::command3Click);
    connect(Command4, clicked, m_wordDisplay, &WordDisplay::command4Click);
    connect(Command14, clicked, m_wordDisplay, &WordDisplay::command14Click);
    connect(Command15, clicked, m_wordDisplay, &WordDisplay::command15Click);
    connect(Timer1, tick, m_wordDisplay, &WordDisplay::timer1Tick);

    // "Wordbrawl - Quiz".
    auto *quizStart = new QuizStart({.Check2 = Check2, .Combo2 = Combo2}, *this, this);
    connect(Command5, clicked, quizStart, &QuizStart::command5Click);

    // The SQL Parser frame, the quick searches and Show all.
    auto *parser = new SqlParser(*this, this);
    connect(Command13, clicked, parser, &SqlParser::command13Click);
    // Enter in the SQL box presses "Go!".
    connect(Text1, &QLineEdit::returnPressed, Command13, &QPushButton::click);
    connect(help->findChild<QAction *>(QStringLiteral("sql")), &QAction::triggered, parser,
            &SqlParser::sqlClick);
    connect(help->findChild<QAction *>(QStringLiteral("pass")), &QAction::triggered, parser,
            &SqlParser::passClick);
    new SqlParserFrame({.Frame4 = Frame4, .Text1 = Text1, .Command13 = Command13, .help = help},
                       this);
    auto *search = new QuickSearch(*this, *parser, this);
    // A click on an entry, or a move to another entry with the keyboard.
    connect(List1, &ListBox::click, search,
            [this, search] { search->list1Click(List1->selectedText()); });
    auto *showAll = new ShowAll(*this, *parser, this);
    connect(Command8, clicked, showAll, &ShowAll::command8Click);

    // "Word Control": the word panel, Delete all, the Database Selector, the import and the
    // export.
    auto *wordPanel = new WordPanel({.Frame5 = Frame5,
                                     .Text2 = Text2,
                                     .Combo3 = Combo3,
                                     .Text3 = Text3,
                                     .Text4 = Text4,
                                     .Command1 = Command1,
                                     .Command17 = Command17,
                                     .Command16 = Command16,
                                     .RichTextBox2 = RichTextBox2,
                                     .RichTextBox1 = RichTextBox1},
                                    *this, this);
    connect(Command9, clicked, wordPanel, &WordPanel::command9Click);
    connect(Command10, clicked, wordPanel, &WordPanel::command10Click);
    connect(Command1, clicked, wordPanel, &WordPanel::command1Click);
    connect(Command17, clicked, wordPanel, &WordPanel::command17Click);
    connect(Command16, clicked, wordPanel, &WordPanel::command16Click);
    auto *deleteAll = new DeleteAll(*this, this);
    connect(Command11, clicked, deleteAll, &DeleteAll::command11Click);
    auto *selectorStart = new SelectorStart(*this, this);
    connect(Command18, clicked, selectorStart, &SelectorStart::command18Click);
    auto *importStart = new ImportStart(*this, this);
    connect(Command12, clicked, importStart, &ImportStart::command12Click);
    auto *exportStart = new ExportStart(*this, this);
    connect(Command21, clicked, exportStart, &ExportStart::command21Click);

    // The shell's own: Help and Exit, and the popup help of the frames.
    connect(Command7, clicked, this, [this] { (new Helpf(*this))->load(); });
    connect(Command6, clicked, this, &Form1::command6Click);
    wirePopupHelp();
}

void Form1::wirePopupHelp()
{
    auto *popups = new PopupHelp(this);
    popups->attach(help2,
                   {Frame3, List1, Command9, Command10, Command11, Command12, Command18, Command21});
    popups->attach(h3, {Frame2, Command5, Check2});
    popups->attach(h4,
                   {Frame1, Command2, Command3, Command4, Command8, Command14, Command15, Check1});
    for (QMenu *menu : {help2, h3, h4}) {
        for (QAction *item : menu->actions()) {
            const QString name = item->objectName();
            connect(item, &QAction::triggered, this, [this, name] {
                RichTextBox1->appendText(PopupHelp::itemText(name, Module1::currentCollection));
            });
        }
    }
}

// The port's requests and the handlers tests and benchmarks call by name, handed on.

void Form1::displayHalt()
{
    m_wordDisplay->displayHalt();
}

void Form1::openResultsViewer()
{
    // The viewer is a window of its own, hiding this one until it closes; it deletes itself
    // then (WA_DeleteOnClose).
    hide();
    (new sqlret(*this))->load();
}

void Form1::closeRequest()
{
    m_slides->closeRequest();
}

void Form1::openRequest()
{
    m_slides->openRequest();
}

void Form1::setControlPanelEnabled(bool enabled)
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{Frame1, Frame2, Frame3, Frame4, Command6, Command7,
                                          Command20, Command9, Command10, Command11, Command12})
        w->setEnabled(enabled);
}

void Form1::highlightReset()
{
    m_looks->resetAll();
}

const Form1::PanelState &Form1::panel() const
{
    return m_slides->panel().state();
}

double Form1::picture1Width() const
{
    return m_slides->panel().picture1Width();
}

double Form1::picture2Left() const
{
    return m_slides->panel().picture2Left();
}

double Form1::coverWidth() const
{
    return m_slides->panel().coverWidth();
}

void Form1::command20Click()
{
    m_slides->command20Click();
}

void Form1::picture4Click()
{
    m_slides->picture4Click();
}

void Form1::picture4Nudge()
{
    m_slides->picture4Nudge();
}

void Form1::picture5MouseMove()
{
    m_slides->picture5MouseMove();
}

void Form1::picture5MouseUp()
{
    m_slides->picture5MouseUp();
}

void Form1::timer2Tick()
{
    m_slides->timer2Tick();
}

void Form1::timer3Tick()
{
    m_slides->timer3Tick();
}

void Form1::timer4Tick()
{
    m_slides->timer4Tick();
}

void Form1::timer5Tick()
{
    m_slides->timer5Tick();
}

void Form1::timer6Tick()
{
    m_slides->timer6Tick();
}
