// Drawing questions: the word, the correct slot and the wrong choices, with a fed generator.
#include "QuestionBuilder.h"
#include "RandomSource.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QTest>

using namespace TestSupport;

namespace {

using Options = std::array<QString, Question::Slots>;

// The number after every fed sequence: it must still be waiting when the draw is done.
constexpr double Sentinel = 0.123456;

QStringList asList(const Options &options)
{
    return QStringList(options.begin(), options.end());
}

} // namespace

class TstQuestionBuilder : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void slotDraw_data();
    void slotDraw();
    void slotOdds();
    void recordDraw_data();
    void recordDraw();
    void recordDrawRunsOutOfBudget();
    void wrongChoicesJumpToTheDrawnRecord();
    void emptyMeaningIsDrawnAgain();
    void allMeaningsEmptyEndsTheFill();
    void randomPickTakesWordAndMeaning();

private:
    void openWords(const std::vector<WordEntry> &words);

    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<WordDatabase> m_db;
    std::unique_ptr<TableCursor> m_words;
};

void TstQuestionBuilder::cleanup()
{
    m_words.reset();
    m_db.reset();
    m_folder.reset();
    RandomSource::instance().seed(1);
}

void TstQuestionBuilder::openWords(const std::vector<WordEntry> &words)
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), standardDetails(), {{"Words", words}});
    m_db = WordDatabase::open(m_folder->databasePath());
    m_words = std::make_unique<TableCursor>(*m_db, QStringLiteral("Words"));
}

void TstQuestionBuilder::slotDraw_data()
{
    QTest::addColumn<QList<double>>("numbers");
    QTest::addColumn<int>("slot");
    QTest::newRow("0.3 gives 1.5, even 2") << QList<double>{0.3} << 2;
    QTest::newRow("0.5 gives 2.5, even 2") << QList<double>{0.5} << 2;
    QTest::newRow("0.7 gives 3.5, even 4") << QList<double>{0.7} << 4;
    QTest::newRow("0.95 gives 4.75, 5") << QList<double>{0.95} << 5;
    QTest::newRow("0.1 is 0.5, even 0: again") << QList<double>{0.1, 0.11} << 1;
    QTest::newRow("below 0.1 twice") << QList<double>{0.0, 0.05, 0.99} << 5;
}

void TstQuestionBuilder::slotDraw()
{
    QFETCH(QList<double>, numbers);
    QFETCH(int, slot);
    openWords(numberedWords(3));
    RandomSource::instance().feed(numbers + QList<double>{Sentinel});
    QuestionBuilder builder(*m_words, RandomSource::instance());
    QCOMPARE(builder.drawSlot(), slot);
    QCOMPARE(RandomSource::instance().next(), Sentinel);
}

void TstQuestionBuilder::slotOdds()
{
    openWords(numberedWords(1));
    RandomSource::instance().seed(20240501);
    QuestionBuilder builder(*m_words, RandomSource::instance());
    std::array<int, 6> seen{};
    const int draws = 90000;
    for (int i = 0; i < draws; ++i)
        ++seen[size_t(builder.drawSlot())];
    QCOMPARE(seen[0], 0);
    // 2/9 for slots 1 to 4, 1/9 for slot 5: 20000 and 10000 of 90000, give or take 2%.
    for (int s = 1; s <= 4; ++s)
        QVERIFY2(qAbs(seen[size_t(s)] - 20000) < 400, qPrintable(QString::number(seen[size_t(s)])));
    QVERIFY2(qAbs(seen[5] - 10000) < 300, qPrintable(QString::number(seen[5])));
}

void TstQuestionBuilder::recordDraw_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QList<double>>("numbers");
    QTest::addColumn<qint64>("record");
    QTest::addColumn<int>("spent");
    QTest::newRow("4: 0.375 gives 1.5, even 2")
        << qint64(4) << QList<double>{0.375} << qint64(2) << 1;
    QTest::newRow("4: 0.125 is 0.5, even 0: again")
        << qint64(4) << QList<double>{0.125, 0.1, 0.9} << qint64(4) << 3;
    QTest::newRow("1: 0.5 is 0: again") << qint64(1) << QList<double>{0.5, 0.51} << qint64(1) << 2;
    QTest::newRow("100000: 0.57") << qint64(100000) << QList<double>{0.57} << qint64(57000) << 1;
}

