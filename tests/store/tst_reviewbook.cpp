// The learner's history in the word file: answers, memories and quiz ends, how they follow
// the records they belong to, and what the review look-ups make of them.
#include "ReviewBook.h"

#include "CollectionTable.h"
#include "MarkBook.h"
#include "ReviewQueries.h"
#include "StoreError.h"
#include "StoreTestAccess.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"
#include "WordRecords.h"

#include <SQLiteCpp/Statement.h>
#include <QTest>

using namespace TestSupport;
using Grade = ReviewModel::Grade;

namespace {

const QDateTime Noon(QDate(2026, 11, 2), QTime(12, 0));

QString pointerOf(WordDatabase &db, qint64 rowid, const char *table = "Words")
{
    SQLite::Statement st(StoreTestAccess::sql(db),
                         std::string("SELECT pointer FROM ") + table + " WHERE rowid = ?");
    st.bind(1, std::int64_t(rowid));
    return st.executeStep() ? QString::fromStdString(st.getColumn(0).getString()) : "<gone>";
}

qint64 rowsOf(WordDatabase &db, const char *table)
{
    SQLite::Statement st(StoreTestAccess::sql(db), std::string("SELECT count(*) FROM ") + table);
    st.executeStep();
    return st.getColumn(0).getInt64();
}

} // namespace

class TstReviewBook : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void answersMoveTheMemoryOn();
    void wrongAnswerIsMarkedWithIt();
    void historyFollowsItsRecord_data();
    void historyFollowsItsRecord();
    void dueAndNewWords();
    void progressFigures();
    void refusesOurNamesTakenByAUser_data();
    void refusesOurNamesTakenByAUser();

private:
    ReviewModel::Grade answer(qint64 rowid, bool right, qint64 ms, const QDateTime &at,
                              const QString &table = QStringLiteral("Words"));

    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<WordDatabase> m_db;
};

void TstReviewBook::init()
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), standardDetails(),
                  {{"Words",
                    {{"Abate", "to lessen", "v."},
                     {"Zeal", "fervour", "n."},
                     {"Quell", "to put down", "v."},
                     {"Zeal", "eagerness", ""},
                     {"Laud", "to praise", ""}}},
                   {"Words1", {{"Zeal", "fervour", "other collection"}}}});
    m_db = WordDatabase::open(m_folder->databasePath());
}

void TstReviewBook::cleanup()
{
    m_db.reset();
    m_folder.reset();
}

ReviewModel::Grade TstReviewBook::answer(qint64 rowid, bool right, qint64 ms, const QDateTime &at,
                                         const QString &table)
{
    const auto entry = ReviewQueries::entryAt(*m_db, table, rowid);
    return ReviewBook::recordAnswer(
        *m_db, {table, rowid, entry ? entry->word : QString(), right, ms, at});
}

void TstReviewBook::answersMoveTheMemoryOn()
{
    // Right within 3 s (Easy), two days later right after 5 s (Good), the same day wrong.
    QCOMPARE(answer(1, true, 1200, Noon), Grade::Easy);
    auto m = ReviewQueries::memoryOf(*m_db, "Words", 1);
    QVERIFY(m);
    const ReviewModel::Memory easy = ReviewModel::first(Grade::Easy);
    QCOMPARE(m->stability, easy.stability);
    QCOMPARE(m->lastDay, ReviewBook::dayOf(Noon));
    QCOMPARE(m->dueDay, m->lastDay + ReviewModel::intervalDays(easy.stability));
    QCOMPARE(m->reps, 1);

    QCOMPARE(answer(1, true, 5000, Noon.addDays(2)), Grade::Good);
    const ReviewModel::Memory good = ReviewModel::next(easy, 2, Grade::Good);
    m = ReviewQueries::memoryOf(*m_db, "Words", 1);
    QCOMPARE(m->stability, good.stability);
    QCOMPARE(m->difficulty, good.difficulty);

    QCOMPARE(answer(1, false, 9000, Noon.addDays(2).addSecs(60)), Grade::Again);
    m = ReviewQueries::memoryOf(*m_db, "Words", 1);
    QCOMPARE(m->stability, ReviewModel::next(good, 0, Grade::Again).stability);
    QCOMPARE(m->reps, 3);
    QCOMPARE(m->wrong, 1);
    QVERIFY(!m->known);
    QCOMPARE(ReviewQueries::answerCount(*m_db, "Words"), 3);
    // Another collection's history is its own.
    QVERIFY(!ReviewQueries::memoryOf(*m_db, "Words1", 1));
    QCOMPARE(ReviewQueries::answerCount(*m_db, "Words1"), 0);
}

