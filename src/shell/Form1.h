#pragma once

#include "ControlPanel.h"
#include "MainWindowPort.h"

#include <QWidget>

class HoverLooks;
class ListBox;
class PaintedPicture;
class PanelSlides;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class Speaker;
class StatusBox;
class SwitchTimer;
class StartUpOpening;
class WordDisplay;

// The Main window, "Lexmora! Wordbrawl!": the Status box and word display on the left,
// the control panel on the right. Its start-up does the program's initialisation.
class Form1 : public QWidget, public MainWindowPort
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Runs the start-up sequence. Returns false when it ended the program (no usable
    // database): the message has been shown and the window closed. The word database is
    // the one `opening` has opened meanwhile, when it could.
    bool startUp(StartUpOpening *opening = nullptr);
    // The word database start-up opens: qvtmdb.mdb in the current folder.
    static QString databasePath();

    // MainWindowPort
    QWidget *mainWindow() override { return this; }
    void displayHalt() override;
    void appendStatusLine(const QString &message) override;
    void appendStatusText(const QString &piece) override;
    QString sqlText() const override;
    void setSqlText(const QString &text) override;
    void openResultsViewer() override;
    // The word panel's Close request writes " Closing the panel! ..." into RichTextBox2;
    // like the Open request it does nothing at all unless its guard holds.
    void closeRequest() override;
    void openRequest() override;
    void setControlPanelEnabled(bool enabled) override;
    void highlightReset() override;

    // The control panel's flags and the pictures' geometry, in twips.
    using PanelState = ControlPanel::State;
    const PanelState &panel() const;
    double picture1Width() const;
    double picture2Left() const;
    double coverWidth() const;

    // The window's size in pixels at scale 1, before any fitting to a small screen.
    static QSize designSize();

    static const QString FirstRunMarker;

    // Left pane
    PaintedPicture *Picture1;    // left pane: Status box, word display, word panel
    StatusBox *RichTextBox1;     // the main Status box
    QLabel *Label1;              // "Word:": the word on display
    QLabel *Label2;              // "Meaning:": its meaning
    // Word panel, hidden until opened
    QGroupBox *Frame5;           // "Add a word"
    QLabel *Label3;              // "Word:"
    QLineEdit *Text2;            // word field (Add mode)
    QComboBox *Combo3;           // Word chooser (Modify mode)
    QLabel *Label4;              // "Meaning:"
    QLineEdit *Text3;            // meaning field
    QLabel *Label5;              // "Pointer / Comment:"
    QLineEdit *Text4;            // pointer field
    QPushButton *Command1;       // "Add": the panel button (Add, Edit, Update)
    QPushButton *Command17;      // "Delete": deletes the chosen word
    QPushButton *Command16;      // "Close": closes the word panel
    QPushButton *Command24;      // the speaker beside the word field: says the word
    StatusBox *RichTextBox2;     // the word panel's Status box

    PaintedPicture *Picture3;    // decorative vertical strip

    // Right pane: the control panel
    PaintedPicture *Picture2;    // right pane
    QGroupBox *Frame1;           // "Show Words"
    QPushButton *Command2;       // "Start": starts the word display
    QPushButton *Command3;       // "Stop": ends the word display
    QPushButton *Command4;       // "Pause": pauses and resumes ("Go..")
    QPushButton *Command8;       // "Show all": lists the whole collection
    QPushButton *Command14;      // "Previous": one word back
    QPushButton *Command15;      // "Next": one word on
    QCheckBox *Check1;           // "Randomize": words in random order
    QComboBox *Combo1;           // "Timer Interval": seconds per word
    QCheckBox *Check4;           // "Speak words": the display and the quiz say each word
    QGroupBox *Frame2;           // "Wordbrawl - Quiz"
    QPushButton *Command5;       // "Start": starts a quiz
    QCheckBox *Check2;           // "Randomize": questions in random order
    QComboBox *Combo2;           // "Timer Interval": seconds per question
    QCheckBox *Check3;           // "Due words first": the words due for review first
    QPushButton *Command22;      // "Progress": the progress window
    QGroupBox *Frame3;           // "Word Control"
    ListBox *List1;              // the quick searches; the keys click it too
    QPushButton *Command18;      // "Change table": the Database Selector
    QPushButton *Command12;      // "Import": words from a spreadsheet
    QPushButton *Command21;      // "Export": the collection's words to a file
    QPushButton *Command11;      // "Delete all": empties the collection
    QPushButton *Command10;      // "Find/Delete": the word panel in Modify mode
    QPushButton *Command9;       // "Add": the word panel in Add mode
    QPushButton *Command23;      // "Word list": every word in one table
    QGroupBox *Frame4;           // "SQL Parser"
    QLineEdit *Text1;            // the SQL box
    QPushButton *Command13;      // "Go!": runs the SQL box
    QPushButton *Command6;       // "Exit": ends the program
    QPushButton *Command7;       // "Help": the Help window
    QPushButton *Command20;      // "Cover Panel": slides the cover over the panel
    PaintedPicture *Picture4;    // the Panel cover
    PaintedPicture *Picture5;    // the Lock on the cover

    SwitchTimer *Timer1;         // word display tick
    SwitchTimer *Timer2;         // Intro slide of Picture1
    SwitchTimer *Timer3;         // Intro slide of Picture2
    SwitchTimer *Timer4;         // closing slide of the cover
    SwitchTimer *Timer5;         // one tick before the closing slide
    SwitchTimer *Timer6;         // opening slide of the cover
    SwitchTimer *Timer7;         // Status flash of RichTextBox1 (inside the box)
    SwitchTimer *Timer8;         // Status flash of RichTextBox2 (inside the box)

    QMenu *help;                 // "&Help" popup of the SQL Parser
    QMenu *help2;                // "&Help" popup of Word Control
    QMenu *h3;                   // "&Help" popup of the quiz frame
    QMenu *h4;                   // "&Help" popup of Show Words

public slots:
    void command6Click(); // "Exit"

    // The slides of the control panel (PanelSlides), callable by name.
    void command20Click();    // "Cover Panel": the Close request from the panel itself
    void picture4Click();     // a click on the cover: the Open request
    void picture4Nudge();     // a press, double click or key on the cover: the reminder line
    void picture5MouseMove(); // the mouse over the Lock: the Open request
    void picture5MouseUp();   // a button released over the Lock: the reminder line
    void timer2Tick();        // Intro slide of Picture1
    void timer3Tick();        // Intro slide of Picture2
    void timer4Tick();        // closing slide
    void timer5Tick();        // one tick before the closing slide
    void timer6Tick();        // opening slide

private:
    // Form1Controls.cpp: the controls, their looks and names.
    void buildControls();
    void buildMenus();
    void buildLooks();
    void nameControls();
    // Form1Wiring.cpp: every subsystem gets its controls and this window as its
    // MainWindowPort, and every control is connected to the handler of its subsystem.
    void wire();
    void wirePopupHelp();
    void wireSpeech();
    // Form1.cpp: "Speak words" as the word database keeps it.
    void loadSpeakWords();
    // Form1.cpp: start-up.
    void layoutPanes();
    void writeWelcomeTexts();
    void fillIntervalLists();
    void reportFatal(const QString &text);

    HoverLooks *m_looks;
    PanelSlides *m_slides = nullptr;      // cover, lock and Intro slide
    WordDisplay *m_wordDisplay = nullptr; // the "Show Words" frame; Display halt
    Speaker *m_speaker = nullptr;         // says the words; the installed one or the engine
};
