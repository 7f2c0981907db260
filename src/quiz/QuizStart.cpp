#include "QuizStart.h"

#include "Dialogs.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "QuizRules.h"
#include "Skip.h"
#include "quiz.h"

#include <QCheckBox>
#include <QComboBox>
#include <QWidget>

namespace {

// The quiz recordset opened afresh over the Current collection; unset when it cannot be.
void openQuizWords()
{
    Module1::quizWords.reset();
    if (!Module1::database)
        return;
    skipOnFailure(lcQuiz(), "opening the quiz record set", [] {
        Module1::quizWords =
            std::make_unique<TableCursor>(*Module1::database, Module1::currentCollection);
    });
}

bool holdsWords(TableCursor *records)
{
    bool holds = false;
    skipOnFailure(lcQuiz(), "counting the quiz's words",
                  [&] { holds = records && records->recordCount() > 0; });
    return holds;
}

} // namespace

QuizStart::QuizStart(const Controls &controls, MainWindowPort &port, QObject *parent)
    : QObject(parent), m_port(port), m_randomize(controls.Check2), m_interval(controls.Combo2)
{
    setObjectName(QStringLiteral("QuizStart"));
}

quiz *QuizStart::window() const
{
    return m_window;
}

void QuizStart::command5Click()
{
    if (m_window)
        return; // one quiz at a time
    openQuizWords();
    if (!holdsWords(Module1::quizWords.get())) {
        Dialogs::current().message(QuizRules::noWords(Module1::currentCollection),
                                   QuizRules::Title);
        return;
    }

    const QString answer =
        Dialogs::current().input(QuizRules::CountPrompt, QuizRules::CountTitle, QString());
    const auto count = QuizRules::parseQuestionCount(answer);
    if (!count)
        return; // cancelled, empty or not a count: nothing happens
    Module1::questionLimit = QuizRules::questionLimit(*count);
    if (*count < 0) {
        Dialogs::current().message(QuizRules::GetSerious, QuizRules::Title);
        return;
    }

    m_port.displayHalt();
    if (!(m_randomize && m_randomize->isChecked())) {
        openQuizWords();
        if (Module1::quizWords) {
            skipOnFailure(lcQuiz(), "moving the quiz record set to its first record",
                          [] { Module1::quizWords->moveFirst(); });
        }
    }
    m_port.mainWindow()->setEnabled(false);
    m_window = new quiz(m_port, m_randomize, m_interval);
    m_window->open();
}
