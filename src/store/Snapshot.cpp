#include "Snapshot.h"

#include <sqlite3.h>

#include <string>
#include <vector>

namespace {

Snapshot::Watch *watch = nullptr;
// One read at a time: the connection is busy inside sqlite3_step until it returns, and a
// progress box pumping events must not start a second read on it.
bool reading = false;
const qint64 *rowsOfTheRead = nullptr; // while reading: how many rows it has

using Clock = std::chrono::steady_clock;

} // namespace

struct Snapshot::Rows
{
    sqlite3_stmt *stmt = nullptr; // while rows remain to be read
    std::shared_ptr<Source> source; // as long as the statement
    QStringList columns;
    std::string bytes;        // UTF-8 of every cell, one after the other
    std::vector<size_t> ends; // end offset of each cell in bytes
    std::vector<bool> null;
    qint64 rows = 0;
    bool truncated = false;

    ~Rows() { finish(); }
    void finish()
    {
        sqlite3_finalize(stmt);
        stmt = nullptr;
        source.reset();
    }
    void append()
    {
        const int count = int(columns.size());
        for (int c = 0; c < count; ++c) {
            // Every value reads as text; only a NULL gives no text at all.
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
            if (text)
                bytes.append(text, size_t(sqlite3_column_bytes(stmt, c)));
            ends.push_back(bytes.size());
            null.push_back(text == nullptr);
        }
        ++rows;
    }
};

void Snapshot::setWatch(Watch *w)
{
    watch = w;
}

Snapshot::Snapshot() : m_d(std::make_unique<Rows>()) {}
Snapshot::~Snapshot() = default;
Snapshot::Snapshot(Snapshot &&) noexcept = default;
Snapshot &Snapshot::operator=(Snapshot &&) noexcept = default;

bool Snapshot::keepGoing()
{
    return !reading || !watch || watch->keepGoing(*rowsOfTheRead);
}

Snapshot Snapshot::fromStatement(sqlite3_stmt *stmt, std::shared_ptr<Source> source)
{
    Snapshot s;
    s.m_d->stmt = stmt;
    s.m_d->source = std::move(source);
    const int columns = sqlite3_column_count(stmt);
    for (int c = 0; c < columns; ++c)
        s.m_d->columns << QString::fromUtf8(sqlite3_column_name(stmt, c));
    return s;
}

template <class Enough> bool Snapshot::read(Enough enough) const
{
    Rows &d = *m_d;
    if (!d.stmt)
        return false;
    if (reading)
        return true; // asked from inside another read: that one goes on first

    // The engine asks keepGoing() at its steps; the watch hears of this read meanwhile.
    struct Scope
    {
        explicit Scope(Rows &d)
        {
            reading = true;
            rowsOfTheRead = &d.rows;
            if (watch)
                watch->begin();
        }
        ~Scope()
        {
            if (watch)
                watch->end();
            rowsOfTheRead = nullptr;
            reading = false;
        }
    } scope(d);

    while (!enough()) {
        const int rc = sqlite3_step(d.stmt);
        if (rc == SQLITE_ROW) {
            d.append();
            if (d.rows >= MaxRows || qint64(d.bytes.size()) >= MaxBytes) {
                d.truncated = true;
                d.finish();
                return false;
            }
            continue;
        }
        if (rc == SQLITE_DONE) {
            d.finish();
            return false;
        }
        const QString why = d.source ? d.source->failure(rc)
                                     : QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(d.stmt)));
        d.finish();
        if (rc == SQLITE_INTERRUPT)
            throw QueryCancelled();
        throw StoreError(why);
    }
    return true;
}

namespace {

// Whether a read's time is up. The clock is asked every ClockEvery rows only: asking it
// for every row took a sixth of a large read.
constexpr qint64 ClockEvery = 16;

bool timeIsUp(qint64 rows, std::chrono::milliseconds budget, Clock::time_point until)
{
    return budget.count() <= 0 || (rows % ClockEvery == 0 && Clock::now() >= until);
}

} // namespace

void Snapshot::readFirst(qint64 rows, std::chrono::milliseconds budget) const
{
    const auto until = Clock::now() + budget;
    read([&] { return m_d->rows >= rows && timeIsUp(m_d->rows, budget, until); });
}

bool Snapshot::readMore(std::chrono::milliseconds budget) const
{
    const auto until = Clock::now() + budget;
    const qint64 from = m_d->rows;
    return read([&] { return m_d->rows > from && timeIsUp(m_d->rows, budget, until); });
}

void Snapshot::stop()
{
    m_d->finish();
}

bool Snapshot::complete() const
{
    return !m_d->stmt;
}

bool Snapshot::truncated() const
{
    return m_d->truncated;
}

qint64 Snapshot::rowsRead() const
{
    return m_d->rows;
}

qint64 Snapshot::rowCount() const
{
    read([] { return false; });
    return m_d->rows;
}

int Snapshot::columnCount() const
{
    return int(m_d->columns.size());
}

QString Snapshot::columnName(int column) const
{
    return m_d->columns.value(column);
}

bool Snapshot::contains(qint64 row, int column) const
{
    if (row >= m_d->rows)
        read([&] { return row < m_d->rows; });
    return row >= 0 && row < m_d->rows && column >= 0 && column < columnCount();
}

bool Snapshot::isNull(qint64 row, int column) const
{
    return !contains(row, column) ||
           m_d->null[size_t(row) * size_t(columnCount()) + size_t(column)];
}

QString Snapshot::text(qint64 row, int column) const
{
    if (isNull(row, column))
        return QString();
    const size_t i = size_t(row) * size_t(columnCount()) + size_t(column);
    const size_t begin = i == 0 ? 0 : m_d->ends[i - 1];
    return QString::fromUtf8(m_d->bytes.data() + begin, qsizetype(m_d->ends[i] - begin));
}

QVariant Snapshot::value(qint64 row, int column) const
{
    return isNull(row, column) ? QVariant() : QVariant(text(row, column));
}
