#include "WordListModel.h"

#include "Dialogs.h"
#include "EditingTexts.h"
#include "Skip.h"
#include "StoreError.h"
#include "WordListCommands.h"
#include "WordNormalization.h"
#include "WordRecords.h"

#include <QElapsedTimer>
#include <QUndoStack>

#include <algorithm>

namespace {

const char *const Headers[WordListRows::Columns] = {"Word", "Meaning", "Pointer"};

// The word list's own message: the word panel refuses an empty word field the same way.
const QString EmptyWord = QStringLiteral("Please type a word: a record without one is not kept.");

void tell(const QString &text)
{
    Dialogs::current().message(text, EditingTexts::Title);
}

} // namespace

// RowSet ----------------------------------------------------------------------------------

qint64 WordListModel::RowSet::indexOf(qint64 rowid) const
{
    if (dense)
        return rowid >= first && rowid < first + count ? rowid - first : -1;
    const auto it = std::lower_bound(rowids.begin(), rowids.end(), rowid);
    return it != rowids.end() && *it == rowid ? qint64(it - rowids.begin()) : -1;
}

qint64 WordListModel::RowSet::insertionPoint(qint64 rowid) const
{
    if (dense)
        return std::clamp(rowid - first, qint64(0), count);
    return qint64(std::lower_bound(rowids.begin(), rowids.end(), rowid) - rowids.begin());
}

void WordListModel::RowSet::listed()
{
    if (!dense)
        return;
    rowids.resize(size_t(count));
    for (qint64 i = 0; i < count; ++i)
        rowids[size_t(i)] = first + i;
    dense = false;
}

void WordListModel::RowSet::erase(qint64 rowid)
{
    if (dense && count > 0 && (rowid == first || rowid == first + count - 1)) {
        first += rowid == first ? 1 : 0;
        --count;
        return;
    }
    listed();
    const auto it = std::lower_bound(rowids.begin(), rowids.end(), rowid);
    if (it != rowids.end() && *it == rowid)
        rowids.erase(it);
}

void WordListModel::RowSet::insert(qint64 rowid)
{
    if (dense && (count == 0 || rowid == first - 1 || rowid == first + count)) {
        first = count == 0 || rowid < first ? rowid : first;
        ++count;
        return;
    }
    listed();
    const auto it = std::lower_bound(rowids.begin(), rowids.end(), rowid);
    if (it == rowids.end() || *it != rowid)
        rowids.insert(it, rowid);
}

// The model ------------------------------------------------------------------------------

WordListModel::WordListModel(WordDatabase &db, const QString &table, QObject *parent)
    : QAbstractTableModel(parent), m_rows(std::make_unique<WordListRows>(db, table)),
      m_undo(new QUndoStack(this))
{
    m_scanTimer.setInterval(0);
    connect(&m_scanTimer, &QTimer::timeout, this, &WordListModel::scanOn);
    m_listTimer.setInterval(0);
    connect(&m_listTimer, &QTimer::timeout, this, [this] {
        skipOnFailure(lcEditing(), "a slice of the word list's rowids", [&] { listSlice(); });
        if (m_set.complete)
            m_listTimer.stop();
    });
    readAll();
}

WordListModel::~WordListModel() = default;

QString WordListModel::table() const
{
    return m_rows->table();
}

void WordListModel::forgetPages()
{
    m_pages.clear();
    m_ages.clear();
}

void WordListModel::readAll()
{
    forgetPages();
    m_stamp = m_rows->stamp();
    const WordListRows::Positions p = m_rows->positions();
    m_total = p.count;
    m_set = RowSet();
    if (m_filter.isEmpty()) {
        m_set.dense = p.dense;
        m_set.first = p.first;
        m_set.count = p.count;
        m_scanning = false;
        m_scanTimer.stop();
        m_listTimer.stop();
        if (!p.dense) {
            // The first screens at once, the rest between events.
            m_set.complete = false;
            listSlice();
            if (!m_set.complete)
                m_listTimer.start();
        }
    } else {
        m_listTimer.stop();
        startFilter();
    }
}

void WordListModel::listSlice() const
{
    if (m_set.complete)
        return;
    const qint64 after = m_set.rowids.empty() ? m_set.first - 1 : m_set.rowids.back();
    const std::vector<qint64> ids = m_rows->rowidsAfter(after, ListSliceRows);
    m_set.rowids.insert(m_set.rowids.end(), ids.begin(), ids.end());
    if (ids.size() < size_t(ListSliceRows) || qint64(m_set.rowids.size()) >= m_set.count) {
        m_set.complete = true;
        m_set.count = qint64(m_set.rowids.size());
    }
}

void WordListModel::finishListing() const
{
    // A failing read leaves the list as far as it got; the rows past it show empty.
    if (!skipOnFailure(lcEditing(), "listing the word list's rowids", [&] {
            while (!m_set.complete)
                listSlice();
        })) {
        m_set.complete = true;
        m_set.count = qint64(m_set.rowids.size());
    }
}

int WordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_set.size());
}

int WordListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : WordListRows::Columns;
}

qint64 WordListModel::rowidAt(int row) const
{
    if (!m_set.complete && row >= qint64(m_set.rowids.size()))
        finishListing();
    return row >= 0 && row < m_set.size() ? m_set.at(row) : 0;
}

int WordListModel::rowOf(qint64 rowid) const
{
    finishListing();
    return int(m_set.indexOf(rowid));
}

const WordListRows::Row *WordListModel::rowAt(int row) const
{
    if (row < 0 || row >= m_set.size())
        return nullptr;
    const qint64 page = row / PageRows;
    auto it = m_pages.find(page);
    if (it == m_pages.end()) {
        std::vector<qint64> rowids;
        const qint64 end = std::min<qint64>((page + 1) * PageRows, m_set.size());
        if (!m_set.complete && end > qint64(m_set.rowids.size()))
            finishListing(); // a jump past what is listed so far
        for (qint64 r = page * PageRows; r < end; ++r)
            rowids.push_back(m_set.at(r));
        Page fresh;
        // A page that cannot be read shows empty cells; the next paint tries again.
        if (!skipOnFailure(lcEditing(), "reading a page of the word list",
                           [&] { fresh.rows = m_rows->read(rowids); }))
            return nullptr;
        if (m_pages.size() >= size_t(CachedPages)) {
            m_pages.erase(m_ages.front());
            m_ages.pop_front();
        }
        fresh.age = m_ages.insert(m_ages.end(), page);
        it = m_pages.emplace(page, std::move(fresh)).first;
    } else {
        m_ages.splice(m_ages.end(), m_ages, it->second.age);
    }
    const auto &rows = it->second.rows;
    const size_t at = size_t(row - page * PageRows);
    return at < rows.size() ? &rows[at] : nullptr;
}

QVariant WordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const WordListRows::Row *row = rowAt(index.row());
    if (!row || !row->found)
        return QString();
    const QVariant &cell = row->cells[index.column()];
    return cell.isNull() ? QString() : cell.toString();
}

QVariant WordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < WordListRows::Columns
                   ? QString::fromLatin1(Headers[section])
                   : QVariant();
    return section + 1;
}

Qt::ItemFlags WordListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool WordListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const qint64 rowid = rowidAt(index.row());
    const int column = index.column();
    QString text = value.toString();
    if (column == 0) {
        if (text.isEmpty()) {
            tell(EmptyWord);
            return false;
        }
        text = WordNormalization::normalize(text);
    }
    try {
        WordListRows::Saved before = m_rows->save(rowid);
        if (!before.row.found) {
            tell(EditingTexts::NoLongerStored);
            return false;
        }
        const QVariant &old = before.row.cells[column];
        if (!old.isNull() && old.toString() == text)
            return true; // nothing changed: nothing written, nothing to undo
        if (column == 0) {
            for (const WordRecords::Record &r : WordRecords::recordsOf(
                     m_rows->database(), m_rows->table(), text))
                if (r.rowid != rowid) {
                    tell(EditingTexts::AlreadyExists);
                    return false;
                }
        }
        m_rows->write(rowid, column, text);
        noteOwnWrite();
        WordListRows::Saved after = m_rows->save(rowid);
        const QString what = QStringLiteral("Edit %1").arg(QString::fromLatin1(Headers[column]));
        m_undo->push(new RowsChange(*this, RowsChange::Kind::Edit, {std::move(before)},
                                    {std::move(after)}, what));
    } catch (const StoreError &e) {
        noteOwnWrite();
        tell(EditingTexts::notSaved(e.message()));
        return false;
    }
    rowsWritten({rowid});
    return true;
}

QString WordListModel::deleteRows(const QList<int> &rows, const std::function<bool()> &tick)
{
    std::vector<qint64> rowids;
    for (const int r : rows)
        if (const qint64 id = rowidAt(r))
            rowids.push_back(id);
    std::sort(rowids.begin(), rowids.end());
    rowids.erase(std::unique(rowids.begin(), rowids.end()), rowids.end());
    if (rowids.empty())
        return {};
    std::vector<WordListRows::Saved> gone;
    try {
        m_writing = true;
        gone = m_rows->remove(rowids, tick);
        m_writing = false;
    } catch (const StoreError &e) {
        m_writing = false;
        noteOwnWrite();
        return e.message();
    }
    noteOwnWrite();
    if (gone.empty())
        return {}; // stopped: every row is still there
    std::vector<qint64> removed;
    for (const WordListRows::Saved &s : gone)
        removed.push_back(s.row.rowid);
    const QString what = removed.size() == 1 ? QStringLiteral("Delete a word")
                                             : QStringLiteral("Delete %1 words").arg(removed.size());
    m_undo->push(new RowsChange(*this, RowsChange::Kind::Delete, std::move(gone), {}, what));
    rowsRemoved(removed);
    return {};
}

void WordListModel::noteOwnWrite()
{
    skipOnFailure(lcEditing(), "reading the file's change counter",
                  [&] { m_stamp = m_rows->stamp(); });
}

