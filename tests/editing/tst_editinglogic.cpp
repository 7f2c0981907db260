// Word normalization and the look-ups by exact word that the word panel stands on.
#include "StoreError.h"
#include "TestSupport.h"
#include "WordDatabase.h"
#include "WordNormalization.h"
#include "WordRecords.h"

#include <QTest>

using namespace TestSupport;

class TstEditingLogic : public QObject
{
    Q_OBJECT

private slots:
    void normalize_data();
    void normalize();
    void exactLookups_data();
    void exactLookups();
    void recordsInTableOrderWithNulls();
    void allWordsInStoredOrder();
    void unknownCollectionIsRefused();
};

void TstEditingLogic::normalize_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("leading blanks, mixed case") << "  zEBRA"
                                                << "Zebra";
    QTest::newRow("two words") << "  hELLO World"
                               << "Hello world";
    QTest::newRow("apostrophe") << "o'NEIL"
                                << "O'neil";
    QTest::newRow("blanks only") << "   "
                                 << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("trailing blanks stay") << "abc  "
                                          << "Abc  ";
    QTest::newRow("inner blanks stay") << " a  B"
                                       << "A  b";
    QTest::newRow("tab is not a blank") << "\tABC"
                                        << "\tabc";
    QTest::newRow("digit first") << "123ABC"
                                 << "123abc";
    QTest::newRow("one letter") << "q"
                                << "Q";
    QTest::newRow("accented first letter")
        << QString::fromUtf8("éCOLE") << QString::fromUtf8("école");
    QTest::newRow("accented later letters")
        << QString::fromUtf8("aÄÖU") << QString::fromUtf8("AÄÖu");
    QTest::newRow("letters next to the ranges") << "@[`{"
                                                << "@[`{";
    QTest::newRow("already stored form") << "Zebra"
                                         << "Zebra";
    QTest::newRow("two blanks, zEBRA, trailing blank") << "  zEBRA "
                                                       << "Zebra ";
    QTest::newRow("later words lowered") << "  hELLO World"
                                         << "Hello world";
    QTest::newRow("apostrophe") << "o'NEIL"
                                << "O'neil";
    QTest::newRow("blanks only") << "    "
                                 << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TstEditingLogic::normalize()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(WordNormalization::normalize(typed), stored);
    // Normalizing the stored form again changes nothing.
    QCOMPARE(WordNormalization::normalize(stored), stored);
}

void TstEditingLogic::exactLookups_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("found");
    QTest::newRow("same word") << "Apple" << true;
    QTest::newRow("other case") << "APPLE" << false;
    QTest::newRow("lower case stored too") << "apple" << true;
    QTest::newRow("trailing blank") << "Apple " << false;
    QTest::newRow("trailing blank stored") << "Pear " << true;
    QTest::newRow("without the stored blank") << "Pear" << false;
    QTest::newRow("prefix") << "App" << false;
    QTest::newRow("like wildcard") << "App*" << false;
    QTest::newRow("sql wildcard") << "App%" << false;
    QTest::newRow("apostrophe") << "O'neil" << true;
    QTest::newRow("accented, other case") << QString::fromUtf8("Élan") << false;
    QTest::newRow("accented") << QString::fromUtf8("élan") << true;
    QTest::newRow("empty word stored") << "" << true;
}

void TstEditingLogic::exactLookups()
{
    QFETCH(QString, word);
    QFETCH(bool, found);
    WorkFolder folder;
    writeDatabase(folder.databasePath(), standardDetails(),
                  {{"Words2",
                    {{"Apple", "a fruit", ""},
                     {"apple", "lower", ""},
                     {"Pear ", "with a blank", ""},
                     {"O'neil", "a name", ""},
                     {QString::fromUtf8("élan"), "flair", ""},
                     {"", "no word", ""}}}});
    auto db = WordDatabase::open(folder.databasePath());
    QCOMPARE(WordRecords::contains(*db, "Words2", word), found);
    const auto records = WordRecords::recordsOf(*db, "words2", word);
    QCOMPARE(records.size(), size_t(found ? 1 : 0));
    if (found)
        QCOMPARE(records.front().word.toString(), word);
    // The other collections are not searched.
    QVERIFY(!WordRecords::contains(*db, "Words", word));
}

void TstEditingLogic::recordsInTableOrderWithNulls()
{
    WorkFolder folder;
    writeDatabase(folder.databasePath(), standardDetails(),
                  {{"Words",
                    {{"Bane", "first", "p1"},
                     {"Other", "x", "y"},
                     {"Bane", QString(), "p2"},
                     {"Bane", "third", QString()}}}});
    auto db = WordDatabase::open(folder.databasePath());
    const auto records = WordRecords::recordsOf(*db, "Words", "Bane");
    QCOMPARE(records.size(), size_t(3));
    QVERIFY(records[0].rowid < records[1].rowid && records[1].rowid < records[2].rowid);
    QCOMPARE(records[0].meaning.toString(), "first");
    QVERIFY(!records[1].meaning.isValid());
    QCOMPARE(records[1].pointer.toString(), "p2");
    QCOMPARE(records[2].meaning.toString(), "third");
    QVERIFY(!records[2].pointer.isValid());
}

void TstEditingLogic::allWordsInStoredOrder()
{
    WorkFolder folder;
    writeDatabase(folder.databasePath(), standardDetails(),
                  {{"Words",
                    {{"Zeal", "", ""},
                     {"abate", "", ""},
                     {QString(), "no word", ""},
                     {"Zeal", "again", ""},
                     {"", "empty word", ""},
                     {"Bane", "", ""}}}});
    auto db = WordDatabase::open(folder.databasePath());
    QCOMPARE(WordRecords::allWords(*db, "Words"),
             (QStringList{"Zeal", "abate", "Zeal", "", "Bane"}));
    QCOMPARE(WordRecords::allWords(*db, "Words5"), QStringList());
}

void TstEditingLogic::unknownCollectionIsRefused()
{
    WorkFolder folder;
    writeDatabase(folder.databasePath());
    auto db = WordDatabase::open(folder.databasePath());
    for (const QString table : {"Details", "Words6", "Words; drop table Words"}) {
        QVERIFY_THROWS_EXCEPTION(StoreError, WordRecords::contains(*db, table, "x"));
        QVERIFY_THROWS_EXCEPTION(StoreError, WordRecords::allWords(*db, table));
    }
}

QTEST_GUILESS_MAIN(TstEditingLogic)
#include "tst_editinglogic.moc"
