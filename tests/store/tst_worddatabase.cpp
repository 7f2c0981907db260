// Opening the word database, choosing the Default collection and the read-only query path.
#include "Collections.h"
#include "JetDialect.h"
#include "StoreError.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

using namespace TestSupport;

namespace {

// The first column of every row the query returns, in the order returned.
QStringList firstColumn(WordDatabase &db, const QString &sql)
{
    const Snapshot s = db.query(sql);
    QStringList out;
    for (qint64 r = 0; r < s.rowCount(); ++r)
        out << s.text(r, 0);
    return out;
}

} // namespace

class TstWordDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaultChoice_data();
    void defaultChoice();
    void refusesUnusableFiles_data();
    void refusesUnusableFiles();
    void refusesLockedFile();
    void opensInWalMode();
    void queriesThroughDialect();
    void refusesChanges_data();
    void refusesChanges();
    void reportsEngineErrors();
    void prefixSearchUsesIndex();

private:
    std::unique_ptr<WorkFolder> m_folder;
};

void TstWordDatabase::init()
{
    m_folder = std::make_unique<WorkFolder>();
}

void TstWordDatabase::cleanup()
{
    m_folder.reset();
}

void TstWordDatabase::defaultChoice_data()
{
    QTest::addColumn<QList<int>>("flags");
    QTest::addColumn<QString>("table");

    QTest::newRow("first flagged") << QList<int>{1, 0, 0, 0, 0, 0} << "Words";
    QTest::newRow("row 3 flagged") << QList<int>{0, 0, 1, 0, 0, 0} << "Words2";
    QTest::newRow("rows 2 and 5 flagged") << QList<int>{0, 1, 0, 0, 1, 0} << "Words1";
    QTest::newRow("last flagged") << QList<int>{0, 0, 0, 0, 0, 1} << "Words5";
    QTest::newRow("access true is -1") << QList<int>{0, 0, 0, -1, 0, 0} << "Words3";
    QTest::newRow("six rows none flagged") << QList<int>{0, 0, 0, 0, 0, 0} << "Words5";
    QTest::newRow("seven rows none flagged") << QList<int>{0, 0, 0, 0, 0, 0, 0} << "Words";
    QTest::newRow("three rows none flagged") << QList<int>{0, 0, 0} << "Words2";
    QTest::newRow("no rows") << QList<int>{} << "Words";
}

void TstWordDatabase::defaultChoice()
{
    QFETCH(QList<int>, flags);
    QFETCH(QString, table);
    DetailsRows rows;
    for (int f : flags)
        rows.append({QStringLiteral("name"), f});
    writeDatabase(m_folder->databasePath(), rows);
    auto db = WordDatabase::open(m_folder->databasePath());
    QCOMPARE(Collections::chooseDefault(*db), table);
}

void TstWordDatabase::refusesUnusableFiles_data()
{
    QTest::addColumn<QByteArray>("prepare");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("not a database") << QByteArray("text") << "is not a Lexmora word database";
    QTest::newRow("empty file") << QByteArray("empty") << "is not a Lexmora word database";
    QTest::newRow("access file") << QByteArray("access") << "Microsoft Access database";
    QTest::newRow("damaged") << QByteArray("damaged") << "could not be opened";
    QTest::newRow("no details") << QByteArray("no details") << "no Details table";
    QTest::newRow("no word table") << QByteArray("no table") << "no Words4 table";
    QTest::newRow("wrong columns") << QByteArray("columns") << "columns word, meaning and pointer";
}

