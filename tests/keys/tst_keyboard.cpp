// The program by keyboard alone: the quiz answered with keys, Enter on buttons and in the
// SQL box, Escape in the Results viewer and the quiz, Tab through the quiz, and the names
// assistive tools read for the Main window's controls.
#include "Form1.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "QuizWords.h"
#include "QuizStart.h"
#include "RandomSource.h"
#include "Snapshot.h"
#include "StatusBox.h"
#include "quiz.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace TestSupport;

namespace {

QWidget *visibleWindow(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

void activate(QWidget *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    // A window kept above another counts as active while the one below has the focus; the
    // keys go to it once it has the focus itself.
    QTRY_COMPARE(QApplication::activeWindow(), window);
}

// A key pressed where the keyboard is: on the window's focused control, else the window.
void press(QWidget *window, Qt::Key key)
{
    QWidget *target = QApplication::focusWidget();
    if (!target || target->window() != window)
        target = window;
    QTest::keyClick(target, key);
}

// What a quiz left behind, to compare two ways of answering it.
struct Outcome
{
    QString correct, wrong, status;
    QStringList marked, messages;
    bool operator==(const Outcome &) const = default;
};

char *toString(const Outcome &o)
{
    return QTest::toString(QStringList{o.correct, o.wrong, o.status, o.marked.join(','),
                                       o.messages.join('|')}
                               .join(QStringLiteral(" / ")));
}

enum class Answering { Mouse, Digits, Arrows };

// Options to choose for three questions, 0 for none: the first right, the second right,
// the third left unanswered.
const int Choices[] = {1, 4, 0};

} // namespace

class TstKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void quizByKeysAsByMouse_data();
    void quizByKeysAsByMouse();
    void quizKeysOnAnyControl_data();
    void quizKeysOnAnyControl();
    void tabReachesEveryQuizButton();
    void enterAndEscapeInQuiz_data();
    void enterAndEscapeInQuiz();
    void enterOnMainWindowButton();
    void enterInSqlBoxIsGo_data();
    void enterInSqlBoxIsGo();
    void escapeInViewerAsksAsClose();
    void everyMainWindowControlNamed();

private:
    quiz *startQuiz(ProgramFixture &program, const QString &count);
    Outcome runQuiz(Answering how);
};

void TstKeyboard::cleanup()
{
    RandomSource::instance().holdSeed(false);
}

quiz *TstKeyboard::startQuiz(ProgramFixture &program, const QString &count)
{
    Form1 *form = program.start();
    auto *starter = form->findChild<QuizStart *>(QStringLiteral("QuizStart"));
    form->Check2->setChecked(true);
    RandomSource::instance().seed(1);
    RandomSource::instance().holdSeed(true);
    RandomSource::instance().feed(aimAt(1, 4, 1));
    program.dialogs().expectInput(count);
    QTest::mouseClick(form->Command5, Qt::LeftButton);
    quiz *w = starter->window();
    if (w)
        activate(w);
    return w;
}

Outcome TstKeyboard::runQuiz(Answering how)
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "3");
    if (!w)
        return {};
    const QList<double> next[] = {aimAt(2, 4, 4), aimAt(3, 4, 2), aimAt(4, 4, 1)};
    program.dialogs().expectMessage(); // the end of the quiz
    for (int q = 0; q < 3; ++q) {
        const int n = Choices[q];
        RandomSource::instance().feed(next[q]);
        switch (how) {
        case Answering::Mouse:
            if (n > 0) {
                // On the round mark: a radio button takes clicks on its mark and caption.
                QRadioButton *o = QList<QRadioButton *>{w->Option1, w->Option2, w->Option3,
                                                        w->Option4, w->Option5}
                                      .at(n - 1);
                QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(8, o->height() / 2));
            }
            QTest::mouseClick(w->Command3, Qt::LeftButton);
            break;
        case Answering::Digits:
            if (n > 0)
                press(w, Qt::Key(Qt::Key_0 + n));
            press(w, Qt::Key_Return);
            break;
        case Answering::Arrows:
            // Down from no selection is the first option, Up the last.
            for (int i = 0; n > 0 && i < (n <= 3 ? n : 6 - n); ++i)
                press(w, n <= 3 ? Qt::Key_Down : Qt::Key_Up);
            if (n > 0 && w->selectedOption() != n)
                return {};
            press(w, Qt::Key_Enter);
            break;
        }
    }
    Outcome o{w->Label5->text(), w->Label6->text(), w->RichTextBox1->statusText(), {}, {}};
    for (qint64 r = 0; Module1::queryResult && r < Module1::queryResult->rowCount(); ++r)
        o.marked << Module1::queryResult->text(r, 0);
    for (const auto &call : program.dialogs().calls())
        o.messages << call.text;
    return o;
}

