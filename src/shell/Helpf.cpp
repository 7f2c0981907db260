#include "Helpf.h"

#include "HoverLooks.h"
#include "Looks.h"
#include "TitleArt.h"
#include "Titles.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

namespace {

using Looks::make;
using Looks::place;

constexpr double Width = 8400;
constexpr double TextWidth = Width - 960;
constexpr double RuleTop = 840;

const QString AboutCaption = QStringLiteral("About");
const QString MainCaption = QStringLiteral("Main");

const QColor Normal(0, 192, 0);
const QColor Hover(192, 255, 192);

const QString Credits = QStringLiteral(
    "Lexmora! Wordbrawl! keeps your words, their meanings and your own notes in one small "
    "file, and turns them into flash cards and quizzes for the verbal section of the QVT "
    "and examinations like it.\n\n"
    "Written and drawn by the Lexmora team. Every picture is painted by the program "
    "itself, so it stays sharp on any screen.\n\n"
    "Built with Qt and SQLite, with thanks to the people who make them.");

QLabel *paragraph(QWidget *parent, const char *name, const QStringList &lines)
{
    // Each line is one line on screen, whatever the width of the window.
    auto *l = make<QLabel>(parent, name, lines.join(QLatin1Char('\n')));
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFont(Looks::caption(11));
    return l;
}

void colour(QWidget *w, const QColor &text)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, text);
    w->setPalette(p);
}

} // namespace

const QStringList Helpf::ObjectiveLines{
    QStringLiteral("Objective: This Software has been designed to make the Verbal Section of"),
    QStringLiteral("QVT or a similar examination both easy and fun to learn. ")};

const QStringList Helpf::WorkingLines{
    QStringLiteral("Working:  Word, Meaning and Pointer are the three fields that the user can"),
    QStringLiteral("add to/view or modify. Five tables are provided, one of them"),
    QStringLiteral("already holding a large number of words. The user can add to,"),
    QStringLiteral("modify or delete the contents of any of the five tables provided."),
    QStringLiteral("For instance, you could have a table and store all the difficult"),
    QStringLiteral("words in it and call the table \"Difficult\".")};

const QStringList Helpf::HelpLines{
    QStringLiteral("Help:"),
    QStringLiteral("You could right click on any frame for instantaneous help. That"),
    QStringLiteral("will give you information on Frequently asked Questions. You"),
    QStringLiteral("are welcome to tell us what you think of Lexmora. Thank you!")};

Helpf::Helpf(MainWindowPort &main) : QWidget(nullptr), m_loan(main), m_looks(new HoverLooks(this))
{
    setObjectName(QStringLiteral("Helpf"));
    setWindowTitle(Titles::Help);
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();

    connect(Command1, &QPushButton::clicked, this, &Helpf::command1Click);
    connect(Command2, &QPushButton::clicked, this, &Helpf::command2Click);

    m_looks->add(Command1, Normal, Hover);
    m_looks->add(Command2, Normal, Hover);
    // To the user the texts and the About panel are the window's background as much as
    // the bare window is; a label would keep the mouse moves over it to itself.
    for (QWidget *area : std::initializer_list<QWidget *>{this, Label1, Label2, Label3, Label4,
                                                          Frame1, Picture1, Label5})
        m_looks->resetOver(area, {Command1, Command2});
}

void Helpf::buildControls()
{
    setFixedSize(Twips::toPixels(Width), Twips::toPixels(6900));
    Looks::givePaperBackground(this);

    Label1 = make<QLabel>(this, "Label1", QStringLiteral("Welcome to Lexmora! (Wordbrawl)"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setFont(Looks::caption(16, QFont::Bold, true));
    colour(Label1, QColor(0, 0, 128));
    place(Label1, 480, 240, TextWidth, 540);

    Label2 = paragraph(this, "Label2", ObjectiveLines);
    place(Label2, 480, 1020, TextWidth, 660);
    Label3 = paragraph(this, "Label3", WorkingLines);
    place(Label3, 480, 1860, TextWidth, 1860);
    Label4 = paragraph(this, "Label4", HelpLines);
    place(Label4, 480, 3780, TextWidth, 1260);
    for (QLabel *l : {Label2, Label3, Label4})
        colour(l, QColor(32, 32, 48));

    // The About panel lies over the paragraphs.
    Frame1 = make<QGroupBox>(this, "Frame1", QStringLiteral("About"));
    Frame1->setFont(Looks::caption(10, QFont::Bold));
    Frame1->setAutoFillBackground(true);
    place(Frame1, 360, 900, Width - 720, 4380);
    Picture1 = make<TitleArt>(Frame1, "Picture1", TitleArt::Art::About);
    place(Picture1, 300, 480, 2400, 2400);
    Label5 = make<QLabel>(Frame1, "Label5", Credits);
    Label5->setTextFormat(Qt::PlainText);
    Label5->setWordWrap(true);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label5->setFont(Looks::caption(11));
    colour(Label5, QColor(32, 32, 48));
    place(Label5, 3000, 480, Width - 720 - 3300, 3600);
    Frame1->hide();

    Command1 = make<QPushButton>(this, "Command1", AboutCaption);
    place(Command1, Width - 360 - 4080, 5700, 1920, 555);
    Command2 = make<QPushButton>(this, "Command2", QStringLiteral("Okay"));
    place(Command2, Width - 360 - 1920, 5700, 1920, 555);
    for (QPushButton *b : {Command1, Command2})
        b->setAutoFillBackground(true);
}

void Helpf::load()
{
    if (QWidget *main = m_loan.mainWindow())
        move(main->geometry().center() - rect().center());
    m_loan.take(this, MainWindowLoan::Away::Disabled);
    show();
}

void Helpf::paintEvent(QPaintEvent *)
{
    // A brass rule under the welcome line.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double y = Twips::toPixels(RuleTop) + 0.5;
    QLinearGradient brass(Twips::toPixels(480), 0, Twips::toPixels(480 + TextWidth), 0);
    brass.setColorAt(0, QColor(214, 172, 92));
    brass.setColorAt(1, QColor(214, 172, 92, 0));
    p.setPen(QPen(QBrush(brass), 1.5));
    p.drawLine(QPointF(Twips::toPixels(480), y), QPointF(Twips::toPixels(480 + TextWidth), y));
}

void Helpf::command1Click()
{
    const bool showAbout = Command1->text() == AboutCaption;
    if (!showAbout && Command1->text() != MainCaption)
        return;
    Frame1->setVisible(showAbout);
    Command1->setText(showAbout ? MainCaption : AboutCaption);
}

void Helpf::command2Click()
{
    close();
}

void Helpf::closeEvent(QCloseEvent *event)
{
    // "Okay", the close box or any other way out: the Main window comes back either way.
    QWidget::closeEvent(event);
    if (!event->isAccepted() || !m_loan.held())
        return;
    hide();
    m_loan.giveBack();
}
