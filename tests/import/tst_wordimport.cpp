// The import loop: Word normalization, where it stops, what it keeps when it fails.
#include "SheetFiles.h"
#include "SheetReader.h"
#include "StoreTestAccess.h"
#include "TestSupport.h"
#include "WordDatabase.h"
#include "WordImport.h"

#include <QTest>
#include <SQLiteCpp/Statement.h>

using namespace TestSupport;

class TestWordImport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void importsFromStartCellToFirstEmptyWord_data();
    void importsFromStartCellToFirstEmptyWord();
    void countsPastSixteenBits();
    void failureKeepsRowsBeforeIt();
    void batchBoundaries_data();
    void batchBoundaries();
    void writeFailureKeepsRowsBeforeIt_data();
    void writeFailureKeepsRowsBeforeIt();
    void stopKeepsRowsSoFar();
    void unknownCollectionWritesNothing();

private:
    QList<QStringList> rows(const QString &table = QStringLiteral("Words"));
    std::unique_ptr<SheetReader> sheet(const QList<QVariantList> &cells);
    std::unique_ptr<SheetReader> numberedCsv(qint64 count);

    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<WordDatabase> m_db;
};

void TestWordImport::init()
{
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), standardDetails(),
                  {{"Words", {{"Zebra", "already here", "old"}}}});
    m_db = WordDatabase::open(m_folder->databasePath());
}

void TestWordImport::cleanup()
{
    m_db.reset();
    m_folder.reset();
}

QList<QStringList> TestWordImport::rows(const QString &table)
{
    QList<QStringList> out;
    SQLite::Statement st(StoreTestAccess::sql(*m_db), "SELECT word, meaning, pointer FROM " +
                                                          table.toStdString() + " ORDER BY rowid");
    while (st.executeStep())
        out << QStringList{QString::fromStdString(st.getColumn(0).getString()),
                           QString::fromStdString(st.getColumn(1).getString()),
                           QString::fromStdString(st.getColumn(2).getString())};
    return out;
}

std::unique_ptr<SheetReader> TestWordImport::sheet(const QList<QVariantList> &cells)
{
    const QString path = m_folder->path("sheet.xlsx");
    SheetFiles::writeXlsx(path, cells.size(), SheetFiles::fromList(cells));
    return SheetReader::openFile(path);
}

void TestWordImport::importsFromStartCellToFirstEmptyWord_data()
{
    QTest::addColumn<QList<QVariantList>>("cells");
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("startColumn");
    QTest::addColumn<QList<QStringList>>("added");

    const QVariant none;
    QTest::newRow("B3 with three rows")
        << QList<QVariantList>{{"x"},
                               {"x"},
                               {none, "abate", "to lessen", "v."},
                               {none, "bOLSTER", "to support", "v."},
                               {none, "cAVIL", "to quibble", "n."},
                               {"A6 is not the word column", none, "stray meaning"}}
        << 3 << 2
        << QList<QStringList>{{"Abate", "to lessen", "v."},
                              {"Bolster", "to support", "v."},
                              {"Cavil", "to quibble", "n."}};
    QTest::newRow("empty start cell") << QList<QVariantList>{{none, "meaning"}, {"word", "meaning"}}
                                      << 1 << 1 << QList<QStringList>{};
    QTest::newRow("blanks and zEBRA with a trailing blank, added again")
        << QList<QVariantList>{{"  zEBRA ", "a horse", "p"}} << 1 << 1
        << QList<QStringList>{{"Zebra ", "a horse", "p"}};
    QTest::newRow("a duplicate is added again")
        << QList<QVariantList>{{"zebra", "striped", "again"}} << 1 << 1
        << QList<QStringList>{{"Zebra", "striped", "again"}};
    QTest::newRow("a word of blanks goes on")
        << QList<QVariantList>{{"   ", "blank", "b"}, {"next", "one", "n"}} << 1 << 1
        << QList<QStringList>{{"", "blank", "b"}, {"Next", "one", "n"}};
    QTest::newRow("empty meaning and pointer")
        << QList<QVariantList>{{"lone"}, {"half", "meaning only"}} << 1 << 1
        << QList<QStringList>{{"Lone", "", ""}, {"Half", "meaning only", ""}};
    QTest::newRow("numbers in their natural form")
        << QList<QVariantList>{{42, 3.14, 7}} << 1 << 1 << QList<QStringList>{{"42", "3.14", "7"}};
}

// Rows "wordN", "mN" for N = 1 .. count.
std::unique_ptr<SheetReader> TestWordImport::numberedCsv(qint64 count)
{
    const QString path = m_folder->path("numbered.csv");
    SheetFiles::writeCsv(path, count, [](qint64 row) {
        return QVariantList{QStringLiteral("word%1").arg(row), QStringLiteral("m%1").arg(row)};
    });
    return SheetReader::openFile(path);
}

void TestWordImport::importsFromStartCellToFirstEmptyWord()
{
    QFETCH(QList<QVariantList>, cells);
    QFETCH(int, startRow);
    QFETCH(int, startColumn);
    QFETCH(QList<QStringList>, added);
    auto reader = sheet(cells);
    const auto result = WordImport(*m_db, "Words").run(*reader, startRow, startColumn);
    QVERIFY2(!result.failed, qPrintable(result.error));
    QCOMPARE(result.imported, added.size());
    QCOMPARE(rows(), (QList<QStringList>{{"Zebra", "already here", "old"}} + added));
}

