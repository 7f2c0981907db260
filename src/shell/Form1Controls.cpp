// The Main window's controls at their design places, captions, tooltips, colours and
// hover looks, its popup menus, and the names assistive tools read.
#include "Form1.h"

#include "ControlPanel.h"
#include "HoverLooks.h"
#include "ListBox.h"
#include "Looks.h"
#include "PaintedPicture.h"
#include "StatusBox.h"
#include "SwitchTimer.h"
#include "Titles.h"
#include "Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <cmath>
#include <tuple>

namespace {

using Looks::make;
using Looks::place;

// The panes leave a narrow margin of bare window along the right and the bottom.
constexpr double WindowWidth = 21090;
constexpr double WindowHeight = PanelGeometry::PaneHeight + 90;

QGroupBox *frame(QWidget *parent, const char *name, const QString &title)
{
    auto *f = make<QGroupBox>(parent, name, title);
    f->setFont(Looks::caption(10, QFont::Bold));
    f->setAutoFillBackground(true);
    return f;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = make<QPushButton>(parent, name, caption);
    b->setAutoFillBackground(true);
    return b;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption)
{
    auto *c = make<QCheckBox>(parent, name, caption);
    c->setFont(Looks::caption(10));
    c->setAutoFillBackground(true);
    c->setBackgroundRole(QPalette::Window); // buttons fill with Button by default
    return c;
}

QComboBox *intervalList(QWidget *parent, const char *name)
{
    auto *c = make<QComboBox>(parent, name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setFont(Looks::caption(10));
    c->setEditText(QStringLiteral("Timer Interval"));
    return c;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption)
{
    auto *l = make<QLabel>(parent, name, caption);
    l->setFont(Looks::caption(10));
    return l;
}

void colourLabel(QLabel *l, const QColor &text, const QColor &back)
{
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Window, back);
    l->setPalette(p);
    l->setAutoFillBackground(true);
}

QFrame *line(QWidget *parent, QFrame::Shape shape)
{
    auto *l = new QFrame(parent);
    l->setFrameShape(shape);
    l->setStyleSheet(QStringLiteral("color: rgba(255, 255, 255, 90);"));
    // Lines take no mouse events: the mouse over a line is over the pane.
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

} // namespace

void Form1::buildControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Titles::MainWindow);
    setFixedSize(Twips::toPixels(WindowWidth), Twips::toPixels(WindowHeight));
    Looks::givePaperBackground(this);

    // Left pane: word display, main Status box, and the word panel in the same place.
    Picture1 = make<PaintedPicture>(this, "Picture1", PaintedPicture::Art::LeftPane);
    place(Picture1, 0, 0, PanelGeometry::LeftPaneWidth, PanelGeometry::PaneHeight);
    Label1 = make<QLabel>(Picture1, "Label1", QStringLiteral("Word:"));
    Label1->setFont(Looks::caption(20, QFont::Bold, true));
    colourLabel(Label1, QColor(0, 0, 192), QColor(224, 224, 224));
    place(Label1, 300, 240, 6300, 720);
    Label2 = make<QLabel>(Picture1, "Label2", QStringLiteral("Meaning:"));
    Label2->setFont(Looks::caption(12, QFont::Bold));
    Label2->setWordWrap(true);
    colourLabel(Label2, QColor(0, 0, 128), QColor(224, 224, 224));
    place(Label2, 300, 1020, 6300, 960);
    for (QLabel *l : {Label1, Label2}) {
        l->setTextFormat(Qt::PlainText); // words and meanings are shown as stored
        l->setMargin(Twips::toPixels(90));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
    }
    RichTextBox1 = make<StatusBox>(Picture1, "RichTextBox1", QColor(0, 255, 0));
    place(RichTextBox1, 300, 2160, 6300, 6375);

    Frame5 = frame(Picture1, "Frame5", QStringLiteral("Add a word"));
    place(Frame5, 300, 2160, 6300, 6375);
    Label3 = label(Frame5, "Label3", QStringLiteral("Word:"));
    place(Label3, 240, 400, 1800, 330);
    Text2 = make<QLineEdit>(Frame5, "Text2", QStringLiteral(" "));
    place(Text2, 2100, 360, 3960, 400);
    Combo3 = make<QComboBox>(Frame5, "Combo3");
    place(Combo3, 2100, 360, 3960, 400);
    Combo3->hide();
    Label4 = label(Frame5, "Label4", QStringLiteral("Meaning:"));
    place(Label4, 240, 940, 1800, 330);
    Text3 = make<QLineEdit>(Frame5, "Text3", QStringLiteral(" "));
    place(Text3, 2100, 900, 3960, 400);
    Label5 = label(Frame5, "Label5", QStringLiteral("Pointer / Comment:"));
    place(Label5, 240, 1480, 1800, 330);
    Text4 = make<QLineEdit>(Frame5, "Text4");
    place(Text4, 2100, 1440, 3960, 400);
    Command1 = button(Frame5, "Command1", QStringLiteral("Add"));
    place(Command1, 240, 2010, 1800, 495);
    Command17 = button(Frame5, "Command17", QStringLiteral("Delete"));
    place(Command17, 2250, 2010, 1800, 495);
    Command16 = button(Frame5, "Command16", QStringLiteral("Close"));
    place(Command16, 4260, 2010, 1800, 495);
    RichTextBox2 = make<StatusBox>(Frame5, "RichTextBox2", QColor(0, 255, 0));
    place(RichTextBox2, 240, 2700, 5820, 3495);
    Frame5->hide();

    Picture3 = make<PaintedPicture>(this, "Picture3", PaintedPicture::Art::Strip);
    place(Picture3, 6900, 0, 195, 8775);

    // Right pane: the control panel. Everything on it lies left of the rail the fully
    // closed cover stops at (13040 twips), so the cover hides all of it.
    Picture2 = make<PaintedPicture>(this, "Picture2", PaintedPicture::Art::RightPane);
    place(Picture2, PanelGeometry::PaneLeft, 0, PanelGeometry::PaneWidth, PanelGeometry::PaneHeight);

    Frame1 = frame(Picture2, "Frame1", QStringLiteral("Show Words"));
    Frame1->setToolTip(QStringLiteral("Right Click for Help"));
    place(Frame1, 300, 240, 6240, 2700);
    Command2 = button(Frame1, "Command2", QStringLiteral("Start"));
    place(Command2, 240, 420, 1800, 495);
    Command3 = button(Frame1, "Command3", QStringLiteral("Stop"));
    place(Command3, 2220, 420, 1800, 495);
    Command4 = button(Frame1, "Command4", QStringLiteral("Pause"));
    place(Command4, 4200, 420, 1800, 495);
    Command14 = button(Frame1, "Command14", QStringLiteral("Previous"));
    place(Command14, 240, 1080, 1800, 495);
    Command15 = button(Frame1, "Command15", QStringLiteral("Next"));
    place(Command15, 2220, 1080, 1800, 495);
    Command8 = button(Frame1, "Command8", QStringLiteral("Show all"));
    place(Command8, 4200, 1080, 1800, 495);
    Check1 = checkBox(Frame1, "Check1", QStringLiteral("Randomize"));
    place(Check1, 240, 1830, 1800, 400);
    Combo1 = intervalList(Frame1, "Combo1");
    place(Combo1, 2220, 1800, 3780, 435);

    Frame2 = frame(Picture2, "Frame2", QStringLiteral("Wordbrawl - Quiz"));
    Frame2->setToolTip(QStringLiteral("Right Click for Help"));
    place(Frame2, 300, 3120, 6240, 1940);
    Command5 = button(Frame2, "Command5", QStringLiteral("Start"));
    Command5->setToolTip(QStringLiteral("Start the quiz! Need I say more!"));
    place(Command5, 240, 480, 1800, 495);
    Check2 = checkBox(Frame2, "Check2", QStringLiteral("Randomize"));
    Check2->setToolTip(QStringLiteral("The questions appear in random"));
    place(Check2, 240, 1200, 1800, 400);
    Combo2 = intervalList(Frame2, "Combo2");
    place(Combo2, 2220, 510, 3780, 435);

    Frame3 = frame(Picture2, "Frame3", QStringLiteral("Word Control"));
    Frame3->setToolTip(QStringLiteral("Right Click for Help"));
    place(Frame3, 6780, 240, 5960, 4820);
    List1 = make<ListBox>(Frame3, "List1");
    List1->setToolTip(QStringLiteral("This will quickly look up a word / meaning"));
    List1->setFont(Looks::caption(10));
    place(List1, 240, 420, 5480, 1200);
    Command9 = button(Frame3, "Command9", QStringLiteral("Add"));
    Command9->setToolTip(QStringLiteral("To add a new word to the database"));
    place(Command9, 240, 1860, 2640, 555);
    Command10 = button(Frame3, "Command10", QStringLiteral("Find/Delete"));
    Command10->setToolTip(
        QStringLiteral("Use this to add/view/modify a word in the database being used at the moment"));
    place(Command10, 3080, 1860, 2640, 555);
    Command11 = button(Frame3, "Command11", QStringLiteral("Delete all"));
    Command11->setToolTip(QStringLiteral("Deletes all the words in the current collection"));
    place(Command11, 240, 2640, 2640, 555);
    Command12 = button(Frame3, "Command12", QStringLiteral("Import"));
    Command12->setToolTip(
        QStringLiteral("This can add words to the current database from an excel file"));
    place(Command12, 3080, 2640, 2640, 555);
    Command21 = button(Frame3, "Command21", QStringLiteral("Export"));
    Command21->setToolTip(
        QStringLiteral("This can save the words of the current database to a file"));
    place(Command21, 3080, 4140, 2640, 555);
    Command18 = button(Frame3, "Command18", QStringLiteral("Change table"));
    Command18->setToolTip(
        QStringLiteral("You could configure your choice of word collection here"));
    place(Command18, 240, 3420, 5480, 555);

    Frame4 = frame(Picture2, "Frame4", QStringLiteral("SQL Parser"));
    place(Frame4, 300, 5300, 12440, 1500);
    Text1 = make<QLineEdit>(Frame4, "Text1", QStringLiteral("Example: Select * from words"));
    Text1->setToolTip(QStringLiteral("Example : Select * from words"));
    Text1->setFont(Looks::caption(11));
    place(Text1, 240, 560, 9960, 450);
    Command13 = button(Frame4, "Command13", QStringLiteral("Go!"));
    Command13->setToolTip(QStringLiteral("Right Click for help"));
    place(Command13, 10395, 540, 1805, 495);

    Command20 = button(Picture2, "Command20", QStringLiteral("Cover Panel"));
    place(Command20, 300, 7260, 2400, 555);
    Command7 = button(Picture2, "Command7", QStringLiteral("Help"));
    place(Command7, 7980, 7260, 2160, 555);
    Command6 = button(Picture2, "Command6", QStringLiteral("Exit"));
    place(Command6, 10340, 7260, 2400, 555);

    // Three decorative lines: between the columns, under the frames, above the buttons.
    place(line(Picture2, QFrame::VLine), 6600, 360, 120, 4580);
    place(line(Picture2, QFrame::HLine), 300, 5130, 12440, 120);
    place(line(Picture2, QFrame::HLine), 300, 6960, 12440, 120);

    // The cover's left edge lies 960 twips left of the pane, where the pane clips it. It
    // takes the focus when clicked (a key pressed on it is one of its nudges).
    Picture4 = make<PaintedPicture>(Picture2, "Picture4", PaintedPicture::Art::Cover);
    Picture4->setToolTip(
        QStringLiteral("Navigate the mouse pointer over the lock to open the control panel!"));
    place(Picture4, -PanelGeometry::CoverOffset, 0, 0, PanelGeometry::PaneHeight);
    Picture4->setFocusPolicy(Qt::ClickFocus);
    Picture4->hide();
    // The Lock sits in the middle of what the closed cover hides.
    Picture5 = make<PaintedPicture>(Picture4, "Picture5", PaintedPicture::Art::Lock);
    Picture5->setToolTip(QStringLiteral("Open the Control Panel"));
    const double hidden = PanelGeometry::closedCoverWidth() - PanelGeometry::CoverOffset;
    place(Picture5, PanelGeometry::CoverOffset + hidden / 2 - 600,
          PanelGeometry::PaneHeight / 2 - 750, 1200, 1500);

    Timer1 = make<SwitchTimer>(this, "Timer1");
    Timer2 = make<SwitchTimer>(this, "Timer2");
    Timer3 = make<SwitchTimer>(this, "Timer3");
    Timer4 = make<SwitchTimer>(this, "Timer4");
    Timer5 = make<SwitchTimer>(this, "Timer5");
    Timer6 = make<SwitchTimer>(this, "Timer6");
    Timer7 = RichTextBox1->flashTimer();
    Timer7->setObjectName(QStringLiteral("Timer7"));
    Timer8 = RichTextBox2->flashTimer();
    Timer8->setObjectName(QStringLiteral("Timer8"));
}

