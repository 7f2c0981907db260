// Queries run on a connection of their own: nothing they call can write the file, they stay
// within bounds, every step can be stopped, and each sees the program's latest changes.
#include "Snapshot.h"
#include "StoreError.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QDir>
#include <QTest>

#include <sqlite3.h>

using namespace TestSupport;

namespace {

// Rows of a query on a connection of the test's own, to learn what the engine offers.
QList<QStringList> engineRows(const char *sql)
{
    sqlite3 *raw = nullptr;
    sqlite3_open(":memory:", &raw);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(raw, sql, -1, &st, nullptr);
    QList<QStringList> rows;
    while (sqlite3_step(st) == SQLITE_ROW) {
        QStringList row;
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            row << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)));
        rows << row;
    }
    sqlite3_finalize(st);
    sqlite3_close(raw);
    return rows;
}

// Every pragma, plainly and as a table-valued function, bare and with arguments a caller
// might give it (a table, an index, a number, the optimize mask that analyzes every table).
QStringList pragmaStatements()
{
    const QStringList arguments{"'Words'", "'Words_word'", "0", "1", "65538", "'main'"};
    QStringList out;
    for (const QStringList &row : engineRows("select name from pragma_pragma_list")) {
        const QString name = row.value(0);
        out << "pragma " + name << "pragma " + name + " = 1"
            << "select * from pragma_" + name;
        for (const QString &a : arguments)
            out << "pragma " + name + "(" + a + ")"
                << "select * from pragma_" + name + "(" + a + ")"
                << "select * from Words where word in (select 1 from pragma_" + name + "(" + a +
                       "))";
    }
    return out;
}

// Every function the build has, with as many arguments as it takes, each of a few kinds.
QStringList functionStatements()
{
    const QStringList kinds{"'Words'", "word", "1", "'[1, {\"a\": 2}]'", "x'00ff'"};
    QStringList out;
    for (const QStringList &row : engineRows("select name, type, narg from pragma_function_list")) {
        const QString &name = row.value(0);
        const int narg = row.value(2).toInt();
        const QList<int> counts = narg < 0 ? QList<int>{0, 1, 2, 3} : QList<int>{narg};
        for (int count : counts)
            for (const QString &kind : kinds) {
                QStringList args;
                for (int i = 0; i < count; ++i)
                    args << kind;
                const QString call = name + "(" + args.join(", ") + ")";
                out << "select " + call + " from Words"
                    << "select " + call + (row.value(1) == "w" ? " over ()" : "") + " from Words";
            }
    }
    return out;
}

// Stops a read once it has asked `allowed` times.
class StoppingWatch : public Snapshot::Watch
{
public:
    explicit StoppingWatch(int allowed) : m_allowed(allowed) { Snapshot::setWatch(this); }
    ~StoppingWatch() override { Snapshot::setWatch(nullptr); }
    void begin() override {}
    bool keepGoing(qint64) override { return ++asked <= m_allowed; }
    void end() override {}

    int asked = 0;

private:
    int m_allowed;
};

QString failureOf(WordDatabase &db, const QString &sql)
{
    try {
        db.query(sql).rowCount();
    } catch (const StoreError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

class TstUserQueries : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void nothingWritesTheFile();
    void boundsGiveTheReason_data();
    void boundsGiveTheReason();
    void everyStepCanBeStopped_data();
    void everyStepCanBeStopped();
    void seesTheLatestChanges();

private:
    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<WordDatabase> m_db;
};

void TstUserQueries::init()
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), standardDetails(),
                  {{"Words", numberedWords(300)}, {"Words3", numberedWords(20)}});
    m_db = WordDatabase::open(m_folder->databasePath());
    // Searches through the indexes, which PRAGMA optimize would then want to analyze.
    m_db->query("select * from Words where word = 'Word000007'").rowCount();
    m_db->query("select * from Words where word like 'word00001*'").rowCount();
    m_db->query("select * from Words where meaning like '*ing 1*'").rowCount();
}

void TstUserQueries::cleanup()
{
    m_db.reset();
    m_folder.reset();
}