void TstWordDatabase::refusesUnusableFiles()
{
    QFETCH(QByteArray, prepare);
    QFETCH(QString, mentions);
    const QString path = m_folder->databasePath();
    const auto writeBytes = [&](const QByteArray &bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    if (prepare == "text") {
        writeBytes("word\tmeaning\tpointer\nAbate\tlessen\tv.\n");
    } else if (prepare == "empty") {
        writeBytes("");
    } else if (prepare == "access") {
        writeBytes(QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(2000, '\x07'));
    } else if (prepare == "damaged") {
        writeDatabase(path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        bytes.replace(16, bytes.size() - 16, QByteArray(bytes.size() - 16, '\xAA'));
        f.seek(0);
        f.write(bytes);
    } else {
        writeDatabase(path);
        sqlite3 *raw = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &raw);
        const char *sql = prepare == "no details" ? "DROP TABLE Details"
                          : prepare == "no table" ? "DROP TABLE Words4"
                                                  : "DROP TABLE Words3; CREATE TABLE Words3 "
                                                    "(meaning TEXT, word TEXT, pointer TEXT)";
        QCOMPARE(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(raw);
    }
    const QByteArray before = fileState(path);
    try {
        WordDatabase::open(path);
        QFAIL("an unusable file was opened");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains(mentions), qPrintable(e.message()));
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
    }
    QCOMPARE(fileState(path), before);
}

void TstWordDatabase::refusesLockedFile()
{
    const QString path = m_folder->databasePath();
    writeDatabase(path);
    sqlite3 *other = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &other);
    QCOMPARE(sqlite3_exec(other, "PRAGMA journal_mode=DELETE; PRAGMA locking_mode=EXCLUSIVE; "
                                 "BEGIN EXCLUSIVE; SELECT count(*) FROM Words;",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    QVERIFY_THROWS_EXCEPTION(StoreError, WordDatabase::open(path));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
}

void TstWordDatabase::opensInWalMode()
{
    writeDatabase(m_folder->databasePath());
    auto db = WordDatabase::open(m_folder->databasePath());
    SQLite::Statement mode(db->sql(), "PRAGMA journal_mode");
    QVERIFY(mode.executeStep());
    QCOMPARE(mode.getColumn(0).getString(), std::string("wal"));
    SQLite::Statement sync(db->sql(), "PRAGMA synchronous");
    QVERIFY(sync.executeStep());
    QCOMPARE(sync.getColumn(0).getInt(), 2); // FULL
    QCOMPARE(db->path(), m_folder->databasePath());
}

void TstWordDatabase::queriesThroughDialect()
{
    writeDatabase(m_folder->databasePath(), standardDetails(),
                  {{"Words",
                    {{"Abate", "to lessen", "v."},
                     {"Abhor", "to hate deeply", "Got it wrong"},
                     {"Cab", "a taxi", QString()},
                     {"O'neil", "one's own name", "n."},
                     {"50%", "half of it", "n."}}}});
    auto db = WordDatabase::open(m_folder->databasePath());

    const auto words = [&](const QString &sql) { return firstColumn(*db, sql); };
    QCOMPARE(words("Select * from Words where word like 'ab*'"), QStringList({"Abate", "Abhor"}));
    QCOMPARE(words("Select * from words where meaning like '*TO HATE*'"), QStringList({"Abhor"}));
    QCOMPARE(words("Select * from WORDS where pointer=\"Got it wrong\""), QStringList({"Abhor"}));
    QCOMPARE(words("Select * from Words where meaning like \"*one's*\""), QStringList({"O'neil"}));
    QCOMPARE(words("Select * from Words where word like '[!a-b]*'"), QStringList({"Cab", "O'neil", "50%"}));
    QCOMPARE(words("Select * from Words where word like '#0%'"), QStringList({"50%"}));
    QCOMPARE(words("Select [word] from [Words] where pointer is null"), QStringList({"Cab"}));
    QCOMPARE(words("select 'like' -- where 1=0\n"), QStringList({"like"}));

    const Snapshot all = db->query("Select * from Words;");
    QCOMPARE(all.rowCount(), 5);
    QCOMPARE(all.columnCount(), 3);
    QCOMPARE(all.columnName(1), "meaning");
    QVERIFY(all.isNull(2, 2));
    QCOMPARE(all.text(2, 2), QString());
    QVERIFY(all.isNull(99, 0));
}

void TstWordDatabase::refusesChanges_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("insert") << "INSERT INTO Words VALUES ('A','b','c')" << "INSERT";
    QTest::newRow("update") << "update Words set pointer = ''" << "UPDATE";
    QTest::newRow("delete") << "DELETE FROM Words" << "DELETE";
    QTest::newRow("replace") << "REPLACE INTO Words VALUES ('A','b','c')" << "INSERT";
    QTest::newRow("create") << "CREATE TABLE x (a)" << "CREATE";
    QTest::newRow("drop") << "DROP TABLE Words" << "DROP";
    QTest::newRow("alter") << "ALTER TABLE Words ADD COLUMN x" << "ALTER TABLE";
    QTest::newRow("attach") << "ATTACH DATABASE 'other.db' AS o" << "ATTACH";
    QTest::newRow("detach") << "DETACH DATABASE main" << "DETACH";
    QTest::newRow("vacuum") << "VACUUM" << "Only queries";
    QTest::newRow("pragma set") << "PRAGMA journal_mode=DELETE" << "PRAGMA";
    QTest::newRow("pragma read") << "PRAGMA table_info(Words)" << "PRAGMA";
    QTest::newRow("begin") << "BEGIN" << "transaction";
    QTest::newRow("cte delete") << "WITH x AS (SELECT 1) DELETE FROM Words" << "DELETE";
    QTest::newRow("second statement") << "select 1; delete from Words" << "one statement";
    QTest::newRow("second statement after comment")
        << "select * from Words /* c */ ;\n select 2" << "one statement";
    QTest::newRow("empty") << "" << "empty";
    QTest::newRow("only comment") << "-- nothing" << "empty";
}

void TstWordDatabase::refusesChanges()
{
    QFETCH(QString, sql);
    QFETCH(QString, mentions);
    writeDatabase(m_folder->databasePath(), standardDetails(), {{"Words", numberedWords(5)}});
    auto db = WordDatabase::open(m_folder->databasePath());
    db->query("select count(*) from Words"); // settle the WAL files before comparing
    const QByteArray before = fileState(m_folder->databasePath());
    try {
        db->query(sql);
        QFAIL("a statement that changes the database was run");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains(mentions, Qt::CaseInsensitive), qPrintable(e.message()));
    }
    QCOMPARE(fileState(m_folder->databasePath()), before);
    QCOMPARE(db->query("select * from Words").rowCount(), 5);
}