void TestWordImport::countsPastSixteenBits()
{
    constexpr qint64 count = 40000;
    const QString path = m_folder->path("many.csv");
    SheetFiles::writeCsv(path, count, [](qint64 row) {
        return QVariantList{QStringLiteral("word%1").arg(row), QStringLiteral("m%1").arg(row)};
    });
    auto reader = SheetReader::openFile(path);
    qint64 lastSeen = 0;
    const auto result =
        WordImport(*m_db, "words1").run(*reader, 1, 1, [&](qint64 n, const WordImport::Row &) {
            lastSeen = n;
            return true;
        });
    QVERIFY2(!result.failed, qPrintable(result.error));
    QCOMPARE(result.imported, count);
    QCOMPARE(lastSeen, count);
    const auto stored = rows("Words1");
    QCOMPARE(stored.size(), count);
    QCOMPARE(stored.last(), (QStringList{"Word40000", "m40000", ""}));
}

void TestWordImport::failureKeepsRowsBeforeIt()
{
    // The meaning of the third row is a formula FreeXL cannot give: the first two rows
    // stay, the third is not written, and the failure is reported, not taken for the end.
    const QString path = m_folder->path("formula.xls");
    SheetFiles::writeXls(
        path, 4,
        SheetFiles::fromList({{"one", "1"}, {"two", "2"}, {"three", "=1"}, {"four", "4"}}));
    auto reader = SheetReader::openFile(path);
    const auto result = WordImport(*m_db, "Words2").run(*reader, 1, 1);
    QVERIFY(result.failed);
    QVERIFY(result.error.contains("formula"));
    QCOMPARE(result.imported, 2);
    QCOMPARE(rows("Words2"), (QList<QStringList>{{"One", "1", ""}, {"Two", "2", ""}}));
}

void TestWordImport::batchBoundaries_data()
{
    QTest::addColumn<int>("count");
    constexpr int batch = WordImport::BatchRows;
    for (int count : {1, batch - 1, batch, batch + 1, 2 * batch + 1})
        QTest::addRow("%d rows", count) << count;
}

void TestWordImport::batchBoundaries()
{
    QFETCH(int, count);
    auto reader = numberedCsv(count);
    const auto result = WordImport(*m_db, "Words").run(*reader, 1, 1);
    QVERIFY2(!result.failed, qPrintable(result.error));
    QCOMPARE(result.imported, count);
    const auto stored = rows();
    QCOMPARE(stored.size(), count + 1);
    QCOMPARE(stored.first(), (QStringList{"Zebra", "already here", "old"}));
    for (int i = 1; i <= count; ++i)
        QCOMPARE(stored[i], (QStringList{QStringLiteral("Word%1").arg(i),
                                         QStringLiteral("m%1").arg(i), ""}));
}

void TestWordImport::writeFailureKeepsRowsBeforeIt_data()
{
    QTest::addColumn<int>("failing");
    constexpr int batch = WordImport::BatchRows;
    QTest::newRow("first row") << 1;
    QTest::newRow("inside the first batch") << batch / 2;
    QTest::newRow("last of a batch") << batch;
    QTest::newRow("first of the next batch") << batch + 1;
    QTest::newRow("in the short last batch") << 2 * batch + 3;
}

void TestWordImport::writeFailureKeepsRowsBeforeIt()
{
    QFETCH(int, failing);
    StoreTestAccess::sql(*m_db).exec(
        "CREATE TRIGGER refuse BEFORE INSERT ON Words2 WHEN new.word = 'Word" +
        std::to_string(failing) + "' BEGIN SELECT RAISE(ABORT, 'the row is refused'); END");
    auto reader = numberedCsv(2 * WordImport::BatchRows + 10);
    const auto result = WordImport(*m_db, "Words2").run(*reader, 1, 1);
    QVERIFY(result.failed);
    QVERIFY2(result.error.contains("the row is refused"), qPrintable(result.error));
    QCOMPARE(result.imported, failing - 1);
    const auto stored = rows("Words2");
    QCOMPARE(stored.size(), failing - 1);
    for (int i = 0; i < stored.size(); ++i)
        QCOMPARE(stored[i].first(), QStringLiteral("Word%1").arg(i + 1));
}

void TestWordImport::stopKeepsRowsSoFar()
{
    const QString path = m_folder->path("slow.csv");
    SheetFiles::writeCsv(path, 5000,
                         [](qint64 row) { return QVariantList{QStringLiteral("w%1").arg(row)}; });
    auto reader = SheetReader::openFile(path);
    int calls = 0;
    const auto result =
        WordImport(*m_db, "Words3").run(*reader, 1, 1, [&](qint64, const WordImport::Row &) {
            QTest::qSleep(WordImport::ProgressMs); // the next row reports at once
            return ++calls < 2;
        });
    QVERIFY(result.stopped);
    QVERIFY(!result.failed);
    QCOMPARE(result.imported, 2);
    QCOMPARE(rows("Words3").size(), 2);
}

void TestWordImport::unknownCollectionWritesNothing()
{
    auto reader = sheet({{"word", "meaning"}});
    const auto result = WordImport(*m_db, "Details; DROP TABLE Words").run(*reader, 1, 1);
    QVERIFY(result.failed);
    QCOMPARE(result.imported, 0);
    QCOMPARE(rows().size(), 1);
}

QTEST_GUILESS_MAIN(TestWordImport)
#include "tst_wordimport.moc"
