#include "ChooserWords.h"

#include "Skip.h"
#include "WordPages.h"

#include <algorithm>

ChooserWords::ChooserWords(QObject *parent) : QAbstractListModel(parent) {}

void ChooserWords::show(WordDatabase *db, const QString &table)
{
    beginResetModel();
    m_db = db;
    m_table = table;
    m_rowids.clear();
    m_words.clear();
    m_lastRowid = 0;
    m_end = db == nullptr;
    endResetModel();
    read(FirstPage);
}

void ChooserWords::forget(const std::vector<qint64> &rowids)
{
    for (const qint64 rowid : rowids) {
        const auto at = std::lower_bound(m_rowids.begin(), m_rowids.end(), rowid);
        if (at == m_rowids.end() || *at != rowid)
            continue;
        const int row = int(at - m_rowids.begin());
        beginRemoveRows(QModelIndex(), row, row);
        m_rowids.erase(at);
        m_words.erase(m_words.begin() + row);
        endRemoveRows();
    }
}

int ChooserWords::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_words.size());
}

QVariant ChooserWords::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_words.size()) ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return m_words[size_t(index.row())];
}

bool ChooserWords::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_end;
}

void ChooserWords::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        read(Page);
}

void ChooserWords::read(int limit)
{
    if (m_end)
        return;
    std::vector<WordPages::Word> page;
    // A page that cannot be read ends the list where it stands.
    const bool read = skipOnFailure(lcEditing(), "reading the next words for the Word chooser",
                                    [&] { page = WordPages::after(*m_db, m_table, m_lastRowid, limit); });
    m_end = !read || int(page.size()) < limit;
    if (page.empty())
        return;
    const int first = int(m_words.size());
    beginInsertRows(QModelIndex(), first, first + int(page.size()) - 1);
    for (WordPages::Word &w : page) {
        m_rowids.push_back(w.rowid);
        m_words.push_back(std::move(w.text));
    }
    m_lastRowid = m_rowids.back();
    endInsertRows();
}
