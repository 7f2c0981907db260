#pragma once

#include "MainWindowLoan.h"
#include "QuestionBuilder.h"

#include <QPointer>
#include <QWidget>

class HoverLooks;
class MainWindowPort;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class StatusBox;
class SwitchTimer;

// The Quiz window, "Lexmora! Quiz! Wordbrawl!": one word, five meanings to choose from and
// a countdown; a wrong answer or none marks the word "Got it wrong". It works on the
// Current collection through the shared record sets and lists the marked words in the
// Results viewer when the quiz ends.
class quiz : public QWidget
{
    Q_OBJECT

public:
    // The Main window's quiz frame controls the quiz reads: Randomize and the interval list.
    quiz(MainWindowPort &port, QCheckBox *randomize, QComboBox *interval,
         QWidget *parent = nullptr);
    ~quiz() override;

    // The opening: hides the Main window, shows this one, puts the first question and starts
    // the countdown. Reseeds the generator from the clock, as every quiz opening does.
    void open();

    // Quiz state, for the Main window's wiring and for tests.
    bool isActive() const { return m_active; }
    bool hasEnded() const { return m_ended; }
    qint64 countdown() const { return m_countdown; }
    qint64 questionsAsked() const { return m_asked; }
    qint64 correctAnswers() const { return m_correct; }
    qint64 questionsPut() const { return m_put; }
    double questionTime() const { return m_questionTime; }
    const Question &question() const { return m_question; }
    // The caption of option n (1 .. 5) as the quiz reads it.
    QString optionCaption(int n) const { return m_question.options[size_t(n - 1)]; }
    // The option selected, 1 .. 5, or 0.
    int selectedOption() const;

    QLabel *Label1;          // "Word": the question word; a click answers early
    QRadioButton *Option1;   // first choice
    QRadioButton *Option2;   // second choice
    QRadioButton *Option3;   // third choice
    QRadioButton *Option4;   // fourth choice
    QRadioButton *Option5;   // fifth choice
    QLabel *Label2;          // "Correct :"
    QLabel *Label5;          // count of correct answers
    QLabel *Label3;          // "Wrong :"
    QLabel *Label6;          // count of wrong answers
    QLabel *Label4;          // seconds left for the question
    StatusBox *RichTextBox1; // the quiz's Status box, flashing yellow
    QPushButton *Command3;   // "Next": answers now
    QPushButton *Command2;   // "Pause": pauses and resumes ("Resume")
    QPushButton *Command1;   // "Cancel": ends the quiz
    SwitchTimer *Timer1;     // holds the question time as its interval; no tick action
    SwitchTimer *Timer2;     // one-second countdown tick
    SwitchTimer *Timer3;     // flash of RichTextBox1 (the box's own timer)

public slots:
    void command1Click();
    void command2Click();
    void command3Click();
    void label1Click();
    void timer2Tick();
    void label4Change();
    // Judges the selected option and puts the next question.
    void evaluate();
    // Stops the quiz, shows the summary, fills the query recordset with the marked words and
    // opens the Results viewer over them. False when that failed: the quiz stays ended and
    // the window open.
    bool endQuiz();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Keys 1 to 5 select that option, the arrows move the selection, Enter is "Next" and
    // Escape is "Cancel".
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    QList<QRadioButton *> options() const;
    // Puts the next question after an evaluation; true when that ended the quiz instead.
    bool putQuestion();
    void showQuestion(const Question &question);
    void clearOptions();
    // Selects option n (1 .. 5) for a key; true when `key` is one of the option keys.
    bool answerKey(int key);
    void chooseOption(int n);
    void deselectOptions();
    void markWord(const QString &word);
    void stopTimers();
    // Ends the quiz and, once the Results viewer has taken over, closes the window.
    void finish();
    bool handOverToResults();
    void giveBackMain();

    MainWindowLoan m_loan;
    QPointer<QCheckBox> m_randomize;
    QPointer<QComboBox> m_interval;
    HoverLooks *m_looks;

    bool m_randomMode = true;
    bool m_active = false;
    bool m_ended = false;
    qint64 m_countdown = 0;
    qint64 m_asked = 0;
    qint64 m_correct = 0;
    qint64 m_put = 0;
    double m_questionTime = 0;
    Question m_question;
};
