// The Database Selector's reading of Details: the list, the name check and the Default flag,
// with the rows after the sixth taking no part.
#include "CollectionManager.h"
#include "Collections.h"
#include "StoreTestAccess.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QTest>
#include <SQLiteCpp/Statement.h>

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
    SQLite::Statement st(StoreTestAccess::sql(db), "SELECT IsDefault FROM Details ORDER BY rowid");
    while (st.executeStep())
        flags << st.getColumn(0).getInt();
    return flags;
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

private:
    std::unique_ptr<WordDatabase> open(const DetailsRows &details);

    std::unique_ptr<WorkFolder> m_folder;
};

void TstCollectionManager::cleanup()
{
    m_folder.reset();
}

std::unique_ptr<WordDatabase> TstCollectionManager::open(const DetailsRows &details)
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), details);
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
    QTest::newRow("flag on C") << rows({0, 0, 1}) << six << "C"
                               << "C" << 3;
    QTest::newRow("no flag") << rows({}) << six << ""
                             << "" << 0;
    // The list shows the last flagged row; the program still starts with the first.
    QTest::newRow("two flags: the list shows the last") << rows({0, 1, 0, 0, 1}) << six << "E"
                                                        << "E" << 5;
    QTest::newRow("three flags") << rows({1, 0, 1, 0, 0, 1}) << six << "F"
                                 << "F" << 6;
    QTest::newRow("exact comparison") << rows({1}) << six << "A"
                                      << "a" << 0;
    QTest::newRow("trailing blank") << rows({1}) << six << "A"
                                    << "A " << 0;
    QTest::newRow("twin names choose the earlier")
        << DetailsRows{{"A", 1}, {"Twin", 0}, {"C", 0}, {"Twin", 0}, {"E", 0}, {"F", 0}}
        << QStringList{"A", "Twin", "C", "Twin", "E", "F"} << "A"
        << "Twin" << 2;
    QTest::newRow("a seventh row takes no part") << rows({}, {{"Seventh", 1}}) << six << ""
                                                 << "Seventh" << 0;
    QTest::newRow("three rows") << DetailsRows{{"A", 0}, {"B", 1}, {"C", 0}}
                                << QStringList{"A", "B", "C"} << "B"
                                << "C" << 3;
}

void TstCollectionManager::listingAndNameCheck()
{
    QFETCH(DetailsRows, details);
    auto db = open(details);
    CollectionManager manager(*db);
    const CollectionManager::Listing listing = manager.listing();
    QTEST(listing.names, "names");
    QTEST(listing.shownName, "shown");
    if (QTest::currentDataTag() == QLatin1String("two flags: the list shows the last"))
        QCOMPARE(Collections::chooseDefault(*db), "Words1");
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

QTEST_GUILESS_MAIN(TstCollectionManager)
#include "tst_collectionmanager.moc"