void Form1::buildMenus()
{
    const auto menu = [this](const char *name,
                             const QList<QPair<const char *, QString>> &items) {
        auto *m = new QMenu(QStringLiteral("&Help"), this);
        m->setObjectName(QLatin1String(name));
        for (const auto &[itemName, caption] : items)
            m->addAction(caption)->setObjectName(QLatin1String(itemName));
        return m;
    };
    help = menu("help", {{"sql", QStringLiteral("What is SQL?")},
                         {"pass", QStringLiteral("How do I pass a query?")}});
    help2 = menu("help2", {{"wiata", QStringLiteral("What is all this about?")},
                           {"wiaw", QStringLiteral("What is 'Add Word' ?")},
                           {"wii", QStringLiteral("What is 'Import' ?")},
                           {"wida", QStringLiteral("What is 'Delete All' ?")},
                           {"wivd", QStringLiteral("What is 'View / Delete' ?")},
                           {"wicd", QStringLiteral("What is 'Change Database ?'")}});
    h3 = menu("h3", {{"wita2", QStringLiteral("What is this about?")},
                     {"wir", QStringLiteral("What is 'Randomize' ?")}});
    h4 = menu("h4", {{"wiata4", QStringLiteral("What is all this about?")},
                     {"wisa", QStringLiteral("What is 'Show all' ?")}});
}

