#pragma once

#include "MainWindowPort.h"

#include <QWidget>

class HoverLooks;
class PaintedPicture;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QuizStart;
class StatusBox;
class SwitchTimer;
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
    // database): the message has been shown and the window closed.
    bool startUp();

    // MainWindowPort
    QWidget *mainWindow() override { return this; }
    void displayHalt() override;
    void appendStatusLine(const QString &message) override;
    void appendStatusText(const QString &piece) override;
    QString sqlText() const override;
    void setSqlText(const QString &text) override;
    void openResultsViewer() override;
    void closeRequest() override;
    void openRequest() override;

    // The control panel's flags and the pictures' geometry, in twips.
    struct PanelState
    {
        bool opening = false;
        bool closing = false;
        bool covered = false;
        bool closePending = false;
        double introCounter = 0;
        float savedPaneWidth = 0;  // design width of Picture1
        double savedPaneLeft = 0;  // design left edge of Picture2
    };
    const PanelState &panel() const { return m_panel; }
    double picture1Width() const { return m_picture1Width; }
    double picture2Left() const { return m_picture2Left; }
    double coverWidth() const { return m_coverWidth; }

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
    QGroupBox *Frame2;           // "Wordbrawl - Quiz"
    QPushButton *Command5;       // "Start": starts a quiz
    QCheckBox *Check2;           // "Randomize": questions in random order
    QComboBox *Combo2;           // "Timer Interval": seconds per question
    QGroupBox *Frame3;           // "Word Control"
    QListWidget *List1;          // the quick searches
    QPushButton *Command18;      // "Change table": the Database Selector
    QPushButton *Command12;      // "Import": words from a spreadsheet
    QPushButton *Command11;      // "Delete all": empties the collection
    QPushButton *Command10;      // "Find/Delete": the word panel in Modify mode
    QPushButton *Command9;       // "Add": the word panel in Add mode
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
    void command6Click();
    void timer2Tick();
    void timer3Tick();

private:
    // The subsystems are wired to the controls above in files of their own.
    void wireDisplay(); // Form1Display.cpp: word display, Display halt, Results viewer
    void wireQuiz();    // Form1Quiz.cpp: the quiz frame
    void wireQueries(); // Form1Queries.cpp: SQL box, quick search, Show all, query help
    void wirePanel();       // Form1Panel.cpp: control panel, cover and lock, flash, hover looks, popup help
    void wireEditing();     // Form1Editing.cpp: the word panel and Delete all
    void wireCollections(); // Form1Collections.cpp: "Change table", the Database Selector
    void wireImport();      // Form1Import.cpp: "Import", the import window
    void wireHelp();        // Form1Help.cpp: "Help", the Help window

    void buildControls();
    void buildMenus();
    void layoutPanes();
    void writeWelcomeTexts();
    void fillIntervalLists();
    void applyPicture1Width(double twips);
    void applyPicture2Left(double twips);
    void applyCoverWidth(double twips);
    void reportFatal(const QString &text);

    // -- display (Form1Display.cpp): members of the word display and Results viewer wiring
    WordDisplay *m_wordDisplay = nullptr; // the "Show Words" frame's behaviour
    // -- end display
    // -- quiz (Form1Quiz.cpp): members of the quiz frame wiring
    void command5Click();            // "Start" of the quiz frame
    QuizStart *m_quizStart = nullptr; // asks for the question count, opens the Quiz window
    // -- end quiz
    // -- queries (Form1Queries.cpp): members of the SQL box, quick search and Show all wiring
    // -- end queries
    // -- panel (Form1Panel.cpp): members of the control panel, cover, flash and popup help
    // -- end panel
    // -- editing (Form1Editing.cpp): members of the word panel and Delete all wiring
    // -- end editing
    // -- collections (Form1Collections.cpp): members of the Database Selector wiring
    void command18Click(); // "Change table": opens the Database Selector
    // -- end collections
    // -- import (Form1Import.cpp): members of the import wiring
    void command12Click(); // "Import": Display halt, the warning, the import window
    // -- end import
    // -- help (Form1Help.cpp): members of the Help window wiring
    void command7Click(); // "Help": disables this window and opens the Help window
    // -- end help

    PanelState m_panel;
    double m_picture1Width = 0;
    double m_picture2Left = 0;
    double m_coverWidth = 0;
    HoverLooks *m_looks;
};
