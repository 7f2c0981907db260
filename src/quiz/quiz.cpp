#include "quiz.h"

#include "Dialogs.h"
#include "HoverLooks.h"
#include "Interval.h"
#include "Looks.h"
#include "MainWindowPort.h"
#include "MarkBook.h"
#include "Module1.h"
#include "QuizRules.h"
#include "RandomSource.h"
#include "Skip.h"
#include "StatusBox.h"
#include "SwitchTimer.h"
#include "Titles.h"
#include "Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <exception>

namespace {

using Looks::make;
using Looks::place;

QLabel *label(QWidget *parent, const char *name, const QString &caption, int points, bool bold,
              const QColor &colour)
{
    auto *l = make<QLabel>(parent, name, caption);
    l->setTextFormat(Qt::PlainText);
    l->setFont(Looks::caption(points, bold ? QFont::Bold : QFont::Normal));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}

// A radio button shows '&' as a shortcut mark; a meaning shows it as it is.
QString asButtonText(QString caption)
{
    return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

quiz::quiz(MainWindowPort &port, QCheckBox *randomize, QComboBox *interval, QWidget *parent)
    : QWidget(parent), m_loan(port), m_randomize(randomize), m_interval(interval),
      m_looks(new HoverLooks(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    connect(Command1, &QPushButton::clicked, this, &quiz::command1Click);
    connect(Command2, &QPushButton::clicked, this, &quiz::command2Click);
    connect(Command3, &QPushButton::clicked, this, &quiz::command3Click);
    connect(Timer2, &SwitchTimer::tick, this, &quiz::timer2Tick);
    Label1->installEventFilter(this);
    // Keys 1 to 5 and the arrows choose an option wherever the focus is in the window.
    for (QWidget *control : std::initializer_list<QWidget *>{Option1, Option2, Option3, Option4,
                                                             Option5, Command3, Command2, Command1})
        control->installEventFilter(this);
}

quiz::~quiz()
{
    // However the window goes, the Main window must not stay hidden behind it.
    giveBackMain();
}

void quiz::buildControls()
{
    setObjectName(QStringLiteral("quiz"));
    setWindowTitle(Titles::Quiz);
    setFixedSize(Twips::toPixels(9600), Twips::toPixels(7860));
    Looks::givePaperBackground(this);

    Label1 = label(this, "Label1", QStringLiteral("Word"), 20, true, QColor(128, 0, 0));
    Label1->setFont(Looks::caption(20, QFont::Bold, true));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFrameShape(QFrame::Panel);
    Label1->setFrameShadow(QFrame::Sunken);
    QPalette wordLook = Label1->palette();
    wordLook.setColor(QPalette::Window, QColor(224, 224, 224));
    Label1->setPalette(wordLook);
    Label1->setAutoFillBackground(true);
    Label1->setCursor(Qt::PointingHandCursor); // a click on the word answers
    place(Label1, 240, 240, 9120, 840);

    const char *names[] = {"Option1", "Option2", "Option3", "Option4", "Option5"};
    QRadioButton **members[] = {&Option1, &Option2, &Option3, &Option4, &Option5};
    for (int i = 0; i < Question::Slots; ++i) {
        auto *o = make<QRadioButton>(this, names[i]);
        o->setFont(Looks::caption(12));
        // The options take the focus, so that a quiz can be answered by keyboard.
        o->setFocusPolicy(Qt::StrongFocus);
        place(o, 480, 1260 + i * 480, 8880, 420);
        *members[i] = o;
    }

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    place(rule, 240, 3660, 9120, 60);

    Label2 = label(this, "Label2", QStringLiteral("Correct :"), 12, false, Qt::black);
    place(Label2, 360, 3840, 1140, 420);
    Label5 = label(this, "Label5", QString(), 14, true, QColor(0, 192, 0));
    place(Label5, 1500, 3840, 1200, 420);
    Label3 = label(this, "Label3", QStringLiteral("Wrong :"), 12, false, Qt::black);
    place(Label3, 2880, 3840, 1020, 420);
    Label6 = label(this, "Label6", QString(), 14, true, QColor(255, 0, 0));
    place(Label6, 3900, 3840, 1200, 420);
    Label4 = label(this, "Label4", QString(), 20, true, QColor(0, 0, 192));
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(Label4, 7560, 3780, 1680, 540);

    RichTextBox1 = make<StatusBox>(this, "RichTextBox1", QColor(255, 255, 0));
    place(RichTextBox1, 240, 4440, 9120, 2460);

    Command3 = make<QPushButton>(this, "Command3", QStringLiteral("Next"));
    place(Command3, 240, 7110, 1890, 495);
    Command2 = make<QPushButton>(this, "Command2", QStringLiteral("Pause"));
    place(Command2, 2340, 7110, 1890, 495);
    Command1 = make<QPushButton>(this, "Command1", QStringLiteral("Cancel"));
    place(Command1, 7470, 7110, 1890, 495);
    for (QPushButton *b : {Command3, Command2, Command1})
        b->setAutoFillBackground(true);

    Timer1 = make<SwitchTimer>(this, "Timer1");
    Timer2 = make<SwitchTimer>(this, "Timer2");
    Timer3 = RichTextBox1->flashTimer();
    Timer3->setObjectName(QStringLiteral("Timer3"));

    m_looks->add(Command3, QColor(0, 192, 0), QColor(192, 255, 192));
    m_looks->add(Command1, QColor(192, 0, 0), QColor(255, 192, 192));
    m_looks->add(Command2, QColor(0, 192, 192), QColor(192, 255, 255));
    const QList<QWidget *> resetAreas{this, Label1, RichTextBox1, RichTextBox1->viewport()};
    for (QWidget *area : resetAreas)
        m_looks->resetOver(area);
    // A mouse move the other controls ignore would reach the window and reset the buttons,
    // the one under the mouse included; only the areas above reset them.
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!resetAreas.contains(child))
            child->setAttribute(Qt::WA_NoMousePropagation);
}

QList<QRadioButton *> quiz::options() const
{
    return {Option1, Option2, Option3, Option4, Option5};
}

int quiz::selectedOption() const
{
    const auto all = options();
    for (int i = 0; i < all.size(); ++i)
        if (all[i]->isChecked())
            return i + 1;
    return 0;
}

void quiz::open()
{
    m_active = true;
    m_ended = false;
    m_put = m_correct = m_asked = 0;
    RandomSource::instance().seedFromClock();
    // Take the Main window's place on the screen while it is hidden.
    if (QWidget *main = m_loan.mainWindow())
        move(main->frameGeometry().center() - rect().center());
    m_loan.take(this, MainWindowLoan::Away::Hidden);
    show();

    if (m_interval && m_interval->currentText() == Interval::Untouched)
        m_interval->setEditText(Interval::Default);
    const int seconds = Interval::seconds(m_interval ? m_interval->currentText() : QString());
    m_questionTime = QuizRules::questionTimeMs(seconds);
    m_randomMode = m_randomize && m_randomize->isChecked();

    if (!Module1::words && Module1::database)
        Module1::openCurrentCollection(Module1::currentCollection);
    if (!Module1::words) {
        // Nothing to ask from: end at once, as running out of words does.
        finish();
        return;
    }
    skipOnFailure(lcQuiz(), "moving the current record set to its first record",
                  [] { Module1::words->moveFirst(); });

    QuestionBuilder builder(*Module1::words, RandomSource::instance());
    WordPick first;
    if (m_randomMode) {
        first = builder.pickAtRandom();
    } else {
        bool exhausted = true;
        if (Module1::quizWords) {
            skipOnFailure(lcQuiz(), "moving the quiz record set to its first record",
                          [] { Module1::quizWords->moveFirst(); });
            const auto next = QuestionBuilder::takeInOrder(*Module1::quizWords);
            first = next.pick;
            exhausted = next.exhausted;
        }
        if (exhausted) {
            // One word alone cannot be asked in order: its own question is never judged.
            finish();
            return;
        }
    }
    showQuestion(builder.build(first));

    Timer1->setInterval(int(m_questionTime));
    Timer1->setEnabled(true);
    RichTextBox1->setStatusText(QuizRules::Progress);
    RichTextBox1->appendLine(QuizRules::WordClickHint);
    RichTextBox1->appendLine(QuizRules::intervalLine(seconds));
    Timer2->setInterval(1000);
    Timer2->setEnabled(true);
}

void quiz::showQuestion(const Question &question)
{
    m_question = question;
    Label1->setText(question.word);
    const auto all = options();
    for (int i = 0; i < all.size(); ++i) {
        const QString &caption = question.options[size_t(i)];
        all[i]->setText(asButtonText(caption));
        // A long meaning is cut at the window's edge; the tooltip shows all of it.
        all[i]->setToolTip(caption);
    }
    deselectOptions();
}

void quiz::clearOptions()
{
    m_question.options.fill(QString());
    for (QRadioButton *o : options()) {
        o->setText(QString());
        o->setToolTip(QString());
    }
}

void quiz::deselectOptions()
{
    // The checked button of an exclusive set cannot be unchecked while it is exclusive.
    for (QRadioButton *o : options()) {
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
}

bool quiz::putQuestion()
{
    clearOptions();
    if (!Module1::words) {
        finish();
        return true;
    }
    QuestionBuilder builder(*Module1::words, RandomSource::instance());
    WordPick next;
    if (m_randomMode) {
        next = builder.pickAtRandom();
    } else {
        const auto inOrder = Module1::quizWords ? QuestionBuilder::takeInOrder(*Module1::quizWords)
                                                : QuestionBuilder::InOrder{{}, true};
        if (inOrder.exhausted) {
            finish();
            return true;
        }
        next = inOrder.pick;
    }
    showQuestion(builder.build(next));
    return false;
}

void quiz::timer2Tick()
{
    if (!m_active)
        return;
    if (m_countdown <= 0)
        m_countdown = Timer1->interval() / 1000;
    --m_countdown;
    Label4->setText(QuizRules::countdownCaption(m_countdown));
    label4Change();
}

void quiz::label4Change()
{
    if (m_active && QuizRules::captionSeconds(Label4->text()) == 0)
        evaluate();
}

void quiz::command3Click()
{
    label1Click();
}

void quiz::label1Click()
{
    if (!m_active)
        return;
    Timer2->setInterval(0);
    evaluate();
}

void quiz::evaluate()
{
    if (!m_active)
        return;
    m_countdown = Timer1->interval() / 1000;
    Timer2->setInterval(1000);
    ++m_asked;
    const qint64 before = m_correct;

    const int chosen = selectedOption();
    if (chosen > 0 && Module1::database) {
        bool right = false;
        // An unreadable collection judges nothing right.
        skipOnFailure(lcQuiz(), "the look-up of the right meaning", [&] {
            right = QuizRules::isRightMeaning(*Module1::database, Module1::currentCollection,
                                              m_question.word, optionCaption(chosen));
        });
        // Two rows with the same word and meaning are still one answer.
        if (right) {
            ++m_correct;
            const QString report = QuizRules::correctReport(m_correct, m_asked, chosen == 5);
            if (chosen == 5)
                RichTextBox1->appendText(report);
            else
                RichTextBox1->appendLine(report);
            RichTextBox1->appendText(QuizRules::DoneHint);
        }
    }
    if (m_correct == before)
        markWord(m_question.word);

    if (putQuestion())
        return;
    Label5->setText(QString::number(m_correct));
    Label6->setText(QString::number(m_asked - m_correct));
    ++m_put;
    if (m_put >= Module1::questionLimit) {
        Timer2->setInterval(0);
        finish();
    }
}

void quiz::markWord(const QString &word)
{
    if (!Module1::database)
        return;
    try {
        MarkBook::markWord(*Module1::database, Module1::currentCollection, word);
    } catch (const std::exception &e) {
        // The quiz goes on, but the user learns the word will be missing from the list.
        RichTextBox1->appendLine(QStringLiteral("The word ") + word +
                                 QStringLiteral(" could not be marked as answered wrongly: ") +
                                 QString::fromUtf8(e.what()));
    }
}

void quiz::command2Click()
{
    if (m_ended)
        return;
    if (Command2->text() == QLatin1String("Pause")) {
        m_active = false;
        Timer1->setEnabled(false);
        Timer2->setEnabled(false);
        Command2->setText(QStringLiteral("Resume"));
        RichTextBox1->appendLine(QuizRules::Paused);
    } else {
        m_active = true;
        Timer1->setEnabled(true);
        Timer2->setEnabled(true);
        Command2->setText(QStringLiteral("Pause"));
        RichTextBox1->appendLine(QuizRules::Resumed);
    }
}

void quiz::command1Click()
{
    finish();
}

void quiz::finish()
{
    if (endQuiz())
        close();
}

void quiz::stopTimers()
{
    for (SwitchTimer *t : {Timer1, Timer2}) {
        t->setInterval(0);
        t->setEnabled(false);
    }
}

bool quiz::endQuiz()
{
    // The quiz stops before the summary box: no tick may judge a question behind it.
    const QString summary = QuizRules::summary(m_correct, m_asked);
    stopTimers();
    m_active = false;
    m_ended = true;
    Dialogs::current().message(summary, QuizRules::Title);
    RichTextBox1->appendText(QuizRules::DoneHint);

    Module1::questionLimit = 0;
    m_put = m_correct = m_asked = 0;
    m_questionTime = 0;

    const auto failed = [] {
        Dialogs::current().message(QuizRules::EndFailed, QuizRules::ErrorTitle);
        return false;
    };
    if (!Module1::database)
        return failed();
    try {
        Module1::queryResult = std::make_unique<Snapshot>(
            Module1::database->query(QuizRules::markedWordsSql(Module1::currentCollection)));
    } catch (const std::exception &e) {
        qCWarning(lcQuiz).noquote() << "The marked words could not be listed:" << e.what();
        return failed();
    }
    return handOverToResults();
}

bool quiz::handOverToResults()
{
    // The Main window comes back first, so the Results viewer can hide it again for itself.
    MainWindowPort *port = m_loan.port();
    if (!port)
        return false;
    m_loan.giveBack();
    try {
        port->openResultsViewer();
    } catch (const std::exception &) {
        m_loan.take(this, MainWindowLoan::Away::Hidden);
        Dialogs::current().message(QuizRules::EndFailed, QuizRules::ErrorTitle);
        return false;
    }
    return true;
}

void quiz::giveBackMain()
{
    m_loan.giveBack();
}

void quiz::closeEvent(QCloseEvent *event)
{
    // The close box ends a running or paused quiz as Cancel does.
    if (!m_ended)
        endQuiz();
    giveBackMain();
    event->accept();
}

bool quiz::answerKey(int key)
{
    if (key >= Qt::Key_1 && key <= Qt::Key_5) {
        chooseOption(key - Qt::Key_1 + 1);
        return true;
    }
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        chooseOption(selectedOption() <= 1 ? Question::Slots : selectedOption() - 1);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Right:
        chooseOption(selectedOption() % Question::Slots + 1);
        return true;
    default:
        return false;
    }
}

void quiz::chooseOption(int n)
{
    QRadioButton *option = options().at(n - 1);
    if (!option->isEnabled())
        return;
    option->setChecked(true);
    // The focus frame goes with the selection when it was on the options.
    if (options().contains(focusWidget()))
        option->setFocus(Qt::OtherFocusReason);
}

void quiz::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Command3->click(); // Enter answers, as "Next" does
        return;
    case Qt::Key_Escape:
        Command1->click(); // Escape ends the quiz, as "Cancel" does
        return;
    default:
        if (!answerKey(event->key()))
            QWidget::keyPressEvent(event);
    }
}

bool quiz::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != Label1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier && answerKey(key->key()))
            return true;
    }
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton &&
            Label1->rect().contains(mouse->position().toPoint()))
            label1Click();
    }
    return QWidget::eventFilter(watched, event);
}
