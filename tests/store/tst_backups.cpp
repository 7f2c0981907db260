// Copies of the word database taken before changes to many words at once.
#include "Backups.h"
#include "ChildProcess.h"
#include "FullDisk.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sqlite3.h>

using namespace TestSupport;
using Kind = Backups::Outcome::Kind;

class TstBackups : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void copyIsAWholeDatabaseOfItsOwn();
    void keepsTheNewestTen();
    void saysWhyNoCopyCouldBeMade_data();
    void saysWhyNoCopyCouldBeMade();
    void keepsOneCopyOfTheSameWords();
    void noCopyOfAnEmptyCollection();
    void clearsWhatAKilledCopyLeft();

private:
    QString backupPath(const QString &name) const;
    void changeWord(const QString &word);

    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<WordDatabase> m_db;
};

void TstBackups::init()
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), standardDetails(),
                  {{"Words", numberedWords(500)}, {"Words3", numberedWords(2)}});
    m_db = WordDatabase::open(m_folder->databasePath());
}

void TstBackups::cleanup()
{
    m_db.reset();
    m_folder.reset();
}

QString TstBackups::backupPath(const QString &name) const
{
    return m_folder->path(QStringLiteral("backups/") + name);
}

void TstBackups::changeWord(const QString &word)
{
    TableCursor words(*m_db, "Words");
    words.edit();
    words.setField("word", word);
    words.update();
}

void TstBackups::copyIsAWholeDatabaseOfItsOwn()
{
    // A change still in the -wal file, not yet in the database file, is in the copy too.
    TableCursor words(*m_db, "Words");
    words.addNew();
    words.setField("word", "Zeal");
    words.update();
    const QByteArray before = fileState(m_folder->databasePath());
    const QDateTime when(QDate(2026, 12, 8), QTime(21, 5, 1, 123), Qt::UTC);
    const Backups::Outcome outcome = Backups::take(*m_db, when);
    QCOMPARE(outcome.kind, Kind::Taken);
    QCOMPARE(fileState(m_folder->databasePath()), before);

    const QString name = "qvtmdb-20261208-210501-123.mdb";
    QCOMPARE(outcome.file, backupPath(name));
    QCOMPARE(Backups::takenAt(name), when);
    QCOMPARE(Backups::list(m_folder->databasePath()), QStringList{name});
    QCOMPARE(QDir(m_folder->path("backups")).entryList(QDir::Files), QStringList{name});
    QFile copy(backupPath(name));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.read(20).mid(18, 2), QByteArray("\x01\x01")); // rollback journal: no -wal needed
    copy.close();

    auto restored = WordDatabase::open(backupPath(name));
    TableCursor copied(*restored, "Words");
    QCOMPARE(copied.recordCount(), 501);
    QVERIFY(copied.moveLast());
    QCOMPARE(copied.text("word"), "Zeal");
    QCOMPARE(TableCursor(*restored, "Words3").recordCount(), 2);
}

void TstBackups::keepsTheNewestTen()
{
    QVERIFY(QDir().mkpath(m_folder->path("backups")));
    for (const char *other :
         {"notes.txt", "qvtmdb-old.mdb", "qvtmdb-20200101-000000-000.mdb.txt"}) {
        QFile f(backupPath(other));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QDateTime first(QDate(2026, 1, 31), QTime(23, 59, 58), Qt::UTC);
    // Taken out of order: the stamps, not the order of taking, say which are newest. Two
    // in the same millisecond both stay. Each holds other words than the one before.
    int change = 0;
    for (int i : {3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 10}) {
        changeWord(QStringLiteral("Change%1").arg(++change));
        QCOMPARE(Backups::take(*m_db, first.addSecs(i)).kind, Kind::Taken);
    }
    const QStringList kept = Backups::list(m_folder->databasePath());
    QCOMPARE(kept.size(), Backups::Kept);
    QCOMPARE(kept.first(), "qvtmdb-20260201-000000-000.mdb");
    QCOMPARE(kept.mid(8),
             QStringList({"qvtmdb-20260201-000008-000.mdb", "qvtmdb-20260201-000008-001.mdb"}));
    for (const char *other : {"notes.txt", "qvtmdb-old.mdb", "qvtmdb-20200101-000000-000.mdb.txt"})
        QVERIFY2(QFile::exists(backupPath(other)), other);
    changeWord(QStringLiteral("Newest"));
    QCOMPARE(Backups::beforeBulkChange(*m_db, "Words").kind, Kind::Taken); // the newest of all
    QCOMPARE(Backups::list(m_folder->databasePath()).size(), Backups::Kept);
    QVERIFY(!Backups::list(m_folder->databasePath()).contains("qvtmdb-20260201-000000-000.mdb"));
}

void TstBackups::saysWhyNoCopyCouldBeMade_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("says");
    QTest::newRow("a file where the folder goes") << "file" << "could not be made";
    QTest::newRow("a full disk") << "full" << "database or disk is full";
    QTest::newRow("a folder that cannot be written") << "read-only" << "cannot be written to (Permission";
}

