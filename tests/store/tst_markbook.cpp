// Marking words answered wrongly and giving each record its own pointer back.
#include "MarkBook.h"
#include "StoreTestAccess.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>
#include <QFile>
#include <QTest>

#include <sqlite3.h>

using namespace TestSupport;

class TstMarkBook : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void marksEveryRowOfTheWord();
    void clearGivesPointersBack();
    void markingTwiceKeepsFirstPointer();
    void editedOrDeletedRecordLosesKeptPointer();
    void reusedRowidGetsNoStalePointer();
    void collectionsAreKeptApart();
    void userTablesWithOldNamesAreLeftAlone();
    void olderFileKeepsItsMarks();

private:
    QStringList pointers(const QString &table = QStringLiteral("Words"));
    // Closes the database, runs `sql` on the file as another program would, and reopens it.
    void reopenAfter(const char *sql);

    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<WordDatabase> m_db;
};

void TstMarkBook::init()
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), standardDetails(),
                  {{"Words",
                    {{"Abate", "to lessen", "v."},
                     {"Zeal", "fervour", "my note"},
                     {"Abate", "to subside", QString()},
                     {"Zeal", "eagerness", "second"}}},
                   {"Words1", {{"Zeal", "fervour", "other table"}}}});
    m_db = WordDatabase::open(m_folder->databasePath());
}

void TstMarkBook::cleanup()
{
    m_db.reset();
    m_folder.reset();
}

QStringList TstMarkBook::pointers(const QString &table)
{
    QStringList out;
    SQLite::Statement st(StoreTestAccess::sql(*m_db),
                         "SELECT pointer FROM " + table.toStdString() + " ORDER BY rowid");
    while (st.executeStep())
        out << (st.getColumn(0).isNull() ? QStringLiteral("<null>")
                                         : QString::fromStdString(st.getColumn(0).getString()));
    return out;
}

void TstMarkBook::marksEveryRowOfTheWord()
{
    QVERIFY(!MarkBook::hasMarks(*m_db, "Words"));
    QCOMPARE(MarkBook::markWord(*m_db, "Words", "Zeal"), 2);
    QCOMPARE(pointers(), QStringList({"v.", "Got it wrong", "<null>", "Got it wrong"}));
    QVERIFY(MarkBook::hasMarks(*m_db, "words"));
    QCOMPARE(MarkBook::markWord(*m_db, "Words", "zeal"), 0); // exact, case-sensitive
    QCOMPARE(MarkBook::markWord(*m_db, "Words", "Zeal "), 0);
}

void TstMarkBook::clearGivesPointersBack()
{
    MarkBook::markWord(*m_db, "Words", "Zeal");
    MarkBook::markWord(*m_db, "Words", "Abate");
    QCOMPARE(MarkBook::clearMarks(*m_db, "Words"), 4);
    // A missing pointer comes back missing, not as the empty text.
    QCOMPARE(pointers(), QStringList({"v.", "my note", "<null>", "second"}));
    QVERIFY(!MarkBook::hasMarks(*m_db, "Words"));
    QCOMPARE(MarkBook::clearMarks(*m_db, "Words"), 0);
}

void TstMarkBook::markingTwiceKeepsFirstPointer()
{
    MarkBook::markWord(*m_db, "Words", "Zeal");
    MarkBook::markWord(*m_db, "Words", "Zeal");
    MarkBook::clearMarks(*m_db, "Words");
    QCOMPARE(pointers(), QStringList({"v.", "my note", "<null>", "second"}));
    // A record whose own pointer already read "Got it wrong" has nothing else to give back.
    StoreTestAccess::sql(*m_db).exec(
        "UPDATE Words SET pointer = 'Got it wrong' WHERE meaning = 'to lessen'");
    MarkBook::markWord(*m_db, "Words", "Abate");
    MarkBook::clearMarks(*m_db, "Words");
    QCOMPARE(pointers(), QStringList({"", "my note", "<null>", "second"}));
}

void TstMarkBook::editedOrDeletedRecordLosesKeptPointer()
{
    MarkBook::markWord(*m_db, "Words", "Zeal");
    TableCursor words(*m_db, "Words");
    words.moveNext(); // Zeal, fervour
    words.edit();
    words.setField("meaning", "burning fervour");
    words.update();
    words.moveLast(); // Zeal, eagerness
    words.deleteCurrent();
    MarkBook::clearMarks(*m_db, "Words");
    QCOMPARE(pointers(), QStringList({"v.", "", "<null>"}));
    SQLite::Statement left(StoreTestAccess::sql(*m_db),
                           std::string("SELECT count(*) FROM ") + MarkBook::Table);
    left.executeStep();
    QCOMPARE(left.getColumn(0).getInt(), 0);
}