// The file and its -wal stay byte for byte, whatever each statement does once its rows are
// read: once, a table-valued pragma ran PRAGMA optimize and wrote a new sqlite_stat1.
void TstUserQueries::nothingWritesTheFile()
{
    const QStringList statements = pragmaStatements() + functionStatements();
    QVERIFY(statements.size() > 1000);
    const QString path = m_folder->databasePath();
    const QByteArray before = fileState(path);
    const QStringList files = QDir(m_folder->path()).entryList(QDir::Files);
    int answered = 0;
    for (const QString &sql : statements) {
        try {
            const Snapshot rows = m_db->query(sql);
            rows.rowCount();
            ++answered;
        } catch (const StoreError &) {
            // refused or failed: either way, nothing may have been written
        }
        if (fileState(path) != before)
            QFAIL(qPrintable("the file changed after " + sql));
    }
    QVERIFY2(answered > 500, "most reading statements still answer");
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), files);
    QCOMPARE(
        m_db->query("select count(*) from sqlite_schema where name like 'sqlite_stat%'").text(0, 0),
        "0");
}

void TstUserQueries::boundsGiveTheReason_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("says");
    const QString tooLong = "it made a text or value longer than 1,000,000 bytes";
    QTest::newRow("printf of a gigabyte") << "select printf('%.*c', 999999999, 'x')" << tooLong;
    QTest::newRow("doubling text")
        << "with recursive t(x) as (select 'x' union all select x || x from t) select x from t"
        << tooLong;
    QTest::newRow("printf of a gigabyte, written out")
        << "select printf('%!.999999999c', 'x')" << tooLong;
    QTest::newRow("format of a wide number") << "select format('%02000000d', 7)" << tooLong;
    QTest::newRow("replacing into a large text")
        << "select replace(printf('%.1000c', 'x'), 'x', printf('%.2000c', 'y'))" << tooLong;
    QTest::newRow("every word in one text")
        << "with recursive c(x) as (select 1 union all select x + 1 from c where x < 200000) "
           "select group_concat(x || ' a word and its meaning') from c"
        << tooLong;
    QTest::newRow("a very long statement")
        << "select 1" + QString(" + 1").repeated(30000) << "longer than 100,000 bytes";
    QTest::newRow("deeply nested")
        << "select 1" + QString(" + 1").repeated(250) << "Expression tree is too large";
}

void TstUserQueries::boundsGiveTheReason()
{
    QFETCH(QString, sql);
    QFETCH(QString, says);
    const QString message = failureOf(*m_db, sql);
    QVERIFY2(message.contains(says), qPrintable(message));
    // The connection is sound for the next query, and printf still the engine's own.
    QCOMPARE(m_db->query("select count(*) from Words").text(0, 0), "300");
    const Snapshot printed = m_db->query("select printf('%5.2f|%-4s|%q|%.3c|%,d', 3.14159, "
                                         "'ab', 'it''s', 'z', 1234567), printf(null), printf()");
    QCOMPARE(printed.text(0, 0), " 3.14|ab  |it''s|zzz|1,234,567");
    QVERIFY(printed.isNull(0, 1));
    QVERIFY(printed.isNull(0, 2));
}

// The engine asks the watch at its own steps, so a statement that makes no row for a long
// time (counting, sorting, grouping an endless input) stops when the watch says so.
void TstUserQueries::everyStepCanBeStopped_data()
{
    QTest::addColumn<QString>("sql");
    const QString endless = "with recursive c(x) as (select 1 union all select x + 1 from c) ";
    QTest::newRow("counting") << endless + "select count(*) from c";
    QTest::newRow("sorting") << endless + "select x from c order by x desc";
    QTest::newRow("grouping") << endless + "select x % 7, count(*) from c group by 1";
    QTest::newRow("rows after the first") << endless + "select x from c where x < 3 or x < 0";
}

void TstUserQueries::everyStepCanBeStopped()
{
    QFETCH(QString, sql);
    const Snapshot rows = m_db->query(sql);
    StoppingWatch watch(200);
    QVERIFY_THROWS_EXCEPTION(QueryCancelled, rows.rowCount());
    QCOMPARE(watch.asked, 201);
    QVERIFY(rows.complete());
}

// A result still being read keeps its own moment; the next query is not held in it.
void TstUserQueries::seesTheLatestChanges()
{
    const Snapshot first = m_db->query("select * from Words");
    first.readFirst(1, std::chrono::milliseconds(0));
    QVERIFY(!first.complete());
    TableCursor words(*m_db, "Words");
    words.addNew();
    words.setField("word", "Zeal");
    words.update();
    QCOMPARE(m_db->query("select count(*) from Words").text(0, 0), "301");
    QCOMPARE(m_db->query("select word from Words where word = 'Zeal'").rowCount(), 1);
    QCOMPARE(first.rowCount(), 300);
}

QTEST_GUILESS_MAIN(TstUserQueries)
#include "tst_userqueries.moc"
