// The quiz in the running program: Start in the Main window's quiz frame, the Quiz window's
// countdown, answers, Pause, Cancel and the end that lists the marked words.
#include "Form1.h"
#include "MarkBook.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "QuizRules.h"
#include "QuizStart.h"
#include "QuizWords.h"
#include "RandomSource.h"
#include "StatusBox.h"
#include "StoreTestAccess.h"
#include "SwitchTimer.h"
#include "quiz.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <SQLiteCpp/Statement.h>

using namespace TestSupport;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Marker = QStringLiteral("Got it wrong");

QStringList pointers(const QString &table = QStringLiteral("Words"))
{
    QStringList out;
    SQLite::Statement st(StoreTestAccess::sql(*Module1::database),
                         "SELECT pointer FROM " + table.toStdString() + " ORDER BY rowid");
    while (st.executeStep())
        out << QString::fromStdString(st.getColumn(0).getString());
    return out;
}

QStringList keptPointers()
{
    QStringList out;
    SQLite::Statement st(StoreTestAccess::sql(*Module1::database),
                         std::string("SELECT word || ': ' || coalesce(pointer, '<null>') FROM ") +
                             MarkBook::Table + " ORDER BY rid");
    while (st.executeStep())
        out << QString::fromStdString(st.getColumn(0).getString());
    return out;
}

QStringList markedRows()
{
    QStringList out;
    const Snapshot *rows = Module1::queryResult.get();
    for (qint64 r = 0; rows && r < rows->rowCount(); ++r)
        out << rows->text(r, 0);
    return out;
}

QWidget *visibleViewer()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("sqlret") && w->isVisible())
            return w;
    return nullptr;
}

QRadioButton *option(quiz *w, int n)
{
    return QList<QRadioButton *>{w->Option1, w->Option2, w->Option3, w->Option4, w->Option5}.at(n -
                                                                                                1);
}

void sendMouseMove(QWidget *w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

} // namespace

class TstQuiz : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void questionCount_data();
    void questionCount();
    void emptyCollection();
    void openingText_data();
    void openingText();
    void countdownTimesOutIntoMarkedWord();
    void orderModeOverThreeWords();
    void oneWordInOrderModeEndsAtOnce();
    void oneWordInRandomMode();
    void limitOfThreeWithTwoRight();
    void cancelBeforeAnyAnswer();
    void closeBoxEndsLikeCancel();
    void pauseAndResumeKeepTheCountdown();
    void reportByChosenSlot_data();
    void reportByChosenSlot();
    void sameWordAndMeaningTwiceCountsOnce();
    void markingKeepsThePointer();
    void editedOrDeletedWhileMarked();
    void failedEndKeepsTheWindowOpen();
    void wordClickAnswersEarly();
    void hoverLooks_data();
    void hoverLooks();
    void statusBoxFlashesYellow();
    void countdownRunsInRealTime();

private:
    // Starts the program (unless started) and presses Start with the count typed in and
    // `messages` message boxes to follow; the generator is seeded and then fed `numbers`.
    // Returns the Quiz window, if one opened.
    quiz *startQuiz(ProgramFixture &program, const QString &count, bool randomize = true,
                    const QString &interval = QString(), const QList<double> &numbers = {},
                    int messages = 0);
    // Answers with option `n` (0: none) through Next, feeding the next question first.
    void answer(quiz *w, int n, const QList<double> &next = {});
    // The Quiz window is gone and the marked words went to the Results viewer.
    void checkHandedOver(ProgramFixture &program, quiz *w);

    QuizStart *m_starter = nullptr;
};

void TstQuiz::init()
{
    m_starter = nullptr;
}

void TstQuiz::cleanup()
{
    RandomSource::instance().holdSeed(false);
}

