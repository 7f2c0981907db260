// Reading real Access files of several versions with libmdb: tables, text, memo, Yes/No
// values and compressed Unicode.
#include "AccessFiles.h"
#include "AccessReader.h"
#include "AccessTestFiles.h"
#include "StoreError.h"
#include "TestSupport.h"

#include <QDir>
#include <QTest>

#include <algorithm>

using namespace TestSupport;

class TstAccessReader : public QObject
{
    Q_OBJECT

private slots:
    void listsUserTables_data();
    void listsUserTables();
    void readsTextAndYesNo_data();
    void readsTextAndYesNo();
    void readsMemoInFull();
    void readsCompressedUnicode();
    void refusesWhatIsNoAccessFile_data();
    void refusesWhatIsNoAccessFile();
};

namespace {

QString require(const QString &name)
{
    return AccessTestFiles::path(name);
}

int columnIndex(AccessReader &reader, const QString &table, const QString &column)
{
    return int(reader.columns(table).indexOf(column));
}

} // namespace

void TstAccessReader::listsUserTables_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QStringList>("tables");
    QTest::newRow("Access 97") << "testV1997.mdb"
                               << "Jet 3" << QStringList{"Table1", "Table2", "Table3", "Table4"};
    QTest::newRow("Access 97, Project data") << "test2V1997.mdb"
                                             << "Jet 3" << QStringList{"MSP_PROJECTS"};
    QTest::newRow("Access 2003") << "testUnicodeCompV2003.mdb"
                                 << "Jet 4" << QStringList{"Table"};
    QTest::newRow("Access 2007") << "testV2007.accdb"
                                 << "ACE" << QStringList{"Table1", "Table2", "Table3", "Table4"};
    QTest::newRow("Access 2010") << "testEmoticonsV2010.accdb"
                                 << "ACE" << QStringList{"data"};
}

void TstAccessReader::listsUserTables()
{
    QFETCH(QString, file);
    QFETCH(QString, engine);
    QFETCH(QStringList, tables);
    const QString path = require(file);
    if (path.isEmpty())
        QSKIP("The shared Access test files are not here.");
    QVERIFY(AccessFiles::isAccessFile(path));
    AccessReader reader(path);
    QCOMPARE(reader.engine(), engine);
    QStringList found = reader.tables(); // system tables (MSys...) are not listed
    found.sort();
    QCOMPARE(found, tables);
}

void TstAccessReader::readsTextAndYesNo_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Jet 3") << "testV1997.mdb";
    QTest::newRow("ACE 12") << "testV2007.accdb";
}

void TstAccessReader::readsTextAndYesNo()
{
    QFETCH(QString, file);
    const QString path = require(file);
    if (path.isEmpty())
        QSKIP("The shared Access test files are not here.");
    AccessReader reader(path);
    QCOMPARE(reader.columns("Table1"), (QStringList{"A", "B", "C", "D", "E", "F", "G", "H", "I"}));
    // A and B are text, D a number, I a Yes/No column. The files keep their rows in
    // different orders.
    TextRows rows = reader.rows("Table1", {0, 1, 3, 8});
    std::sort(rows.begin(), rows.end());
    QCOMPARE(rows, (TextRows{{"a", "b", "0", "0"}, {"abcdefg", "hijklmnop", "222", "1"}}));
    QCOMPARE(reader.rows("Table3", {0}), TextRows{});
}

void TstAccessReader::readsMemoInFull()
{
    const QString path = require("test2V1997.mdb");
    if (path.isEmpty())
        QSKIP("The shared Access test files are not here.");
    AccessReader reader(path);
    const QString table = "MSP_PROJECTS";
    const TextRows rows =
        reader.rows(table, {columnIndex(reader, table, "PROJ_NAME"),
                            columnIndex(reader, table, "PROJ_PROP_AUTHOR"),
                            columnIndex(reader, table, "PROJ_OPT_CURRENCY_SYMBOL")});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0][0], "Project1");
    // A memo of 348 characters, longer than any text column, comes out whole.
    QCOMPARE(rows[0][1].size(), 348);
    QVERIFY(rows[0][1].startsWith("Jon Iles this is a a vawesrasoih"));
    // Jet 3 keeps text in code page 1252.
    QCOMPARE(rows[0][2], QString(QChar(0xa3)));
}

void TstAccessReader::readsCompressedUnicode()
{
    const QString path = require("testUnicodeCompV2003.mdb");
    if (path.isEmpty())
        QSKIP("The shared Access test files are not here.");
    AccessReader reader(path);
    const TextRows rows = reader.rows("Table", {0, 1});
    const QStringList texts = AccessTestFiles::unicodeTexts();
    QCOMPARE(rows.size(), texts.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows[i][0], QString::number(i + 1));
        QCOMPARE(rows[i][1], texts[i]);
    }
}

void TstAccessReader::refusesWhatIsNoAccessFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("signature"); // what isAccessFile() says of it
    QTest::newRow("word database") << "sqlite" << false;
    QTest::newRow("text file") << "text" << false;
    QTest::newRow("empty file") << "empty" << false;
    QTest::newRow("Access file cut short") << "cut" << true;
}

void TstAccessReader::refusesWhatIsNoAccessFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, signature);
    WorkFolder folder;
    const QString file = folder.path("file.mdb");
    if (kind == "sqlite") {
        writeDatabase(file);
    } else if (kind == "cut") {
        const QString path = require("testV1997.mdb");
        if (path.isEmpty())
            QSKIP("The shared Access test files are not here.");
        // libmdb loops for ever on this copy when it is not stopped before.
        QVERIFY(AccessTestFiles::write(file, AccessTestFiles::bytes(path).left(100000)));
    } else {
        QVERIFY(AccessTestFiles::write(file, kind == "text" ? "Standard words\n" : ""));
    }
    QCOMPARE(AccessFiles::isAccessFile(file), signature);
    const QByteArray before = fileState(file);
    try {
        AccessReader reader(file);
        QFAIL("the file was accepted");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(file)), qPrintable(e.message()));
    }
    QCOMPARE(fileState(file), before);
}

QTEST_GUILESS_MAIN(TstAccessReader)
#include "tst_accessreader.moc"
