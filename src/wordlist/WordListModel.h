#pragma once

#include "WordListRows.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

class QUndoStack;
class WordDatabase;

// The rows of one collection for the word list's table: Word, Meaning, Pointer in table
// order, or only the rows whose texts contain the filter. Rows are read from the store a
// page at a time when the view asks for them, and only a bounded number of pages is kept;
// of the rest the model knows only the rowids (or, while they run without gaps, only the
// first and the count). A filter is answered through the trigram index when that names few
// candidates, else by a scan in slices between events: the first rows show at once and
// the rest arrive as the scan goes on.
//
// Edits (setData) and deletions are written at once and go onto the undo stack; changes
// made elsewhere (the word panel, another program) are noticed by a check of the file's
// change counter and shown.
class WordListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int PageRows = 64;
    static constexpr int CachedPages = 32;
    // Rowids listed per slice while the list of a table with gaps is read.
    static constexpr int ListSliceRows = 65536;
    // How long one slice of a filter scan should take (its number of rows follows the
    // measured speed), and how long one keystroke may search before the first rows show.
    static constexpr int SliceMs = 4;
    static constexpr int FirstAnswerMs = 10;
    // How many rows one Delete may take (each is kept for its undo).
    static constexpr int MaxDeletedRows = 50000;

    WordListModel(WordDatabase &db, const QString &table, QObject *parent = nullptr);
    ~WordListModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Writes the cell: the word in its stored form, refused (with the word panel's message)
    // when another record already holds exactly that word. Undoable.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    QString table() const;
    QUndoStack *undoStack() const { return m_undo; }
    WordListRows &rows() { return *m_rows; }

    // The filter text; empty shows every row.
    void setFilter(const QString &text);
    QString filter() const { return m_filter; }
    // True while a filter scan is still finding rows.
    bool searching() const { return m_scanning; }
    // Runs the filter scan to its end (for tests and the benchmark).
    void finishSearch();
    // The rows of the whole collection, filter or not.
    qint64 totalRows() const { return m_total; }

    qint64 rowidAt(int row) const;
    int rowOf(qint64 rowid) const;

    // Deletes the rows (after the caller asked), undoably; `tick` as for
    // WordListRows::remove. Returns what went wrong, or an empty text.
    QString deleteRows(const QList<int> &rows, const std::function<bool()> &tick = {});

    // Re-reads what it shows when the file was changed by anyone but this model. Not while
    // a change of its own is being written (its progress box lets events through).
    bool checkForOutsideChanges();

    // The window progress boxes of long undos and redos belong to.
    void setProgressOwner(QWidget *window) { m_progressOwner = window; }
    QWidget *progressOwner() const { return m_progressOwner; }
    // Set while a change of this model is being written.
    void setWriting(bool writing) { m_writing = writing; }

    // For the undo commands: the rows have been written, removed or put back.
    void rowsWritten(const std::vector<qint64> &rowids);
    void rowsRemoved(const std::vector<qint64> &rowids);
    void rowsRestored(const std::vector<qint64> &rowids);
    // Something of ours was written: our own changes are not outside changes.
    void noteOwnWrite();

signals:
    // The row count or the search state changed.
    void countChanged();
    // A change of this window was written to the file (also by undo and redo).
    void wordsChanged();

private:
    // Which rows are shown, in table order: rowids first .. first + count - 1, or a list.
    // A list of the whole table is read in slices after the window opens; until it is
    // complete, `count` rows are known to exist and the first rowids.size() of them listed.
    struct RowSet
    {
        bool dense = true;
        bool complete = true;
        qint64 first = 0, count = 0;
        std::vector<qint64> rowids;
        qint64 size() const { return dense || !complete ? count : qint64(rowids.size()); }
        qint64 at(qint64 i) const { return dense ? first + i : rowids[size_t(i)]; }
        qint64 indexOf(qint64 rowid) const;   // -1 when not in the set
        qint64 insertionPoint(qint64 rowid) const;
        void erase(qint64 rowid);
        void insert(qint64 rowid);
        void listed();                        // turns a dense run into a list
    };
    struct Page
    {
        std::vector<WordListRows::Row> rows;
        std::list<qint64>::iterator age;
    };

    const WordListRows::Row *rowAt(int row) const;
    void readAll();
    void startFilter();
    bool scanSlice();
    void scanOn();
    void forgetPages();
    // The list of a table with gaps in its rowids: one slice, and the rest at once.
    void listSlice() const;
    void finishListing() const;

    std::unique_ptr<WordListRows> m_rows;
    QUndoStack *m_undo;
    QString m_filter;
    mutable RowSet m_set;
    QTimer m_listTimer;
    qint64 m_total = 0;
    bool m_scanning = false;
    qint64 m_scanAfter = 0;
    int m_sliceRows = 4096;
    QTimer m_scanTimer;
    WordListRows::Stamp m_stamp;
    QPointer<QWidget> m_progressOwner;
    bool m_writing = false;
    // The cached pages, and the order they were last used in (newest at the back).
    mutable std::unordered_map<qint64, Page> m_pages;
    mutable std::list<qint64> m_ages;
};