quiz *TstQuiz::startQuiz(ProgramFixture &program, const QString &count, bool randomize,
                         const QString &interval, const QList<double> &numbers, int messages)
{
    Form1 *form = program.form() ? program.form() : program.start();
    m_starter = form->findChild<QuizStart *>(QStringLiteral("QuizStart"));
    form->Check2->setChecked(randomize);
    if (!interval.isNull())
        form->Combo2->setEditText(interval);
    RandomSource::instance().seed(1);
    RandomSource::instance().holdSeed(true); // the quiz's reseed at opening keeps this sequence
    RandomSource::instance().feed(numbers);
    program.dialogs().expectInput(count);
    for (int i = 0; i < messages; ++i)
        program.dialogs().expectMessage();
    QTest::mouseClick(form->Command5, Qt::LeftButton);
    return m_starter->window();
}

void TstQuiz::answer(quiz *w, int n, const QList<double> &next)
{
    if (n > 0)
        option(w, n)->setChecked(true);
    RandomSource::instance().feed(next);
    QTest::mouseClick(w->Command3, Qt::LeftButton);
}

void TstQuiz::checkHandedOver(ProgramFixture &program, quiz *w)
{
    QVERIFY(w->hasEnded());
    QVERIFY(!w->isVisible());
    QTRY_VERIFY(!m_starter->window()); // the window deletes itself
    // The Results viewer hides the Main window while it is open; without it the Main
    // window is back at once.
    if (!visibleViewer())
        QVERIFY(program.form()->isVisible() && program.form()->isEnabled());
    else
        QVERIFY(program.form()->isHidden());
    QCOMPARE(Module1::questionLimit, 0);
}

void TstQuiz::questionCount_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("getSerious");
    QTest::addColumn<int>("limit");
    QTest::newRow("0 is unlimited") << "0" << true << false << 32000;
    QTest::newRow("7") << "7" << true << false << 7;
    QTest::newRow("-1") << "-1" << false << true << -1;
    QTest::newRow("40000") << "40000" << false << false << 99;
    QTest::newRow("text") << "seven" << false << false << 99;
    QTest::newRow("cancel") << "" << false << false << 99;
}

void TstQuiz::questionCount()
{
    QFETCH(QString, typed);
    QFETCH(bool, opens);
    QFETCH(bool, getSerious);
    QFETCH(int, limit);
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    Module1::questionLimit = 99;
    // Display halt re-enables the word display's controls; they show whether it ran.
    form->Check1->setEnabled(false);
    quiz *w = startQuiz(program, typed, true, QString(), {}, getSerious ? 1 : 0);

    const auto calls = program.dialogs().calls();
    QCOMPARE(calls.first().kind, ScriptedDialogs::Kind::Input);
    QCOMPARE(calls.first().title, "How many questions?");
    QCOMPARE(calls.first().text, "How many words would you like to be questioned on? " + CrLf +
                                     CrLf +
                                     "Please enter 0 to be quizzed on an unlimited "
                                     "number of questions. ");
    QCOMPARE(calls.first().defaultText, "");
    QCOMPARE(calls.size(), getSerious ? 2 : 1);
    if (getSerious) {
        QCOMPARE(calls.last().text, "Get serious!");
        QCOMPARE(calls.last().title, "Lexmora! Wordbrawl");
    }
    QCOMPARE(int(Module1::questionLimit), limit);
    QCOMPARE(bool(w), opens);
    QCOMPARE(form->Check1->isEnabledTo(form), opens);
    if (opens) {
        QVERIFY(w->isVisible());
        QVERIFY(w->isActive());
        QCOMPARE(w->windowTitle(), "Lexmora! Quiz! Wordbrawl!");
        QCOMPARE(w->objectName(), "quiz");
        QVERIFY(form->isHidden());
        QVERIFY(!form->isEnabled());
    } else {
        QVERIFY(form->isVisible());
        QVERIFY(form->isEnabled());
    }
}

void TstQuiz::emptyCollection()
{
    ProgramFixture program({.tables = {{"Words", {}}}});
    Form1 *form = program.start();
    program.dialogs().expectMessage();
    QTest::mouseClick(form->Command5, Qt::LeftButton);
    QCOMPARE(program.dialogs().calls().size(), 1);
    QCOMPARE(program.dialogs().last().text,
             "There are no words in Words. You might want to change the database and try again!");
    QCOMPARE(program.dialogs().last().title, "Lexmora! Wordbrawl");
    QVERIFY(!form->findChild<QuizStart *>()->window());
    QVERIFY(form->isVisible() && form->isEnabled());
}

