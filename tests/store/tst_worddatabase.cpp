// Opening the word database, choosing the Default collection and the read-only query path.
#include "ChildProcess.h"
#include "Collections.h"
#include "JetDialect.h"
#include "MarkBook.h"
#include "StoreError.h"
#include "StoreTestAccess.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sqlite3.h>
#include <thread>
#include <sys/stat.h>

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

// The file's bytes; for what is not a plain file, what it is (reading a FIFO would block).
QByteArray state(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? "folder" : "fifo";
    return fileState(path);
}

// What WordDatabase::open() says when it refuses the file; empty when it opens it.
QString refusal(const QString &path)
{
    try {
        WordDatabase::open(path);
    } catch (const StoreError &e) {
        return e.message();
    }
    return QString();
}

// The same, as an ordinary user: the permission checks mean nothing to root.
QString refusalAsOrdinaryUser(const QString &path)
{
    return asOrdinaryUser([&] { return refusal(path); });
}

constexpr auto ReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr auto ReadWrite = ReadOnly | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
constexpr auto AllExecute = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

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
    void refusesWhatCannotBeWritten_data();
    void refusesWhatCannotBeWritten();
    void refusesLockedFile();
    void opensWithoutSomeWordTables();
    void opensInWalMode();
    void queriesThroughDialect();
    void refusesChanges_data();
    void refusesChanges();
    void readsThroughPragmasAndTableFunctions_data();
    void readsThroughPragmasAndTableFunctions();
    void fullTextTokenizerCannotBeReached();
    void twoProgramsSideBySide();
    void twoCopiesPrepareAnOldFileAtOnce();
    void opensOnAnotherThreadWithoutWaiting();
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
    QTest::newRow("empty file") << QByteArray("empty") << "is empty";
    QTest::newRow("random bytes") << QByteArray("random") << "is not a Lexmora word database";
    QTest::newRow("access file") << QByteArray("access") << "Microsoft Access database";
    QTest::newRow("damaged") << QByteArray("damaged") << "file is not a database";
    QTest::newRow("truncated") << QByteArray("truncated") << "is damaged";
    // A damaged page that only building our index reads: refused, and the rollback-journal
    // file keeps its header (no switch to WAL before the refusal).
    QTest::newRow("damaged page") << QByteArray("damaged page") << "database disk image is malformed";
    QTest::newRow("a folder") << QByteArray("folder") << "is a folder";
    QTest::newRow("a fifo") << QByteArray("fifo") << "not an ordinary file";
    QTest::newRow("no details") << QByteArray("DROP TABLE Details") << "no Details table";
    QTest::newRow("no word tables at all")
        << QByteArray("DROP TABLE Words; DROP TABLE Words1; DROP TABLE Words2; DROP TABLE "
                      "Words3; DROP TABLE Words4; DROP TABLE Words5")
        << "none of the word tables";
    QTest::newRow("wrong columns") << QByteArray("DROP TABLE Words3; CREATE TABLE Words3 "
                                                 "(meaning TEXT, word TEXT, pointer TEXT)")
                                   << "columns word, meaning and pointer";
    // Our index's name taken by a user's table: refused naming it, and the rollback-journal
    // file keeps its header (no switch to WAL before the refusal).
    QTest::newRow("index name taken")
        << QByteArray("DROP INDEX Words2_word_nocase; CREATE TABLE Words2_word_nocase (x)")
        << "table named Words2_word_nocase that Lexmora did not make";
    // The settings table's name taken by a user's table or view: refused by name.
    QTest::newRow("settings name taken by a table")
        << QByteArray("DROP TABLE IF EXISTS lexmora_settings; CREATE TABLE lexmora_settings "
                      "(name TEXT, value TEXT)")
        << "holds a table called lexmora_settings that Lexmora did not make";
    QTest::newRow("settings name taken by a view")
        << QByteArray("DROP TABLE IF EXISTS lexmora_settings; CREATE VIEW LEXMORA_SETTINGS AS "
                      "SELECT 1 AS key, 2 AS value")
        << "holds a view called lexmora_settings";
    // Our own names taken by a user's objects of another shape: refused before our
    // triggers go in, naming the object (once, every delete or update failed).
    QTest::newRow("kept pointers with other columns")
        << QByteArray("DROP TABLE lexmora_kept_pointers; CREATE TABLE lexmora_kept_pointers "
                      "(word TEXT, note TEXT)")
        << "table named lexmora_kept_pointers that Lexmora did not make (its columns are word, note)";
    QTest::newRow("kept pointers in capitals")
        << QByteArray("DROP TABLE lexmora_kept_pointers; CREATE TABLE LEXMORA_KEPT_POINTERS "
                      "(tbl, rid, word, pointer)")
        << "named LEXMORA_KEPT_POINTERS";
    QTest::newRow("kept pointers a view")
        << QByteArray("DROP TABLE lexmora_kept_pointers; CREATE VIEW lexmora_kept_pointers AS "
                      "SELECT 'Words' tbl, 1 rid, 'a' word, 'b' pointer")
        << "view named lexmora_kept_pointers";
    QTest::newRow("text index a plain table")
        << QByteArray("DROP TABLE lexmora_text_Words; CREATE TABLE lexmora_text_Words "
                      "(word, meaning, pointer)")
        << "table named lexmora_text_Words";
    QTest::newRow("text index over another table")
        << QByteArray("DROP TABLE lexmora_text_Words1; CREATE VIRTUAL TABLE lexmora_text_Words1 "
                      "USING fts5(word, meaning, pointer, content=Words2)")
        << "named lexmora_text_Words1";
    QTest::newRow("a table by a text index's own name")
        << QByteArray("DROP TABLE lexmora_text_Words3; CREATE TABLE lexmora_text_Words3_data (x)")
        << "named lexmora_text_Words3_data";
    QTest::newRow("word index on another column")
        << QByteArray("DROP INDEX Words_word; CREATE INDEX Words_word ON Words (meaning)")
        << "index named Words_word";
    QTest::newRow("word index on the word and more")
        << QByteArray("DROP INDEX Words1_word_nocase; CREATE INDEX Words1_word_nocase ON Words1 "
                      "(word COLLATE NOCASE, meaning)")
        << "index named Words1_word_nocase";
    QTest::newRow("marked index of another table")
        << QByteArray("DROP INDEX lexmora_marked_Words4; CREATE INDEX lexmora_marked_Words4 ON "
                      "Words5 (pointer)")
        << "index named lexmora_marked_Words4";
    QTest::newRow("marks trigger doing something else")
        << QByteArray("DROP TRIGGER lexmora_marks_Words_delete; CREATE TRIGGER "
                      "lexmora_marks_Words_delete AFTER DELETE ON Words BEGIN SELECT 1; END")
        << "trigger named lexmora_marks_Words_delete";
    QTest::newRow("text trigger on another table")
        << QByteArray("DROP TRIGGER lexmora_text_Words2_insert; CREATE TRIGGER "
                      "lexmora_text_Words2_insert AFTER INSERT ON Words1 BEGIN INSERT INTO "
                      "lexmora_text_Words2(rowid, word) VALUES (new.rowid, new.word); END")
        << "trigger named lexmora_text_Words2_insert";
    // The names an index goes by while it grows.
    QTest::newRow("growing index over another table")
        << QByteArray("CREATE VIRTUAL TABLE lexmora_textfill_Words4 USING fts5(word, meaning, "
                      "pointer, content=Words2)")
        << "named lexmora_textfill_Words4";
    QTest::newRow("growth table with other columns")
        << QByteArray("CREATE TABLE lexmora_text_fill (tbl TEXT, done INTEGER)")
        << "table named lexmora_text_fill that Lexmora did not make (its columns are tbl, done)";
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
    } else if (prepare == "random") {
        QByteArray bytes(8192, '\0');
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 7919 + 13) % 251);
        writeBytes(bytes);
    } else if (prepare == "access") {
        writeBytes(QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(2000, '\x07'));
    } else if (prepare == "damaged" || prepare == "truncated") {
        writeDatabase(path, standardDetails(), {{"Words", numberedWords(2000)}});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        if (prepare == "truncated") {
            QVERIFY(f.resize(f.size() / 2));
        } else {
            QByteArray bytes = f.readAll();
            bytes.replace(16, bytes.size() - 16, QByteArray(bytes.size() - 16, '\xAA'));
            f.seek(0);
            f.write(bytes);
        }
    } else if (prepare == "damaged page") {
        writeDatabase(path, standardDetails(), {{"Words", numberedWords(2000)}});
        sqlite3 *raw = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &raw);
        QCOMPARE(sqlite3_exec(raw, "PRAGMA journal_mode=DELETE; DROP INDEX Words_word_nocase",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_stmt *root = nullptr;
        sqlite3_prepare_v2(raw, "SELECT rootpage FROM sqlite_master WHERE name = 'Words'", -1,
                           &root, nullptr);
        QCOMPARE(sqlite3_step(root), SQLITE_ROW);
        const qint64 page = sqlite3_column_int64(root, 0);
        sqlite3_finalize(root);
        sqlite3_close(raw);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.seek((page - 1) * 4096));
        f.write(QByteArray(4096, '\xAA'));
    } else if (prepare == "folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (prepare == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        writeDatabase(path);
        sqlite3 *raw = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &raw);
        const QByteArray sql = "PRAGMA journal_mode=DELETE; " + prepare;
        QCOMPARE(sqlite3_exec(raw, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(raw);
    }
    const QByteArray before = state(path);
    const QString message = refusal(path);
    QVERIFY2(message.contains(mentions), qPrintable(message));
    QVERIFY2(message.contains(path), qPrintable(message));
    QCOMPARE(state(path), before);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
             QStringList{WordDatabase::FileName});
}