void Form1::buildLooks()
{
    // The buttons' two looks; the normal look is also each button's design colour. They are
    // added in the order the Highlight reset goes through them.
    const QColor green(0, 192, 0), lightGreen(192, 255, 192);
    const QColor red(192, 0, 0), lightRed(255, 192, 192);
    const QColor teal(0, 192, 192), lightTeal(192, 255, 255);
    const QColor olive(192, 192, 0), lightOlive(255, 255, 192);
    const QColor orange(255, 128, 0), lightOrange(255, 192, 128), paleOrange(255, 224, 192);
    const QList<std::tuple<QPushButton *, QColor, QColor>> buttons{
        {Command1, green, lightGreen},    {Command16, QColor(192, 64, 0), paleOrange},
        {Command17, olive, lightOlive},   {Command9, orange, lightOrange},
        {Command10, orange, lightOrange}, {Command18, orange, paleOrange},
        {Command11, orange, lightOrange}, {Command12, orange, lightOrange},
        {Command21, orange, lightOrange},
        {Command5, green, lightGreen},    {Command6, red, lightRed},
        {Command7, teal, lightTeal},      {Command2, green, lightGreen},
        {Command13, green, lightGreen},   {Command3, red, lightRed},
        {Command4, teal, lightTeal},      {Command8, olive, lightOlive},
        {Command15, olive, lightOlive},   {Command14, olive, lightOlive},
        {Command20, olive, lightOlive}};
    for (const auto &[button, normal, hover] : buttons)
        m_looks->add(button, normal, hover);
    m_looks->addList(List1, QColor(192, 192, 192), QColor(255, 255, 255));

    // Crossing a frame or a pane gives List1 and every lit button its normal look back; the
    // bare window only the buttons of the panel's first rows.
    for (QWidget *area : std::initializer_list<QWidget *>{Frame1, Frame2, Frame3, Frame4, Frame5,
                                                          Picture1, Picture2})
        m_looks->resetOver(area);
    m_looks->resetOver(this,
                       {Command2, Command3, Command4, Command5, Command6, Command7, Command8});

    // The panel's fields and log read in the regular weight, not in the bold of the frame
    // around them.
    for (QWidget *w : std::initializer_list<QWidget *>{Text2, Text3, Text4, Combo3, RichTextBox2})
        w->setFont(Looks::caption(10));
}

