#pragma once

#include <QObject>
#include <QString>

#include <vector>

class MainWindowPort;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;
class StatusBox;
class TableCursor;
class WordChooser;

// The word panel of the Main window: adds a word to the Current collection (Add mode) or
// shows, changes and deletes one (Modify mode). There is no mode variable: the panel
// button's caption is the mode, "Add", "Edit" (browsing) or "Update" (a record open for
// change). While the panel shows, the control panel around it is disabled.
class WordPanel : public QObject
{
    Q_OBJECT

public:
    // The Main window's controls the panel drives. The control panel around it is the Main
    // window's, reached through the port.
    struct Controls
    {
        QGroupBox *Frame5;       // the panel, "Add a word" / "Modify / Delete a word"
        QLineEdit *Text2;        // word field (Add mode)
        QComboBox *Combo3;       // Word chooser (Modify mode)
        QLineEdit *Text3;        // meaning field
        QLineEdit *Text4;        // pointer field
        QPushButton *Command1;   // the panel button: "Add", "Edit", "Update"
        QPushButton *Command17;  // "Delete"
        QPushButton *Command16;  // "Close"
        StatusBox *RichTextBox2; // the panel's Status box
        QWidget *RichTextBox1;   // the main Status box, whose place the panel takes
    };

    WordPanel(const Controls &controls, MainWindowPort &main, QObject *parent = nullptr);

    WordChooser *chooser() const { return m_chooser; }

public slots:
    void command9Click();  // open in Add mode
    void command10Click(); // open in Modify mode
    void command1Click();  // Add, Edit or Update, by the caption
    void command17Click(); // Delete
    void command16Click(); // Close
    // The chooser's text changed or an item was picked: show that word's meaning and pointer.
    void showChosenWord(const QString &word);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void add();
    void edit();
    void update();
    void fillChooser();
    // Back to browsing; `saved` says whether the record was written and is reported.
    void finishUpdate(const QString &reportedWord, bool saved);
    // Deletes every record holding exactly `word`; returns what they held, in table order.
    struct GoneRecord
    {
        QString word, meaning, pointer;
    };
    std::vector<GoneRecord> deleteEvery(const QString &word, QString &failure);
    bool inAddMode() const;

    Controls m_c;
    MainWindowPort &m_main;
    WordChooser *m_chooser;
    // The record Edit opened, which Update writes: the shared record set and its position.
    TableCursor *m_editRecords = nullptr;
    qint64 m_editRowid = 0;
};
