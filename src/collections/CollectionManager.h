#pragma once

#include "CollectionSwitch.h"
#include "Restore.h"
#include "StoreProgress.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class WordDatabase;

// What the Database Selector shows of one collection.
struct CollectionSummary
{
    QString table;
    qint64 count = 0;
    bool hasWords = false; // without words there is no first and last word to show
    QString firstWord;     // in stored order
    QString lastWord;
    bool isDefault = false;
};

// The six collections as the Database Selector works on them. A collection is found by
// its position: the first of the first six Details rows whose Collection name equals the
// chosen name exactly, the k-th row naming table k of Words .. Words5. Rows after the
// sixth take part in nothing. Every call reads Details afresh; failures are StoreErrors
// that describe what went wrong.
class CollectionManager
{
public:
    explicit CollectionManager(WordDatabase &db) : m_db(db) {}

    // What the list holds: the six Collection names in stored order, and the name it shows:
    // that of the last flagged row (start-up takes the first as the Default collection, so
    // the two differ only when several rows are flagged), or the empty text when none is.
    struct Listing
    {
        QStringList names;
        QString shownName;
    };
    Listing listing();

    // The name check: the position (1 to 6) of `name`, or 0 when it names no collection.
    int position(const QString &name);
    // The table of the collection at `position`.
    static QString tableAt(int position);

    // Count, first and last word and the Default flag of the collection at `position`.
    CollectionSummary summary(int position);
    // Flags the collection at `position` as the only Default collection.
    void makeDefault(int position);
    // Gives the collection at `position`, and no other, the name `newName` exactly as given.
    void rename(int position, const QString &newName);
    // Asked when the backup copy before a change failed, with the reason: whether to go on.
    using WithoutCopy = std::function<bool(const QString &why)>;
    // Deletes every word of the collection at `position`, all or nothing, after a backup
    // copy; returns how many. Nothing is deleted, and the result is empty, when no copy
    // could be made and `goOnWithoutCopy` does not say to go on, or when `tick` asked to
    // stop (then every word is still there).
    std::optional<qint64> deleteContent(int position, const WithoutCopy &goOnWithoutCopy = {},
                                        const StoreProgress::Tick &tick = {});
    // Select: makes the collection at `position` the Current collection, reopening the three
    // shared record sets over it. On failure the program stays on its collection.
    CollectionSwitch::Report select(int position);
    // Restore: puts the backup copy `file` back in place of every collection's words (see
    // Restore::fromBackup), then reopens the three shared record sets as Select does, over
    // the Current collection or, when the copy lacks its table, the copy's Default one.
    // Throws StoreError when the copy is refused or the restore fails.
    Restore::Result restore(const QString &file, const WithoutCopy &goOnWithoutCopy = {},
                            const Restore::Tick &tick = {});

private:
    void reopenAfterRestore();
    QString collectionName(int position);
    void requireTable(int position);

    WordDatabase &m_db;
};
