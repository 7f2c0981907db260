#pragma once

#include "MainWindowLoan.h"

#include <QWidget>

#include <memory>

class HoverLooks;
class MainWindowPort;
class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;
class SheetReader;

// The import window, "Import From Excel": the user picks a spreadsheet file and the cell
// of the first word, sees that row as a preview and imports the rows below it into the
// Current collection. While it is open the Main window is hidden and disabled; every way
// out (Cancel, closing the window, the end of an import) gives it back.
class Form4 : public QWidget
{
    Q_OBJECT

public:
    // A top-level window that deletes itself when closed.
    explicit Form4(MainWindowPort &main);
    ~Form4() override;

    // Hides the Main window, shows this one and fills the list of starting cells.
    void load();

    QString dirPath() const { return m_dirPath; }
    // Points the directory tree at `path`, as a click on it would.
    void setDirPath(const QString &path);
    bool hasWorksheet() const { return m_sheet != nullptr; }

    QGroupBox *Frame1;     // "Please Select the path of the Excel File"
    QComboBox *Drive1;     // the mounted volumes, the root first
    QTreeView *Dir1;       // the directory tree of the chosen volume
    QListWidget *File1;    // the spreadsheet files of the chosen directory
    QLineEdit *Text1;      // the chosen directory's path; a path typed or pasted, then Enter
    QGroupBox *Frame2;     // "Please select the cell number of the starting word"
    QListWidget *List1;    // the starting cells A1 .. B10; enabled once a file is clicked
    QLabel *Label1;        // "Starting word :": preview of the word
    QLabel *Label2;        // "Meaning : ": preview of the meaning
    QLabel *Label3;        // "Pointer : ": preview of the pointer
    QLabel *Label4;        // how far a running import has come; hidden otherwise
    QPushButton *Command1; // "Import"
    QPushButton *Command2; // "Cancel": closes the window; stops a running import

public slots:
    void drive1Change();
    void dir1Change();
    // Enter in the path line: goes to the folder typed (or to the file's folder, choosing
    // the file); a path that does not exist is reported and changes nothing.
    void text1Enter();
    void file1Click();
    void list1Click();
    void command1Click();
    void command2Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    // The user's own use of the tree ends keeping the chosen folder in view.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void fillDrives();
    void showDirectory(const QString &path);
    void followDirectory();
    void setImporting(bool importing);
    void runImport();
    void returnToMain();

    MainWindowLoan m_loan;
    HoverLooks *m_looks;
    QFileSystemModel *m_dirModel;
    QString m_dirPath;
    // The tree reads folders in the background and sorts them once read, which moves rows
    // about: until the user takes the tree over, the chosen folder is kept in view.
    bool m_followDirectory = false;
    std::unique_ptr<SheetReader> m_sheet; // the worksheet, once a cell has been chosen
    qint64 m_startRow = 0;
    int m_startColumn = 0;
    bool m_importing = false;
    bool m_stopRequested = false;
};
