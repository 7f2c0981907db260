// Putting a backup copy back into the open word database.
#include "Restore.h"

#include "ChildProcess.h"
#include "FullDisk.h"
#include "MarkBook.h"
#include "StoreTestAccess.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <SQLiteCpp/Database.h>

using namespace TestSupport;
using Kind = Restore::Result::Kind;

namespace {

qint64 countOf(WordDatabase &db, const QString &table)
{
    return db.query("select count(*) from " + table).text(0, 0).toLongLong();
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void exec(const QString &path, const char *sql)
{
    SQLite::Database raw(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    raw.exec(sql);
}

} // namespace

class TstRestore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void undoesDeleteAllAfterAKill();
    void refusesAnUnsoundCopy_data();
    void refusesAnUnsoundCopy();
    void stopsBeforeWriting_data();
    void stopsBeforeWriting();
    void asksWithoutACopyOfTheWordsAsTheyAre_data();
    void asksWithoutACopyOfTheWordsAsTheyAre();
    void listsTheCopiesNewestFirst();
    void aCopyWithoutOurIndexesGetsThem();
    void fromTheCommandLine_data();
    void fromTheCommandLine();

private:
    QString backup() const;

    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<WordDatabase> m_db;
};

void TstRestore::init()
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), standardDetails(),
                  {{"Words", numberedWords(400)}, {"Words2", numberedWords(3)}});
    m_db = WordDatabase::open(m_folder->databasePath());
    QCOMPARE(Backups::take(*m_db, QDateTime(QDate(2026, 5, 1), QTime(9, 0), Qt::UTC)).kind,
             Backups::Outcome::Kind::Taken);
}

void TstRestore::cleanup()
{
    m_db.reset();
    m_folder.reset();
}

QString TstRestore::backup() const
{
    return m_folder->path("backups/qvtmdb-20260501-090000-000.mdb");
}

// Delete all, then the program killed: its -wal holds the deletion. Copying the backup over
// the file would let the next start replay that -wal onto it; the restore goes through the
// engine, so the words are back and stay back.
void TstRestore::undoesDeleteAllAfterAKill()
{
    m_db.reset(); // no connection open while the child forks
    const QString path = m_folder->databasePath();
    {
        ChildProcess killed([&] {
            auto db = WordDatabase::open(path);
            StoreTestAccess::sql(*db).exec("DELETE FROM Words");
            db.release(); // never closed: the child ends as if killed
            return true;
        });
        QVERIFY(killed.ready());
    }
    QVERIFY(QFileInfo(path + "-wal").size() > 0);
    m_db = WordDatabase::open(path);
    QCOMPARE(countOf(*m_db, "Words"), 0);
    // A record set counted before the restore: the connection keeps its count, which the
    // restored pages must not leave standing.
    QCOMPARE(TableCursor(*m_db, "Words").recordCount(), 0);

    const QByteArray copyBefore = bytesOf(backup());
    const Restore::Result result = Restore::fromBackup(*m_db, backup());
    QCOMPARE(result.kind, Kind::Restored);
    QCOMPARE(result.words.words, QList<qint64>({400, 0, 3, 0, 0, 0}));
    QCOMPARE(countOf(*m_db, "Words"), 400);
    QCOMPARE(TableCursor(*m_db, "Words").recordCount(), 400);
    QCOMPARE(bytesOf(backup()), copyBefore);
    // The emptied state was kept in a copy of its own before the restore.
    QCOMPARE(result.before.kind, Backups::Outcome::Kind::Taken);
    SQLite::Database before = WordContents::openCopy(result.before.file);
    QCOMPARE(WordContents::counts(before).words.first(), 0);

    m_db.reset();
    m_db = WordDatabase::open(path);
    QCOMPARE(countOf(*m_db, "Words"), 400);
    QCOMPARE(StoreTestAccess::sql(*m_db).execAndGet("PRAGMA journal_mode").getString(), "wal");
    QCOMPARE(StoreTestAccess::sql(*m_db).execAndGet("PRAGMA integrity_check").getString(), "ok");
    QCOMPARE(m_db->query("select count(*) from Words where word like '*000123*'").text(0, 0),
             "1");
}

void TstRestore::refusesAnUnsoundCopy_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("says");
    QTest::newRow("damaged pages") << "damaged" << "is damaged";
    QTest::newRow("cut short") << "cut" << "shorter than the database it holds";
    QTest::newRow("not a database") << "text" << "is not a Lexmora word database";
    QTest::newRow("an Access file") << "access" << "Microsoft Access";
    QTest::newRow("a folder") << "folder" << "is a folder";
    QTest::newRow("missing") << "missing" << "could not be read";
    QTest::newRow("no Details") << "no-details" << "it has no Details table";
    QTest::newRow("our table in another shape") << "own-table" << "lexmora_kept_pointers";
    QTest::newRow("a journal beside it") << "journal" << "was not closed properly";
    QTest::newRow("other page size") << "page-size" << "its page_size is 8192";
    QTest::newRow("the database itself") << "itself" << "is the word database itself";
}

