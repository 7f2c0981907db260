// The Random pick over a real record set: exact landings and the skewed distribution.
#include "RandomPick.h"
#include "RandomSource.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QTest>

using namespace TestSupport;

class TstRandomPick : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void landsOnRoundedRecord_data();
    void landsOnRoundedRecord();
    void distributionFavoursFirstAndShortsLast();
    void emptySetPicksNothing();

private:
    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<WordDatabase> m_db;
};

void TstRandomPick::init()
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), standardDetails(),
                  {{"Words", numberedWords(8)}, {"Words1", numberedWords(10)}});
    m_db = WordDatabase::open(m_folder->databasePath());
}

void TstRandomPick::cleanup()
{
    m_db.reset();
    m_folder.reset();
}

void TstRandomPick::landsOnRoundedRecord_data()
{
    // Eight records; every r * 8 below is exact in binary, so the ties really are ties.
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("record");
    QTest::newRow("0 stays on the first") << 0.0 << 1;
    QTest::newRow("0.5 rounds to 0: first") << 1.0 / 16 << 1;
    QTest::newRow("1 is the first") << 1.0 / 8 << 1;
    QTest::newRow("1.5 ties to 2") << 3.0 / 16 << 2;
    QTest::newRow("2.5 ties to 2") << 5.0 / 16 << 2;
    QTest::newRow("3.5 ties to 4") << 7.0 / 16 << 4;
    QTest::newRow("7.5 ties to 8, the last") << 15.0 / 16 << 8;
    QTest::newRow("7.75 rounds to 8") << 31.0 / 32 << 8;
}

void TstRandomPick::landsOnRoundedRecord()
{
    QFETCH(double, r);
    QFETCH(int, record);
    TableCursor words(*m_db, "Words");
    words.moveLast(); // the pick starts from the first record wherever the set stands
    RandomSource::instance().feed({r});
    QCOMPARE(RandomPick::pick(words, RandomSource::instance()), record);
    QVERIFY(words.hasCurrent());
    QCOMPARE(words.text("word"), QStringLiteral("Word%1").arg(record, 6, 10, QLatin1Char('0')));
}

void TstRandomPick::distributionFavoursFirstAndShortsLast()
{
    TableCursor words(*m_db, "Words1");
    RandomSource::instance().seed(20240611);
    constexpr int Draws = 20000;
    QList<int> hits(10, 0);
    for (int i = 0; i < Draws; ++i) {
        const qint64 n = RandomPick::pick(words, RandomSource::instance());
        QVERIFY(n >= 1 && n <= 10);
        // The record set really stands on the record reported.
        if (i % 997 == 0)
            QCOMPARE(words.text(2), QStringLiteral("p%1").arg(n));
        ++hits[int(n - 1)];
    }
    // Expected: 1.5/N for the first, 0.5/N for the last, 1/N for the rest; bounds are
    // about five standard deviations wide.
    QVERIFY2(hits[0] > 2750 && hits[0] < 3250, qPrintable(QString::number(hits[0])));
    QVERIFY2(hits[9] > 800 && hits[9] < 1200, qPrintable(QString::number(hits[9])));
    for (int i = 1; i < 9; ++i)
        QVERIFY2(hits[i] > 1780 && hits[i] < 2220,
                 qPrintable(QStringLiteral("record %1: %2").arg(i + 1).arg(hits[i])));
}

void TstRandomPick::emptySetPicksNothing()
{
    TableCursor words(*m_db, "Words2");
    RandomSource::instance().feed({0.7});
    QCOMPARE(RandomPick::pick(words, RandomSource::instance()), 0);
    QVERIFY(!words.hasCurrent());
}

QTEST_GUILESS_MAIN(TstRandomPick)
#include "tst_randompick.moc"
