#pragma once

#include "Dialogs.h"
#include "MainWindowPort.h"

#include <QString>

class QWidget;

// Stand-ins where nobody watches: the benchmarks and the crash test's child process.

// A Main window that counts the Status box lines instead of showing them. `window` is
// what the subsystems hide and give back; without a widget toolkit it stays null.
class QuietMainWindow : public MainWindowPort
{
public:
    explicit QuietMainWindow(QWidget *window = nullptr) : m_window(window) {}

    QWidget *mainWindow() override { return m_window; }
    void displayHalt() override {}
    void appendStatusLine(const QString &) override { ++lines; }
    void appendStatusText(const QString &) override {}
    QString sqlText() const override { return {}; }
    void setSqlText(const QString &) override {}
    void openResultsViewer() override {}

    int lines = 0;

private:
    QWidget *m_window;
};

// Answers every box at once: each question with `answer`, each input box with nothing.
class QuietDialogs : public Dialogs
{
public:
    explicit QuietDialogs(bool answer) : QuietDialogs(answer, answer) {}
    // `cautiousAnswer` for the questions whose default is No.
    QuietDialogs(bool answer, bool cautiousAnswer)
        : m_answer(answer), m_cautiousAnswer(cautiousAnswer)
    {
    }

    void message(const QString &, const QString &) override { ++messages; }
    bool question(const QString &, const QString &) override { return m_answer; }
    bool questionDefaultNo(const QString &, const QString &) override
    {
        ++cautiousQuestions;
        return m_cautiousAnswer;
    }
    QString input(const QString &, const QString &, const QString &) override { return {}; }
    int choice(const QString &, const QString &, const QStringList &) override { return -1; }

    int messages = 0;
    int cautiousQuestions = 0;

private:
    bool m_answer;
    bool m_cautiousAnswer;
};
