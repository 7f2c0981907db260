#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class WordDatabase;
class WordListModel;
class WordTable;

// The "Word list" window: every word of the Current collection in one table (Word,
// Meaning, Pointer), narrowed as the user types into the filter line, with the number of
// rows shown beside it. Double-click, F2 or Enter edits a cell; Delete removes the selected
// rows after the word panel's question; Ctrl+Z and Ctrl+Shift+Z undo and redo every change
// made here while the window is open. Escape closes it.
//
// It is modeless: the Main window stays usable beside it. It follows the Main window: it is
// disabled while the Main window is (another window has it), hidden while that is hidden,
// and it closes when work that needs the words to itself begins (ExclusiveWork).
class WordList : public QWidget
{
    Q_OBJECT

public:
    WordList(WordDatabase &db, const QString &table, QWidget *mainWindow);
    ~WordList() override;

    WordListModel *model() const { return m_model; }
    WordTable *view() const { return m_view; }
    QLineEdit *filterLine() const { return m_filter; }
    QLabel *countLabel() const { return m_count; }

    // Deletes the selected rows after the question; nothing without a selection.
    void deleteSelected();

signals:
    // A change of this window reached the file.
    void wordsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showCount();

    QPointer<QWidget> m_main;
    WordListModel *m_model;
    QLineEdit *m_filter;
    QLabel *m_count;
    WordTable *m_view;
    QPushButton *m_undoButton, *m_redoButton, *m_deleteButton, *m_closeButton;
    QTimer m_outsideChanges;
    bool m_hiddenWithMain = false;
};