void TstMarkBook::reusedRowidGetsNoStalePointer()
{
    MarkBook::markWord(*m_db, "Words", "Zeal");
    StoreTestAccess::sql(*m_db).exec("DELETE FROM Words WHERE rowid = 4");
    StoreTestAccess::sql(*m_db).exec("INSERT INTO Words (rowid, word, meaning, pointer) VALUES "
                                     "(4, 'Zeal', 'eagerness', 'Got it wrong')");
    MarkBook::clearMarks(*m_db, "Words");
    QCOMPARE(pointers(), QStringList({"v.", "my note", "<null>", ""}));
}

void TstMarkBook::collectionsAreKeptApart()
{
    MarkBook::markWord(*m_db, "Words", "Zeal");
    MarkBook::markWord(*m_db, "Words1", "Zeal");
    MarkBook::clearMarks(*m_db, "Words1");
    QCOMPARE(pointers("Words1"), QStringList({"other table"}));
    QCOMPARE(pointers(), QStringList({"v.", "Got it wrong", "<null>", "Got it wrong"}));
    MarkBook::clearMarks(*m_db, "Words");
    QCOMPARE(pointers(), QStringList({"v.", "my note", "<null>", "second"}));
}

void TstMarkBook::reopenAfter(const char *sql)
{
    m_db.reset();
    sqlite3 *raw = nullptr;
    sqlite3_open(QFile::encodeName(m_folder->databasePath()).constData(), &raw);
    QCOMPARE(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
    m_db = WordDatabase::open(m_folder->databasePath());
}

// A user's own table and trigger called like the ones older versions used are not ours:
// marking works beside them and leaves them as they were.
void TstMarkBook::userTablesWithOldNamesAreLeftAlone()
{
    reopenAfter("CREATE TABLE PointerMarks (note TEXT); INSERT INTO PointerMarks VALUES ('mine');"
                "CREATE TABLE Log (what TEXT);"
                "CREATE TRIGGER Words_marks_update AFTER UPDATE ON Words BEGIN "
                "INSERT INTO Log VALUES (new.word); END;");
    QCOMPARE(MarkBook::markWord(*m_db, "Words", "Zeal"), 2);
    QCOMPARE(MarkBook::clearMarks(*m_db, "Words"), 2);
    QCOMPARE(pointers(), QStringList({"v.", "my note", "<null>", "second"}));
    SQLite::Statement theirs(StoreTestAccess::sql(*m_db),
                             "SELECT group_concat(note) || ' ' || (SELECT count(*) "
                             "FROM Log) FROM PointerMarks");
    theirs.executeStep();
    // Their row is still there, and their trigger saw the two marks and the two clearings.
    QCOMPARE(theirs.getColumn(0).getString(), std::string("mine 4"));
}

// A file marked by an older version keeps its marks: the kept pointers move to our table.
void TstMarkBook::olderFileKeepsItsMarks()
{
    reopenAfter(
        "DROP TABLE lexmora_kept_pointers;"
        "DROP TRIGGER lexmora_marks_Words_delete; DROP TRIGGER lexmora_marks_Words_update;"
        "CREATE TABLE PointerMarks (tbl TEXT NOT NULL, rid INTEGER NOT NULL, word TEXT, pointer "
        "TEXT, PRIMARY KEY (tbl, rid));"
        "CREATE TRIGGER Words_marks_delete AFTER DELETE ON Words BEGIN DELETE FROM PointerMarks "
        "WHERE tbl = 'Words' AND rid = old.rowid; END;"
        "INSERT INTO PointerMarks VALUES ('Words', 2, 'Zeal', 'my note'), ('Words', 4, 'Zeal', "
        "'second');"
        "UPDATE Words SET pointer = 'Got it wrong' WHERE word = 'Zeal';");
    QVERIFY(!m_db->hasTable("PointerMarks"));
    StoreTestAccess::sql(*m_db).exec(
        "DELETE FROM Words WHERE meaning = 'to lessen'"); // no trigger left behind
    QCOMPARE(MarkBook::clearMarks(*m_db, "Words"), 2);
    QCOMPARE(pointers(), QStringList({"my note", "<null>", "second"}));
}

QTEST_GUILESS_MAIN(TstMarkBook)
#include "tst_markbook.moc"
