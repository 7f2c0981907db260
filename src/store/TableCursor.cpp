#include "TableCursor.h"

#include "EngineErrors.h"
#include "StoreConnection.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <sqlite3.h>

using EngineErrors::translated;

namespace {

std::string quoted(const QString &table)
{
    return "\"" + table.toStdString() + "\"";
}

QString checkedTable(const QString &name)
{
    const QString table = WordDatabase::canonicalTable(name);
    if (table.isEmpty())
        throw StoreError(QStringLiteral("There is no table called %1.").arg(name));
    return table;
}

QVariant columnValue(const SQLite::Column &c)
{
    if (c.isNull())
        return QVariant();
    if (c.isInteger())
        return QVariant(qint64(c.getInt64()));
    if (c.isFloat())
        return QVariant(c.getDouble());
    return QVariant(QString::fromUtf8(c.getText(), c.getBytes()));
}

void bindValue(SQLite::Statement &st, int index, const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        st.bind(index);
    else if (v.typeId() == QMetaType::Bool || v.typeId() == QMetaType::Int ||
             v.typeId() == QMetaType::LongLong)
        st.bind(index, int64_t(v.toLongLong()));
    else
        st.bind(index, v.toString().toStdString());
}

} // namespace

// Every public member turns the engine's failures into StoreErrors.
TableCursor::TableCursor(WordDatabase &db, const QString &table)
try : m_db(db), m_table(checkedTable(table)),
    m_first(StoreConnection::of(db),
            "SELECT rowid FROM " + quoted(m_table) + " ORDER BY rowid LIMIT 1"),
    m_last(StoreConnection::of(db),
           "SELECT rowid FROM " + quoted(m_table) + " ORDER BY rowid DESC LIMIT 1"),
    m_next(StoreConnection::of(db),
           "SELECT rowid FROM " + quoted(m_table) + " WHERE rowid > ? ORDER BY rowid LIMIT 1"),
    m_previous(StoreConnection::of(db), "SELECT rowid FROM " + quoted(m_table) +
                                            " WHERE rowid < ? ORDER BY rowid DESC LIMIT 1"),
    // Apart, so that the count takes SQLite's quick way and the ends come from the b-tree.
    m_count(StoreConnection::of(db), "SELECT count(*) FROM " + quoted(m_table)),
    m_ends(StoreConnection::of(db), "SELECT (SELECT min(rowid) FROM " + quoted(m_table) +
                                        "), (SELECT max(rowid) FROM " + quoted(m_table) + ")"),
    m_read(StoreConnection::of(db), "SELECT * FROM " + quoted(m_table) + " WHERE rowid = ?"),
    m_version(StoreConnection::of(db), "PRAGMA data_version") {
    for (int i = 0; i < m_read.getColumnCount(); ++i)
        m_columns << QString::fromUtf8(m_read.getColumnName(i));
    moveFirst();
} catch (const SQLite::Exception &e) {
    throw EngineErrors::toStoreError(e);
}

TableCursor::~TableCursor() = default;

qint64 TableCursor::recordCount()
{
    return translated([&] { return positions().count; });
}

const TableCursor::Positions &TableCursor::positions()
{
    // data_version moves with every other connection's commit, the change counter with
    // every change made through this one.
    m_version.executeStep();
    const qint64 version = m_version.getColumn(0).getInt64();
    m_version.reset();
    const qint64 changes = sqlite3_total_changes64(StoreConnection::of(m_db).getHandle());
    if (version == m_positions.dataVersion && changes == m_positions.changes)
        return m_positions;

    Positions p;
    m_count.executeStep();
    p.count = m_count.getColumn(0).getInt64();
    m_count.reset(); // a statement left open would hold its read transaction
    m_ends.executeStep();
    p.firstRowid = m_ends.getColumn(0).getInt64();
    const qint64 lastRowid = m_ends.getColumn(1).getInt64();
    m_ends.reset();
    p.dense = p.count == 0 || lastRowid - p.firstRowid + 1 == p.count;
    p.dataVersion = version;
    p.changes = changes;
    m_positions = std::move(p);
    return m_positions;
}

qint64 TableCursor::rowidOf(qint64 ordinal)
{
    const Positions &p = positions();
    if (p.dense)
        return p.firstRowid + ordinal - 1;
    if (m_positions.rowids.empty()) {
        SQLite::Statement all(StoreConnection::of(m_db),
                              "SELECT rowid FROM " + quoted(m_table) + " ORDER BY rowid");
        m_positions.rowids.reserve(size_t(p.count));
        while (all.executeStep())
            m_positions.rowids.push_back(all.getColumn(0).getInt64());
    }
    const auto &rowids = m_positions.rowids;
    return ordinal <= qint64(rowids.size()) ? rowids[size_t(ordinal - 1)] : 0;
}

bool TableCursor::landOn(SQLite::Statement &st)
{
    const bool found = st.executeStep();
    if (found)
        m_rowid = st.getColumn(0).getInt64();
    st.reset();
    m_deleted = false;
    return found;
}

bool TableCursor::moveFirst()
{
    return translated([&] {
        m_state = landOn(m_first) ? State::OnRecord : State::Empty;
        return hasCurrent();
    });
}

bool TableCursor::moveLast()
{
    return translated([&] {
        m_state = landOn(m_last) ? State::OnRecord : State::Empty;
        return hasCurrent();
    });
}