// The words stay as they were, and the reason is given.
void TstBackups::saysWhyNoCopyCouldBeMade()
{
    QFETCH(QString, where);
    QFETCH(QString, says);
    const QByteArray before = fileState(m_folder->databasePath());
    QString error;
    if (where == "file") {
        QFile blocker(m_folder->path("backups"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        error = Backups::beforeBulkChange(*m_db, "Words").error;
    } else if (where == "full") {
        FullDisk disk;
        error = Backups::beforeBulkChange(*m_db, "Words").error;
    } else {
        // Everything but the copies' folder is open to the ordinary user.
        constexpr auto All = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                             QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        m_db.reset(); // the child opens its own
        for (const QString &file : {m_folder->path(), m_folder->databasePath(),
                                    m_folder->databasePath() + "-wal",
                                    m_folder->databasePath() + "-shm"})
            QFile::setPermissions(file, All);
        QVERIFY(QDir().mkdir(m_folder->path("backups")));
        QVERIFY(QFile::setPermissions(m_folder->path("backups"),
                                      All & ~(QFile::WriteOwner | QFile::WriteOther)));
        error = asOrdinaryUser([&] {
            try {
                auto db = WordDatabase::open(m_folder->databasePath());
                return Backups::beforeBulkChange(*db, "Words").error;
            } catch (const std::exception &e) {
                return QString::fromUtf8(e.what());
            }
        });
        m_db = WordDatabase::open(m_folder->databasePath());
    }
    QVERIFY2(error.contains(says), qPrintable(error));
    QCOMPARE(fileState(m_folder->databasePath()), before);
    QCOMPARE(TableCursor(*m_db, "Words").recordCount(), 500);
    QCOMPARE(Backups::list(m_folder->databasePath()), QStringList());
    QVERIFY(QDir(m_folder->path("backups")).entryList(QDir::Files).isEmpty());
}

// A copy of words the newest copy already holds would push out an older, useful one.
void TstBackups::keepsOneCopyOfTheSameWords()
{
    const QDateTime first(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC);
    const Backups::Outcome taken = Backups::take(*m_db, first);
    QCOMPARE(taken.kind, Kind::Taken);
    const Backups::Outcome again = Backups::take(*m_db, first.addSecs(1));
    QCOMPARE(again.kind, Kind::NotNeeded);
    QCOMPARE(again.file, taken.file);
    changeWord("Zeal");
    QCOMPARE(Backups::take(*m_db, first.addSecs(2)).kind, Kind::Taken);
    changeWord("Word000001"); // back as in the first copy: still new beside the newest
    QCOMPARE(Backups::take(*m_db, first.addSecs(3)).kind, Kind::Taken);
    // A change of a pointer alone, or of a Details row, is a change too.
    TableCursor words(*m_db, "Words3");
    words.edit();
    words.setField("pointer", QVariant());
    words.update();
    QCOMPARE(Backups::take(*m_db, first.addSecs(4)).kind, Kind::Taken);
    QCOMPARE(Backups::list(m_folder->databasePath()).size(), 4);
}

// Emptying an empty collection loses nothing; the copy would only push out a useful one.
void TstBackups::noCopyOfAnEmptyCollection()
{
    QCOMPARE(Backups::beforeBulkChange(*m_db, "Words2").kind, Kind::NotNeeded);
    QVERIFY(!QFileInfo::exists(m_folder->path("backups")));
    QCOMPARE(Backups::beforeBulkChange(*m_db, "Words3").kind, Kind::Taken);
}

// A copy cut short by a kill is cleared by the next one, unless another program is still
// writing it.
void TstBackups::clearsWhatAKilledCopyLeft()
{
    QVERIFY(QDir().mkpath(m_folder->path("backups")));
    const QString killed = backupPath("qvtmdb-20260101-000000-000.mdb.partial");
    const QString writing = backupPath("qvtmdb-20260101-000000-001.mdb.partial");
    for (const QString &file : {killed, killed + "-journal", writing, backupPath("notes.partial")}) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (file != writing) // that one the child writes as a database
            f.write("half a copy");
    }
    m_db.reset(); // no connection open while the child forks
    ChildProcess writer([&] {
        sqlite3 *other = nullptr;
        sqlite3_open(QFile::encodeName(writing).constData(), &other);
        return sqlite3_exec(other, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr,
                            nullptr, nullptr) == SQLITE_OK;
    });
    QVERIFY(writer.ready());
    m_db = WordDatabase::open(m_folder->databasePath());
    QCOMPARE(Backups::beforeBulkChange(*m_db, "Words").kind, Kind::Taken);
    QVERIFY(!QFileInfo::exists(killed));
    QVERIFY(!QFileInfo::exists(killed + "-journal"));
    QVERIFY(QFileInfo::exists(writing));
    QVERIFY(QFileInfo::exists(backupPath("notes.partial")));
}

QTEST_GUILESS_MAIN(TstBackups)
#include "tst_backups.moc"
