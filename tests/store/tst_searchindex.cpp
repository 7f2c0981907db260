// Substring searches through the trigram index give exactly the rows of a plain scan, in
// table order, on randomly made collections, also after the triggers have followed edits,
// deletions and additions, and after the index was built afresh on an existing file, in
// one go or in slices that were broken off and went on at the next open.
#include "JetDialect.h"
#include "JetLike.h"
#include "SearchIndex.h"
#include "StoreProgress.h"
#include "StoreTestAccess.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>

#include <SQLiteCpp/Statement.h>

using namespace TestSupport;

namespace {

using Row = QList<QVariant>;

// Letters that fold in both ways, the pattern's own wildcards, an apostrophe, and letters
// beyond ASCII, among them the Kelvin sign that folds into a plain k. Plain letters come
// up most, so that many patterns hold the three in a row the index needs.
const QStringList Alphabet{"a", "b", "c", "A", "B", "C", "a", "b", "c", "A", "B", "C",
                           "k", "K", " ", "'", "*", "?", "#", "[", "]", "!", "1", "2",
                           "é", "É", "ß", "Σ", "σ", "\u212A"};
const QStringList Columns{"word", "meaning", "pointer"};

class Generator
{
public:
    explicit Generator(quint32 seed) : m_random(seed) {}

    int below(int n) { return int(m_random.bounded(n)); }
    QString text(int maxLength)
    {
        QString t;
        for (int i = below(maxLength + 1); i > 0; --i)
            t += Alphabet[below(int(Alphabet.size()))];
        return t;
    }
    // A cell: now and then missing, now and then the quiz's marker.
    QVariant cell(int maxLength)
    {
        const int kind = below(12);
        if (kind == 0)
            return QVariant();
        if (kind == 1)
            return QStringLiteral("Got it wrong");
        return text(maxLength);
    }
    // Mostly a piece of a stored text with its letters' case changed and a wildcard let in,
    // so that searches find something; otherwise anything at all.
    QString pattern(const QList<Row> &rows)
    {
        QString piece;
        if (!rows.isEmpty() && below(4) != 0) {
            const QString source = rows[below(int(rows.size()))][below(3)].toString();
            const int from = source.isEmpty() ? 0 : below(int(source.size()));
            piece = source.mid(from, 4 + below(6));
        } else {
            piece = text(6);
        }
        for (QChar &c : piece)
            if (below(3) == 0)
                c = c.isUpper() ? c.toLower() : c.toUpper();
        if (piece.size() > 4 && below(4) == 0)
            piece[below(int(piece.size()))] = QLatin1Char(below(2) ? '?' : '*');
        return QLatin1Char('*') + piece + QLatin1Char('*');
    }

private:
    QRandomGenerator m_random;
};

QString literal(const QString &pattern)
{
    return QLatin1Char('\'') + QString(pattern).replace("'", "''") + QLatin1Char('\'');
}

QList<Row> tableRows(WordDatabase &db)
{
    QList<Row> rows;
    SQLite::Statement all(StoreTestAccess::sql(db),
                          "SELECT word, meaning, pointer FROM Words ORDER BY rowid");
    while (all.executeStep()) {
        Row r;
        for (int c = 0; c < 3; ++c)
            r << (all.getColumn(c).isNull()
                      ? QVariant()
                      : QVariant(QString::fromUtf8(all.getColumn(c).getText())));
        rows << r;
    }
    return rows;
}

bool matches(const QString &pattern, const QVariant &cell)
{
    if (cell.isNull())
        return false;
    const QByteArray p = pattern.toUtf8();
    const QByteArray t = cell.toString().toUtf8();
    return JetLikePattern({p.constData(), size_t(p.size())})
        .matches({t.constData(), size_t(t.size())});
}

QList<Row> queried(WordDatabase &db, const QString &sql)
{
    const Snapshot result = db.query(sql);
    QList<Row> rows;
    for (qint64 r = 0; r < result.rowCount(); ++r)
        rows << Row{result.value(r, 0), result.value(r, 1), result.value(r, 2)};
    return rows;
}

void insertRows(WordDatabase &db, Generator &g, int count)
{
    SQLite::Statement insert(StoreTestAccess::sql(db), "INSERT INTO Words VALUES (?, ?, ?)");
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < 3; ++c) {
            const QVariant v = g.cell(c == 1 ? 24 : 10);
            if (v.isNull())
                insert.bind(c + 1);
            else
                insert.bind(c + 1, v.toString().toStdString());
        }
        insert.exec();
        insert.reset();
    }
}

