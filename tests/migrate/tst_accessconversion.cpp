// Converting an Access word file into a new word database, on the reading layer's results
// from real Access files.
#include "AccessConversion.h"
#include "AccessReader.h"
#include "AccessTestFiles.h"
#include "Collections.h"
#include "StoreError.h"
#include "StoreTestAccess.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QDir>
#include <QTest>

using namespace TestSupport;

namespace {

// An Access file as the conversion sees it, made by the test.
class TablesSource : public AccessSource
{
public:
    struct Table
    {
        QStringList columns;
        TextRows rows;
    };
    QMap<QString, Table> tablesByName;
    QString failingTable; // reading its rows fails, as a damaged table does

    QStringList tables() override { return tablesByName.keys(); }
    QStringList columns(const QString &table) override { return tablesByName[table].columns; }
    TextRows rows(const QString &table, const QList<int> &columnIndexes) override
    {
        if (table == failingTable)
            throw StoreError("The table " + table + " could not be read.");
        TextRows result;
        for (const QStringList &row : tablesByName[table].rows) {
            QStringList picked;
            for (const int i : columnIndexes)
                picked << (i < 0 ? QString() : row.value(i));
            result << picked;
        }
        return result;
    }
};

TextRows readAll(const QString &file, const QString &table, const QList<int> &columns)
{
    AccessReader reader(file);
    return reader.rows(table, columns);
}

TextRows tableRows(WordDatabase &db, const QString &table)
{
    TextRows rows;
    TableCursor cursor(db, table);
    for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext()) {
        QStringList row;
        for (int c = 0; c < (table == "Details" ? 2 : 3); ++c)
            row << cursor.text(c);
        rows << row;
    }
    return rows;
}

QStringList folderFiles(const WorkFolder &folder)
{
    return QDir(folder.path()).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TstAccessConversion : public QObject
{
    Q_OBJECT

private slots:
    void convertsWordTables();
    void readsYesNo_data();
    void readsYesNo();
    void failureWritesNothing_data();
    void failureWritesNothing();
};

void TstAccessConversion::convertsWordTables()
{
    const QString unicodeFile = AccessTestFiles::path("testUnicodeCompV2003.mdb");
    const QString jet3File = AccessTestFiles::path("testV1997.mdb");
    const QString memoFile = AccessTestFiles::path("test2V1997.mdb");
    if (unicodeFile.isEmpty() || jet3File.isEmpty() || memoFile.isEmpty())
        QSKIP("The shared Access test files are not here.");
    // The word-table layout, filled with what the reader gave from real files.
    TablesSource source;
    TablesSource::Table words{{"ID", "Word", "POINTER", "Meaning"}, {}};
    for (const QStringList &r : readAll(unicodeFile, "Table", {0, 1}))
        words.rows << QStringList{"x", "w" + r[0], "p" + r[0], r[1]};
    source.tablesByName["WORDS"] = words;
    // Without the three names, the first three columns count by position.
    source.tablesByName["words3"] = {{"A", "B", "C", "Extra"},
                                     readAll(jet3File, "Table1", {0, 1, 2, 3})};
    const TextRows memo = readAll(memoFile, "MSP_PROJECTS", {1, 2});
    source.tablesByName["Words5"] = {{"word", "meaning"}, memo};
    TextRows details;
    for (int i = 0; i < 6; ++i)
        details << QStringList{"Collection " + QString::number(i + 1), i == 3 ? "1" : "0", "note"};
    source.tablesByName["details"] = {{"Name", "Flag", "Note"}, details};
    source.tablesByName["Table1"] = {{"A"}, {{"left behind"}}};

    WorkFolder folder;
    const auto summary = AccessConversion::convert(source, folder.databasePath());

    QCOMPARE(summary.createdEmpty, (QStringList{"Words1", "Words2", "Words4"}));
    QCOMPARE(summary.words.value("Words"), 8);
    QCOMPARE(summary.totalWords(), 8 + 2 + 1);
    QCOMPARE(folderFiles(folder), QStringList{"qvtmdb.mdb"});
    auto db = WordDatabase::open(folder.databasePath());
    const TextRows converted = tableRows(*db, "Words");
    const QStringList texts = AccessTestFiles::unicodeTexts();
    QCOMPARE(converted.size(), texts.size());
    for (qsizetype i = 0; i < converted.size(); ++i)
        QCOMPARE(converted[i], (QStringList{"w" + QString::number(i + 1), texts[i],
                                            "p" + QString::number(i + 1)}));
    QCOMPARE(tableRows(*db, "Words3"), readAll(jet3File, "Table1", {0, 1, 2}));
    QCOMPARE(tableRows(*db, "Words5"), (TextRows{{memo[0][0], memo[0][1], QString()}}));
    for (const char *empty : {"Words1", "Words2", "Words4"})
        QCOMPARE(TableCursor(*db, empty).recordCount(), 0);
    QCOMPARE(tableRows(*db, "Details").first(), (QStringList{"Collection 1", "0"}));
    QCOMPARE(Collections::chooseDefault(*db), "Words3");
    QVERIFY(!StoreTestAccess::sql(*db).tableExists("Table1"));
}

void TstAccessConversion::readsYesNo_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("yes");
    QTest::newRow("libmdb true") << "1" << true;
    QTest::newRow("Access true") << "-1" << true;
    QTest::newRow("false") << "0" << false;
    QTest::newRow("word") << " True " << true;
    QTest::newRow("empty (Null)") << "" << false;
}