void TstQuiz::openingText_data()
{
    QTest::addColumn<QString>("interval");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("questionMs");
    QTest::addColumn<QString>("line");
    QTest::newRow("untouched") << "Timer Interval"
                               << "5 Seconds" << 6000 << "Timer interval selected at 5 Seconds";
    QTest::newRow("1 Second") << "1 Second"
                              << "1 Second" << 2000 << "Timer interval selected at 1 Second";
    QTest::newRow("40 Seconds") << "40 Seconds"
                                << "40 Seconds" << 41000 << "Timer interval selected at 40 Seconds";
    QTest::newRow("typed 0") << "0"
                             << "0" << 1000 << "Timer interval selected at 0 Seconds";
    QTest::newRow("typed negative")
        << "-3 Seconds"
        << "-3 Seconds" << 1000 << "Timer interval selected at 0 Seconds";
    QTest::newRow("typed text") << "soon"
                                << "soon" << 1000 << "Timer interval selected at 0 Seconds";
}

void TstQuiz::openingText()
{
    QFETCH(QString, interval);
    QFETCH(QString, shown);
    QFETCH(int, questionMs);
    QFETCH(QString, line);
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "0", true, interval, aimAt(2, 4, 3));
    QVERIFY(w);
    QCOMPARE(program.form()->Combo2->currentText(), shown);
    QCOMPARE(w->Timer1->interval(), questionMs);
    QVERIFY(w->Timer1->isEnabled());
    QCOMPARE(w->Timer2->interval(), 1000);
    QVERIFY(w->Timer2->isRunning());
    QCOMPARE(w->questionTime(), double(questionMs));
    QCOMPARE(w->RichTextBox1->statusText(),
             " Progress..." + CrLf + CrLf + CrLf +
                 "If you would like to proceed to the next question before the time is up, just "
                 "click on the word that is currently showing" +
                 CrLf + CrLf + line + CrLf);
    // The first question: Zeal, its meaning in slot 3, no option chosen yet.
    QCOMPARE(w->Label1->text(), "Zeal");
    QCOMPARE(w->optionCaption(3), "fervour");
    QCOMPARE(option(w, 3)->text(), "fervour");
    QCOMPARE(w->selectedOption(), 0);
    QCOMPARE(w->Label4->text(), "");
    QCOMPARE(w->Label5->text(), "");
    QCOMPARE(w->Label6->text(), "");
}

void TstQuiz::countdownTimesOutIntoMarkedWord()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "0", true, QString(), aimAt(1, 4, 2));
    QCOMPARE(w->Label1->text(), "Abate");
    for (const char *left : {" 5", " 4", " 3", " 2", " 1"}) {
        w->timer2Tick();
        QCOMPARE(w->Label4->text(), left);
        QCOMPARE(w->questionsAsked(), 0);
    }
    RandomSource::instance().feed(aimAt(3, 4, 1));
    w->timer2Tick();
    QCOMPARE(w->Label4->text(), " 0");
    // Time ran out with nothing chosen: one question asked, wrong, and the word marked.
    QCOMPARE(w->questionsAsked(), 1);
    QCOMPARE(w->correctAnswers(), 0);
    QCOMPARE(w->Label5->text(), "0");
    QCOMPARE(w->Label6->text(), "1");
    QCOMPARE(pointers(), QStringList({Marker, "n.", "v.", Marker}));
    QCOMPARE(keptPointers(), QStringList({"Abate: v."}));
    QCOMPARE(w->Label1->text(), "Quell");
    QCOMPARE(w->Timer2->interval(), 1000);
    w->timer2Tick();
    QCOMPARE(w->Label4->text(), " 5");
}

