#include "FileChecks.h"

#include "StoreError.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFile>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace FileChecks {

namespace {

constexpr char SqliteSignature[] = "SQLite format 3";

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Access (Jet and ACE) files carry their engine's name at offset 4.
bool looksLikeAccess(const QByteArray &head)
{
    const QByteArray tag = head.mid(4, 15);
    return tag == "Standard Jet DB" || tag == "Standard ACE DB";
}

quint32 bigEndian32(const QByteArray &bytes, int at)
{
    return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16 |
           quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3]));
}

// A file cut short (a copy that stopped part-way) still has an intact header that names
// more pages than the file holds.
bool isCutShort(const QByteArray &head, qint64 fileSize)
{
    if (head.size() < 100)
        return true;
    const quint32 rawPageSize = quint32(quint8(head[16])) << 8 | quint8(head[17]);
    const qint64 pageSize = rawPageSize == 1 ? 65536 : rawPageSize;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return false; // not a size SQLite writes; SQLite itself will refuse the header
    if (fileSize < pageSize)
        return true;
    // The page count in the header is only valid when written by the same change.
    if (bigEndian32(head, 92) != bigEndian32(head, 24))
        return false;
    return fileSize < qint64(bigEndian32(head, 28)) * pageSize;
}

bool hasColumns(SQLite::Database &db, const QString &table)
{
    SQLite::Statement columns(db, "PRAGMA table_info(\"" + table.toStdString() + "\")");
    QStringList names;
    while (columns.executeStep())
        names << QString::fromStdString(columns.getColumn(1).getString()).toLower();
    return names.mid(0, 3) == QStringList{"word", "meaning", "pointer"};
}

} // namespace

void requireOrdinaryFile(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        throw StoreError(QStringLiteral("The word database %1 could not be read: %2.")
                             .arg(nativePath(path), QString::fromLocal8Bit(std::strerror(errno))));
    if (S_ISDIR(st.st_mode))
        throw StoreError(QStringLiteral("%1 is a folder, not a word database file. The folder was "
                                        "left as it is.")
                             .arg(nativePath(path)));
    if (!S_ISREG(st.st_mode))
        throw StoreError(QStringLiteral("%1 is not an ordinary file (it is a pipe, a socket or a "
                                        "device), so it cannot be a word database. It was left "
                                        "as it is.")
                             .arg(nativePath(path)));
}

void requireSignature(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("The word database %1 could not be read: %2.")
                             .arg(nativePath(path), file.errorString()));
    if (file.size() == 0)
        throw StoreError(QStringLiteral("The file %1 is empty: it is not a Lexmora word database. "
                                        "It was left as it is.")
                             .arg(nativePath(path)));
    const QByteArray head = file.read(100);
    if (looksLikeAccess(head))
        throw StoreError(
            QStringLiteral("The file %1 is a Microsoft Access database. Lexmora keeps its words "
                           "in its own database format and cannot use this file as it is.")
                .arg(nativePath(path)));
    if (!head.startsWith(QByteArray(SqliteSignature, sizeof SqliteSignature)))
        throw StoreError(QStringLiteral("The file %1 is not a Lexmora word database. It was left "
                                        "as it is.")
                             .arg(nativePath(path)));
    if (isCutShort(head, file.size()))
        throw StoreError(QStringLiteral("The word database %1 is damaged: the file is shorter than "
                                        "the database it holds, as if a copy of it stopped "
                                        "part-way. The file was left as it is.")
                             .arg(nativePath(path)));
}

void requireSchema(SQLite::Database &db, const QString &path)
{
    const auto missing = [&](const QString &what) {
        return StoreError(
            QStringLiteral("The word database %1 is incomplete: %2. The file was left as it is.")
                .arg(nativePath(path), what));
    };
    if (!db.tableExists("Details"))
        throw missing(QStringLiteral("it has no Details table"));
    int present = 0;
    for (const QString &table : WordDatabase::collectionTables()) {
        if (!db.tableExists(table.toStdString()))
            continue;
        ++present;
        if (!hasColumns(db, table))
            throw missing(QStringLiteral("the table %1 does not have the columns word, meaning "
                                         "and pointer")
                              .arg(table));
    }
    if (present == 0)
        throw missing(QStringLiteral("it has none of the word tables %1")
                          .arg(WordDatabase::collectionTables().join(QStringLiteral(", "))));
}

} // namespace FileChecks
