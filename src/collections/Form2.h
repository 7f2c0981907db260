#pragma once

#include "CollectionManager.h"
#include "MainWindowLoan.h"

#include <QWidget>

class HoverLooks;
class MainWindowPort;
class QComboBox;
class QLabel;
class QPushButton;
class WordDatabase;

// The Database Selector, "Database Selector": the six collections by their Collection
// names, a summary of the chosen one, and Make Default, Delete content, Rename and Select
// (the chosen collection becomes the Current collection until the program ends), and
// Restore a backup… (every collection's words as a backup copy holds them). While it is
// open the Main window is disabled; every way out enables it again.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    // A top-level window that deletes itself when closed.
    Form2(MainWindowPort &main, WordDatabase &db);
    ~Form2() override;

    // Window load: disables the Main window, shows this one, fills the list with the
    // Collection names, shows the Default collection and its summary.
    void load();

    // The chosen name: the list's text, typed or picked.
    QString chosenName() const;

    QComboBox *Combo1;     // the Collection names; typing allowed
    QLabel *Label1;        // "Database path : " and the database file's full path
    QLabel *Label2;        // "Number of records : " and the count
    QLabel *Label3;        // "Starting Word : " and the first word
    QLabel *Label4;        // "Ending Word : " and the last word
    QLabel *Label5;        // "Default table" or "Not the default table"
    QPushButton *Command5; // "Select": uses the chosen collection until the program ends
    QPushButton *Command4; // "Cancel": closes the window
    QPushButton *Command1; // "Make Default": the collection Lexmora! starts with
    QPushButton *Command2; // "Delete content": deletes every word of the chosen collection
    QPushButton *Command3; // "Rename": gives the chosen collection another name
    QPushButton *Command6; // "Restore a backup…": puts back the words of a backup copy

public slots:
    void combo1Change();  // a list item picked or the list text changed
    void command1Click(); // Make Default
    void command2Click(); // Delete content
    void command3Click(); // Rename
    void command4Click(); // Cancel
    void command5Click(); // Select
    void command6Click(); // Restore a backup…

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void refreshSummary();
    void refillList();
    void fillList(const CollectionManager::Listing &listing);
    // The name check: the chosen name's position, or 0 after telling the user.
    int nameCheck();
    void clearSummary();
    void report(const QString &text);
    void returnToMain();

    MainWindowLoan m_loan;
    WordDatabase &m_db;
    CollectionManager m_manager;
    HoverLooks *m_looks;
};
