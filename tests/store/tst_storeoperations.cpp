// The store's named operations at its edge: the two rules for emptying a collection, the
// one error type that leaves the store, skipped steps in the log, and the ticks of its long
// steps.
#include "Backups.h"
#include "BulkWriter.h"
#include "CollectionTable.h"
#include "MarkBook.h"
#include "Skip.h"
#include "StoreProgress.h"
#include "StoreTestAccess.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"
#include "WordRecords.h"

#include <QDateTime>
#include <QTest>

#include <functional>
#include <sqlite3.h>

using namespace TestSupport;

namespace {

constexpr int Words = BulkWriter::BatchRows + 3;

void refuse(WordDatabase &db, const char *when, const QString &word)
{
    StoreTestAccess::sql(db).exec(std::string("CREATE TRIGGER refuse BEFORE ") + when +
                                  " ON Words WHEN old.word = '" + word.toStdString() +
                                  "' BEGIN SELECT RAISE(ABORT, 'refused here'); END");
}

QString numbered(int i)
{
    return numberedWords(i).back().word;
}

// Captures what the lexmora.* categories log.
QStringList logged;
void capture(QtMsgType, const QMessageLogContext &context, const QString &text)
{
    logged << QString::fromUtf8(context.category) + QLatin1Char(' ') + text;
}

} // namespace

class TstStoreOperations : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void emptyingRules_data();
    void emptyingRules();
    void stoppedEmptyingKeepsEveryWord_data();
    void stoppedEmptyingKeepsEveryWord();
    void deleteEveryStopsAtARefusedRecord();
    void engineFailuresLeaveAsStoreErrors_data();
    void engineFailuresLeaveAsStoreErrors();
    void skippedStepsAreLogged();
    void longStepsTick();

private:
    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<WordDatabase> m_db;
};

void TstStoreOperations::init()
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), standardDetails(),
                  {{"Words", numberedWords(Words)}, {"Words3", numberedWords(2)}});
    m_db = WordDatabase::open(m_folder->databasePath());
}

void TstStoreOperations::cleanup()
{
    m_db.reset();
    m_folder.reset();
}

void TstStoreOperations::emptyingRules_data()
{
    QTest::addColumn<bool>("allOrNothing");
    QTest::addColumn<int>("refused"); // the record that will not go; 0 for none
    for (const bool allOrNothing : {true, false}) {
        const char *rule = allOrNothing ? "all or nothing" : "record by record";
        for (const int refused : {0, 1, BulkWriter::BatchRows, Words})
            QTest::addRow("%s, refused %d", rule, refused) << allOrNothing << refused;
    }
}

void TstStoreOperations::emptyingRules()
{
    QFETCH(bool, allOrNothing);
    QFETCH(int, refused);
    if (refused > 0)
        refuse(*m_db, "DELETE", numbered(refused));
    if (allOrNothing) {
        try {
            const auto deleted = CollectionTable::emptyAllOrNothing(*m_db, "words");
            QCOMPARE(refused, 0);
            QCOMPARE(deleted, std::optional<qint64>(Words));
        } catch (const StoreError &e) {
            QVERIFY(refused > 0);
            QVERIFY2(e.message().contains("refused here"), qPrintable(e.message()));
        }
        QCOMPARE(WordRecords::count(*m_db, "Words"), refused > 0 ? Words : 0);
    } else {
        const auto done = CollectionTable::deleteEachRecord(*m_db, "Words");
        QCOMPARE(done.deleted, refused > 0 ? Words - 1 : Words);
        QCOMPARE(done.left, refused > 0 ? 1 : 0);
        QCOMPARE(done.firstRefusal, refused > 0 ? QString("refused here") : QString());
        QCOMPARE(WordRecords::allWords(*m_db, "Words"),
                 refused > 0 ? QStringList{numbered(refused)} : QStringList());
    }
    QCOMPARE(WordRecords::count(*m_db, "Words3"), 2);
}

void TstStoreOperations::stoppedEmptyingKeepsEveryWord_data()
{
    QTest::addColumn<bool>("allOrNothing");
    QTest::newRow("all or nothing") << true;
    QTest::newRow("record by record") << false;
}

void TstStoreOperations::stoppedEmptyingKeepsEveryWord()
{
    QFETCH(bool, allOrNothing);
    int ticks = 0;
    qint64 total = 0;
    // Stops after the first statement.
    const StoreProgress::Tick tick = [&](qint64, qint64 all) {
        total = all;
        return ++ticks < 2;
    };
    if (allOrNothing)
        QCOMPARE(CollectionTable::emptyAllOrNothing(*m_db, "Words", tick), std::nullopt);
    else
        QVERIFY(CollectionTable::deleteEachRecord(*m_db, "Words", tick).stopped);
    QCOMPARE(ticks, 2);
    QCOMPARE(total, Words);
    QCOMPARE(WordRecords::count(*m_db, "Words"), Words);
}

