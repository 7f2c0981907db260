// The Access-style query dialect: the like matcher and the literal/identifier rewriting.
#include "JetDialect.h"
#include "JetLike.h"

#include <QTest>

class TstDialect : public QObject
{
    Q_OBJECT

private slots:
    void likeMatches_data();
    void likeMatches();
    void translate_data();
    void translate();
    void blankText();
    void substringRewrite_data();
    void substringRewrite();
    void trigramQuery_data();
    void trigramQuery();
};

namespace {

// An index for every table that records what it was asked.
class EveryTable : public JetDialect::SubstringIndex
{
public:
    std::string indexFor(const std::string &table, const std::string &match) override
    {
        asked.push_back(table + ": " + match);
        return "ix";
    }
    std::vector<std::string> asked;
};

} // namespace

void TstDialect::likeMatches_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("match");

    QTest::newRow("prefix") << "ab*" << "Abacus" << true;
    QTest::newRow("prefix miss") << "ab*" << "Cab" << false;
    QTest::newRow("substring") << "*to hate*" << "Loathe: to hate intensely" << true;
    QTest::newRow("star matches empty") << "*abc*" << "abc" << true;
    QTest::newRow("case ignored") << "ZEAL" << "zeal" << true;
    QTest::newRow("whole text only") << "zeal" << "zealot" << false;
    QTest::newRow("question one char") << "z?al" << "zeal" << true;
    QTest::newRow("question not zero") << "ze?al" << "zeal" << false;
    QTest::newRow("hash digit") << "Word#" << "Word7" << true;
    QTest::newRow("hash not letter") << "Word#" << "WordX" << false;
    QTest::newRow("class") << "[bc]at" << "Cat" << true;
    QTest::newRow("class miss") << "[bc]at" << "Rat" << false;
    QTest::newRow("range") << "[a-f]*" << "Dour" << true;
    QTest::newRow("range miss") << "[a-f]*" << "Zeal" << false;
    QTest::newRow("negated") << "[!a-f]*" << "Zeal" << true;
    QTest::newRow("negated miss") << "[!a-f]*" << "Abet" << false;
    QTest::newRow("bracketed star literal") << "a[*]b" << "a*b" << true;
    QTest::newRow("bracketed star no wildcard") << "a[*]b" << "axb" << false;
    QTest::newRow("percent literal") << "100%" << "100%" << true;
    QTest::newRow("percent not wildcard") << "1%" << "100" << false;
    QTest::newRow("underscore literal") << "a_b" << "a_b" << true;
    QTest::newRow("underscore not wildcard") << "a_b" << "axb" << false;
    QTest::newRow("apostrophe") << "*one's*" << "to do one's best" << true;
    QTest::newRow("unclosed bracket literal") << "a[b" << "a[b" << true;
    QTest::newRow("backtracking") << "*ab*ab" << "xabyabab" << true;
    QTest::newRow("backtracking miss") << "*ab*abc" << "xabyabab" << false;
    QTest::newRow("non-ascii case") << QString::fromUtf8("caf\u00c9*") << QString::fromUtf8("Caf\u00e9 noir") << true;
    QTest::newRow("star alone") << "*" << "" << true;
    QTest::newRow("stars alone") << "**" << "anything" << true;
    QTest::newRow("star both ends order") << "*b*a*" << "abc" << false;
    QTest::newRow("suffix") << "*ous" << "Abstruse" << false;
    QTest::newRow("suffix hit") << "*USE" << "Abstruse" << true;
    QTest::newRow("prefix and suffix overlap") << "ab*ba" << "aba" << false;
    QTest::newRow("prefix and suffix") << "ab*ba" << "abba" << true;
    QTest::newRow("class in middle segment") << "*w[aeiou]rd*" << "a swyrd" << false;
    QTest::newRow("class in middle segment hit") << "*w[aeiou]rd*" << "a weird word" << true;
    QTest::newRow("empty pattern") << "" << "" << true;
    QTest::newRow("empty pattern text") << "" << "a" << false;
}

