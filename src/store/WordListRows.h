#pragma once

#include <QString>
#include <QVariant>

#include <SQLiteCpp/Statement.h>

#include <functional>
#include <optional>
#include <vector>

class WordDatabase;

// What the word list reads and writes of one collection: where its rows stand, rows by
// rowid, the rows whose word, meaning or pointer contains a text, and the writes its undo
// needs (a cell, a removal that keeps what it removed, and putting that back with the same
// rowid and the same kept pointer). Every member throws StoreError when the store fails.
class WordListRows
{
public:
    static constexpr int Columns = 3; // word, meaning, pointer

    struct Row
    {
        qint64 rowid = 0;
        QVariant cells[Columns]; // a null cell stays null
        bool found = false;      // false for a rowid the table no longer holds
    };

    // A row as it was, with the pointer MarkBook kept for it before its first mark, so that
    // putting it back gives the file exactly what it held.
    struct Saved
    {
        Row row;
        std::optional<QVariant> keptWord, keptPointer; // set when a pointer was kept
    };

    // Where the rows of the table stand in table (rowid) order: rowids first .. first +
    // count - 1 when they run without gaps.
    struct Positions
    {
        qint64 count = 0;
        qint64 first = 0;
        bool dense = true;
    };

    // One slice of a search through the table: the matching rowids among up to `limit`
    // rows after `after`, and where the next slice starts.
    struct Slice
    {
        std::vector<qint64> matches;
        qint64 last = 0;   // the last rowid looked at
        bool done = false; // the end of the table was reached
    };

    // A change counter that moves with every write to the file, by this connection or
    // another one.
    struct Stamp
    {
        qint64 version = -1, changes = -1;
        bool operator==(const Stamp &) const = default;
    };

    WordListRows(WordDatabase &db, const QString &table);
    ~WordListRows();
    WordListRows(const WordListRows &) = delete;
    WordListRows &operator=(const WordListRows &) = delete;

    QString table() const { return m_table; }
    WordDatabase &database() const { return m_db; }

    Positions positions();
    // Up to `limit` rowids after `after`, in table order.
    std::vector<qint64> rowidsAfter(qint64 after, int limit);
    // The rows of `rowids`, in that order.
    std::vector<Row> read(const std::vector<qint64> &rowids);
    // How many rows read() has read so far.
    qint64 rowsRead() const { return m_rowsRead; }

    // The `like` pattern that finds `text` anywhere, case-blind: the matcher's special
    // characters are written as classes of their own.
    static std::string containsPattern(const QString &text);
    // Every rowid whose row contains `text`, in table order, through the trigram index,
    // when the index exists and names few enough candidates; nullopt otherwise (scan).
    std::optional<std::vector<qint64>> indexedMatches(const QString &text);
    Slice scan(const QString &text, qint64 after, int limit);
    // Whether the row of `rowid` contains `text`.
    bool matches(qint64 rowid, const QString &text);

    Stamp stamp();

    // The row and its kept pointer, as they are now.
    Saved save(qint64 rowid);
    // Writes one cell (0 word, 1 meaning, 2 pointer).
    void write(qint64 rowid, int column, const QString &value);
    // Deletes the rows in one transaction and returns what they held. `tick` is called
    // after each row; when it returns false, everything is rolled back and nothing is
    // returned. All or nothing.
    std::vector<Saved> remove(const std::vector<qint64> &rowids,
                              const std::function<bool()> &tick = {});
    // Puts rows back as they were saved, each at its own rowid (inserted when gone,
    // overwritten when there), with their kept pointers. All or nothing; `tick` is called
    // after each row.
    void restore(const std::vector<Saved> &rows, const std::function<void()> &tick = {});

private:
    WordDatabase &m_db;
    QString m_table;
    std::string m_quoted;
    qint64 m_rowsRead = 0;
    SQLite::Statement m_read, m_version;
};
