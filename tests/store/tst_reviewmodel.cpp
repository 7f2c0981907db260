// The review model against the values published with FSRS-6 for its default parameters.
#include "ReviewModel.h"

#include <QTest>

#include <cmath>

using Grade = ReviewModel::Grade;

namespace {

constexpr Grade A = Grade::Again, H = Grade::Hard, G = Grade::Good, E = Grade::Easy;

} // namespace

Q_DECLARE_METATYPE(QList<Grade>)

class TstReviewModel : public QObject
{
    Q_OBJECT

private slots:
    void referenceSequences_data();
    void referenceSequences();
    void curveAndInterval();
    void gradeByAnswerTime_data();
    void gradeByAnswerTime();
};

void TstReviewModel::referenceSequences_data()
{
    // Answers one after another: the grade, the whole days since the answer before (the
    // first one's is not used), the interval expected after each (-1: not published), and
    // the memory expected at the end (NaN: not published).
    QTest::addColumn<QList<Grade>>("grades");
    QTest::addColumn<QList<int>>("elapsed");
    QTest::addColumn<QList<int>>("intervals");
    QTest::addColumn<double>("stability");
    QTest::addColumn<double>("difficulty");
    const double none = std::nan("");
    QTest::newRow("memory state: again, then five goods at 0, 1, 3, 8, 21 days")
        << QList<Grade>{A, G, G, G, G, G} << QList<int>{0, 0, 1, 3, 8, 21}
        << QList<int>{-1, -1, -1, -1, -1, -1} << 53.62691 << 6.3574867;
    // The published scheduler reviews its first answers after minutes (learning steps);
    // those are same-day answers here, and its intervals in days are the model's.
    QTest::newRow("intervals: six goods, two agains, five goods")
        << QList<Grade>{G, G, G, G, G, G, A, A, G, G, G, G, G}
        << QList<int>{0, 0, 2, 11, 46, 163, 498, 0, 0, 2, 4, 7, 12}
        << QList<int>{-1, 2, 11, 46, 163, 498, -1, -1, 2, 4, 7, 12, 21} << none << none;
    QTest::newRow("ten easy answers on one day bring the difficulty down to 1")
        << QList<Grade>(10, E) << QList<int>(10, 0) << QList<int>(10, -1) << none << 1.0;
    QTest::newRow("first answers give the published initial memories")
        << QList<Grade>{H} << QList<int>{0} << QList<int>{1} << 1.2931
        << 6.4133 - std::exp(0.8334) + 1;
    QTest::newRow("ten agains a day apart: due again the next day every time")
        << QList<Grade>(10, A) << QList<int>(10, 1) << QList<int>(10, 1) << none << none;
}

void TstReviewModel::referenceSequences()
{
    QFETCH(QList<Grade>, grades);
    QFETCH(QList<int>, elapsed);
    QFETCH(QList<int>, intervals);
    QFETCH(double, stability);
    QFETCH(double, difficulty);
    ReviewModel::Memory m;
    for (qsizetype i = 0; i < grades.size(); ++i) {
        m = i == 0 ? ReviewModel::first(grades[i]) : ReviewModel::next(m, elapsed[i], grades[i]);
        QVERIFY(m.stability > 0);
        QVERIFY(m.difficulty >= 1 && m.difficulty <= 10);
        if (intervals[i] >= 0)
            QCOMPARE(ReviewModel::intervalDays(m.stability), intervals[i]);
    }
    if (!std::isnan(stability))
        QVERIFY2(std::abs(m.stability - stability) < 1e-4, qPrintable(QString::number(m.stability)));
    if (!std::isnan(difficulty))
        QVERIFY2(std::abs(m.difficulty - difficulty) < 1e-4,
                 qPrintable(QString::number(m.difficulty)));
}

void TstReviewModel::curveAndInterval()
{
    // Stability is, by definition, the time after which recall has fallen to 90 %.
    for (double s : {0.212, 1.0, 8.2956, 365.0}) {
        QVERIFY(std::abs(ReviewModel::retrievability(s, s) - 0.9) < 1e-12);
        QCOMPARE(ReviewModel::retrievability(0, s), 1.0);
        QVERIFY(ReviewModel::retrievability(2 * s, s) < 0.9);
    }
    QCOMPARE(ReviewModel::intervalDays(46.4), 46);
    // A lower retention asks for the review later; the interval stays within its bounds.
    QVERIFY(ReviewModel::intervalDays(10, 0.8) > ReviewModel::intervalDays(10, 0.9));
    QCOMPARE(ReviewModel::intervalDays(0.001), 1);
    QCOMPARE(ReviewModel::intervalDays(1e9), ReviewModel::MaximumInterval);
}

void TstReviewModel::gradeByAnswerTime_data()
{
    QTest::addColumn<bool>("right");
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<Grade>("grade");
    QTest::newRow("wrong at once") << false << qint64(100) << A;
    QTest::newRow("no answer in time") << false << qint64(6000) << A;
    QTest::newRow("right at once") << true << qint64(0) << E;
    QTest::newRow("right within 3 s") << true << qint64(3000) << E;
    QTest::newRow("right after 3 s") << true << qint64(3001) << G;
    QTest::newRow("right within 8 s") << true << qint64(8000) << G;
    QTest::newRow("right after 8 s") << true << qint64(8001) << H;
}

void TstReviewModel::gradeByAnswerTime()
{
    QFETCH(bool, right);
    QFETCH(qint64, ms);
    QFETCH(Grade, grade);
    QCOMPARE(ReviewModel::gradeFor(right, ms), grade);
}

QTEST_APPLESS_MAIN(TstReviewModel)
#include "tst_reviewmodel.moc"
