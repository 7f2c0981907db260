#include "AccessReader.h"

#include "AccessFiles.h"
#include "StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// mdbtools.h includes glib inside its extern "C" block; glib's C++ parts must come first.
#include <glib.h>
#include <mdbtools.h>

#include <memory>
#include <vector>

namespace {

// Large enough for the longest memo Access lets a user type (65,535 characters, three
// bytes each in UTF-8) with room to spare; a longer value is refused, never cut short.
constexpr size_t BindSize = 1 << 20;

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

struct FreeTableDef
{
    void operator()(MdbTableDef *def) const { mdb_free_tabledef(def); }
};
using TableDef = std::unique_ptr<MdbTableDef, FreeTableDef>;

} // namespace

struct AccessReader::Handle
{
    MdbHandle *mdb = nullptr;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }

    MdbCatalogEntry *entry(const QString &table) const
    {
        for (unsigned i = 0; i < mdb->num_catalog; ++i) {
            auto *e = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
            if (e->object_type == MDB_TABLE && !mdb_is_system_table(e) &&
                QString::fromUtf8(e->object_name) == table)
                return e;
        }
        return nullptr;
    }
};

AccessReader::AccessReader(const QString &path) : m_handle(new Handle), m_path(path)
{
    if (!AccessFiles::isAccessFile(path))
        throw StoreError(
            QStringLiteral("%1 is not a Microsoft Access database.").arg(nativePath(path)));
    // libmdb reads text into UTF-8 unless told otherwise by this variable.
    qputenv("MDBICONV", "UTF-8");
    m_handle->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!m_handle->mdb)
        throw StoreError(
            QStringLiteral("The Access database %1 could not be opened.").arg(nativePath(path)));
    // Access files are whole pages long; anything else was cut short.
    if (QFileInfo(path).size() % m_handle->mdb->fmt->pg_size != 0)
        throw StoreError(QStringLiteral("The Access database %1 is incomplete; it may have been "
                                        "cut short while it was copied.")
                             .arg(nativePath(path)));
    mdb_set_bind_size(m_handle->mdb, BindSize);
    mdb_set_boolean_fmt_numbers(m_handle->mdb);
    mdb_set_date_fmt(m_handle->mdb, "%Y-%m-%d %H:%M:%S");
    if (!mdb_read_catalog(m_handle->mdb, MDB_TABLE))
        throw StoreError(QStringLiteral("The list of tables in the Access database %1 could not be "
                                        "read; the file may be damaged.")
                             .arg(nativePath(path)));
}

AccessReader::~AccessReader() = default;

QString AccessReader::engine() const
{
    switch (m_handle->mdb->f->jet_version) {
    case MDB_VER_JET3:
        return QStringLiteral("Jet 3");
    case MDB_VER_JET4:
        return QStringLiteral("Jet 4");
    default:
        return QStringLiteral("ACE");
    }
}

QStringList AccessReader::tables()
{
    QStringList names;
    for (unsigned i = 0; i < m_handle->mdb->num_catalog; ++i) {
        auto *e = static_cast<MdbCatalogEntry *>(g_ptr_array_index(m_handle->mdb->catalog, i));
        if (e->object_type == MDB_TABLE && !mdb_is_system_table(e))
            names << QString::fromUtf8(e->object_name);
    }
    return names;
}

namespace {

TableDef openTable(MdbCatalogEntry *entry, const QString &table, const QString &path)
{
    TableDef t(entry ? mdb_read_table(entry) : nullptr);
    if (!t || !mdb_read_columns(t.get()))
        throw StoreError(QStringLiteral("The table %1 of the Access database %2 could not be read.")
                             .arg(table, nativePath(path)));
    return t;
}

MdbColumn *column(const TableDef &t, unsigned i)
{
    return static_cast<MdbColumn *>(g_ptr_array_index(t->columns, i));
}

} // namespace

QStringList AccessReader::columns(const QString &table)
{
    const TableDef t = openTable(m_handle->entry(table), table, m_path);
    QStringList names;
    for (unsigned i = 0; i < t->num_cols; ++i)
        names << QString::fromUtf8(column(t, i)->name);
    return names;
}

TextRows AccessReader::rows(const QString &table, const QList<int> &columnIndexes)
{
    const TableDef t = openTable(m_handle->entry(table), table, m_path);
    struct Binding
    {
        std::vector<char> buffer;
        int length = 0;
    };
    std::vector<Binding> bound(size_t(columnIndexes.size()));
    for (qsizetype k = 0; k < columnIndexes.size(); ++k) {
        const int index = columnIndexes[k];
        if (index < 0)
            continue;
        if (index >= int(t->num_cols))
            throw StoreError(
                QStringLiteral("The table %1 has no column %2.").arg(table).arg(index + 1));
        const int type = column(t, unsigned(index))->col_type;
        if (type == MDB_OLE || type == MDB_BINARY || type == MDB_COMPLEX)
            continue; // pictures and attachments are not text
        bound[size_t(k)].buffer.assign(BindSize, '\0');
        mdb_bind_column(t.get(), index + 1, bound[size_t(k)].buffer.data(),
                        &bound[size_t(k)].length);
    }

    TextRows result;
    mdb_rewind_table(t.get());
    while (mdb_fetch_row(t.get())) {
        QStringList row;
        for (const Binding &b : bound) {
            if (b.buffer.empty()) {
                row << QString();
                continue;
            }
            if (size_t(b.length) + 8 >= BindSize)
                throw StoreError(QStringLiteral("A value in the table %1 is too long to be brought "
                                                "over in full.")
                                     .arg(table));
            row << QString::fromUtf8(b.buffer.data(), b.length);
        }
        result << row;
    }
    return result;
}
