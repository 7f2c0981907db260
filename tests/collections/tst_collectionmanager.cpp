// The Database Selector's logic: the name check, the Default flag, renaming, emptying,
// summaries and Select, on a word database of the test's making.
#include "CollectionManager.h"
#include "Collections.h"
#include "DetailsTable.h"
#include "Module1.h"
#include "StoreError.h"
#include "TestSupport.h"

#include <SQLiteCpp/Statement.h>
#include <QTest>

using namespace TestSupport;

namespace {

// Six rows A .. F with `flags` set, then any extra rows.
DetailsRows rows(const QList<int> &flags, const DetailsRows &extra = {})
{
    DetailsRows out;
    for (int i = 0; i < 6; ++i)
        out.append({QString(QChar('A' + i)), flags.value(i)});
    return out + extra;
}

QList<int> storedFlags(WordDatabase &db)
{
    QList<int> flags;
    SQLite::Statement st(db.sql(), "SELECT IsDefault FROM Details ORDER BY rowid");
    while (st.executeStep())
        flags << st.getColumn(0).getInt();
    return flags;
}

qint64 countOf(WordDatabase &db, const char *table)
{
    return db.sql().execAndGet(std::string("SELECT count(*) FROM ") + table).getInt64();
}

} // namespace

class TstCollectionManager : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void listingAndNameCheck_data();
    void listingAndNameCheck();
    void makeDefault_data();
    void makeDefault();
    void renameOfTwinNamesFreesTheLaterOne();
    void summaries_data();
    void summaries();
    void deleteContentEmptiesOnlyThatCollection();
    void selectReopensTheSharedRecordSets();
    void missingTableIsReported();

private:
    std::unique_ptr<WordDatabase> open(const DetailsRows &details, const Tables &tables = {});

    std::unique_ptr<WorkFolder> m_folder;
};

void TstCollectionManager::cleanup()
{
    Module1::reset();
    m_folder.reset();
}

std::unique_ptr<WordDatabase> TstCollectionManager::open(const DetailsRows &details,
                                                          const Tables &tables)
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), details, tables);
    return WordDatabase::open(m_folder->databasePath());
}

void TstCollectionManager::listingAndNameCheck_data()
{
    QTest::addColumn<DetailsRows>("details");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("position");

    const QStringList six{"A", "B", "C", "D", "E", "F"};
    QTest::newRow("flag on C") << rows({0, 0, 1}) << six << "C" << "C" << 3;
    QTest::newRow("no flag") << rows({}) << six << "" << "" << 0;
    QTest::newRow("two flags: the first is the default")
        << rows({0, 1, 0, 0, 1}) << six << "B" << "E" << 5;
    QTest::newRow("exact comparison") << rows({1}) << six << "A" << "a" << 0;
    QTest::newRow("trailing blank") << rows({1}) << six << "A" << "A " << 0;
    QTest::newRow("twin names choose the earlier")
        << DetailsRows{{"A", 1}, {"Twin", 0}, {"C", 0}, {"Twin", 0}, {"E", 0}, {"F", 0}}
        << QStringList{"A", "Twin", "C", "Twin", "E", "F"} << "A" << "Twin" << 2;
    QTest::newRow("a seventh row takes no part")
        << rows({}, {{"Seventh", 1}}) << six << "" << "Seventh" << 0;
    QTest::newRow("three rows") << DetailsRows{{"A", 0}, {"B", 1}, {"C", 0}}
                                << QStringList{"A", "B", "C"} << "B" << "C" << 3;
}

void TstCollectionManager::listingAndNameCheck()
{
    QFETCH(DetailsRows, details);
    auto db = open(details);
    CollectionManager manager(*db);
    const CollectionManager::Listing listing = manager.listing();
    QTEST(listing.names, "names");
    QTEST(listing.shownName, "shown");
    QFETCH(QString, chosen);
    QTEST(manager.position(chosen), "position");
}

void TstCollectionManager::makeDefault_data()
{
    QTest::addColumn<DetailsRows>("details");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("flags");

    QTest::newRow("the default again") << rows({1}) << 1 << QList<int>{1, 0, 0, 0, 0, 0};
    QTest::newRow("another one") << rows({1}) << 4 << QList<int>{0, 0, 0, 1, 0, 0};
    QTest::newRow("none flagged before") << rows({}) << 6 << QList<int>{0, 0, 0, 0, 0, 1};
    QTest::newRow("two flagged before") << rows({0, 1, 0, 1}) << 3 << QList<int>{0, 0, 1, 0, 0, 0};
    QTest::newRow("a seventh row keeps its flag")
        << rows({1}, {{"G", 1}}) << 2 << QList<int>{0, 1, 0, 0, 0, 0, 1};
}

