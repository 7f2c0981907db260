#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The rows of the columns a caller asked for, as text, in the table's stored order.
using TextRows = QList<QStringList>;

// What a conversion reads from: the user tables of an Access file, their column names and
// their values as text. AccessReader reads a real file; tests supply their own.
class AccessSource
{
public:
    virtual ~AccessSource() = default;
    virtual QStringList tables() = 0;
    virtual QStringList columns(const QString &table) = 0;
    // Rows holding the values of `columnIndexes` in that order; an index of -1 gives
    // empty texts.
    virtual TextRows rows(const QString &table, const QList<int> &columnIndexes) = 0;
};

// Reads an Access (Jet 3, Jet 4 or ACE) file (see AccessFiles::isAccessFile) with mdbtools'
// libmdb. Text comes out with every character libmdb can decode (it cannot decode
// characters beyond the Basic Multilingual Plane and gives '?' for them). A Null value reads as an empty text, a
// Yes/No value as "1" or "0". Failures are StoreErrors in plain words.
//
// libmdb trusts the file it reads: a damaged one can make it crash or loop. Read files of
// unknown health in a process of their own (see AccessMigration).
class AccessReader : public AccessSource
{
public:
    explicit AccessReader(const QString &path);
    ~AccessReader() override;
    AccessReader(const AccessReader &) = delete;
    AccessReader &operator=(const AccessReader &) = delete;

    // The engine that wrote the file: "Jet 3", "Jet 4" or "ACE".
    QString engine() const;

    QStringList tables() override;
    QStringList columns(const QString &table) override;
    TextRows rows(const QString &table, const QList<int> &columnIndexes) override;

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    QString m_path;
};