void TstReviewBook::wrongAnswerIsMarkedWithIt()
{
    answer(2, false, 6000, Noon);
    // Every record holding the word is marked, only the asked one gets the answer.
    QCOMPARE(pointerOf(*m_db, 2), "Got it wrong");
    QCOMPARE(pointerOf(*m_db, 4), "Got it wrong");
    QCOMPARE(pointerOf(*m_db, 1, "Words1"), "other collection");
    QVERIFY(ReviewQueries::memoryOf(*m_db, "Words", 2));
    QVERIFY(!ReviewQueries::memoryOf(*m_db, "Words", 4));
    // A right answer marks nothing; clearing the marks leaves the history.
    answer(1, true, 1000, Noon);
    QCOMPARE(pointerOf(*m_db, 1), "v.");
    MarkBook::clearMarks(*m_db, "Words");
    QCOMPARE(pointerOf(*m_db, 2), "n.");
    QCOMPARE(ReviewQueries::answerCount(*m_db, "Words"), 2);
    // A record gone meanwhile gets no history, but its word is still marked.
    ReviewBook::recordAnswer(*m_db, {"Words", 99, "Quell", false, 100, Noon});
    QCOMPARE(pointerOf(*m_db, 3), "Got it wrong");
    QCOMPARE(ReviewQueries::answerCount(*m_db, "Words"), 2);
    // An unknown collection is refused and writes nothing.
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             ReviewBook::recordAnswer(*m_db, {"Nowhere", 1, "Abate", false, 1, Noon}));
    QCOMPARE(rowsOf(*m_db, ReviewBook::AnswersTable), 2);
}

void TstReviewBook::historyFollowsItsRecord_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("keeps"); // Zeal (rowid 2) keeps its history
    QTest::newRow("edited meaning") << "edit" << true;
    QTest::newRow("deleted in the word panel") << "delete" << false;
    QTest::newRow("Delete all") << "delete all" << false;
    QTest::newRow("Delete content") << "delete content" << false;
}

void TstReviewBook::historyFollowsItsRecord()
{
    QFETCH(QString, change);
    QFETCH(bool, keeps);
    answer(2, false, 6000, Noon);
    answer(3, true, 1000, Noon);
    answer(1, true, 1000, Noon, "Words1");
    if (change == "edit") {
        TableCursor words(*m_db, "Words");
        words.moveToOrdinal(2);
        words.edit();
        words.setField(QStringLiteral("meaning"), QStringLiteral("burning fervour"));
        words.update();
    } else if (change == "delete") {
        WordRecords::deleteEvery(*m_db, "Words", "Zeal");
    } else if (change == "delete all") {
        CollectionTable::deleteEachRecord(*m_db, "Words");
    } else {
        CollectionTable::emptyAllOrNothing(*m_db, "Words");
    }
    QCOMPARE(bool(ReviewQueries::memoryOf(*m_db, "Words", 2)), keeps);
    QCOMPARE(bool(ReviewQueries::memoryOf(*m_db, "Words", 3)), change != "delete all" &&
                                                                   change != "delete content");
    // The other collection's history is untouched, and nothing is left without its record.
    QVERIFY(ReviewQueries::memoryOf(*m_db, "Words1", 1));
    SQLite::Statement orphans(StoreTestAccess::sql(*m_db),
                              "SELECT count(*) FROM lexmora_answers a WHERE a.tbl = 'Words' AND "
                              "NOT EXISTS (SELECT 1 FROM Words w WHERE w.rowid = a.rid)");
    orphans.executeStep();
    QCOMPARE(orphans.getColumn(0).getInt(), 0);
    // A new record that gets a deleted one's rowid starts without history.
    if (!keeps) {
        TableCursor words(*m_db, "Words");
        words.addNew();
        words.setField(0, QStringLiteral("Fresh"));
        const qint64 rowid = words.update();
        QVERIFY(!ReviewQueries::memoryOf(*m_db, "Words", rowid));
    }
}