void TstDialect::likeMatches()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, match);
    const QByteArray p = pattern.toUtf8();
    const QByteArray t = text.toUtf8();
    QCOMPARE(JetLikePattern({p.constData(), size_t(p.size())}).matches({t.constData(), size_t(t.size())}),
             match);
}

void TstDialect::translate_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");

    QTest::newRow("plain passes")
        << "Select * from Words where meaning like 'ab*'" << "Select * from Words where meaning like 'ab*'";
    QTest::newRow("double quotes are a literal")
        << "Select * from Words where pointer=\"Got it wrong\""
        << "Select * from Words where pointer='Got it wrong'";
    QTest::newRow("apostrophe inside double quotes")
        << "select 1 where \"one's\" = 'x'" << "select 1 where 'one''s' = 'x'";
    QTest::newRow("doubled double quote inside")
        << "select \"say \"\"hi\"\"\"" << "select 'say \"hi\"'";
    QTest::newRow("bracketed identifier") << "select [word] from [Words]"
                                          << "select \"word\" from \"Words\"";
    QTest::newRow("double quote inside single-quoted literal untouched")
        << "select 'a \"b\" c'" << "select 'a \"b\" c'";
    QTest::newRow("brackets inside literal untouched") << "where word like '[a-c]*'"
                                                       << "where word like '[a-c]*'";
    QTest::newRow("line comment untouched") << "select 1 -- \"x\" [y]\n" << "select 1 -- \"x\" [y]\n";
    QTest::newRow("block comment untouched") << "select /* \"x\" */ 1" << "select /* \"x\" */ 1";
    QTest::newRow("unterminated literal kept") << "select 'abc" << "select 'abc";

    // Word prefix searches gain a range on the case-blind index, and only where the range
    // cannot change what the condition means.
    const QString range = " AND word >= 'ab' COLLATE NOCASE AND word < 'ac' COLLATE NOCASE)";
    QTest::newRow("prefix search")
        << "Select * from Words where word like 'ab*'" << "Select * from Words where (word like 'ab*'" + range;
    QTest::newRow("prefix folded, then and")
        << "select * from Words where WORD like \"AB*\" and pointer = 'n.'"
        << "select * from Words where (WORD like 'AB*' AND WORD >= 'ab' COLLATE NOCASE AND WORD < 'ac' COLLATE NOCASE) and pointer = 'n.'";
    QTest::newRow("bracketed column, brackets around")
        << "select * from Words where ([word] like 'ab*')"
        << "select * from Words where ((\"word\" like 'ab*' AND \"word\" >= 'ab' COLLATE NOCASE AND \"word\" < 'ac' COLLATE NOCASE))";
    QTest::newRow("apostrophe in prefix")
        << "select * from Words where word like 'o''n*'"
        << "select * from Words where (word like 'o''n*' AND word >= 'o''n' COLLATE NOCASE AND word < 'o''o' COLLATE NOCASE)";
    QTest::newRow("not like left alone") << "select * from Words where word not like 'ab*'"
                                         << "select * from Words where word not like 'ab*'";
    QTest::newRow("qualified column left alone") << "select * from Words w where w.word like 'ab*'"
                                                 << "select * from Words w where w.word like 'ab*'";
    QTest::newRow("operand of concatenation left alone")
        << "select * from Words where 'x' || word like 'xab*'" << "select * from Words where 'x' || word like 'xab*'";
    QTest::newRow("comparison after left alone") << "select * from Words where word like 'ab*' = 1"
                                                 << "select * from Words where word like 'ab*' = 1";
    QTest::newRow("wildcard inside left alone") << "select * from Words where word like 'a?b*'"
                                                << "select * from Words where word like 'a?b*'";
    QTest::newRow("no star left alone") << "select * from Words where word like 'ab'"
                                        << "select * from Words where word like 'ab'";
}

