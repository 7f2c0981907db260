#pragma once

#include "MainWindowLoan.h"

#include <QWidget>

class HoverLooks;
class MainWindowPort;
class QGroupBox;
class QLabel;
class QPushButton;
class TitleArt;

// The Help window, "Help": a welcome line and three paragraphs on the program's objective,
// its working and where to find help, with an About panel that can be laid over them. The
// Main window is disabled while it is open; it deletes itself when closed.
class Helpf : public QWidget
{
    Q_OBJECT

public:
    explicit Helpf(MainWindowPort &main);

    // Disables the Main window and shows the Help window, without blocking.
    void load();

    QLabel *Label1;        // "Welcome to Lexmora! (Wordbrawl)"
    QLabel *Label2;        // the Objective paragraph
    QLabel *Label3;        // the Working paragraph
    QLabel *Label4;        // the Help paragraph
    QGroupBox *Frame1;     // "About": the About panel, hidden until asked for
    TitleArt *Picture1;    // the About panel's picture
    QLabel *Label5;        // the About panel's credits
    QPushButton *Command1; // "About": shows the About panel, then "Main" hides it again
    QPushButton *Command2; // "Okay": closes the window

    // The paragraphs, one entry a line, as the window shows them.
    static const QStringList ObjectiveLines;
    static const QStringList WorkingLines;
    static const QStringList HelpLines;

public slots:
    void command1Click();
    void command2Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();

    MainWindowLoan m_loan;
    HoverLooks *m_looks;
};