// Nothing is written before the copy has passed every check: the database, its -wal and the
// copy stay byte for byte, and no copy of the words as they are is taken.
void TstRestore::refusesAnUnsoundCopy()
{
    QFETCH(QString, kind);
    QFETCH(QString, says);
    const QString path = m_folder->path("chosen.mdb");
    QFile::copy(backup(), path);
    if (kind == "damaged") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(f.size() - 3000);
        f.write(QByteArray(2000, '\x5a'));
    } else if (kind == "cut") {
        QVERIFY(QFile::resize(path, QFileInfo(path).size() / 2));
    } else if (kind == "text") {
        writeFile(path, "word,meaning\n");
    } else if (kind == "access") {
        writeFile(path, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19) + QByteArray(2000, 0));
    } else if (kind == "folder") {
        QFile::remove(path);
        QDir().mkdir(path);
    } else if (kind == "missing") {
        QFile::remove(path);
    } else if (kind == "no-details") {
        exec(path, "DROP TABLE Details");
    } else if (kind == "own-table") {
        exec(path, "DROP TABLE lexmora_kept_pointers; CREATE TABLE lexmora_kept_pointers (x)");
    } else if (kind == "journal") {
        writeFile(path + "-journal", QByteArray(512, '\x01'));
    } else if (kind == "page-size") {
        exec(path, "PRAGMA page_size=8192; VACUUM");
    } else if (kind == "itself") {
        QFile::remove(path);
        QFile::link(m_folder->databasePath(), path);
    }
    const QByteArray database = fileState(m_folder->databasePath());
    const QByteArray chosen = bytesOf(path);
    QString message;
    try {
        Restore::fromBackup(*m_db, path, [](const QString &) { return true; });
    } catch (const StoreError &e) {
        message = e.message();
    }
    QVERIFY2(message.contains(says), qPrintable(message));
    QVERIFY2(message.endsWith("Nothing was restored; your words are as they were."),
             qPrintable(message));
    QCOMPARE(fileState(m_folder->databasePath()), database);
    QCOMPARE(bytesOf(path), chosen);
    QCOMPARE(Backups::list(m_folder->databasePath()).size(), 1);
    QCOMPARE(countOf(*m_db, "Words"), 400);
}

void TstRestore::stopsBeforeWriting_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("copies");
    QTest::newRow("at once") << 0 << 1;
    QTest::newRow("while the copy is checked") << 3 << 1;
    QTest::newRow("after the copy of the words as they are") << -1 << 2;
}

// Cancel is heard until the copy's pages are written, and then nothing has changed.
void TstRestore::stopsBeforeWriting()
{
    QFETCH(int, ticks);
    QFETCH(int, copies);
    StoreTestAccess::sql(*m_db).exec("DELETE FROM Words2");
    const QByteArray database = fileState(m_folder->databasePath());
    int told = 0;
    const Restore::Result result = Restore::fromBackup(
        *m_db, backup(), {}, [&](qint64 done, qint64) {
            return ticks < 0 ? done < 2 : told++ < ticks;
        });
    QCOMPARE(result.kind, Kind::Stopped);
    QCOMPARE(fileState(m_folder->databasePath()), database);
    QCOMPARE(Backups::list(m_folder->databasePath()).size(), copies);
}

void TstRestore::asksWithoutACopyOfTheWordsAsTheyAre_data()
{
    QTest::addColumn<bool>("goOn");
    QTest::newRow("No") << false;
    QTest::newRow("Yes") << true;
}

void TstRestore::asksWithoutACopyOfTheWordsAsTheyAre()
{
    QFETCH(bool, goOn);
    StoreTestAccess::sql(*m_db).exec("DELETE FROM Words");
    QStringList asked;
    Restore::Result result;
    {
        FullDisk disk;
        result = Restore::fromBackup(*m_db, backup(), [&](const QString &why) {
            asked << why;
            return goOn;
        });
    }
    QCOMPARE(asked, QStringList{"database or disk is full"});
    QCOMPARE(result.kind, goOn ? Kind::Restored : Kind::NoCopyBefore);
    QCOMPARE(countOf(*m_db, "Words"), goOn ? 400 : 0);
    QCOMPARE(Backups::list(m_folder->databasePath()).size(), 1);
}

