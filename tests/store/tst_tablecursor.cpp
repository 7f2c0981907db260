// The table-type record set: movement at both ends, deletes, edits and live re-reading.
#include "StoreError.h"
#include "StoreTestAccess.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QTest>
#include <SQLiteCpp/Database.h>

using namespace TestSupport;

class TstTableCursor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void emptyTable();
    void walksBothEnds();
    void deletedRecordStaysCurrent();
    void addEditUpdate();
    void sharedChangesSeenAtOnce();
    void ordinalJump();
    void ordinalJumpFollowsChanges_data();
    void ordinalJumpFollowsChanges();
    void findFirstIsExact();
    void fieldsByNameAndNull();
    void tableNamesIgnoreCase();

private:
    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<WordDatabase> m_db;
};

void TstTableCursor::init()
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), standardDetails(),
                  {{"Words", numberedWords(3)}, {"Words1", {{"Solo", "only one", QString()}}}});
    m_db = WordDatabase::open(m_folder->databasePath());
}

void TstTableCursor::cleanup()
{
    m_db.reset();
    m_folder.reset();
}

void TstTableCursor::emptyTable()
{
    TableCursor c(*m_db, "Words2");
    QVERIFY(c.bof());
    QVERIFY(c.eof());
    QCOMPARE(c.recordCount(), 0);
    QVERIFY(!c.moveNext());
    QVERIFY(!c.movePrevious());
    QVERIFY(!c.moveFirst());
    QVERIFY(c.field(0).isNull());
    QVERIFY_THROWS_EXCEPTION(StoreError, c.edit());
    QVERIFY_THROWS_EXCEPTION(StoreError, c.deleteCurrent());
}

void TstTableCursor::walksBothEnds()
{
    TableCursor c(*m_db, "Words");
    QCOMPARE(c.recordCount(), 3);
    QCOMPARE(c.text(0), "Word000001"); // opens on the first record
    QVERIFY(!c.bof());
    QVERIFY(c.moveNext());
    QVERIFY(c.moveNext());
    QCOMPARE(c.text("word"), "Word000003");
    QVERIFY(!c.moveNext());
    QVERIFY(c.eof());
    QVERIFY(!c.bof());
    QVERIFY(c.field(0).isNull());
    QVERIFY(!c.moveNext()); // stays past the end
    QVERIFY(c.movePrevious());
    QCOMPARE(c.text(0), "Word000003");
    QVERIFY(c.moveFirst());
    QVERIFY(!c.movePrevious());
    QVERIFY(c.bof());
    QVERIFY(!c.eof());
    QVERIFY(c.moveNext()); // from before the first record onto it
    QCOMPARE(c.text(0), "Word000001");
    QVERIFY(c.moveLast());
    QCOMPARE(c.text(0), "Word000003");
}

void TstTableCursor::deletedRecordStaysCurrent()
{
    TableCursor c(*m_db, "Words");
    c.moveNext();
    c.deleteCurrent();
    QVERIFY(!c.hasCurrent());
    QVERIFY(c.field(0).isNull());
    QVERIFY_THROWS_EXCEPTION(StoreError, c.deleteCurrent());
    QCOMPARE(c.recordCount(), 2);
    QVERIFY(c.moveNext());
    QCOMPARE(c.text(0), "Word000003");
    QVERIFY(c.movePrevious());
    QCOMPARE(c.text(0), "Word000001");
    // Deleting the last record and moving on lands past the end.
    c.moveLast();
    c.deleteCurrent();
    QVERIFY(!c.moveNext());
    QVERIFY(c.eof());
    c.moveFirst();
    c.deleteCurrent();
    QVERIFY(!c.moveNext());
    QVERIFY(!c.moveFirst());
    QVERIFY(c.bof() && c.eof());
}

void TstTableCursor::addEditUpdate()
{
    TableCursor c(*m_db, "Words");
    c.moveNext();
    c.addNew();
    c.setField("word", "Zeal");
    c.setField(1, "great energy for a cause");
    c.update();
    QCOMPARE(c.text(0), "Word000002"); // adding leaves the position alone
    QCOMPARE(c.recordCount(), 4);
    QVERIFY(c.moveLast());
    QCOMPARE(c.text(0), "Zeal");
    QVERIFY(c.field(2).isNull());

    c.edit();
    c.setField("pointer", "Got it wrong");
    c.update();
    QCOMPARE(c.text(2), "Got it wrong");
    QCOMPARE(c.text(1), "great energy for a cause");

    c.edit();
    c.setField(1, "changed");
    c.cancelUpdate();
    QCOMPARE(c.text(1), "great energy for a cause");
    QVERIFY_THROWS_EXCEPTION(StoreError, c.update());
}