void TstReviewBook::dueAndNewWords()
{
    const qint64 today = ReviewBook::dayOf(Noon);
    // Quell (3) answered Easy nine days ago is due a day ago, Zeal (2) answered Good four
    // days ago two days ago; Abate (1) answered today is not due.
    answer(3, true, 1000, Noon.addDays(-9));
    answer(2, true, 5000, Noon.addDays(-4));
    answer(1, true, 1000, Noon);
    QCOMPARE(ReviewQueries::overdue(*m_db, "Words", today, 10), (std::vector<qint64>{2, 3}));
    QCOMPARE(ReviewQueries::overdue(*m_db, "Words", today, 1), (std::vector<qint64>{2}));
    QVERIFY(ReviewQueries::overdue(*m_db, "Words", today - 3, 10).empty());
    QCOMPARE(ReviewQueries::firstNew(*m_db, "Words", 0), 4);
    QCOMPARE(ReviewQueries::firstNew(*m_db, "Words", 4), 5);
    QCOMPARE(ReviewQueries::firstNew(*m_db, "Words", 5), std::nullopt);
    QCOMPARE(ReviewQueries::firstNew(*m_db, "Words1", 0), 1);
    QCOMPARE(ReviewQueries::entryAt(*m_db, "Words", 4)->meaning, "eagerness");
    QVERIFY(!ReviewQueries::entryAt(*m_db, "Words", 42));
}

void TstReviewBook::progressFigures()
{
    const qint64 today = ReviewBook::dayOf(Noon);
    answer(1, true, 1000, Noon.addDays(-40)); // Abate: known by its long interval
    for (int d = 39; d >= 30; d -= 3)
        answer(1, true, 1000, Noon.addDays(-d));
    answer(2, false, 1000, Noon.addDays(-1)); // Zeal: wrong twice, due today
    answer(2, false, 1000, Noon.addDays(-1));
    answer(3, false, 1000, Noon);             // Quell: wrong once, learning
    const auto c = ReviewQueries::counts(*m_db, "Words", today);
    QCOMPARE(c.newWords, 2);
    QCOMPARE(c.due, 1);
    QCOMPARE(c.learning, 1);
    QCOMPARE(c.known, 1);
    const auto missed = ReviewQueries::mostMissed(*m_db, "Words", 20);
    QCOMPARE(missed.size(), size_t(2));
    QCOMPARE(missed[0].word, "Zeal");
    QCOMPARE(missed[0].wrong, 2);
    QCOMPARE(missed[1].meaning, "to put down");
    QCOMPARE(ReviewQueries::mostMissed(*m_db, "Words", 1).size(), size_t(1));

    ReviewBook::recordQuiz(*m_db, "Words", Noon.addDays(-2), 4, 3);
    ReviewBook::recordQuiz(*m_db, "Words", Noon, 5, 1);
    ReviewBook::recordQuiz(*m_db, "Words1", Noon, 2, 2);
    const auto quizzes = ReviewQueries::quizzes(*m_db, "Words");
    QCOMPARE(quizzes.size(), size_t(2));
    QCOMPARE(quizzes[0].at, Noon.addDays(-2));
    QCOMPARE(quizzes[0].score, 300);
    QCOMPARE(quizzes[1].correct, 1);
}

void TstReviewBook::refusesOurNamesTakenByAUser_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("named");
    QTest::newRow("answers with other columns")
        << "DROP TABLE lexmora_answers; CREATE TABLE lexmora_answers (note TEXT)"
        << "lexmora_answers";
    QTest::newRow("review as a view")
        << "DROP TABLE lexmora_review; CREATE VIEW lexmora_review AS SELECT 1" << "lexmora_review";
    QTest::newRow("an index of ours on another table")
        << "DROP INDEX lexmora_review_due; CREATE INDEX lexmora_review_due ON Words (word)"
        << "lexmora_review_due";
    QTest::newRow("a trigger of ours doing something else")
        << "DROP TRIGGER lexmora_review_Words_delete; CREATE TRIGGER lexmora_review_Words_delete "
           "AFTER DELETE ON Words BEGIN SELECT 1; END"
        << "lexmora_review_Words_delete";
}

void TstReviewBook::refusesOurNamesTakenByAUser()
{
    QFETCH(QString, sql);
    QFETCH(QString, named);
    m_db.reset();
    {
        SQLite::Database other(m_folder->databasePath().toStdString(), SQLite::OPEN_READWRITE);
        other.exec(sql.toStdString());
    }
    const QByteArray before = fileState(m_folder->databasePath());
    try {
        WordDatabase::open(m_folder->databasePath());
        QFAIL("opened");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains(named) && e.message().contains("Lexmora did not make"),
                 qPrintable(e.message()));
    }
    QCOMPARE(fileState(m_folder->databasePath()), before);
}

QTEST_MAIN(TstReviewBook)
#include "tst_reviewbook.moc"