void TstAccessConversion::readsYesNo()
{
    QFETCH(QString, value);
    QFETCH(bool, yes);
    QCOMPARE(AccessConversion::isYes(value), yes);
}

void TstAccessConversion::failureWritesNothing_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("reason");
    QTest::newRow("target exists") << "exists"
                                   << "already exists";
    QTest::newRow("partial file exists") << "partial"
                                         << "qvtmdb.mdb.partial already exists";
    QTest::newRow("no word tables") << "foreign"
                                    << "none of the tables";
    QTest::newRow("Details of one column") << "details"
                                           << "Default flag";
    QTest::newRow("unreadable table") << "unreadable"
                                      << "Words2 could not be read";
}

void TstAccessConversion::failureWritesNothing()
{
    QFETCH(QString, problem);
    QFETCH(QString, reason);
    TablesSource source;
    source.tablesByName["Words"] = {{"word", "meaning", "pointer"}, {{"Abate", "to lessen", ""}}};
    source.tablesByName["Words2"] = {{"word", "meaning", "pointer"}, {}};
    source.tablesByName["Details"] = {{"Name", "Flag"}, {{"QVT Words", "1"}}};
    if (problem == "foreign")
        source.tablesByName = {{"Table1", {{"A"}, {{"a"}}}}};
    else if (problem == "details")
        source.tablesByName["Details"].columns = QStringList{"Name"};
    else if (problem == "unreadable")
        source.failingTable = "Words2";

    WorkFolder folder;
    if (problem == "exists")
        QVERIFY(AccessTestFiles::write(folder.databasePath(), "precious"));
    if (problem == "partial")
        QVERIFY(AccessTestFiles::write(folder.databasePath() + ".partial", "precious"));
    const QStringList before = folderFiles(folder);
    try {
        AccessConversion::convert(source, folder.databasePath());
        QFAIL("the conversion reported success");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
    }
    QCOMPARE(folderFiles(folder), before);
    if (problem == "exists" || problem == "partial")
        QCOMPARE(AccessTestFiles::bytes(folder.databasePath() + (problem == "partial" ? ".partial" : "")),
                 QByteArray("precious"));
}

QTEST_GUILESS_MAIN(TstAccessConversion)
#include "tst_accessconversion.moc"
