#pragma once

#include "ControlPanel.h"

#include <QObject>

class CoverShield;
class PaintedPicture;
class StatusBox;
class SwitchTimer;

// The Main window's slides: the Panel cover closing over the control panel and opening again
// over the Lock, the Close and Open requests that start them with their messages, and the
// first-run Intro slide of the two panes. ControlPanel decides; this runs the timers, writes
// the messages and moves the pictures, and keeps what the cover hides out of reach.
class PanelSlides : public QObject
{
    Q_OBJECT

public:
    // The Main window's controls the slides drive.
    struct Controls
    {
        PaintedPicture *Picture1; // left pane: grows in the Intro slide
        PaintedPicture *Picture2; // right pane: moves in from the right in the Intro slide
        PaintedPicture *Picture4; // the Panel cover
        PaintedPicture *Picture5; // the Lock on the cover
        StatusBox *RichTextBox1;  // the main Status box
        StatusBox *RichTextBox2;  // the word panel's Status box
        SwitchTimer *Timer2;      // Intro slide of Picture1
        SwitchTimer *Timer3;      // Intro slide of Picture2
        SwitchTimer *Timer4;      // closing slide
        SwitchTimer *Timer5;      // one tick before the closing slide
        SwitchTimer *Timer6;      // opening slide
    };

    explicit PanelSlides(const Controls &controls, QObject *parent = nullptr);

    const ControlPanel &panel() const { return m_panel; }

    // Start-up: every flag clear and the cover at width 0, so the panel starts open.
    void reset();
    // Start-up: the panes' design places saved, then the Intro slide set going on the first
    // run, or the panes put in their places at once.
    void placePanes(bool firstRun);

    // The word panel's Close request: " Closing the panel! ..." into RichTextBox2.
    void closeRequest();
    // The Open request, of the Lock, the cover and the word panel's Close.
    void openRequest();

public slots:
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

protected:
    // The mouse and keys on the cover and the Lock.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void requestClose(const QString &message, StatusBox *box);
    bool coverEvent(QEvent *event);
    bool lockEvent(QEvent *event);
    void applyCover(); // the cover's width in twips onto Picture4
    void applyPanes(); // the panes' places in twips onto Picture1 and Picture2

    Controls m_c;
    ControlPanel m_panel;
    CoverShield *m_shield;
    bool m_coverPressed = false; // a left press on the cover that a release may make a click
};