// Permissions keep the program from writing: refused before SQLite makes its -wal and
// -shm files beside the database. Run as an ordinary user, since root may write anyway.
void TstWordDatabase::refusesWhatCannotBeWritten_data()
{
    QTest::addColumn<bool>("readOnlyFile");
    QTest::addColumn<bool>("walFile");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("read-only file") << true << false << "cannot be written to";
    QTest::newRow("read-only wal file") << true << true << "cannot be written to";
    QTest::newRow("read-only folder") << false << false << "The folder";
    QTest::newRow("read-only folder, wal file") << false << true << "The folder";
}

void TstWordDatabase::refusesWhatCannotBeWritten()
{
    QFETCH(bool, readOnlyFile);
    QFETCH(bool, walFile);
    QFETCH(QString, mentions);
    const QString path = m_folder->databasePath();
    writeDatabase(path, standardDetails(), {{"Words", numberedWords(3)}});
    if (!walFile) {
        sqlite3 *raw = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &raw);
        QCOMPARE(sqlite3_exec(raw, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(raw);
    }
    const QByteArray before = fileState(path);
    const QString folder = m_folder->path();
    QVERIFY(QFile::setPermissions(path, readOnlyFile ? ReadOnly : ReadWrite));
    QVERIFY(QFile::setPermissions(folder, readOnlyFile ? ReadWrite | AllExecute : ReadOnly | AllExecute));
    const QString message = refusalAsOrdinaryUser(path);
    QVERIFY(QFile::setPermissions(folder, ReadWrite | AllExecute));
    QVERIFY2(message.contains(mentions), qPrintable(message));
    QCOMPARE(fileState(path), before);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
             QStringList{WordDatabase::FileName});
}