void TstStoreOperations::deleteEveryStopsAtARefusedRecord()
{
    StoreTestAccess::sql(*m_db).exec("INSERT INTO Words VALUES ('Bane', 'first', ''), "
                                     "('Bane', 'second', ''), ('Bane', 'third', '')");
    StoreTestAccess::sql(*m_db).exec(
        "CREATE TRIGGER refuse BEFORE DELETE ON Words WHEN old.meaning = 'second' "
        "BEGIN SELECT RAISE(ABORT, 'refused here'); END");
    const auto deletion = WordRecords::deleteEvery(*m_db, "Words", "Bane");
    QCOMPARE(deletion.failure, "refused here");
    QCOMPARE(deletion.gone.size(), size_t(1));
    QCOMPARE(deletion.gone.front().meaning.toString(), "first");
    QCOMPARE(WordRecords::recordsOf(*m_db, "Words", "Bane").size(), size_t(2));
}

void TstStoreOperations::engineFailuresLeaveAsStoreErrors_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("code"); // SQLite's primary result code
    QTest::newRow("adding through a record set") << 0 << SQLITE_CONSTRAINT;
    QTest::newRow("marking a word") << 1 << SQLITE_CONSTRAINT;
    QTest::newRow("appending on a full disk") << 2 << SQLITE_FULL;
    QTest::newRow("a record set over a dropped table") << 3 << SQLITE_ERROR;
}

void TstStoreOperations::engineFailuresLeaveAsStoreErrors()
{
    QFETCH(int, operation);
    QFETCH(int, code);
    SQLite::Database &sql = StoreTestAccess::sql(*m_db);
    sql.exec("CREATE TRIGGER refuse_add BEFORE INSERT ON Words3 "
             "BEGIN SELECT RAISE(ABORT, 'refused here'); END");
    sql.exec("CREATE TRIGGER refuse_mark BEFORE UPDATE ON Words "
             "BEGIN SELECT RAISE(ABORT, 'refused here'); END");
    TableCursor words3(*m_db, "Words3");
    const std::vector<std::function<void()>> operations{
        [&] {
            words3.addNew();
            words3.setField("word", "New");
            words3.update();
        },
        [&] { MarkBook::markWord(*m_db, "Words", numbered(1)); },
        [&] {
            sql.exec("PRAGMA max_page_count = " +
                     std::to_string(sql.execAndGet("PRAGMA page_count").getInt()));
            BulkWriter(*m_db, "Words5", BulkWriter::Refusal::FailsAll).append(numberedWords(5000));
        },
        [&] {
            sql.exec("DROP TABLE Words3");
            words3.moveNext();
        },
    };
    try {
        operations[size_t(operation)]();
        QFAIL("no failure");
    } catch (const StoreError &e) {
        QCOMPARE(e.engineCode() & 0xff, code);
        QVERIFY(!e.message().isEmpty());
    }
}

void TstStoreOperations::skippedStepsAreLogged()
{
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    const bool ran =
        skipOnFailure(lcStore(), "the test's step", [] { throw StoreError("it broke"); });
    const bool fine = skipOnFailure(lcQuiz(), "a step that works", [] {});
    QLoggingCategory::setFilterRules(QStringLiteral("lexmora.store.warning=false"));
    skipOnFailure(lcStore(), "a hidden step", [] { throw StoreError("unseen"); });
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    QVERIFY(!ran);
    QVERIFY(fine);
    QCOMPARE(logged, QStringList{"lexmora.store Skipped the test's step because: it broke"});
}

// The first fill of a search index and a backup copy go in slices, each ticked.
void TstStoreOperations::longStepsTick()
{
    m_db.reset();
    // A word file made by another program: the tables only, none of our indexes.
    const QString path = m_folder->path("plain.mdb");
    {
        SQLite::Database plain(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        plain.exec("CREATE TABLE Details (CollectionName TEXT, IsDefault INTEGER)");
        plain.exec("INSERT INTO Details VALUES ('Mine', 1)");
        plain.exec("CREATE TABLE Words (word TEXT, meaning TEXT, pointer TEXT)");
        plain.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                   "WHERE i < 40000) INSERT INTO Words SELECT 'w' || i, 'the meaning of ' || "
                   "i, 'p' || i FROM n");
    }
    QStringList labels;
    int indexTicks = 0;
    StoreProgress::setRunner([&](const QString &label, bool, const StoreProgress::Step &step) {
        labels << label;
        step([&](qint64, qint64) { return ++indexTicks > 0; });
    });
    auto db = WordDatabase::open(path);
    db.reset();
    db = WordDatabase::open(path); // the index is there now: nothing long to do
    StoreProgress::setRunner({});
    QCOMPARE(labels, QStringList{"Preparing the word search of Words..."});
    QVERIFY2(indexTicks > 1, qPrintable(QString::number(indexTicks)));

    QList<QPair<qint64, qint64>> copied;
    QCOMPARE(Backups::take(*db, QDateTime::currentDateTimeUtc(),
                           [&](qint64 done, qint64 total) {
                               copied.append({done, total});
                               return true;
                           })
                 .kind,
             Backups::Outcome::Kind::Taken);
    QVERIFY2(copied.size() > 1, qPrintable(QString::number(copied.size())));
    QCOMPARE(copied.last().first, copied.last().second);
}

QTEST_GUILESS_MAIN(TstStoreOperations)
#include "tst_storeoperations.moc"