void TstQuiz::orderModeOverThreeWords()
{
    ProgramFixture program(
        {.tables = {
             {"Words",
              {{"Alpha", "first", ""}, {"Bravo", "second", ""}, {"Charlie", "third", ""}}}}});
    quiz *w = startQuiz(program, "0", false, QString(), {(3 - 0.25) / 5});
    QVERIFY(w);
    QCOMPARE(w->Label1->text(), "Alpha");
    QCOMPARE(w->optionCaption(3), "first");
    answer(w, 3);
    QCOMPARE(w->correctAnswers(), 1);
    QCOMPARE(w->Label1->text(), "Bravo");
    // Charlie is the last word: taking it ends the quiz before it can be asked.
    program.dialogs().expectMessage();
    answer(w, 0);
    QCOMPARE(program.dialogs().last().text, "You have reached the last word. 1 out of 2 "
                                            "questions answered with a score of 100");
    QCOMPARE(program.dialogs().last().title, "Lexmora! Wordbrawl");
    QCOMPARE(markedRows(), QStringList({"Bravo"}));
    checkHandedOver(program, w);
}

void TstQuiz::oneWordInOrderModeEndsAtOnce()
{
    ProgramFixture program({.tables = {{"Words", {{"Zeal", "fervour", "Got it wrong"}}}}});
    quiz *w = startQuiz(program, "0", false, QString(), {}, 1);
    QVERIFY(w);
    QCOMPARE(program.dialogs().last().text, "You have reached the last word. 0 out of 0 "
                                            "questions answered with a score of 0");
    QCOMPARE(markedRows(), QStringList({"Zeal"}));
    checkHandedOver(program, w);
}

void TstQuiz::oneWordInRandomMode()
{
    ProgramFixture program({.tables = {{"Words", {{"Zeal", "fervour", ""}}}}});
    quiz *w = startQuiz(program, "0", true);
    for (int round = 0; round < 3; ++round) {
        QCOMPARE(w->Label1->text(), "Zeal");
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(w->optionCaption(n), "fervour");
        answer(w, round + 2); // any choice is right
    }
    QCOMPARE(w->correctAnswers(), 3);
    QCOMPARE(w->Label5->text(), "3");
}

void TstQuiz::limitOfThreeWithTwoRight()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "3", true, QString(), aimAt(1, 4, 1));
    answer(w, 1, aimAt(2, 4, 4));
    QVERIFY(w->RichTextBox1->statusText().endsWith(
        CrLf + " Correct answer. You have answered 1 out of 1 questions. Score is 100" + CrLf +
        QuizRules::DoneHint));
    answer(w, 4, aimAt(3, 4, 2));
    QCOMPARE(w->Label5->text(), "2");
    QCOMPARE(w->Label6->text(), "0");
    QCOMPARE(w->questionsPut(), 2);
    QVERIFY(w->isVisible());
    program.dialogs().expectMessage();
    answer(w, 0, aimAt(4, 4, 1)); // the third goes unanswered
    QCOMPARE(program.dialogs().calls().size(), 2);
    QCOMPARE(program.dialogs().last().text, "You have reached the last word. 2 out of 3 "
                                            "questions answered with a score of 200");
    QVERIFY(w->RichTextBox1->statusText().endsWith(QuizRules::DoneHint + QuizRules::DoneHint));
    QCOMPARE(markedRows(), QStringList({"Quell", "Earlier"}));
    QCOMPARE(w->Timer2->interval(), 0);
    QVERIFY(!w->Timer1->isEnabled() && !w->Timer2->isEnabled());
    checkHandedOver(program, w);
}

void TstQuiz::cancelBeforeAnyAnswer()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "5");
    program.dialogs().expectMessage();
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QCOMPARE(program.dialogs().last().text, "You have reached the last word. 0 out of 0 "
                                            "questions answered with a score of 0");
    QCOMPARE(program.dialogs().last().title, "Lexmora! Wordbrawl");
    QVERIFY(w->RichTextBox1->statusText().endsWith(QuizRules::DoneHint));
    QVERIFY(!w->isActive());
    QCOMPARE(w->questionTime(), 0.0);
    QCOMPARE(markedRows(), QStringList({"Earlier"}));
    checkHandedOver(program, w);
}