void TstTableCursor::sharedChangesSeenAtOnce()
{
    TableCursor a(*m_db, "Words");
    TableCursor b(*m_db, "Words");
    b.edit();
    b.setField(1, "rewritten");
    b.update();
    QCOMPARE(a.text(1), "rewritten");
    StoreTestAccess::sql(*m_db).exec(
        "UPDATE Words SET meaning = 'by sql' WHERE word = 'Word000001'");
    QCOMPARE(b.text(1), "by sql");
    b.deleteCurrent();
    QVERIFY(a.field(0).isNull());
    QVERIFY(a.moveNext());
    QCOMPARE(a.text(0), "Word000002");
}

void TstTableCursor::ordinalJump()
{
    TableCursor c(*m_db, "Words");
    QVERIFY(c.moveToOrdinal(3));
    QCOMPARE(c.text(0), "Word000003");
    QVERIFY(c.moveToOrdinal(1));
    QCOMPARE(c.text(0), "Word000001");
    QVERIFY(!c.moveToOrdinal(4));
    QVERIFY(c.eof());
}

void TstTableCursor::ordinalJumpFollowsChanges_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("elsewhere"); // made by another connection, as another program would
    QTest::newRow("none") << "" << false;
    QTest::newRow("gaps in the middle") << "DELETE FROM Words WHERE rowid % 3 = 0" << false;
    QTest::newRow("first records gone") << "DELETE FROM Words WHERE rowid < 5" << false;
    QTest::newRow("records added") << "INSERT INTO Words SELECT word || 'x', meaning, pointer "
                                      "FROM Words WHERE rowid % 2 = 0"
                                   << false;
    QTest::newRow("gaps made elsewhere") << "DELETE FROM Words WHERE rowid % 4 = 1" << true;
    QTest::newRow("a gap closed elsewhere")
        << "DELETE FROM Words WHERE rowid = 7; INSERT INTO Words VALUES ('New', 'm', 'p')" << true;
    QTest::newRow("emptied elsewhere") << "DELETE FROM Words" << true;
}

void TstTableCursor::ordinalJumpFollowsChanges()
{
    QFETCH(QString, change);
    QFETCH(bool, elsewhere);
    StoreTestAccess::sql(*m_db).exec(
        "INSERT INTO Words SELECT word || 'b', meaning, pointer FROM Words");
    StoreTestAccess::sql(*m_db).exec(
        "INSERT INTO Words SELECT word || 'c', meaning, pointer FROM Words");
    TableCursor jumper(*m_db, "Words");
    QVERIFY(jumper.moveToOrdinal(5)); // what it knows of the table before the change
    if (!change.isEmpty()) {
        if (elsewhere) {
            SQLite::Database other(m_folder->databasePath().toStdString(), SQLite::OPEN_READWRITE);
            other.exec(change.toStdString());
        } else {
            StoreTestAccess::sql(*m_db).exec(change.toStdString());
        }
    }

    // Each jump lands where as many steps from the first record land.
    TableCursor walker(*m_db, "Words");
    qint64 count = 0;
    for (bool on = walker.moveFirst(); on; on = walker.moveNext())
        ++count;
    QCOMPARE(jumper.recordCount(), count);
    walker.moveFirst();
    for (qint64 n = 1; n <= count + 1; ++n) {
        QCOMPARE(jumper.moveToOrdinal(n), n <= count);
        if (n <= count) {
            QCOMPARE(jumper.currentRowid(), walker.currentRowid());
            QCOMPARE(jumper.text(0), walker.text(0));
            walker.moveNext();
        } else {
            QVERIFY(jumper.eof());
        }
    }
}

void TstTableCursor::findFirstIsExact()
{
    StoreTestAccess::sql(*m_db).exec(
        "INSERT INTO Words VALUES ('Word000002', 'second copy', NULL)");
    TableCursor c(*m_db, "Words");
    QVERIFY(c.findFirst("word", "Word000002"));
    QCOMPARE(c.text(1), "meaning 2"); // the first in table order
    QVERIFY(!c.findFirst("word", "word000002"));
    QVERIFY(!c.findFirst("word", "Word000002 "));
    QCOMPARE(c.text(1), "meaning 2"); // a miss leaves the position alone
    QVERIFY_THROWS_EXCEPTION(StoreError, c.findFirst("nonsense", "x"));
}

void TstTableCursor::fieldsByNameAndNull()
{
    TableCursor c(*m_db, "Words1");
    QCOMPARE(c.columnNames(), QStringList({"word", "meaning", "pointer"}));
    QCOMPARE(c.text("MEANING"), "only one");
    QVERIFY(c.field("pointer").isNull());
    QCOMPARE(c.text("pointer"), QString());
    QVERIFY(c.field("nonsense").isNull());
    QVERIFY(c.field(7).isNull());
}

void TstTableCursor::tableNamesIgnoreCase()
{
    TableCursor c(*m_db, "words1");
    QCOMPARE(c.table(), "Words1");
    QVERIFY_THROWS_EXCEPTION(StoreError, TableCursor(*m_db, "Words9"));
}

QTEST_GUILESS_MAIN(TstTableCursor)
#include "tst_tablecursor.moc"