// Newest first, each with its words; one that cannot be read says so. The copy restored is
// kept even when the copy taken before the restore would push it out as the oldest.
void TstRestore::listsTheCopiesNewestFirst()
{
    const QDateTime first(QDate(2026, 6, 1), QTime(10, 0), Qt::UTC);
    for (int i = 1; i < Backups::Kept; ++i) {
        StoreTestAccess::sql(*m_db).exec("DELETE FROM Words WHERE rowid = " + std::to_string(i));
        QCOMPARE(Backups::take(*m_db, first.addSecs(i)).kind, Backups::Outcome::Kind::Taken);
    }
    writeFile(m_folder->path("backups/qvtmdb-20260601-100001-000.mdb"), "not a copy");
    const QList<Restore::Copy> copies = Restore::copies(m_folder->databasePath());
    QCOMPARE(copies.size(), Backups::Kept);
    QCOMPARE(copies.first().takenAt, first.addSecs(Backups::Kept - 1));
    QCOMPARE(copies.first().words.words.first(), 400 - (Backups::Kept - 1));
    QCOMPARE(copies.first().words.names.first(), "Words collection");
    QVERIFY(!copies.at(Backups::Kept - 2).problem.isEmpty());
    QCOMPARE(copies.last().file, backup());
    QCOMPARE(copies.last().words.total(), 403);

    StoreTestAccess::sql(*m_db).exec("DELETE FROM Words");
    QCOMPARE(Restore::fromBackup(*m_db, backup()).kind, Kind::Restored);
    QCOMPARE(countOf(*m_db, "Words"), 400);
    QVERIFY(QFileInfo::exists(backup()));
    QCOMPARE(Backups::list(m_folder->databasePath()).size(), Backups::Kept);
}

// A word database written before our indexes and side tables existed (here, by another
// program, in WAL mode and closed) gets them on restoring, so searches and marks work on it
// at once.
void TstRestore::aCopyWithoutOurIndexesGetsThem()
{
    const QString plain = m_folder->path("plain.mdb");
    exec(plain, "PRAGMA journal_mode=WAL;"
                "CREATE TABLE Details (CollectionName TEXT, IsDefault INTEGER);"
                "INSERT INTO Details VALUES ('Old words', 1);"
                "CREATE TABLE Words (word TEXT, meaning TEXT, pointer TEXT);"
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 7) "
                "INSERT INTO Words SELECT printf('Word%06d', i), 'meaning ' || i, 'p' || i FROM n");
    QVERIFY(!QFileInfo::exists(plain + "-wal"));
    QCOMPARE(Restore::fromBackup(*m_db, plain).kind, Kind::Restored);
    QCOMPARE(countOf(*m_db, "Words"), 7);
    QVERIFY(!m_db->hasTable("Words2"));
    QCOMPARE(m_db->query("select count(*) from Words where word like '*00005*'").text(0, 0), "1");
    MarkBook::markWord(*m_db, "Words", "Word000003");
    MarkBook::clearMarks(*m_db, "Words");
    QCOMPARE(m_db->query("select pointer from Words where word = 'Word000003'").text(0, 0), "p3");
}

void TstRestore::fromTheCommandLine_data()
{
    QTest::addColumn<bool>("existing"); // DB is there before
    QTest::addColumn<bool>("sound");    // the copy is a whole word database
    QTest::newRow("into the word database") << true << true;
    QTest::newRow("into a new file") << false << true;
    QTest::newRow("a refused copy") << true << false;
    QTest::newRow("a refused copy, no file") << false << false;
}

// lexmora-newdb --restore BACKUP DB: the same restore, for a word database no program has
// open; a refused copy changes nothing and leaves no file behind.
void TstRestore::fromTheCommandLine()
{
    QFETCH(bool, existing);
    QFETCH(bool, sound);
    StoreTestAccess::sql(*m_db).exec("DELETE FROM Words");
    m_db.reset();
    const QString target = existing ? m_folder->databasePath() : m_folder->path("new/qvtmdb.mdb");
    QDir().mkpath(QFileInfo(target).path());
    QString chosen = backup();
    if (!sound) {
        chosen = m_folder->path("junk.mdb");
        writeFile(chosen, "not a word database");
    }
    const QByteArray before = fileState(target);
    QProcess newdb;
    newdb.start(QCoreApplication::applicationDirPath() + "/lexmora-newdb",
                {"--restore", chosen, target});
    QVERIFY(newdb.waitForFinished(30000));
    const QString out = QString::fromUtf8(newdb.readAllStandardOutput());
    const QString err = QString::fromUtf8(newdb.readAllStandardError());
    QCOMPARE(newdb.exitCode(), sound ? 0 : 1);
    if (!sound) {
        QVERIFY2(err.contains("Nothing was restored; your words are as they were."),
                 qPrintable(err));
        QCOMPARE(fileState(target), before);
        QCOMPARE(QDir(QFileInfo(target).path()).entryList(QDir::Files).isEmpty(), !existing);
        return;
    }
    QVERIFY2(out.startsWith("Restored " + chosen + " into " + target + ": 403 words."),
             qPrintable(out + err));
    // Taken before: the emptied words of an existing file; nothing to keep for a new one.
    QCOMPARE(out.contains("The words it held before are in "), existing);
    m_db = WordDatabase::open(target);
    QCOMPARE(countOf(*m_db, "Words"), 400);
}

QTEST_GUILESS_MAIN(TstRestore)
#include "tst_restore.moc"
