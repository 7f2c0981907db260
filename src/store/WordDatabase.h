#pragma once

#include "Snapshot.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Transaction.h>
#include <QString>
#include <QStringList>

#include <memory>

class QueryConnection;

// The one open word database: six collection tables `Words` .. `Words5` with the columns
// word, meaning, pointer, and the `Details` table (Collection name, Default flag).
class RowChanges;

class WordDatabase
{
public:
    ~WordDatabase();

    static constexpr const char *FileName = "qvtmdb.mdb";

    // Opens an existing word database. A file that is not one (foreign, damaged, locked,
    // read-only, missing its Details table) is left exactly as it was and reported with a
    // StoreError. A file lacking some of the word tables opens; those collections are then
    // unavailable.
    static std::unique_ptr<WordDatabase> open(const QString &path);
    // open() in two halves, so that a file can be opened on another thread while the
    // windows are made (a WordDatabase is used by one thread at a time, and can be handed
    // from one to another). openUnwatched() runs every check and step of open() that needs
    // no window; where it would have to wait for another copy of the program holding the
    // file, it refuses with a StoreError and has written nothing. finishOpening(), on the
    // windows' thread, grows a search index that is still to be grown, under the program's
    // box.
    static std::unique_ptr<WordDatabase> openUnwatched(const QString &path);
    void finishOpening();
    // Creates the tables in a new file; refuses to touch an existing one.
    static std::unique_ptr<WordDatabase> create(const QString &path);

    // The six collection tables in their fixed order.
    static const QStringList &collectionTables();
    // The stored spelling of a table name written in any letter case, or an empty text.
    static QString canonicalTable(const QString &name);

    // Whether the file holds a table of that name (a word database may lack some).
    bool hasTable(const QString &table);

    // The full path of the open file, as the engine reports it.
    QString path() const;

    // Runs a query written in the program's Access-style dialect through the read-only
    // path, on a connection of its own that cannot write (QueryConnection): anything that
    // would change the file or the connection, more than one statement, or a statement
    // that returns no rows is refused with a StoreError that describes why. The result is
    // a snapshot of every row, read as asked for.
    Snapshot query(const QString &jetSql);

    // Our indexes and side tables, added where the file lacks them, in one transaction:
    // opening does it, and so does a restore, whose copy may come from before some of them.
    void ensureSideTables();

private:
    enum class LockWait { WithBox, Refused };
    void ensureSideTables(LockWait wait);
    // The connection is the store's own (StoreConnection); tests set up fixtures through
    // StoreTestAccess.
    friend class StoreConnection;
    friend class StoreTestAccess;

    explicit WordDatabase(const QString &path, int flags);
    static std::unique_ptr<WordDatabase> prepare(const QString &path, LockWait wait);
    void configureConnection();
    void configureJournal();
    void addSideTables(SQLite::TransactionBehavior behavior);
    void ensureIndexes();

    SQLite::Database m_db;
    // Where query() runs user SQL; closed first, before the program's own connection.
    std::shared_ptr<QueryConnection> m_queries;
    std::unique_ptr<RowChanges> m_changes; // watches m_db, so it goes before it
};