bool TableCursor::moveNext()
{
    return translated([&] {
        if (m_state == State::AfterLast || m_state == State::Empty)
            return false;
        if (m_state == State::BeforeFirst)
            return moveFirst();
        m_next.bind(1, int64_t(m_rowid));
        const qint64 from = m_rowid;
        if (!landOn(m_next)) {
            m_rowid = from;
            m_state = State::AfterLast;
        }
        return hasCurrent();
    });
}

bool TableCursor::movePrevious()
{
    return translated([&] {
        if (m_state == State::BeforeFirst || m_state == State::Empty)
            return false;
        if (m_state == State::AfterLast)
            return moveLast();
        m_previous.bind(1, int64_t(m_rowid));
        const qint64 from = m_rowid;
        if (!landOn(m_previous)) {
            m_rowid = from;
            m_state = State::BeforeFirst;
        }
        return hasCurrent();
    });
}

bool TableCursor::moveToOrdinal(qint64 n)
{
    return translated([&] {
        if (n < 1)
            return moveFirst();
        const qint64 count = recordCount();
        if (n > count) {
            // Past the end: stand where n - 1 moves from the first record would have left us.
            m_state = count == 0 ? State::Empty : State::AfterLast;
            return false;
        }
        m_rowid = rowidOf(n);
        m_state = State::OnRecord;
        m_deleted = false;
        return true;
    });
}

bool TableCursor::findFirst(const QString &column, const QString &value)
{
    return translated([&] {
        const int index = columnIndex(column);
        if (index < 0)
            throw StoreError(QStringLiteral("Item not found in this collection."));
        SQLite::Statement find(StoreConnection::of(m_db), "SELECT rowid FROM " + quoted(m_table) +
                                                              " WHERE \"" +
                                                              m_columns[index].toStdString() +
                                                              "\" = ? ORDER BY rowid LIMIT 1");
        find.bind(1, value.toStdString());
        if (!find.executeStep())
            return false;
        m_rowid = find.getColumn(0).getInt64();
        m_state = State::OnRecord;
        m_deleted = false;
        return true;
    });
}

std::optional<std::vector<QVariant>> TableCursor::readCurrent()
{
    if (!hasCurrent())
        return std::nullopt;
    m_read.bind(1, int64_t(m_rowid));
    std::optional<std::vector<QVariant>> row;
    if (m_read.executeStep()) {
        row.emplace();
        for (int i = 0; i < m_read.getColumnCount(); ++i)
            row->push_back(columnValue(m_read.getColumn(i)));
    }
    m_read.reset();
    return row;
}

int TableCursor::columnIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TableCursor::field(int position)
{
    return translated([&] {
        const auto row = readCurrent();
        if (!row || position < 0 || position >= int(row->size()))
            return QVariant();
        return (*row)[size_t(position)];
    });
}

QVariant TableCursor::field(const QString &name)
{
    return field(columnIndex(name));
}

void TableCursor::addNew()
{
    m_editMode = EditMode::Adding;
    m_buffer.assign(size_t(m_columns.size()), QVariant());
}

void TableCursor::edit()
{
    return translated([&] {
        auto row = readCurrent();
        if (!row)
            throw StoreError(QStringLiteral("No current record."));
        m_editMode = EditMode::Editing;
        m_buffer = std::move(*row);
    });
}

void TableCursor::setField(int position, const QVariant &value)
{
    if (m_editMode == EditMode::None)
        throw StoreError(QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    if (position < 0 || position >= int(m_buffer.size()))
        throw StoreError(QStringLiteral("Item not found in this collection."));
    m_buffer[size_t(position)] = value;
}

void TableCursor::setField(const QString &name, const QVariant &value)
{
    setField(columnIndex(name), value);
}

qint64 TableCursor::update()
{
    return translated([&] {
        if (m_editMode == EditMode::None)
            throw StoreError(QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
        std::string sql;
        if (m_editMode == EditMode::Adding) {
            std::string marks;
            for (size_t i = 0; i < m_buffer.size(); ++i)
                marks += i ? ",?" : "?";
            sql = "INSERT INTO " + quoted(m_table) + " VALUES (" + marks + ")";
        } else {
            if (!hasCurrent())
                throw StoreError(QStringLiteral("No current record."));
            std::string sets;
            for (int i = 0; i < m_columns.size(); ++i)
                sets += (i ? ",\"" : "\"") + m_columns[i].toStdString() + "\"=?";
            sql = "UPDATE " + quoted(m_table) + " SET " + sets + " WHERE rowid=?";
        }
        SQLite::Statement st(StoreConnection::of(m_db), sql);
        for (size_t i = 0; i < m_buffer.size(); ++i)
            bindValue(st, int(i) + 1, m_buffer[i]);
        if (m_editMode == EditMode::Editing)
            st.bind(int(m_buffer.size()) + 1, int64_t(m_rowid));
        st.exec();
        const qint64 written = m_editMode == EditMode::Adding
                                   ? StoreConnection::of(m_db).getLastInsertRowid()
                                   : m_rowid;
        m_editMode = EditMode::None;
        m_buffer.clear();
        return written;
    });
}

void TableCursor::cancelUpdate()
{
    m_editMode = EditMode::None;
    m_buffer.clear();
}

void TableCursor::deleteCurrent()
{
    return translated([&] {
        if (!hasCurrent())
            throw StoreError(QStringLiteral("No current record."));
        SQLite::Statement st(StoreConnection::of(m_db),
                             "DELETE FROM " + quoted(m_table) + " WHERE rowid=?");
        st.bind(1, int64_t(m_rowid));
        st.exec();
        m_deleted = true;
    });
}