void TstQuiz::closeBoxEndsLikeCancel()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "0", true, QString(), aimAt(2, 4, 1));
    answer(w, 0, aimAt(3, 4, 1)); // Zeal, unanswered
    program.dialogs().expectMessage();
    w->close();
    QCOMPARE(program.dialogs().calls().size(), 2);
    QCOMPARE(program.dialogs().last().text, "You have reached the last word. 0 out of 1 "
                                            "questions answered with a score of 0");
    QCOMPARE(markedRows(), QStringList({"Zeal", "Earlier"}));
    checkHandedOver(program, w);
}

void TstQuiz::pauseAndResumeKeepTheCountdown()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "0");
    w->timer2Tick();
    w->timer2Tick();
    QCOMPARE(w->Label4->text(), " 4");

    QTest::mouseClick(w->Command2, Qt::LeftButton);
    QCOMPARE(w->Command2->text(), "Resume");
    QVERIFY(!w->isActive());
    QVERIFY(!w->Timer1->isEnabled() && !w->Timer2->isEnabled());
    QVERIFY(w->RichTextBox1->statusText().endsWith(CrLf + "Quiz Paused..." + CrLf));
    // While paused nothing moves: not the countdown, not Next, not the word.
    w->timer2Tick();
    QTest::mouseClick(w->Command3, Qt::LeftButton);
    QTest::mouseClick(w->Label1, Qt::LeftButton);
    QCOMPARE(w->Label4->text(), " 4");
    QCOMPARE(w->questionsAsked(), 0);

    QTest::mouseClick(w->Command2, Qt::LeftButton);
    QCOMPARE(w->Command2->text(), "Pause");
    QVERIFY(w->isActive());
    QVERIFY(w->Timer2->isRunning());
    QCOMPARE(w->Timer2->interval(), 1000);
    QVERIFY(w->RichTextBox1->statusText().endsWith(CrLf + "Quiz Resumed..." + CrLf));
    w->timer2Tick();
    QCOMPARE(w->Label4->text(), " 3");

    // Cancel still ends a paused quiz.
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    program.dialogs().expectMessage();
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    checkHandedOver(program, w);
}

void TstQuiz::reportByChosenSlot_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("report");
    QTest::newRow("slot 2: one line")
        << 2
        << CrLf + " Correct answer. You have answered 1 out of 1 questions. Score is 100" + CrLf;
    QTest::newRow("slot 5: three lines")
        << 5
        << CrLf + " Correct answer. " + CrLf + "You have answered 1 out of 1 questions. " + CrLf +
               "Score is 100" + CrLf;
}

void TstQuiz::reportByChosenSlot()
{
    QFETCH(int, slot);
    QFETCH(QString, report);
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "0", true, QString(), aimAt(3, 4, slot));
    QCOMPARE(w->question().correctSlot, slot);
    const QString before = w->RichTextBox1->statusText();
    answer(w, slot);
    QCOMPARE(w->RichTextBox1->statusText(), before + report + QuizRules::DoneHint);
    QCOMPARE(pointers(), QStringList({"v.", "n.", "v.", Marker})); // nothing marked
}

void TstQuiz::sameWordAndMeaningTwiceCountsOnce()
{
    ProgramFixture program({.tables = {{"Words",
                                        {{"Abate", "to lessen", "v."},
                                         {"Zeal", "fervour", "Got it wrong"},
                                         {"Abate", "to lessen", "again"}}}}});
    quiz *w = startQuiz(program, "1", true, QString(), aimAt(1, 3, 3));
    QCOMPARE(w->Label1->text(), "Abate");
    program.dialogs().expectMessage();
    answer(w, 3);
    QCOMPARE(program.dialogs().last().text, "You have reached the last word. 1 out of 1 "
                                            "questions answered with a score of 100");
    QVERIFY(w->RichTextBox1->statusText().contains(
        " Correct answer. You have answered 1 out of 1 questions. Score is 100" + CrLf));
    QCOMPARE(w->RichTextBox1->statusText().count("Correct answer"), 1);
    QCOMPARE(markedRows(), QStringList({"Zeal"}));
    checkHandedOver(program, w);
}