void TstQuestionBuilder::recordDraw()
{
    QFETCH(qint64, count);
    QFETCH(QList<double>, numbers);
    QFETCH(qint64, record);
    QFETCH(int, spent);
    openWords(numberedWords(1));
    RandomSource::instance().feed(numbers + QList<double>{Sentinel});
    QuestionBuilder builder(*m_words, RandomSource::instance());
    int budget = 10;
    QCOMPARE(builder.drawRecord(count, budget), record);
    QCOMPARE(10 - budget, spent);
    QCOMPARE(RandomSource::instance().next(), Sentinel);
}

void TstQuestionBuilder::recordDrawRunsOutOfBudget()
{
    openWords(numberedWords(1));
    RandomSource::instance().feed({0.1, 0.2, 0.3, Sentinel});
    QuestionBuilder builder(*m_words, RandomSource::instance());
    int budget = 3;
    QCOMPARE(builder.drawRecord(1, budget), 0);
    QCOMPARE(budget, 0);
    QCOMPARE(RandomSource::instance().next(), Sentinel);
    budget = 5;
    QCOMPARE(builder.drawRecord(0, budget), 0); // an empty set spends nothing
    QCOMPARE(budget, 5);
}

void TstQuestionBuilder::wrongChoicesJumpToTheDrawnRecord()
{
    openWords(numberedWords(100));
    // Slot 3 is taken; the others are filled in order with records 57, 1, 100 and 20.
    RandomSource::instance().feed({0.57, 0.01, 0.996, 0.2, Sentinel});
    QuestionBuilder builder(*m_words, RandomSource::instance());
    Options options{{{}, {}, "own meaning", {}, {}}};
    builder.fillWrongChoices(options);
    QCOMPARE(asList(options),
             QStringList({"meaning 57", "meaning 1", "own meaning", "meaning 100", "meaning 20"}));
    QCOMPARE(RandomSource::instance().next(), Sentinel);
}

void TstQuestionBuilder::emptyMeaningIsDrawnAgain()
{
    openWords({{"Abate", "to lessen", ""},
               {"Blank", "", ""},
               {"Nothing", QString(), ""},
               {"Zeal", "fervour", ""}});
    // Records 2 and 3 have no meaning: their draws leave the option empty for another.
    RandomSource::instance().feed({0.5, 0.7, 0.9, 0.25, 0.99, 0.9, 0.3, Sentinel});
    QuestionBuilder builder(*m_words, RandomSource::instance());
    Options options{{"to lessen", {}, {}, {}, {}}};
    builder.fillWrongChoices(options);
    QCOMPARE(asList(options),
             QStringList({"to lessen", "fervour", "to lessen", "fervour", "fervour"}));
    QCOMPARE(RandomSource::instance().next(), 0.3);
}

void TstQuestionBuilder::allMeaningsEmptyEndsTheFill()
{
    openWords({{"Abate", "", "v."}, {"Blank", QString(), ""}, {"Zeal", "", ""}});
    RandomSource::instance().seed(99);
    QuestionBuilder builder(*m_words, RandomSource::instance());
    const Question q = builder.build(builder.pickAtRandom());
    // Nothing to fill with: every option stays empty, and the draw still ends.
    QCOMPARE(asList(q.options), QStringList({"", "", "", "", ""}));

    // A meaning of its own still goes into its slot.
    RandomSource::instance().feed({0.95});
    const Question own = builder.build({"Abate", "to lessen"});
    QCOMPARE(own.correctSlot, 5);
    QCOMPARE(asList(own.options), QStringList({"", "", "", "", "to lessen"}));
}

void TstQuestionBuilder::randomPickTakesWordAndMeaning()
{
    openWords(numberedWords(10));
    // x = 0.64 * 10 = 6.4, record 6; then slot 0.3 -> 2; then four fills.
    RandomSource::instance().feed({0.64, 0.3, 0.1, 0.2, 0.3, 0.4, Sentinel});
    QuestionBuilder builder(*m_words, RandomSource::instance());
    const Question q = builder.build(builder.pickAtRandom());
    QCOMPARE(q.word, "Word000006");
    QCOMPARE(q.meaning, "meaning 6");
    QCOMPARE(q.correctSlot, 2);
    QCOMPARE(asList(q.options),
             QStringList({"meaning 1", "meaning 6", "meaning 2", "meaning 3", "meaning 4"}));
    QCOMPARE(RandomSource::instance().next(), Sentinel);
}

QTEST_GUILESS_MAIN(TstQuestionBuilder)
#include "tst_questionbuilder.moc"
