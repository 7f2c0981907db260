#pragma once

#include <QList>
#include <QString>

// One word as it leaves the program: the three columns of a word table.
struct WordRow
{
    QString word;
    QString meaning;
    QString pointer;

    bool operator==(const WordRow &) const = default;
};

// Where an export reads its words: one row at a time, in order, so that no collection is
// ever held whole. The store's side (a collection in table order, a query's rows) plugs in
// here.
class WordRowSource
{
public:
    virtual ~WordRowSource() = default;

    // The next row into `row`; false after the last. A row that cannot be read throws (a
    // std::exception whose what() says why in plain words).
    virtual bool next(WordRow &row) = 0;
    // How many rows there are, when that is known beforehand; -1 when it is not.
    virtual qint64 size() const { return -1; }
};

// Rows held in a list.
class ListRowSource : public WordRowSource
{
public:
    explicit ListRowSource(QList<WordRow> rows) : m_rows(std::move(rows)) {}

    bool next(WordRow &row) override
    {
        if (m_next >= m_rows.size())
            return false;
        row = m_rows.at(m_next++);
        return true;
    }
    qint64 size() const override { return m_rows.size(); }

private:
    QList<WordRow> m_rows;
    qsizetype m_next = 0;
};