// Another program holds the file with an exclusive lock: refused in plain words, unchanged.
void TstWordDatabase::refusesLockedFile()
{
    const QString path = m_folder->databasePath();
    writeDatabase(path);
    ChildProcess holder([&] {
        sqlite3 *other = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &other);
        return sqlite3_exec(other, "PRAGMA journal_mode=DELETE; PRAGMA locking_mode=EXCLUSIVE; "
                                   "BEGIN EXCLUSIVE; SELECT count(*) FROM Words;",
                            nullptr, nullptr, nullptr) == SQLITE_OK;
    });
    QVERIFY(holder.ready());
    const QByteArray before = fileState(path);
    const QString message = refusal(path);
    QVERIFY2(message.contains("another program is holding the file locked"), qPrintable(message));
    QCOMPARE(fileState(path), before);
}

// A file lacking some word tables opens; only those collections are unavailable.
void TstWordDatabase::opensWithoutSomeWordTables()
{
    const QString path = m_folder->databasePath();
    writeDatabase(path, standardDetails(), {{"Words", numberedWords(3)}});
    sqlite3 *raw = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &raw);
    QCOMPARE(sqlite3_exec(raw, "DROP TABLE Words4; DROP TABLE Words2", nullptr, nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(raw);
    auto db = WordDatabase::open(path);
    QVERIFY(db->hasTable("Words"));
    QVERIFY(!db->hasTable("Words4"));
    QCOMPARE(db->query("select * from Words").rowCount(), 3);
    QVERIFY_THROWS_EXCEPTION(std::exception, TableCursor(*db, "Words4"));
    QVERIFY_THROWS_EXCEPTION(StoreError, db->query("select * from Words2"));
}

void TstWordDatabase::opensInWalMode()
{
    writeDatabase(m_folder->databasePath());
    auto db = WordDatabase::open(m_folder->databasePath());
    SQLite::Statement mode(StoreTestAccess::sql(*db), "PRAGMA journal_mode");
    QVERIFY(mode.executeStep());
    QCOMPARE(mode.getColumn(0).getString(), std::string("wal"));
    SQLite::Statement sync(StoreTestAccess::sql(*db), "PRAGMA synchronous");
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
    QTest::newRow("pragma with a value") << "PRAGMA user_version = 7" << "PRAGMA user_version with the value 7";
    QTest::newRow("pragma that writes") << "PRAGMA wal_checkpoint(TRUNCATE)" << "PRAGMA wal_checkpoint";
    QTest::newRow("pragma that is not a reading one") << "PRAGMA optimize" << "PRAGMA optimize";
    QTest::newRow("fts3_tokenizer address") << "select hex(fts3_tokenizer('simple'))" << "function fts3_tokenizer";
    QTest::newRow("fts3_tokenizer set") << "select fts3_tokenizer('simple', x'4141414141414141')" << "function fts3_tokenizer";
    QTest::newRow("load_extension") << "select load_extension('libc.so.6')" << "function load_extension";
    QTest::newRow("zeroblob") << "select length(zeroblob(1000000000))" << "function zeroblob";
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

void TstWordDatabase::readsThroughPragmasAndTableFunctions_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("firstColumn");

    QTest::newRow("pragma table_info") << "pragma table_info(Words)" << QStringList{"0", "1", "2"};
    QTest::newRow("pragma_table_info") << "select name from pragma_table_info('Words')"
                                       << QStringList{"word", "meaning", "pointer"};
    QTest::newRow("pragma user_version") << "PRAGMA user_version" << QStringList{"0"};
    QTest::newRow("pragma index_list") << "select count(*) > 0 from pragma_index_list('Words')"
                                       << QStringList{"1"};
    QTest::newRow("pragma integrity_check") << "pragma integrity_check" << QStringList{"ok"};
    QTest::newRow("json_each") << "select value from json_each('[\"b\", \"a\"]')"
                               << QStringList{"b", "a"};
    QTest::newRow("json_each in a where")
        << "select word from Words where word in (select value from json_each('[\"Word000002\"]'))"
        << QStringList{"Word000002"};
    QTest::newRow("ordinary functions")
        << "select upper(substr(word, 1, 4)) || printf('%03d', count(*)) from Words"
        << QStringList{"WORD003"};
}

void TstWordDatabase::readsThroughPragmasAndTableFunctions()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, firstColumn);
    writeDatabase(m_folder->databasePath(), standardDetails(), {{"Words", numberedWords(3)}});
    auto db = WordDatabase::open(m_folder->databasePath());
    QCOMPARE(::firstColumn(*db, sql), firstColumn);
}