bool WordListModel::checkForOutsideChanges()
{
    if (m_writing)
        return false;
    WordListRows::Stamp now;
    if (!skipOnFailure(lcEditing(), "reading the file's change counter",
                       [&] { now = m_rows->stamp(); }) ||
        now == m_stamp)
        return false;
    beginResetModel();
    skipOnFailure(lcEditing(), "reading the word list afresh", [&] { readAll(); });
    endResetModel();
    m_stamp = now;
    emit countChanged();
    return true;
}

void WordListModel::rowsWritten(const std::vector<qint64> &rowids)
{
    forgetPages();
    for (const qint64 id : rowids)
        if (const int row = rowOf(id); row >= 0)
            emit dataChanged(index(row, 0), index(row, WordListRows::Columns - 1));
    emit wordsChanged();
}

void WordListModel::rowsRemoved(const std::vector<qint64> &rowids)
{
    forgetPages();
    finishListing();
    m_total -= qint64(rowids.size());
    // From the last, so that the rows before keep their places.
    for (auto it = rowids.rbegin(); it != rowids.rend(); ++it) {
        const qint64 row = m_set.indexOf(*it);
        if (row < 0)
            continue;
        beginRemoveRows({}, int(row), int(row));
        m_set.erase(*it);
        endRemoveRows();
    }
    emit countChanged();
    emit wordsChanged();
}

void WordListModel::rowsRestored(const std::vector<qint64> &rowids)
{
    forgetPages();
    finishListing();
    m_total += qint64(rowids.size());
    for (const qint64 id : rowids) {
        if (m_set.indexOf(id) >= 0)
            continue;
        // A row put back shows under a filter only when it holds the filter's text.
        if (!m_filter.isEmpty()) {
            bool shown = false;
            skipOnFailure(lcEditing(), "checking a restored row against the filter",
                          [&] { shown = m_rows->matches(id, m_filter); });
            if (!shown || (m_scanning && id > m_scanAfter))
                continue; // the scan still to come finds it
        }
        const int row = int(m_set.insertionPoint(id));
        beginInsertRows({}, row, row);
        m_set.insert(id);
        endInsertRows();
    }
    emit countChanged();
    emit wordsChanged();
}

// The filter ------------------------------------------------------------------------------

void WordListModel::setFilter(const QString &text)
{
    if (text == m_filter)
        return;
    beginResetModel();
    m_filter = text;
    skipOnFailure(lcEditing(), "reading the word list", [&] { readAll(); });
    endResetModel();
    emit countChanged();
}

void WordListModel::startFilter()
{
    m_set = RowSet();
    m_set.dense = false;
    m_scanAfter = 0;
    m_scanning = false;
    m_scanTimer.stop();
    std::optional<std::vector<qint64>> indexed;
    skipOnFailure(lcEditing(), "the search index's candidates",
                  [&] { indexed = m_rows->indexedMatches(m_filter); });
    if (indexed) {
        m_set.rowids = std::move(*indexed);
        return;
    }
    // The first slices run now, until a screenful is found or the time is up; the rest
    // between events.
    m_scanning = true;
    QElapsedTimer spent;
    spent.start();
    while (m_scanning && m_set.size() < 2 * PageRows && spent.elapsed() < FirstAnswerMs)
        scanSlice();
    if (m_scanning)
        m_scanTimer.start();
}

// One slice into the rows found so far. Returns whether the scan goes on.
bool WordListModel::scanSlice()
{
    WordListRows::Slice slice;
    QElapsedTimer spent;
    spent.start();
    if (!skipOnFailure(lcEditing(), "a slice of the filter scan",
                       [&] { slice = m_rows->scan(m_filter, m_scanAfter, m_sliceRows); })) {
        slice.done = true; // what was found stays in view
    }
    // The next slice sized to take about SliceMs at the speed this one went.
    const qint64 ms = spent.elapsed();
    if (ms < SliceMs / 2 && m_sliceRows < (1 << 18))
        m_sliceRows *= 2;
    else if (ms > SliceMs * 2 && m_sliceRows > 512)
        m_sliceRows /= 2;
    m_scanAfter = slice.last;
    for (const qint64 id : slice.matches)
        if (m_set.rowids.empty() || id > m_set.rowids.back())
            m_set.rowids.push_back(id);
    m_scanning = !slice.done;
    return m_scanning;
}

void WordListModel::scanOn()
{
    const int before = int(m_set.size());
    const bool more = scanSlice();
    const int after = int(m_set.size());
    if (after > before) {
        // The rows are already in the set; the view hears of them as one insertion.
        std::vector<qint64> found(m_set.rowids.begin() + before, m_set.rowids.end());
        m_set.rowids.resize(size_t(before));
        beginInsertRows({}, before, after - 1);
        m_set.rowids.insert(m_set.rowids.end(), found.begin(), found.end());
        endInsertRows();
    }
    if (!more)
        m_scanTimer.stop();
    emit countChanged();
}

void WordListModel::finishSearch()
{
    while (m_scanning)
        scanOn();
}