void Form1::nameControls()
{
    // Controls with a caption are named by it; these show none, so they are named after
    // what they hold.
    const QList<QPair<QWidget *, QString>> names{
        {Picture1, QStringLiteral("Word display")},
        {RichTextBox1, QStringLiteral("Status")},
        {Text2, QStringLiteral("Word")},
        {Combo3, QStringLiteral("Word chooser")},
        {Text3, QStringLiteral("Meaning")},
        {Text4, QStringLiteral("Pointer / Comment")},
        {RichTextBox2, QStringLiteral("Word panel status")},
        {Picture3, QStringLiteral("Divider")},
        {Picture2, QStringLiteral("Control panel")},
        {Combo1, QStringLiteral("Show Words timer interval")},
        {Combo2, QStringLiteral("Quiz timer interval")},
        {List1, QStringLiteral("Quick search")},
        {Text1, QStringLiteral("SQL query")},
        {Picture4, QStringLiteral("Panel cover")},
        {Picture5, QStringLiteral("Lock")},
    };
    for (const auto &[control, name] : names)
        control->setAccessibleName(name);
}

QSize Form1::designSize()
{
    // As buildControls() sizes the window, at scale 1.
    return {int(std::lround(WindowWidth / Twips::PerPixel)),
            int(std::lround(WindowHeight / Twips::PerPixel))};
}