void TstDialect::translate()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    const QByteArray in = jet.toUtf8();
    QCOMPARE(QString::fromStdString(JetDialect::translate({in.constData(), size_t(in.size())})),
             sqlite);
}

void TstDialect::substringRewrite_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    const QString in = QStringLiteral(" AND rowid IN (SELECT rowid FROM \"ix\" WHERE \"ix\" MATCH "
                                      "'\"abc\" AND \"def\"'))");

    QTest::newRow("quick search") << "Select * from Words where meaning like '*abcdef*'"
                                  << "Select * from Words where (meaning like '*abcdef*'" + in;
    QTest::newRow("double quotes, bracketed column, alias")
        << "select * from words w where [pointer] like \"*ABCDEF*\" order by 1"
        << "select * from words w where (\"pointer\" like '*ABCDEF*'" + in + " order by 1";
    QTest::newRow("one term of an AND")
        << "select * from Words where word = 'x' and meaning like '*abcdef*' and pointer = ''"
        << "select * from Words where word = 'x' and (meaning like '*abcdef*'" + in +
               " and pointer = ''";

    // Left as they are: the term is not one of the clause's own ANDs, or the shape is not
    // one table's plain select.
    for (const char *sql : {
             "select * from Words where meaning like '*abcdef*' or word = 'x'",
             "select * from Words where not meaning like '*abcdef*'",
             "select * from Words where (meaning like '*abcdef*')",
             "select * from Words where meaning like '*abcdef*' = 0",
             "select * from Words where meaning like '*abcdef*' escape '!'",
             "select * from Words where x between 1 and meaning like '*abcdef*'",
             "select * from Words, Words1 where meaning like '*abcdef*'",
             "select * from Words join Words1 where meaning like '*abcdef*'",
             "select * from Words where word in (select word from Words1) and meaning like "
             "'*abcdef*'",
             "select * from Words where meaning like '*ab*'",
             "select * from Words where meaning like '*a?b*c#d[ef]g*'",
         })
        QTest::newRow(sql) << sql << sql;
}

void TstDialect::substringRewrite()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    const QByteArray in = jet.toUtf8();
    EveryTable index;
    QCOMPARE(QString::fromStdString(
                 JetDialect::translate({in.constData(), size_t(in.size())}, &index)),
             sqlite);
}

void TstDialect::trigramQuery_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("query");
    // Side by side, the last one overlapping so every character is covered.
    QTest::newRow("substring") << "*number 4567*"
                               << "\"num\" AND \"ber\" AND \" 45\" AND \"567\"";
    QTest::newRow("folded to lower case") << "*ZEAL*" << "\"zea\" AND \"eal\"";
    QTest::newRow("apostrophe and quote kept") << "*it's \"x*" << "\"it'\" AND \"s \"\"\" AND \" \"\"x\"";
    QTest::newRow("wildcards split runs") << "*ab?cde#fg*" << "\"cde\"";
    QTest::newRow("class skipped whole") << "[abcdef]xyz*" << "\"xyz\"";
    QTest::newRow("letters beyond ASCII split runs") << "*abécde*" << "\"cde\"";
    QTest::newRow("too short") << "*ab*" << "";
}

void TstDialect::trigramQuery()
{
    QFETCH(QString, pattern);
    QFETCH(QString, query);
    const QByteArray p = pattern.toUtf8();
    QCOMPARE(QString::fromStdString(JetDialect::trigramQuery({p.constData(), size_t(p.size())})),
             query);
}

void TstDialect::blankText()
{
    QVERIFY(JetDialect::isBlank(""));
    QVERIFY(JetDialect::isBlank("  ; -- nothing\n /* here */ "));
    QVERIFY(!JetDialect::isBlank(" ; delete from Words"));
    QVERIFY(!JetDialect::isBlank("'--'"));
}

QTEST_GUILESS_MAIN(TstDialect)
#include "tst_dialect.moc"
