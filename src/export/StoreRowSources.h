#pragma once

#include "WordRows.h"

#include <QString>

#include <memory>

class CollectionRows;
class Snapshot;
class WordDatabase;

// The store's rows as an export reads them.

// Every record of a collection in table order, read as it is written.
class CollectionRowSource : public WordRowSource
{
public:
    // Throws StoreError when the word database has no such table.
    CollectionRowSource(WordDatabase &db, const QString &table);
    ~CollectionRowSource() override;

    bool next(WordRow &row) override;
    qint64 size() const override;

private:
    std::unique_ptr<CollectionRows> m_rows;
};

// The rows of a query result (the Results viewer's), fields 0, 1 and 2 as word, meaning and
// pointer as the viewer shows them; a result still being read is read on as the export
// goes.
class QueryRowSource : public WordRowSource
{
public:
    explicit QueryRowSource(const Snapshot &result) : m_result(result) {}

    bool next(WordRow &row) override;
    qint64 size() const override;

private:
    const Snapshot &m_result;
    qint64 m_next = 0;
};
