// The queries the quick searches and Show all write, and what they find in a real store.
#include "QuickSearch.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QTest>

using namespace TestSupport;
using Kind = QuickSearch::Kind;

Q_DECLARE_METATYPE(QuickSearch::Kind)

class TstQueryText : public QObject
{
    Q_OBJECT

private slots:
    void entries();
    void queries_data();
    void queries();
    void typedTextFindsItsWords_data();
    void typedTextFindsItsWords();
};

void TstQueryText::entries()
{
    QCOMPARE(QuickSearch::kindOf("Quick search - By word"), Kind::ByWord);
    QCOMPARE(QuickSearch::kindOf("Quick search - By meaning"), Kind::ByMeaning);
    QCOMPARE(QuickSearch::kindOf("Quick search - By pointer"), Kind::ByPointer);
    // Only the exact entry texts start a search.
    for (const QString &other : {QString(), QStringLiteral("quick search - by word"),
                                 QStringLiteral("Quick search - By word ")})
        QVERIFY(!QuickSearch::kindOf(other));

    QCOMPARE(QuickSearch::prompt(Kind::ByWord),
             "Please enter the word completely or the starting few letters of the word : ");
    QCOMPARE(QuickSearch::prompt(Kind::ByMeaning),
             "Please enter the meaning completely or any significant part of the meaning : ");
    QCOMPARE(QuickSearch::prompt(Kind::ByPointer),
             "Please enter the pointer completely or any significant part of the pointer : ");
}

void TstQueryText::queries_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("query");
    QTest::newRow("word") << Kind::ByWord << "Words"
                          << "ab"
                          << "Select * from Words where word like 'ab*'";
    QTest::newRow("meaning") << Kind::ByMeaning << "Words"
                             << "to hate"
                             << "Select * from Words where meaning like '*to hate*'";
    QTest::newRow("pointer") << Kind::ByPointer << "Words3"
                             << "Got it wrong"
                             << "Select * from Words3 where pointer like '*Got it wrong*'";
    QTest::newRow("apostrophe") << Kind::ByMeaning << "Words"
                                << "one's"
                                << "Select * from Words where meaning like '*one''s*'";
    QTest::newRow("two apostrophes") << Kind::ByWord << "Words5"
                                     << "'tis'"
                                     << "Select * from Words5 where word like '''tis''*'";
    QTest::newRow("wildcards kept") << Kind::ByPointer << "Words"
                                    << "n?[!x]*#"
                                    << "Select * from Words where pointer like '*n?[!x]*#*'";
    QTest::newRow("double quotes kept") << Kind::ByMeaning << "Words1"
                                        << "say \"hi\""
                                        << "Select * from Words1 where meaning like '*say \"hi\"*'";
}

void TstQueryText::queries()
{
    QFETCH(Kind, kind);
    QFETCH(QString, table);
    QFETCH(QString, typed);
    QFETCH(QString, query);
    QCOMPARE(QuickSearch::query(kind, table, typed), query);
}

// The written query must stay one valid statement that finds exactly what was typed.
void TstQueryText::typedTextFindsItsWords_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("prefix, any case") << Kind::ByWord << "ab" << QStringList{"Abacus", "abate"};
    QTest::newRow("contraction word") << Kind::ByWord << "don't" << QStringList{"Don't"};
    QTest::newRow("apostrophe meaning") << Kind::ByMeaning << "one's" << QStringList{"Own"};
    QTest::newRow("quote only") << Kind::ByMeaning << "'" << QStringList{"Own", "Don't"};
    QTest::newRow("double quotes") << Kind::ByPointer << "\"hi\"" << QStringList{"Hello"};
    QTest::newRow("typed wildcard") << Kind::ByWord << "a?a" << QStringList{"Abacus", "abate"};
    QTest::newRow("percent is plain") << Kind::ByMeaning << "100%" << QStringList{"Whole"};
    QTest::newRow("nothing") << Kind::ByPointer << "zzz" << QStringList{};
}

void TstQueryText::typedTextFindsItsWords()
{
    QFETCH(Kind, kind);
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    WorkFolder folder;
    writeDatabase(folder.databasePath(), standardDetails(),
                  {{"Words2",
                    {{"Abacus", "a counting frame", "n."},
                     {"abate", "to lessen", "v."},
                     {"Own", "belonging to one's self", ""},
                     {"Don't", "do not: it's a contraction", "x"},
                     {"Hello", "a greeting", "say \"hi\""},
                     {"Whole", "100% of it", "adj."},
                     {"Zeal", "great energy", "n."}}}});
    auto db = WordDatabase::open(folder.databasePath());
    const Snapshot rows = db->query(QuickSearch::query(kind, "Words2", typed));
    QStringList words;
    for (qint64 r = 0; r < rows.rowCount(); ++r)
        words << rows.text(r, 0);
    QCOMPARE(words, found);
}

QTEST_GUILESS_MAIN(TstQueryText)
#include "tst_querytext.moc"