// Edits, deletions and additions, each through the triggers.
void changeRows(WordDatabase &db, Generator &g)
{
    for (int i = 0; i < 40; ++i) {
        SQLite::Statement edit(StoreTestAccess::sql(db),
                               "UPDATE Words SET meaning = ?, pointer = ? WHERE rowid = "
                               "(SELECT rowid FROM Words LIMIT 1 OFFSET ?)");
        edit.bind(1, g.text(20).toStdString());
        edit.bind(2, g.text(6).toStdString());
        edit.bind(3, g.below(200));
        edit.exec();
        SQLite::Statement remove(StoreTestAccess::sql(db),
                                 "DELETE FROM Words WHERE rowid = "
                                 "(SELECT rowid FROM Words LIMIT 1 OFFSET ?)");
        remove.bind(1, g.below(200));
        remove.exec();
    }
    insertRows(db, g, 30);
}

// Drops the index of Words with its triggers, as in a file from before it.
void dropIndex(WordDatabase &db)
{
    for (const char *suffix : {"_insert", "_delete", "_update"})
        StoreTestAccess::sql(db).exec(std::string("DROP TRIGGER lexmora_text_Words") + suffix);
    StoreTestAccess::sql(db).exec("DROP TABLE lexmora_text_Words");
}

bool inSchema(WordDatabase &db, const std::string &name)
{
    SQLite::Statement find(StoreTestAccess::sql(db), "SELECT 1 FROM sqlite_schema WHERE name = ?");
    find.bind(1, name);
    return find.executeStep();
}

// The engine's own check that the index holds exactly the trigrams of the table's rows.
void verifyIndexMatchesTable(WordDatabase &db)
{
    QVERIFY(inSchema(db, "lexmora_text_Words"));
    QVERIFY(!inSchema(db, "lexmora_textfill_Words"));
    QVERIFY(!inSchema(db, SearchIndex::FillStateTable));
    StoreTestAccess::sql(db).exec(
        "INSERT INTO lexmora_text_Words(lexmora_text_Words, rank) VALUES ('integrity-check', 1)");
}

// Opens the file with the long steps' box answered by Cancel once `rows` rows are done.
std::unique_ptr<WordDatabase> openBrokenOffAfter(const QString &path, qint64 rows)
{
    StoreProgress::setRunner([rows](const QString &, bool cancellable,
                                    const StoreProgress::Step &step) {
        step([&](qint64 done, qint64) { return !cancellable || done < rows; });
    });
    const auto plain = qScopeGuard([] { StoreProgress::setRunner(nullptr); });
    return WordDatabase::open(path);
}

} // namespace

class TstSearchIndex : public QObject
{
    Q_OBJECT

private slots:
    void sameRowsAsScan_data();
    void sameRowsAsScan();
    void olderVersionsIndexTakesOverAGrowingOne();
};

void TstSearchIndex::sameRowsAsScan_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QString>("how");
    for (quint32 seed : {1u, 2u, 3u, 4u})
        for (const char *how : {"kept by triggers", "built on opening", "grown in slices"})
            QTest::addRow("seed %u, %s", seed, how) << seed << QString::fromLatin1(how);
}

