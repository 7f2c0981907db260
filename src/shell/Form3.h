#pragma once

#include <QWidget>

class QLabel;
class SwitchTimer;
class TitleArt;

// The Splash screen, the program's first window. On the first run it shows the title
// picture for 2 seconds, draws it aside to a narrow band, shows the title card for 4 seconds
// more and then hands over to the Main window; a click anywhere hands over at once. Once the
// first-run marker exists it hands over as soon as it loads and is never seen.
class Form3 : public QWidget
{
    Q_OBJECT

public:
    explicit Form3(QWidget *parent = nullptr);

    // The load event: hands over at once when the first-run marker exists, otherwise
    // starts the 2-second wait and shows the window.
    void load();

    // Width of the title picture, in twips.
    double picture1Width() const { return m_picture1Width; }
    bool handedOver() const { return m_handedOver; }

    QLabel *Label1;      // "Presents"
    QLabel *Label2;      // "Lexmora! Wordbrawl!": the title
    QLabel *Label3;      // "Version 1.00"
    QLabel *Label4;      // "Released on August 15th, 2002"
    TitleArt *Picture1;  // the title picture, drawn aside by Timer2
    SwitchTimer *Timer1; // the 2-second wait before the picture moves
    SwitchTimer *Timer2; // narrows the picture, 50 twips a tick
    SwitchTimer *Timer3; // the 4 seconds of the title card

public slots:
    void timer1Tick();
    void timer2Tick();
    void timer3Tick();
    // Closes the splash and has the Main window loaded and shown. Runs once.
    void handOver();

signals:
    // The splash is gone: load the Main window, run its start-up and show it.
    void mainWindowWanted();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();
    void applyPicture1Width(double twips);

    double m_picture1Width = 0;
    bool m_handedOver = false;
};