void TstKeyboard::quizByKeysAsByMouse_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("keys 1-5 and Enter") << int(Answering::Digits);
    QTest::newRow("arrows and Enter") << int(Answering::Arrows);
}

void TstKeyboard::quizByKeysAsByMouse()
{
    QFETCH(int, how);
    const Outcome byMouse = runQuiz(Answering::Mouse);
    QCOMPARE(byMouse.correct, "2");
    QCOMPARE(byMouse.marked, QStringList({"Quell", "Earlier"}));
    QCOMPARE(runQuiz(Answering(how)), byMouse);
}

void TstKeyboard::quizKeysOnAnyControl_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("an option") << "Option2";
    QTest::newRow("Next") << "Command3";
    QTest::newRow("Cancel") << "Command1";
    QTest::newRow("the window") << "";
}

void TstKeyboard::quizKeysOnAnyControl()
{
    QFETCH(QString, focus);
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "0");
    QVERIFY(w);
    if (!focus.isEmpty())
        w->findChild<QWidget *>(focus)->setFocus(Qt::TabFocusReason);
    else if (QWidget *f = QApplication::focusWidget())
        f->clearFocus();
    const QList<QPair<Qt::Key, int>> steps{{Qt::Key_3, 3}, {Qt::Key_Down, 4}, {Qt::Key_Right, 5},
                                           {Qt::Key_Down, 1}, {Qt::Key_Up, 5}, {Qt::Key_Left, 4},
                                           {Qt::Key_1, 1}, {Qt::Key_5, 5}, {Qt::Key_6, 5}};
    for (const auto &[key, selected] : steps) {
        press(w, key);
        QCOMPARE(w->selectedOption(), selected);
    }
    QVERIFY(w->isActive()); // choosing never answers
    program.dialogs().expectMessage();
    w->Command1->click();
}

void TstKeyboard::tabReachesEveryQuizButton()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "0");
    QVERIFY(w);
    w->Option1->setFocus(Qt::TabFocusReason);
    QSet<QString> reached;
    for (int i = 0; i < 12; ++i) {
        press(w, Qt::Key_Tab);
        if (QWidget *f = QApplication::focusWidget())
            reached << f->objectName();
    }
    for (const char *name : {"Command3", "Command2", "Command1"})
        QVERIFY2(reached.contains(QLatin1String(name)), name);
    QCOMPARE(w->selectedOption(), 0); // Tab moves the focus only
    program.dialogs().expectMessage();
    w->Command1->click();
}

void TstKeyboard::enterAndEscapeInQuiz_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<QString>("pauseCaption");
    QTest::newRow("Escape") << "Option1" << int(Qt::Key_Escape) << true << "Pause";
    QTest::newRow("Escape on Pause") << "Command2" << int(Qt::Key_Escape) << true << "Pause";
    QTest::newRow("Enter on Cancel") << "Command1" << int(Qt::Key_Return) << true << "Pause";
    QTest::newRow("Enter on Pause") << "Command2" << int(Qt::Key_Return) << false << "Resume";
    QTest::newRow("Space on Pause") << "Command2" << int(Qt::Key_Space) << false << "Resume";
}

