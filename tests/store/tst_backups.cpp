// Copies of the word database taken before changes to many words at once.
#include "Backups.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace TestSupport;

class TstBackups : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void copyIsAWholeDatabaseOfItsOwn();
    void keepsTheNewestTen();
    void failsQuietlyWhereNoCopyCanGo();

private:
    QString backupPath(const QString &name) const;

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

void TstBackups::copyIsAWholeDatabaseOfItsOwn()
{
    // A change still in the -wal file, not yet in the database file, is in the copy too.
    TableCursor words(*m_db, "Words");
    words.addNew();
    words.setField("word", "Zeal");
    words.update();
    const QByteArray before = fileState(m_folder->databasePath());
    const QDateTime when(QDate(2026, 12, 8), QTime(21, 5, 1, 123), Qt::UTC);
    QVERIFY(Backups::take(*m_db, when));
    QCOMPARE(fileState(m_folder->databasePath()), before);

    const QString name = "qvtmdb-20261208-210501-123.mdb";
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
    // in the same millisecond both stay.
    for (int i : {3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10})
        QVERIFY(Backups::take(*m_db, first.addSecs(i)));
    QVERIFY(Backups::take(*m_db, first.addSecs(10)));
    const QStringList kept = Backups::list(m_folder->databasePath());
    QCOMPARE(kept.size(), Backups::Kept);
    QCOMPARE(kept.first(), "qvtmdb-20260201-000000-000.mdb");
    QCOMPARE(kept.mid(8),
             QStringList({"qvtmdb-20260201-000008-000.mdb", "qvtmdb-20260201-000008-001.mdb"}));
    for (const char *other : {"notes.txt", "qvtmdb-old.mdb", "qvtmdb-20200101-000000-000.mdb.txt"})
        QVERIFY2(QFile::exists(backupPath(other)), other);
    QVERIFY(Backups::beforeBulkChange(*m_db)); // now: the newest of all
    QCOMPARE(Backups::list(m_folder->databasePath()).size(), Backups::Kept);
    QVERIFY(!Backups::list(m_folder->databasePath()).contains("qvtmdb-20260201-000000-000.mdb"));
}

void TstBackups::failsQuietlyWhereNoCopyCanGo()
{
    QFile blocker(m_folder->path("backups"));
    QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    const QByteArray before = fileState(m_folder->databasePath());
    QVERIFY(!Backups::beforeBulkChange(*m_db));
    QCOMPARE(fileState(m_folder->databasePath()), before);
    QCOMPARE(TableCursor(*m_db, "Words").recordCount(), 500);
}

QTEST_GUILESS_MAIN(TstBackups)
#include "tst_backups.moc"