void TstWordDatabase::reportsEngineErrors()
{
    writeDatabase(m_folder->databasePath());
    auto db = WordDatabase::open(m_folder->databasePath());
    const auto error = [&](const QString &sql) {
        try {
            db->query(sql);
        } catch (const StoreError &e) {
            return e.message();
        }
        return QString();
    };
    QCOMPARE(error("Example: Select * from words"), "near \"Example\": syntax error");
    QCOMPARE(error("Select * from Nowhere"), "no such table: Nowhere");
    QCOMPARE(error("Select * from Words where word like 'it's'"), "near \"s\": syntax error");
}

void TstWordDatabase::prefixSearchUsesIndex()
{
    writeDatabase(m_folder->databasePath(), standardDetails(),
                  {{"Words",
                    {{"abacus", "x", "n."}, {"ABATE", "x", "v."}, {"Abc", "x", "n."},
                     {"Ab", "x", "n."}, {"Ac", "x", "n."}, {"Aa", "x", "n."},
                     {QString::fromUtf8("\u212Aab"), "kelvin sign", "n."}, {"Kab", "x", "n."}}}});
    auto db = WordDatabase::open(m_folder->databasePath());
    const auto words = [&](const QString &sql) {
        QStringList out = firstColumn(*db, sql);
        out.sort();
        return out;
    };
    QCOMPARE(words("select * from Words where word like 'AB*'"),
             QStringList({"ABATE", "Ab", "Abc", "abacus"}));
    // The same search written so that no range is added finds the same words.
    QCOMPARE(words("select * from Words where word like 'AB*' = 1"), words("select * from Words where word like 'ab*'"));
    QCOMPARE(words("select * from Words where word like 'k*'"), QStringList({"Kab"}));

    SQLite::Statement plan(db->sql(), "EXPLAIN QUERY PLAN " +
                                          JetDialect::translate("select * from Words where word like 'ab*'"));
    QString steps;
    while (plan.executeStep())
        steps += QString::fromStdString(plan.getColumn(3).getString());
    QVERIFY2(steps.contains("Words_word_nocase"), qPrintable(steps));
}

QTEST_GUILESS_MAIN(TstWordDatabase)
#include "tst_worddatabase.moc"