void TstKeyboard::enterAndEscapeInQuiz()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, ends);
    QFETCH(QString, pauseCaption);
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    quiz *w = startQuiz(program, "5");
    QVERIFY(w);
    w->findChild<QWidget *>(focus)->setFocus(Qt::TabFocusReason);
    if (ends)
        program.dialogs().expectMessage();
    press(w, Qt::Key(key));
    QCOMPARE(w->hasEnded(), ends);
    if (ends) {
        // As Cancel: no answer counted, the marked words listed.
        QCOMPARE(program.dialogs().last().text, "You have reached the last word. 0 out of 0 "
                                                "questions answered with a score of 0");
        QTRY_VERIFY(visibleWindow("sqlret"));
    } else {
        QCOMPARE(w->Command2->text(), pauseCaption);
        QCOMPARE(w->questionsAsked(), 0); // the pause answered nothing
        program.dialogs().expectMessage();
        w->Command1->click();
    }
}

void TstKeyboard::enterOnMainWindowButton()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    activate(form);
    form->Command8->setFocus(Qt::TabFocusReason); // "Show all"
    QTest::keyPress(form->Command8, Qt::Key_Return); // the window hides before the release
    QTRY_VERIFY(visibleWindow("sqlret"));
    QCOMPARE(Module1::queryResult->rowCount(), 4);
}

void TstKeyboard::enterInSqlBoxIsGo_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("rows"); // -1: refused with a message
    QTest::newRow("all words") << "Select * from Words" << 4;
    QTest::newRow("some words") << "Select * from Words where word like 'A*'" << 1;
    QTest::newRow("unknown table") << "Select * from Words9" << -1;
    QTest::newRow("not a query") << "Delete from Words" << -1;
}

void TstKeyboard::enterInSqlBoxIsGo()
{
    QFETCH(QString, sql);
    QFETCH(int, rows);
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    activate(form);
    if (rows < 0) {
        // The same refusal as Go! gives.
        program.dialogs().expectMessage().expectMessage();
        form->Text1->setText(sql);
        QTest::mouseClick(form->Command13, Qt::LeftButton);
        form->Text1->setText(sql);
        form->Text1->setFocus();
        QTest::keyClick(form->Text1, Qt::Key_Return);
        QCOMPARE(program.dialogs().calls().size(), 2);
        QCOMPARE(program.dialogs().calls().at(1).text, program.dialogs().calls().at(0).text);
        QVERIFY(!visibleWindow("sqlret"));
        return;
    }
    form->Text1->setText(sql);
    form->Text1->setFocus();
    QTest::keyPress(form->Text1, Qt::Key_Enter, Qt::KeypadModifier);
    QTRY_VERIFY(visibleWindow("sqlret"));
    QCOMPARE(Module1::queryResult->rowCount(), rows);
}

void TstKeyboard::escapeInViewerAsksAsClose()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    activate(form);
    form->Command8->click();
    QWidget *viewer = visibleWindow("sqlret");
    QVERIFY(viewer);
    activate(viewer);
    // "Earlier" is marked, so Close asks whether to keep the marks; Escape asks the same.
    program.dialogs().expectQuestion(true);
    QTest::keyClick(viewer, Qt::Key_Escape);
    QCOMPARE(program.dialogs().calls().size(), 1);
    QCOMPARE(program.dialogs().last().kind, ScriptedDialogs::Kind::Question);
    QTRY_VERIFY(!visibleWindow("sqlret"));
    QVERIFY(form->isVisible());
}

void TstKeyboard::everyMainWindowControlNamed()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    int checked = 0;
    for (QWidget *control : form->findChildren<QWidget *>()) {
        // Its own controls; the popup menus are windows of their own, named by their items.
        if (control->isWindow() || control->objectName().isEmpty()
            || control->objectName().startsWith(QLatin1String("qt_")))
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(control);
        QVERIFY(a);
        QVERIFY2(!a->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(control->objectName()));
        ++checked;
    }
    QVERIFY(checked >= 40);
    QCOMPARE(QAccessible::queryAccessibleInterface(form->Text1)->text(QAccessible::Name),
             "SQL query");
}

QTEST_MAIN(TstKeyboard)
#include "tst_keyboard.moc"
