// The quiz's numbers and texts, and the two look-ups behind judging an answer.
#include "MarkBook.h"
#include "QuizRules.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QTest>

using namespace TestSupport;

class TstQuizRules : public QObject
{
    Q_OBJECT

private slots:
    void questionCount_data();
    void questionCount();
    void countdownCaption_data();
    void countdownCaption();
    void rightMeaning_data();
    void rightMeaning();
    void markedWordsQueryRunsThroughTheDialect();
};

void TstQuizRules::questionCount_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("limit");
    QTest::newRow("zero is unlimited") << "0" << true << 0 << 32000;
    QTest::newRow("three") << "3" << true << 3 << 3;
    QTest::newRow("blanks around") << "  12 " << true << 12 << 12;
    QTest::newRow("negative") << "-1" << true << -1 << -1;
    QTest::newRow("largest") << "32767" << true << 32767 << 32767;
    QTest::newRow("smallest") << "-32768" << true << -32768 << -32768;
    QTest::newRow("fraction to even down") << "2.5" << true << 2 << 2;
    QTest::newRow("fraction to even up") << "3.5" << true << 4 << 4;
    QTest::newRow("exponent") << "1e3" << true << 1000 << 1000;
    QTest::newRow("one too many") << "32768" << false << 0 << 0;
    QTest::newRow("rounds out of range") << "32767.5" << false << 0 << 0;
    QTest::newRow("one too few") << "-32769" << false << 0 << 0;
    QTest::newRow("forty thousand") << "40000" << false << 0 << 0;
    QTest::newRow("cancelled") << "" << false << 0 << 0;
    QTest::newRow("blank") << "   " << false << 0 << 0;
    QTest::newRow("text") << "ten" << false << 0 << 0;
    QTest::newRow("number then text") << "12abc" << false << 0 << 0;
    QTest::newRow("infinity") << "inf" << false << 0 << 0;
}

void TstQuizRules::questionCount()
{
    QFETCH(QString, typed);
    QFETCH(bool, valid);
    QFETCH(int, count);
    QFETCH(int, limit);
    const auto parsed = QuizRules::parseQuestionCount(typed);
    QCOMPARE(parsed.has_value(), valid);
    if (valid) {
        QCOMPARE(int(*parsed), count);
        QCOMPARE(int(QuizRules::questionLimit(*parsed)), limit);
    }
}

void TstQuizRules::countdownCaption_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("caption");
    QTest::newRow("five") << qint64(5) << " 5";
    QTest::newRow("zero") << qint64(0) << " 0";
    QTest::newRow("forty") << qint64(40) << " 40";
    QTest::newRow("minus one") << qint64(-1) << "-1";
}

void TstQuizRules::countdownCaption()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, caption);
    QCOMPARE(QuizRules::countdownCaption(seconds), caption);
    QCOMPARE(QuizRules::captionSeconds(caption), seconds);
}

void TstQuizRules::rightMeaning_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("meaning");
    QTest::addColumn<bool>("right");
    QTest::newRow("first row") << "Abate"
                               << "to lessen" << true;
    QTest::newRow("second row of the word") << "Abate"
                                            << "to subside" << true;
    QTest::newRow("another word's meaning") << "Abate"
                                            << "fervour" << false;
    QTest::newRow("word in other case") << "abate"
                                        << "to lessen" << false;
    QTest::newRow("meaning in other case") << "Abate"
                                           << "To lessen" << false;
    QTest::newRow("trailing blank") << "Abate "
                                    << "to lessen" << false;
    QTest::newRow("missing meaning never matches") << "Null"
                                                   << "" << false;
    QTest::newRow("empty meaning matches empty") << "Empty"
                                                 << "" << true;
    QTest::newRow("quote in text") << "O'Brien"
                                   << "a \"name\"" << true;
}

void TstQuizRules::rightMeaning()
{
    QFETCH(QString, word);
    QFETCH(QString, meaning);
    QFETCH(bool, right);
    WorkFolder folder;
    writeDatabase(folder.databasePath(), standardDetails(),
                  {{"Words3",
                    {{"Abate", "to lessen", ""},
                     {"Zeal", "fervour", ""},
                     {"Abate", "to subside", ""},
                     {"Null", QString(), ""},
                     {"Empty", "", ""},
                     {"O'Brien", "a \"name\"", ""}}}});
    auto db = WordDatabase::open(folder.databasePath());
    QCOMPARE(QuizRules::isRightMeaning(*db, "Words3", word, meaning), right);
    QCOMPARE(QuizRules::isRightMeaning(*db, "Words", word, meaning), false);
}

void TstQuizRules::markedWordsQueryRunsThroughTheDialect()
{
    WorkFolder folder;
    writeDatabase(folder.databasePath(), standardDetails(),
                  {{"Words", {{"Abate", "to lessen", "v."}, {"Zeal", "fervour", "n."}}}});
    auto db = WordDatabase::open(folder.databasePath());
    QCOMPARE(QuizRules::markedWordsSql("Words"),
             "Select * from Words where pointer=\"Got it wrong\"");
    QCOMPARE(db->query(QuizRules::markedWordsSql("Words")).rowCount(), 0);
    MarkBook::markWord(*db, "Words", "Zeal");
    const Snapshot marked = db->query(QuizRules::markedWordsSql("Words"));
    QCOMPARE(marked.rowCount(), 1);
    QCOMPARE(marked.text(0, 0), "Zeal");
    QCOMPARE(marked.text(0, 2), "Got it wrong");
}

QTEST_GUILESS_MAIN(TstQuizRules)
#include "tst_quizrules.moc"
