#pragma once

#include "MainWindowLoan.h"

#include <QHash>
#include <QSet>
#include <QWidget>

#include <array>

class HoverLooks;
class MainWindowPort;
class QFrame;
class QKeyEvent;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QTimer;

// The Results viewer, "Lexmora! Word power!": the rows of the query recordset three at a
// time, word, meaning and pointer, with a slider to scroll and a progress bar to show how
// far. While it is open the Main window is disabled; every way out gives it back, and
// Close first offers to clear the "Got it wrong" marks of the Current collection.
class sqlret : public QWidget
{
    Q_OBJECT

public:
    // A top-level window that deletes itself when closed.
    explicit sqlret(MainWindowPort &main);

    // Disables the Main window, shows this window and shows the first three records of
    // the query recordset. A large result is read on in slices between the user's events;
    // the record total, slider and progress bar grow with it until it is read whole.
    void load();

    // The records read so far: the whole result once reading() is over.
    qint64 recordTotal() const { return m_total; }
    bool reading() const;

    QLabel *Label1;             // "       Word": header of the word column
    QLabel *Label2;             // "                  Meaning": header of the meaning column
    QLabel *Label3;             // "           Pointer": header of the pointer column
    QLabel *Label4;             // row 1: word
    QLabel *Label5;             // row 1: meaning
    QLabel *Label6;             // row 1: pointer
    QLabel *Label7;             // row 2: word
    QLabel *Label8;             // row 2: meaning
    QLabel *Label9;             // row 2: pointer
    QLabel *Label10;            // row 3: word
    QLabel *Label11;            // row 3: meaning
    QLabel *Label12;            // row 3: pointer
    QSlider *Slider1;           // scrolls through the records
    QProgressBar *ProgressBar1; // how far through the records the page is
    QPushButton *Command1;      // "Close": back to the Main window
    QPushButton *Command2;      // "Export": these records to a file
    QFrame *Line1;              // under the header
    QFrame *Line2;              // between rows 1 and 2
    QFrame *Line3;              // between rows 2 and 3
    QFrame *Line4;              // between the word and meaning columns
    QFrame *Line5;              // between the meaning and pointer columns

public slots:
    void command1Click();
    void command2Click();
    // Page refresh: shows the page for the slider's current value.
    void slider1Scroll();

protected:
    void closeEvent(QCloseEvent *event) override;
    // The slider's clicks, keys and mouse buttons refresh the page as its moves do.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();
    QLabel *cell(int row, int column) const;
    void showRecord(int row, qint64 record);
    void blankRow(int row);
    void clearMarks();
    void readOn();
    void stopReading();
    void setTotal(qint64 total);
    void returnToMain();
    // True for a key event the slider takes no notice of: the tail of a key pressed elsewhere.
    bool foreignKey(const QKeyEvent &key);

    MainWindowLoan m_loan;
    HoverLooks *m_looks;
    QTimer *m_reader; // reads the rest of a large result a slice at a time
    qint64 m_total = 0;
    QSet<int> m_keysDown;                 // keys pressed on the slider and not yet released
    QHash<int, quint64> m_heldElsewhere;  // keys first seen released: the time of that release
};