void TstCollectionManager::makeDefault()
{
    QFETCH(DetailsRows, details);
    QFETCH(int, position);
    auto db = open(details);
    CollectionManager(*db).makeDefault(position);
    QTEST(storedFlags(*db), "flags");
    // The next start-up agrees with the selector.
    QCOMPARE(Collections::chooseDefault(*db), CollectionManager::tableAt(position));
}

void TstCollectionManager::renameOfTwinNamesFreesTheLaterOne()
{
    auto db = open(rows({1}));
    CollectionManager manager(*db);
    manager.rename(4, "B");
    QCOMPARE(manager.listing().names, (QStringList{"A", "B", "C", "B", "E", "F"}));
    QCOMPARE(manager.position("B"), 2);

    // Renaming the name changes the collection it chooses and no other, so the later
    // collection can be chosen again.
    manager.rename(manager.position("B"), " Difficult ");
    QCOMPARE(manager.listing().names, (QStringList{"A", " Difficult ", "C", "B", "E", "F"}));
    QCOMPARE(manager.position("B"), 4);
    QCOMPARE(manager.position(" Difficult "), 2);
}

void TstCollectionManager::summaries_data()
{
    QTest::addColumn<int>("words");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    QTest::newRow("empty") << 0 << "" << "";
    QTest::newRow("one word") << 1 << "Word000001" << "Word000001";
    QTest::newRow("beyond 16-bit counts") << 40000 << "Word000001" << "Word040000";
}

void TstCollectionManager::summaries()
{
    QFETCH(int, words);
    auto db = open(rows({0, 0, 1}), {{"Words2", numberedWords(words)}, {"Words", numberedWords(2)}});
    const CollectionSummary s = CollectionManager(*db).summary(3);
    QCOMPARE(s.table, "Words2");
    QCOMPARE(s.count, qint64(words));
    QCOMPARE(s.hasWords, words > 0);
    QTEST(s.firstWord, "first");
    QTEST(s.lastWord, "last");
    QVERIFY(s.isDefault);
    QVERIFY(!CollectionManager(*db).summary(1).isDefault);
}

void TstCollectionManager::deleteContentEmptiesOnlyThatCollection()
{
    auto db = open(rows({1}), {{"Words1", numberedWords(5)}, {"Words2", numberedWords(3)}});
    QCOMPARE(CollectionManager(*db).deleteContent(2), qint64(5));
    QCOMPARE(countOf(*db, "Words1"), qint64(0));
    QCOMPARE(countOf(*db, "Words2"), qint64(3));
    QCOMPARE(CollectionManager(*db).deleteContent(2), qint64(0)); // emptying an empty one
}

void TstCollectionManager::selectReopensTheSharedRecordSets()
{
    Module1::database = open(rows({1}), {{"Words", numberedWords(2)},
                                         {"Words4", {{"Zeal", "fervour", "n."}, {"Abate", "lessen", ""}}}});
    Module1::openCurrentCollection("Words");
    const CollectionSwitch::Report r = CollectionManager(*Module1::database).select(5);
    QCOMPARE(Module1::currentCollection, "Words4");
    QCOMPARE(Module1::words->table(), "Words4");
    QCOMPARE(Module1::quizWords->table(), "Words4");
    QCOMPARE(Module1::queryResult->rowCount(), qint64(2));
    QCOMPARE(Module1::queryResult->text(0, 0), "Zeal");
    QCOMPARE((QStringList{r.table, r.firstWord, r.lastWord}), (QStringList{"Words4", "Zeal", "Abate"}));
    QCOMPARE(r.count, qint64(2));
    QCOMPARE(CollectionSwitch::statusPieces("E", r, "C:\\qvtmdb.mdb"),
             (QStringList{"\r\nSwitched over to E!\r\n",
                          "I am using the table 'Words4' of \r\nC:\\qvtmdb.mdb\r\n",
                          "Starting Word : Zeal  Ending word : Abate\r\n",
                          "Total Number of words : 2\r\n"}));
}

void TstCollectionManager::missingTableIsReported()
{
    Module1::database = open(rows({1}), {{"Words", numberedWords(2)}});
    Module1::openCurrentCollection("Words");
    Module1::database->sql().exec("DROP TABLE Words3");
    CollectionManager manager(*Module1::database);
    const QString expected =
        "The collection D cannot be used: the word database has no table Words3.";
    const auto failure = [&](const std::function<void()> &action) {
        try {
            action();
        } catch (const StoreError &e) {
            return e.message();
        }
        return QStringLiteral("no error");
    };
    QCOMPARE(failure([&] { manager.summary(4); }), expected);
    QCOMPARE(failure([&] { manager.deleteContent(4); }), expected);
    QCOMPARE(failure([&] { manager.select(4); }), expected);
    // The program stays on the collection it was using.
    QCOMPARE(Module1::currentCollection, "Words");
    QCOMPARE(Module1::words->table(), "Words");
    QCOMPARE(manager.summary(1).count, qint64(2));
}

QTEST_GUILESS_MAIN(TstCollectionManager)
#include "tst_collectionmanager.moc"