void TstQuiz::markingKeepsThePointer()
{
    ProgramFixture program({.tables = {{"Words",
                                        {{"Zeal", "fervour", "my note"},
                                         {"Abate", "to lessen", "v."},
                                         {"Zeal", "eagerness", ""}}}}});
    quiz *w = startQuiz(program, "0", true, QString(), aimAt(1, 3, 1));
    // Zeal answered wrongly twice: every row of it marked, the pointers from before kept.
    answer(w, 0, aimAt(3, 3, 2));
    QCOMPARE(pointers(), QStringList({Marker, "v.", Marker}));
    QCOMPARE(keptPointers(), QStringList({"Zeal: my note", "Zeal: "}));
    answer(w, 0, aimAt(2, 3, 4));
    QCOMPARE(pointers(), QStringList({Marker, "v.", Marker}));
    QCOMPARE(keptPointers(), QStringList({"Zeal: my note", "Zeal: "}));
    program.dialogs().expectMessage();
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QCOMPARE(markedRows(), QStringList({"Zeal", "Zeal"}));

    // Yes, leave them: nothing changes. No: every record gets its own pointer back.
    QVERIFY(MarkBook::hasMarks(*Module1::database, Module1::currentCollection));
    QCOMPARE(pointers(), QStringList({Marker, "v.", Marker}));
    QCOMPARE(MarkBook::clearMarks(*Module1::database, Module1::currentCollection), 2);
    QCOMPARE(pointers(), QStringList({"my note", "v.", ""}));
    QVERIFY(keptPointers().isEmpty());
}

void TstQuiz::editedOrDeletedWhileMarked()
{
    ProgramFixture program({.tables = {{"Words",
                                        {{"Zeal", "fervour", "my note"},
                                         {"Abate", "to lessen", "v."},
                                         {"Zeal", "eagerness", "second"},
                                         {"Quell", "to put down", "third"}}}}});
    quiz *w = startQuiz(program, "0", true, QString(), aimAt(1, 4, 1));
    answer(w, 0, aimAt(4, 4, 1)); // Zeal wrong
    answer(w, 0, aimAt(2, 4, 1)); // Quell wrong
    QCOMPARE(pointers(), QStringList({Marker, "v.", Marker, Marker}));
    program.dialogs().expectMessage();
    QTest::mouseClick(w->Command1, Qt::LeftButton);

    // While marked, the first Zeal gets a new meaning and Quell is deleted.
    TableCursor words(*Module1::database, QStringLiteral("Words"));
    words.moveFirst();
    words.edit();
    words.setField(QStringLiteral("meaning"), QStringLiteral("burning fervour"));
    words.update();
    words.moveLast();
    words.deleteCurrent();
    MarkBook::clearMarks(*Module1::database, Module1::currentCollection);
    // The edited record no longer gets a pointer kept for what it was; the other one does.
    QCOMPARE(pointers(), QStringList({"", "v.", "second"}));
    QVERIFY(keptPointers().isEmpty());
}

void TstQuiz::failedEndKeepsTheWindowOpen()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "0");
    const QStringList before = markedRows();
    Module1::currentCollection = QStringLiteral("Nowhere"); // the marked-words query fails
    program.dialogs().expectMessage().expectMessage();
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QCOMPARE(program.dialogs().calls().size(), 3);
    QCOMPARE(program.dialogs().last().text, "An unexpected error occurred. Please try again!");
    QCOMPARE(program.dialogs().last().title, "Lexmora! Wordbrawl!");
    QVERIFY(w->isVisible());
    QVERIFY(!w->isActive());
    QVERIFY(w->hasEnded());
    QCOMPARE(w->Timer1->interval(), 0);
    QCOMPARE(w->Timer2->interval(), 0);
    QVERIFY(!w->Timer1->isEnabled() && !w->Timer2->isEnabled());
    QVERIFY(program.form()->isHidden());
    QCOMPARE(markedRows(), before);

    // An ended quiz stays ended: Next, the word and Resume do nothing.
    QTest::mouseClick(w->Command3, Qt::LeftButton);
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    QCOMPARE(w->questionsAsked(), 0);
    QCOMPARE(w->Command2->text(), "Pause");
    QVERIFY(!w->isActive());

    // The close box then just closes it and gives the Main window back.
    w->close();
    QCOMPARE(program.dialogs().calls().size(), 3);
    QVERIFY(program.form()->isVisible() && program.form()->isEnabled());
}

