// Marking words answered wrongly and giving each record its own pointer back.
#include "MarkBook.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>
#include <QTest>

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

private:
    QStringList pointers(const QString &table = QStringLiteral("Words"));

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
    SQLite::Statement st(m_db->sql(), "SELECT pointer FROM " + table.toStdString() + " ORDER BY rowid");
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
    // A missing pointer comes back as the empty text, as clearing always gave.
    QCOMPARE(pointers(), QStringList({"v.", "my note", "", "second"}));
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
    m_db->sql().exec("UPDATE Words SET pointer = 'Got it wrong' WHERE meaning = 'to lessen'");
    MarkBook::markWord(*m_db, "Words", "Abate");
    MarkBook::clearMarks(*m_db, "Words");
    QCOMPARE(pointers(), QStringList({"", "my note", "", "second"}));
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
    SQLite::Statement left(m_db->sql(), "SELECT count(*) FROM PointerMarks");
    left.executeStep();
    QCOMPARE(left.getColumn(0).getInt(), 0);
}

void TstMarkBook::reusedRowidGetsNoStalePointer()
{
    MarkBook::markWord(*m_db, "Words", "Zeal");
    m_db->sql().exec("DELETE FROM Words WHERE rowid = 4");
    m_db->sql().exec("INSERT INTO Words (rowid, word, meaning, pointer) VALUES "
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

QTEST_GUILESS_MAIN(TstMarkBook)
#include "tst_markbook.moc"
