#pragma once

#include <QObject>
#include <QPointer>

class MainWindowPort;
class QCheckBox;
class QComboBox;
class quiz;

// The Main window's "Wordbrawl - Quiz" frame: "Start" asks how many questions, halts the
// word display and opens the Quiz window over the Current collection.
class QuizStart : public QObject
{
    Q_OBJECT

public:
    // The Main window's controls the quiz reads.
    struct Controls
    {
        QCheckBox *Check2; // "Randomize"
        QComboBox *Combo2; // "Timer Interval"
    };

    QuizStart(const Controls &controls, MainWindowPort &port, QObject *parent = nullptr);

    // The Quiz window while one is open.
    quiz *window() const;

public slots:
    // "Start" clicked.
    void command5Click();

private:
    MainWindowPort &m_port;
    QPointer<QCheckBox> m_randomize;
    QPointer<QComboBox> m_interval;
    QPointer<quiz> m_window;
};
