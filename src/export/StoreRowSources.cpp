#include "StoreRowSources.h"

#include "CollectionRows.h"
#include "Snapshot.h"

#include <chrono>

CollectionRowSource::CollectionRowSource(WordDatabase &db, const QString &table)
    : m_rows(std::make_unique<CollectionRows>(db, table))
{
}

CollectionRowSource::~CollectionRowSource() = default;

bool CollectionRowSource::next(WordRow &row)
{
    WordEntry entry;
    if (!m_rows->next(entry))
        return false;
    row = {std::move(entry.word), std::move(entry.meaning), std::move(entry.pointer)};
    return true;
}

qint64 CollectionRowSource::size() const
{
    return m_rows->count();
}

bool QueryRowSource::next(WordRow &row)
{
    while (m_next >= m_result.rowsRead()) {
        if (m_result.complete())
            return false;
        m_result.readMore(std::chrono::milliseconds(20));
    }
    const int columns = m_result.columnCount();
    const auto field = [&](int column) {
        return column < columns ? m_result.text(m_next, column) : QString();
    };
    row = {field(0), field(1), field(2)};
    ++m_next;
    return true;
}

qint64 QueryRowSource::size() const
{
    return m_result.complete() ? m_result.rowsRead() : -1;
}
