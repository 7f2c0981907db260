#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <SQLiteCpp/Statement.h>

#include <memory>
#include <optional>
#include <vector>

class WordDatabase;

// A table-type record set: a position over one table's rows in stored (rowid) order.
// It keeps only the rowid of its current record and reads the row afresh on every
// access, so a change made through any other record set or query shows at once.
//
// Moving past either end is not an error: the set then stands at BOF or EOF with no
// current record, and field reads give null. A deleted record stays current (its
// fields read as null) until the next move.
class TableCursor
{
public:
    // Opens the table named in any letter case; throws StoreError for an unknown table.
    TableCursor(WordDatabase &db, const QString &table);
    ~TableCursor();
    TableCursor(const TableCursor &) = delete;
    TableCursor &operator=(const TableCursor &) = delete;

    QString table() const { return m_table; }
    QStringList columnNames() const { return m_columns; }

    bool bof() const { return m_state == State::BeforeFirst || m_state == State::Empty; }
    bool eof() const { return m_state == State::AfterLast || m_state == State::Empty; }
    bool hasCurrent() const { return m_state == State::OnRecord && !m_deleted; }
    qint64 recordCount();

    // Each returns whether a record is current afterwards.
    bool moveFirst();
    bool moveLast();
    bool moveNext();
    bool movePrevious();
    // Jumps to the n-th record counted from 1, as n - 1 moves from the first would. Takes
    // constant time while the table's rowids run without gaps, and a look-up in a rowid
    // list otherwise; both are read afresh whenever the file has changed.
    bool moveToOrdinal(qint64 n);
    // Moves to the first record whose column equals `value` exactly (same characters, same
    // case); without one the position is left alone and false returned.
    bool findFirst(const QString &column, const QString &value);

    QVariant field(int position);
    QVariant field(const QString &name);
    // The field as text; a null or missing value reads as the empty text.
    QString text(int position) { return field(position).toString(); }
    QString text(const QString &name) { return field(name).toString(); }

    // Editing follows the record-set protocol: addNew() or edit(), setField(), update().
    void addNew();
    void edit();                      // throws StoreError without a current record
    void setField(int position, const QVariant &value);
    void setField(const QString &name, const QVariant &value);
    qint64 update();                  // writes the edit; returns the rowid written
    void cancelUpdate();
    void deleteCurrent();             // throws StoreError without a current record

    qint64 currentRowid() const { return hasCurrent() ? m_rowid : 0; }

private:
    enum class State { Empty, BeforeFirst, OnRecord, AfterLast };
    enum class EditMode { None, Adding, Editing };

    // Where the records stand: counted afresh once per change of the file by another
    // connection, and brought up to date from the changes this connection reports.
    struct Positions
    {
        qint64 dataVersion = -1;
        qint64 changes = -1;
        quint64 point = 0;           // the connection's changes taken in (RowChanges)
        qint64 count = 0;
        qint64 firstRowid = 0;
        bool dense = false;          // rowids firstRowid .. firstRowid + count - 1
        bool listed = false;         // rowids holds every rowid
        std::vector<qint64> rowids;  // every rowid in order, read when first needed
    };

    bool landOn(SQLite::Statement &st);
    const Positions &positions();
    void countAfresh(Positions &p);
    bool takeInOwnChanges(qint64 changes);
    qint64 rowidOf(qint64 ordinal);
    int columnIndex(const QString &name) const;
    std::optional<std::vector<QVariant>> readCurrent();

    WordDatabase &m_db;
    QString m_table;
    QStringList m_columns;
    State m_state = State::Empty;
    qint64 m_rowid = 0;
    bool m_deleted = false;
    EditMode m_editMode = EditMode::None;
    std::vector<QVariant> m_buffer;
    Positions m_positions;

    // Prepared once: every move and read is a single indexed look-up.
    SQLite::Statement m_first, m_last, m_next, m_previous, m_count, m_ends, m_read,
        m_version;
};
