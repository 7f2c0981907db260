// Which records a page of the Results viewer shows for a slider position.
#include "ResultsPaging.h"

#include <QTest>

#include <limits>

using Records = QList<qint64>;

class TstResultsPaging : public QObject
{
    Q_OBJECT

private slots:
    void page_data();
    void page();
    void openingPage_data();
    void openingPage();
    void controlValuesClampInsteadOfWrapping();
};

void TstResultsPaging::page_data()
{
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("slider");
    QTest::addColumn<Records>("records"); // counted from 0, -1 for a blank row
    QTest::addColumn<qint64>("position");

    QTest::newRow("empty result") << 0LL << 0LL << Records{-1, -1, -1} << 0LL;
    QTest::newRow("one record, slider at 0") << 1LL << 0LL << Records{0, -1, -1} << 1LL;
    QTest::newRow("one record, slider at max") << 1LL << 1LL << Records{0, -1, -1} << 1LL;
    QTest::newRow("three records at 0") << 3LL << 0LL << Records{0, 1, 2} << 3LL;
    QTest::newRow("three records at 2") << 3LL << 2LL << Records{2, -1, -1} << 3LL;
    QTest::newRow("three records at max: last alone") << 3LL << 3LL << Records{2, -1, -1} << 3LL;
    QTest::newRow("middle page") << 10LL << 4LL << Records{4, 5, 6} << 7LL;
    QTest::newRow("two rows left") << 10LL << 8LL << Records{8, 9, -1} << 10LL;
    QTest::newRow("big result, its end") << 40000LL << 40000LL << Records{39999, -1, -1} << 40000LL;
    QTest::newRow("big result past 32767")
        << 40000LL << 32767LL << Records{32767, 32768, 32769} << 32770LL;
    QTest::newRow("below the range: first page") << 10LL << -5LL << Records{0, 1, 2} << 3LL;
    QTest::newRow("above the range: last alone") << 10LL << 99LL << Records{9, -1, -1} << 10LL;
}

void TstResultsPaging::page()
{
    QFETCH(qint64, total);
    QFETCH(qint64, slider);
    QFETCH(Records, records);
    QFETCH(qint64, position);
    const ResultsPaging::Page p = ResultsPaging(total).at(slider);
    QCOMPARE(Records(p.records.begin(), p.records.end()), records);
    QCOMPARE(p.position, position);
}

void TstResultsPaging::openingPage_data()
{
    QTest::addColumn<qint64>("total");
    QTest::addColumn<Records>("records");
    QTest::addColumn<qint64>("position");
    QTest::newRow("0") << 0LL << Records{-1, -1, -1} << 0LL;
    QTest::newRow("1") << 1LL << Records{0, -1, -1} << 1LL;
    QTest::newRow("2") << 2LL << Records{0, 1, -1} << 2LL;
    QTest::newRow("3") << 3LL << Records{0, 1, 2} << 3LL;
    QTest::newRow("100000") << 100000LL << Records{0, 1, 2} << 3LL;
}

void TstResultsPaging::openingPage()
{
    QFETCH(qint64, total);
    QFETCH(Records, records);
    QFETCH(qint64, position);
    const ResultsPaging::Page p = ResultsPaging(total).opening();
    QCOMPARE(Records(p.records.begin(), p.records.end()), records);
    QCOMPARE(p.position, position);
}

void TstResultsPaging::controlValuesClampInsteadOfWrapping()
{
    constexpr qint64 IntMax = std::numeric_limits<int>::max();
    QCOMPARE(ResultsPaging::toControl(40000), 40000);
    QCOMPARE(ResultsPaging::toControl(IntMax), int(IntMax));
    QCOMPARE(ResultsPaging::toControl(IntMax + 1), int(IntMax));
    QCOMPARE(ResultsPaging::toControl(5'000'000'000LL), int(IntMax));
    QCOMPARE(ResultsPaging::toControl(-1), 0);
}

QTEST_GUILESS_MAIN(TstResultsPaging)
#include "tst_resultspaging.moc"