void TstQuiz::wordClickAnswersEarly()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "0", true, QString(), aimAt(2, 4, 5));
    w->timer2Tick();
    QTest::mouseClick(w->Label1, Qt::RightButton);
    QCOMPARE(w->questionsAsked(), 0);
    option(w, 5)->setChecked(true);
    RandomSource::instance().feed(aimAt(3, 4, 1));
    QTest::mouseClick(w->Label1, Qt::LeftButton);
    QCOMPARE(w->questionsAsked(), 1);
    QCOMPARE(w->correctAnswers(), 1);
    QCOMPARE(w->Label1->text(), "Quell");
    QCOMPARE(w->selectedOption(), 0); // the new question starts with nothing chosen
    QCOMPARE(w->Timer2->interval(), 1000);
    QCOMPARE(w->countdown(), 6);
}

void TstQuiz::hoverLooks_data()
{
    QTest::addColumn<QString>("area");
    QTest::newRow("window") << "quiz";
    QTest::newRow("word") << "Label1";
    QTest::newRow("status box") << "RichTextBox1";
}

void TstQuiz::hoverLooks()
{
    QFETCH(QString, area);
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "0");
    const struct
    {
        QPushButton *button;
        QColor normal, hover;
    } looks[] = {{w->Command3, QColor(0, 192, 0), QColor(192, 255, 192)},
                 {w->Command1, QColor(192, 0, 0), QColor(255, 192, 192)},
                 {w->Command2, QColor(0, 192, 192), QColor(192, 255, 255)}};
    for (const auto &l : looks) {
        QCOMPARE(l.button->palette().color(QPalette::Button), l.normal);
        sendMouseMove(l.button);
        QCOMPARE(l.button->palette().color(QPalette::Button), l.hover);
        QCOMPARE(l.button->font().family(), "TimesNewRoman");
        QCOMPARE(l.button->font().pointSize(), 11);
        QVERIFY(l.button->font().italic());
    }
    // Over a choice or a count the buttons keep their looks.
    sendMouseMove(w->Option1);
    sendMouseMove(w->Label5);
    for (const auto &l : looks)
        QCOMPARE(l.button->palette().color(QPalette::Button), l.hover);
    QWidget *target =
        area == QLatin1String("quiz") ? static_cast<QWidget *>(w) : w->findChild<QWidget *>(area);
    if (auto *box = qobject_cast<StatusBox *>(target))
        target = box->viewport();
    sendMouseMove(target);
    for (const auto &l : looks) {
        QCOMPARE(l.button->palette().color(QPalette::Button), l.normal);
        QCOMPARE(l.button->font().pointSize(), 10);
        QVERIFY(!l.button->font().italic());
    }
}

void TstQuiz::statusBoxFlashesYellow()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "0");
    QCOMPARE(w->Timer3, w->RichTextBox1->flashTimer());
    QCOMPARE(w->Timer3->objectName(), "Timer3");
    QCOMPARE(w->Timer3->interval(), 300);
    const QColor white(255, 255, 255), yellow(255, 255, 0);
    w->Timer3->tick();
    QCOMPARE(w->RichTextBox1->backgroundColour(), white);
    w->Timer3->tick();
    QCOMPARE(w->RichTextBox1->backgroundColour(), yellow);
    w->Timer3->tick();
    QCOMPARE(w->RichTextBox1->backgroundColour(), white);
    for (int tick = 4; tick <= 15; ++tick)
        w->Timer3->tick();
    QCOMPARE(w->Timer3->interval(), 0);
}

void TstQuiz::countdownRunsInRealTime()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    // No seconds chosen: each question lasts one second, and the label reaches 0 at once.
    quiz *w = startQuiz(program, "0", true, "0");
    QCOMPARE(w->Timer1->interval(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(w->questionsAsked() >= 1, 5000);
    QCOMPARE(w->Label4->text(), " 0");
    QVERIFY(w->isVisible());
}

QTEST_MAIN(TstQuiz)
#include "tst_quiz.moc"