void TstSearchIndex::sameRowsAsScan()
{
    QFETCH(quint32, seed);
    QFETCH(QString, how);
    const bool sliced = how == "grown in slices";
    SearchIndex::setSliceRowsForTests(sliced ? 40 : 0);
    const auto slices = qScopeGuard([] { SearchIndex::setSliceRowsForTests(0); });
    WorkFolder folder;
    writeDatabase(folder.databasePath());
    Generator g(seed);
    auto db = WordDatabase::open(folder.databasePath());
    insertRows(*db, g, 300);
    if (how != "kept by triggers") {
        // A file from before the index: opening it builds the index from the rows. In
        // slices, the open is broken off part-way and the searches read the table until
        // the next open has grown the index to its end, following the changes meanwhile.
        dropIndex(*db);
        db.reset();
        db = sliced ? openBrokenOffAfter(folder.databasePath(), 120)
                    : WordDatabase::open(folder.databasePath());
        QCOMPARE(inSchema(*db, "lexmora_text_Words"), !sliced);
    }

    int fast = 0;
    for (int round = 0; round < 2; ++round) {
        const QList<Row> rows = tableRows(*db);
        for (int i = 0; i < 60; ++i) {
            const QString p = g.pattern(rows);
            const QString q = g.pattern(rows);
            const int a = g.below(3);
            const int b = g.below(3);
            const bool both = g.below(2) == 0;
            const QString one = "Select * from Words where " + Columns[a] + " like " + literal(p);
            const QString two = one + (both ? " and " : " or ") + Columns[b] + " like " + literal(q);
            QList<Row> expectOne, expectTwo;
            for (const Row &r : rows) {
                const bool m = matches(p, r[a]);
                const bool n = matches(q, r[b]);
                if (m)
                    expectOne << r;
                if (both ? (m && n) : (m || n))
                    expectTwo << r;
            }
            QVERIFY2(queried(*db, one) == expectOne, qPrintable(one));
            QVERIFY2(queried(*db, two) == expectTwo, qPrintable(two));

            SearchIndex::Probe probe(*db);
            for (const QString &text : {one, two}) {
                const QByteArray sql = text.toUtf8();
                if (JetDialect::translate({sql.constData(), size_t(sql.size())}, &probe)
                        .find("MATCH") != std::string::npos)
                    ++fast;
            }
        }
        changeRows(*db, g);
        if (sliced && round == 0) {
            QVERIFY(inSchema(*db, "lexmora_textfill_Words"));
            QCOMPARE(fast, 0);
            db.reset();
            db = WordDatabase::open(folder.databasePath());
        }
    }
    // The comparison is only worth something when the index was used.
    QVERIFY2(fast > (sliced ? 20 : 40), qPrintable(QString::number(fast)));
    verifyIndexMatchesTable(*db);
}

// An older version of the program builds the index in one go under its own name when it
// finds none; the next open of this one finds both and drops its growing one.
void TstSearchIndex::olderVersionsIndexTakesOverAGrowingOne()
{
    SearchIndex::setSliceRowsForTests(10);
    const auto slices = qScopeGuard([] { SearchIndex::setSliceRowsForTests(0); });
    WorkFolder folder;
    writeDatabase(folder.databasePath(), standardDetails(), {{"Words", numberedWords(100)}});
    auto db = WordDatabase::open(folder.databasePath());
    dropIndex(*db);
    db.reset();
    db = openBrokenOffAfter(folder.databasePath(), 30);
    QVERIFY(inSchema(*db, "lexmora_textfill_Words"));
    StoreTestAccess::sql(*db).exec(R"(
        CREATE VIRTUAL TABLE "lexmora_text_Words" USING fts5(word, meaning, pointer, content="Words", content_rowid='rowid', tokenize='trigram', detail=none, columnsize=0);
        CREATE TRIGGER "lexmora_text_Words_insert" AFTER INSERT ON "Words" BEGIN
            INSERT INTO "lexmora_text_Words"(rowid, word, meaning, pointer)
            VALUES (new.rowid, new.word, new.meaning, new.pointer); END;
        CREATE TRIGGER "lexmora_text_Words_delete" AFTER DELETE ON "Words" BEGIN
            INSERT INTO "lexmora_text_Words"("lexmora_text_Words", rowid, word, meaning, pointer)
            VALUES ('delete', old.rowid, old.word, old.meaning, old.pointer); END;
        CREATE TRIGGER "lexmora_text_Words_update" AFTER UPDATE ON "Words" BEGIN
            INSERT INTO "lexmora_text_Words"("lexmora_text_Words", rowid, word, meaning, pointer)
            VALUES ('delete', old.rowid, old.word, old.meaning, old.pointer);
            INSERT INTO "lexmora_text_Words"(rowid, word, meaning, pointer)
            VALUES (new.rowid, new.word, new.meaning, new.pointer); END;
        INSERT INTO "lexmora_text_Words"("lexmora_text_Words") VALUES ('rebuild');
        UPDATE Words SET meaning = 'changed' WHERE rowid IN (5, 50);
        DELETE FROM Words WHERE rowid IN (6, 60);)");
    db.reset();
    db = WordDatabase::open(folder.databasePath());
    verifyIndexMatchesTable(*db);
    QCOMPARE(db->query("Select * from Words where meaning like '*hange*'").rowCount(), 2);
}

QTEST_MAIN(TstSearchIndex)
#include "tst_searchindex.moc"
