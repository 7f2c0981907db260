#pragma once

#include <QObject>
#include <QPointer>

class MainWindowPort;
class QCheckBox;
class QComboBox;
class Speaker;
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
        QCheckBox *Check3 = nullptr; // "Due words first"
        QCheckBox *Check4 = nullptr; // "Speak words" of Show Words: each question's word is said
        Speaker *speaker = nullptr;
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
    QPointer<QCheckBox> m_dueFirst;
    QPointer<QCheckBox> m_speakWords;
    Speaker *m_speaker;
    QPointer<quiz> m_window;
};