// fts3_tokenizer() once let the SQL box plant an address that the next read of a full-text
// table jumped to, and gave away a live address. Neither works, through any path.
void TstWordDatabase::fullTextTokenizerCannotBeReached()
{
    const QString path = m_folder->databasePath();
    writeDatabase(path);
    sqlite3 *raw = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &raw);
    QCOMPARE(sqlite3_exec(raw, "CREATE VIRTUAL TABLE notes USING fts4(body); INSERT INTO notes "
                               "VALUES ('abate means to lessen')",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(raw);
    auto db = WordDatabase::open(path);
    QVERIFY_THROWS_EXCEPTION(StoreError, db->query("select fts3_tokenizer('simple', x'4141414141414141')"));
    QCOMPARE(::firstColumn(*db, "select body from notes where notes match 'lessen'"),
             QStringList{"abate means to lessen"});
    // Not even the program's own statements can set a tokenizer.
    QVERIFY_THROWS_EXCEPTION(
        SQLite::Exception,
        StoreTestAccess::sql(*db).exec("select fts3_tokenizer('simple', x'4141414141414141')"));
    QCOMPARE(::firstColumn(*db, "select count(*) from notes"), QStringList{"1"});
    int defensive = 0;
    sqlite3_db_config(StoreTestAccess::sql(*db).getHandle(), SQLITE_DBCONFIG_DEFENSIVE, -1,
                      &defensive);
    QCOMPARE(defensive, 1);
}

// Two copies of the program on one file, each writing its own words at the same time.
void TstWordDatabase::twoProgramsSideBySide()
{
    const QString path = m_folder->databasePath();
    writeDatabase(path, standardDetails(), {{"Words", numberedWords(10)}});
    constexpr int Each = 60;
    const auto addWords = [&](const QString &prefix) {
        auto db = WordDatabase::open(path);
        TableCursor words(*db, "Words");
        for (int i = 0; i < Each; ++i) {
            words.addNew();
            words.setField("word", prefix + QString::number(i));
            words.setField("meaning", "m");
            words.update();
            if (i % 10 == 0)
                MarkBook::markWord(*db, "Words", prefix + QString::number(i));
        }
        return true;
    };
    ChildProcess other([&] {
        try {
            return addWords("Other");
        } catch (const std::exception &) {
            return false;
        }
    });
    addWords("This");
    QVERIFY(other.ready());
    auto db = WordDatabase::open(path);
    QCOMPARE(::firstColumn(*db, "select count(*) from Words"), QStringList{QString::number(10 + 2 * Each)});
    QCOMPARE(::firstColumn(*db, "select count(*) from Words where pointer = 'Got it wrong'"),
             QStringList{QString::number(2 * Each / 10)});
    QCOMPARE(::firstColumn(*db, "pragma integrity_check"), QStringList{"ok"});
}

// Two copies of the program opening a file from another program for the first time at the
// same moment: one adds the indexes, the other waits for it and then opens as well.
void TstWordDatabase::twoCopiesPrepareAnOldFileAtOnce()
{
    const QString path = m_folder->databasePath();
    writeForeignDatabase(path, 100000);
    const auto opens = [&] {
        try {
            auto db = WordDatabase::open(path);
            return ::firstColumn(*db, "select count(*) from Words where meaning like "
                                      "'*of 42424*'") == QStringList{"1"};
        } catch (const std::exception &) {
            return false;
        }
    };
    ChildProcess other(opens);
    QVERIFY(opens());
    QVERIFY(other.ready());
    auto db = WordDatabase::open(path);
    QCOMPARE(::firstColumn(*db, "select count(*) from sqlite_schema where name = "
                                "'lexmora_text_Words'"),
             QStringList{"1"});
    QCOMPARE(::firstColumn(*db, "pragma integrity_check"), QStringList{"ok"});
}

// Opened on a thread of its own, the file is refused untouched where the open would have to
// wait for another program's write lock; otherwise it is handed over ready, and the
// search index still to grow is grown by the thread that takes it.
void TstWordDatabase::opensOnAnotherThreadWithoutWaiting()
{
    const QString path = m_folder->databasePath();
    writeForeignDatabase(path, 20000);
    const auto openOnThread = [&] {
        std::unique_ptr<WordDatabase> db;
        QString refused;
        std::thread([&] {
            try {
                db = WordDatabase::openUnwatched(path);
            } catch (const StoreError &e) {
                refused = e.message();
            }
        }).join();
        return std::pair{std::move(db), refused};
    };

    const QByteArray before = fileState(path);
    {
        SQLite::Database other(QFile::encodeName(path).toStdString(), SQLite::OPEN_READWRITE);
        other.exec("BEGIN IMMEDIATE");
        const auto [db, refused] = openOnThread();
        QVERIFY(!db);
        QVERIFY2(refused.contains("another program is holding the file locked"), qPrintable(refused));
    }
    QCOMPARE(fileState(path), before);

    auto [db, refused] = openOnThread();
    QVERIFY2(db, qPrintable(refused));
    const QString indexed = "select count(*) from sqlite_schema where name = 'lexmora_text_Words'";
    QCOMPARE(::firstColumn(*db, indexed), QStringList{"0"});
    db->finishOpening();
    QCOMPARE(::firstColumn(*db, indexed), QStringList{"1"});
    QCOMPARE(::firstColumn(*db, "select count(*) from Words where meaning like '*of 4242*'"),
             QStringList{"1"});
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

    SQLite::Statement plan(StoreTestAccess::sql(*db),
                           "EXPLAIN QUERY PLAN " +
                               JetDialect::translate("select * from Words where word like 'ab*'"));
    QString steps;
    while (plan.executeStep())
        steps += QString::fromStdString(plan.getColumn(3).getString());
    QVERIFY2(steps.contains("Words_word_nocase"), qPrintable(steps));
}

QTEST_GUILESS_MAIN(TstWordDatabase)
#include "tst_worddatabase.moc"
