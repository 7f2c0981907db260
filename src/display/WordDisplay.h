#pragma once

#include <QObject>
#include <QString>

class MainWindowPort;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class Speaker;
class SwitchTimer;
class TableCursor;

// The "Show Words" frame: flash cards of the current collection recordset, one word every
// N seconds in table order or at random, with Start, Stop, Pause/Go.., Previous and Next.
// It keeps no record set of its own: the display position is the shared record set's
// current record, so whatever else moves that record set moves the display too.
class WordDisplay : public QObject
{
    Q_OBJECT

public:
    // The Main window's controls this frame drives.
    struct Controls
    {
        QPushButton *Command2;  // "Start"
        QPushButton *Command3;  // "Stop"
        QPushButton *Command4;  // "Pause" / "Go.."
        QPushButton *Command14; // "Previous"
        QPushButton *Command15; // "Next"
        QCheckBox *Check1;      // "Randomize"
        QComboBox *Combo1;      // "Timer Interval"
        QLabel *Label1;         // the word
        QLabel *Label2;         // its meaning
        SwitchTimer *Timer1;    // the display tick
        QCheckBox *Check4 = nullptr; // "Speak words": each word is said as it appears
        Speaker *speaker = nullptr;  // what says them
    };

    WordDisplay(const Controls &controls, MainWindowPort &main, QObject *parent = nullptr);

    static const QString PauseCaption;
    static const QString GoCaption;

public slots:
    void command2Click();  // Start
    void command3Click();  // Stop
    void command4Click();  // Pause / Go..
    void command14Click(); // Previous
    void command15Click(); // Next
    void timer1Tick();
    // Display halt: the timer stops and the Randomize and interval controls are free again.
    void displayHalt();

private:
    TableCursor *records() const;
    void setControlsEnabled(bool enabled);
    // The current record's word, meaning and pointer into the labels, read by name.
    void showCurrentByName(bool withPointer);
    // The same read by position, as Previous and Next do.
    void showCurrentByPosition();
    void setPointer(const QString &pointer);
    // Says the word just shown when "Speak words" is set.
    void speak(const QString &word);
    void wrapToFirst();
    void step(bool forward);

    Controls m_c;
    MainWindowPort &m_main;
};
