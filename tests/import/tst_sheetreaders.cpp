// The spreadsheet readers on files written by other programs and on files of our own.
#include "CsvReader.h"
#include "SheetFiles.h"
#include "SheetReader.h"
#include "XlsxReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Format = SheetReader::Format;
Q_DECLARE_METATYPE(Format)

namespace {

QString testData(const QString &file)
{
    return QDir(QStringLiteral(LEXMORA_TESTDATA)).filePath(file);
}

QString text(SheetReader &reader, qint64 row, int column)
{
    return reader.cell(row, column).toText();
}

// The same rows for every format the tests write: a start at B3 as the import window
// would use, numbers, blanks, and text that Windows-1252 can hold.
const QList<QVariantList> Written{
    {"header", "of", "the sheet"},
    {},
    {QVariant(), "  zEBRA ", "a striped horse", "animals"},
    {QVariant(), "café", 42, 3.14},
    {QVariant(), "quote \"and\", comma", QVariant(), "no meaning"},
    {QVariant(), "   ", "blank word", ""},
};

} // namespace

class TestSheetReaders : public QObject
{
    Q_OBJECT

private slots:
    void realFiles_data();
    void realFiles();
    void biffSiblingsAgree();
    void unreadableFiles_data();
    void unreadableFiles();
    void xlsFormulaIsReportedNotEmpty();
    void repeatedOdsRowsAreNotExpanded();
    void writtenFiles_data();
    void writtenFiles();
    void formatByContent_data();
    void formatByContent();
    void csvText_data();
    void csvText();
    void naturalNumbers_data();
    void naturalNumbers();
    void columnReferences();
};

void TestSheetReaders::realFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");

    QTest::newRow("BIFF8 shared string") << "xls/simple2003.xls" << 2 << 1 << "Cell1";
    QTest::newRow("BIFF8 number") << "xls/testcase1.xls" << 1 << 1 << "2172515";
    QTest::newRow("BIFF8 text") << "xls/testcase1.xls" << 3 << 2 << "Canberra";
    QTest::newRow("BIFF8 string in CONTINUE")
        << "xls/sst_continue.xls" << 136 << 1 << "New CONTINUE block";
    QTest::newRow("BIFF5 codepage text")
        << "xls/malformed_format.xls" << 35 << 2 << QString::fromUtf8("Festività calendario");
    QTest::newRow("BIFF5 whole number") << "xls/malformed_format.xls" << 2 << 1 << "1";
    QTest::newRow("BIFF8 time") << "xls/datetime2003.xls" << 2 << 1 << "09:58:45";
    QTest::newRow("xls past the sheet") << "xls/simple2003.xls" << 500 << 40 << "";
    QTest::newRow("xlsx Greek") << "xlsx/test_xml.xlsx" << 1 << 7 << QString::fromUtf8("Αθήνα");
    QTest::newRow("xlsx Cyrillic, trailing blank")
        << "xlsx/test_xml.xlsx" << 3 << 7 << QString::fromUtf8("Москва ");
    QTest::newRow("xlsx Arabic") << "xlsx/test_xml.xlsx" << 7 << 7 << QString::fromUtf8("القُدس");
    QTest::newRow("xlsx Chinese after a missing row")
        << "xlsx/test_xml.xlsx" << 9 << 7 << QString::fromUtf8("北京市");
    QTest::newRow("xlsx missing row") << "xlsx/test_xml.xlsx" << 8 << 7 << "";
    QTest::newRow("xlsx decimal") << "xlsx/test_xml.xlsx" << 3 << 3 << "1.2";
    QTest::newRow("xlsx big decimal") << "xlsx/test_xml.xlsx" << 6 << 2 << "1000000.5";
    QTest::newRow("ods Greek") << "ods/test_xml.ods" << 1 << 7 << QString::fromUtf8("Αθήνα");
    QTest::newRow("ods Cyrillic, trailing blank")
        << "ods/test_xml.ods" << 3 << 7 << QString::fromUtf8("Москва ");
    QTest::newRow("ods Chinese") << "ods/test_xml.ods" << 9 << 7 << QString::fromUtf8("北京市");
    QTest::newRow("ods decimal") << "ods/test_xml.ods" << 3 << 3 << "1.2";
    QTest::newRow("ods big decimal") << "ods/test_xml.ods" << 6 << 2 << "1000000.5";
    QTest::newRow("xlsx cached text of a formula") << "xlsx/issues.xlsx" << 3 << 1 << "ab";
    QTest::newRow("xlsx boolean formula") << "xlsx/issues.xlsx" << 4 << 1 << "FALSE";
    QTest::newRow("xlsx first sheet, not the rest") << "xlsx/issues.xlsx" << 2 << 1 << "1.5";
    QTest::newRow("xlsx shared string") << "xlsx/empty_shared_string.xlsx" << 1 << 1 << "abc";
    QTest::newRow("xlsx empty shared string") << "xlsx/empty_shared_string.xlsx" << 2 << 1 << "";
    QTest::newRow("xlsx inline string") << "xlsx/inlineStr_with_value.xlsx" << 1 << 5 << "ID";
    QTest::newRow("xlsx inline rich text")
        << "xlsx/inlineStr_with_value.xlsx" << 2 << 5 << "RQ11610";
    QTest::newRow("xlsx inline string beside a value")
        << "xlsx/inlineStr_with_value.xlsx" << 2 << 4 << "1.";
    QTest::newRow("ods two paragraphs") << "ods/special_cells.ods" << 1 << 1 << "Split\nLine";
    QTest::newRow("ods one extra space")
        << "ods/special_cells.ods" << 2 << 1 << "Value  With spaces";
    QTest::newRow("ods counted spaces")
        << "ods/special_cells.ods" << 3 << 1 << "Value   With 3 spaces";
    QTest::newRow("ods spaces around")
        << "ods/special_cells.ods" << 4 << 1 << " Value   With spaces before and after ";
    QTest::newRow("ods two spaces around")
        << "ods/special_cells.ods" << 5 << 1 << "  Value   With 2 spaces before and after  ";
}

void TestSheetReaders::realFiles()
{
    QFETCH(QString, file);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);
    if (!QFile::exists(testData(file)))
        QSKIP("The files written by other programs are not here.");
    auto reader = SheetReader::openFile(testData(file));
    QCOMPARE(text(*reader, row, column), expected);
    // Going back up starts the stream again and reads the same.
    if (row > 1) {
        (void)reader->cell(1, 1);
        QCOMPARE(text(*reader, row, column), expected);
    }
}

void TestSheetReaders::biffSiblingsAgree()
{
    const QStringList files{"xls/simple2003_21.xls", "xls/simple2003_5WB.xls",
                            "xls/simple2003.xls"};
    if (!QFile::exists(testData(files.first())))
        QSKIP("The files written by other programs are not here.");
    QList<QStringList> grids;
    for (const QString &file : files) {
        auto reader = SheetReader::openFile(testData(file));
        QStringList grid;
        for (int row = 1; row <= 4; ++row)
            for (int column = 1; column <= 6; ++column)
                grid << text(*reader, row, column);
        grids << grid;
    }
    QCOMPARE(grids[0].mid(0, 3), (QStringList{"Column 1", "Column 2", "Third Column"}));
    QVERIFY(grids[0].contains("3.14"));
    QVERIFY(grids[0].contains("-56.3089"));
    QCOMPARE(grids[1], grids[0]);
    QCOMPARE(grids[2], grids[0]);
}

void TestSheetReaders::unreadableFiles_data()
{
    QTest::addColumn<QString>("file");
    // FreeXL 1.0.6 answers OK without a workbook for these.
    QTest::newRow("empty string table") << "xls/empty-string.xls";
    QTest::newRow("sheet size off by one") << "xls/SphinxTextTinyTestCaseBiff8.xls";
    QTest::newRow("encrypted") << "xls/issue_385.xls";
    QTest::newRow("an Access database") << "mdb/testV1997.mdb";
}

void TestSheetReaders::unreadableFiles()
{
    QFETCH(QString, file);
    if (!QFile::exists(testData(file)))
        QSKIP("The files written by other programs are not here.");
    QVERIFY_THROWS_EXCEPTION(SheetError, SheetReader::openFile(testData(file)));
}

void TestSheetReaders::xlsFormulaIsReportedNotEmpty()
{
    // A1 and A2 are texts, A3 and A4 formulas whose results FreeXL does not give.
    if (!QFile::exists(testData("xls/xls_ref_String.xls")))
        QSKIP("The files written by other programs are not here.");
    auto reader = SheetReader::openFile(testData("xls/xls_ref_String.xls"));
    QCOMPARE(text(*reader, 1, 1), "aa");
    QCOMPARE(text(*reader, 2, 1), "bb");
    QVERIFY_THROWS_EXCEPTION(SheetError, reader->cell(3, 1));
    QVERIFY(reader->cell(3, 2).isEmpty());

    // The same in a sheet of our own, in the middle of the word column.
    QTemporaryDir dir;
    const QString path = dir.filePath("formula.xls");
    SheetFiles::writeXls(path, 3, SheetFiles::fromList({{"one"}, {"=1"}, {"three"}}));
    reader = SheetReader::openFile(path);
    QCOMPARE(text(*reader, 1, 1), "one");
    QVERIFY_THROWS_EXCEPTION(SheetError, reader->cell(2, 1));
    QCOMPARE(text(*reader, 3, 1), "three");
}

void TestSheetReaders::repeatedOdsRowsAreNotExpanded()
{
    // Written by Excel Online: repeated rows with data, and a trailing run of a million
    // empty rows and columns repeated 16,382 times.
    if (!QFile::exists(testData("ods/number_rows_repeated.ods")))
        QSKIP("The files written by other programs are not here.");
    auto reader = SheetReader::openFile(testData("ods/number_rows_repeated.ods"));
    const QList<QStringList> expected{{"A", "B"}, {"C", "D"}, {"C", "D"}, {"", ""},
                                      {"", ""},   {"C", "D"}, {"", ""},   {"C", "D"}};
    for (int row = 1; row <= expected.size(); ++row)
        QCOMPARE((QStringList{text(*reader, row, 1), text(*reader, row, 2)}), expected[row - 1]);
    QVERIFY(reader->cell(1000000, 16000).isEmpty());
    QCOMPARE(text(*reader, 3, 2), "D");
}

void TestSheetReaders::writtenFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("xlsx") << "words.xlsx";
    QTest::newRow("ods") << "words.ods";
    QTest::newRow("xls") << "words.xls";
    QTest::newRow("csv") << "words.csv";
}

void TestSheetReaders::writtenFiles()
{
    QFETCH(QString, file);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    const auto rows = SheetFiles::fromList(Written);
    if (file.endsWith("xlsx"))
        SheetFiles::writeXlsx(path, Written.size(), rows);
    else if (file.endsWith("ods"))
        SheetFiles::writeOds(path, Written.size(), rows);
    else if (file.endsWith("xls"))
        SheetFiles::writeXls(path, Written.size(), rows);
    else
        SheetFiles::writeCsv(path, Written.size(), rows);

    auto reader = SheetReader::openFile(path);
    QCOMPARE(text(*reader, 3, 2), "  zEBRA ");
    QCOMPARE(text(*reader, 3, 4), "animals");
    QCOMPARE(text(*reader, 4, 2), QString::fromUtf8("café"));
    QCOMPARE(text(*reader, 4, 3), "42");
    QCOMPARE(text(*reader, 4, 4), "3.14");
    QCOMPARE(text(*reader, 5, 2), "quote \"and\", comma");
    QVERIFY(reader->cell(5, 3).isEmpty());
    QCOMPARE(text(*reader, 6, 2), "   ");
    QVERIFY(!reader->cell(6, 2).isEmpty());
    QVERIFY(reader->cell(7, 2).isEmpty());
    QVERIFY(reader->cell(2, 1).isEmpty());
    // Back up to the top: the first sheet, not the second one the file also holds.
    QCOMPARE(text(*reader, 1, 1), "header");
    QCOMPARE(text(*reader, 1, 3), "the sheet");
}

void TestSheetReaders::formatByContent_data()
{
    QTest::addColumn<QString>("writtenAs");
    QTest::addColumn<QString>("named");
    QTest::addColumn<Format>("format");
    QTest::newRow("xlsx named .xls") << "xlsx"
                                     << "book.xls" << Format::Xlsx;
    QTest::newRow("ods named .XLS") << "ods"
                                    << "BOOK.XLS" << Format::Ods;
    QTest::newRow("BIFF2 named .csv") << "xls"
                                      << "book.csv" << Format::Xls;
    QTest::newRow("text named .xls") << "csv"
                                     << "book.xls" << Format::Csv;
    QTest::newRow("binary rubbish") << "binary"
                                    << "book.xls" << Format::Unknown;
    QTest::newRow("broken zip") << "zip"
                                << "book.xlsx" << Format::Unknown;
}

void TestSheetReaders::formatByContent()
{
    QFETCH(QString, writtenAs);
    QFETCH(QString, named);
    QFETCH(Format, format);
    QTemporaryDir dir;
    const QString path = dir.filePath(named);
    const auto rows = SheetFiles::fromList({{"word", "meaning"}});
    if (writtenAs == "xlsx")
        SheetFiles::writeXlsx(path, 1, rows);
    else if (writtenAs == "ods")
        SheetFiles::writeOds(path, 1, rows);
    else if (writtenAs == "xls")
        SheetFiles::writeXls(path, 1, rows);
    else if (writtenAs == "csv")
        SheetFiles::writeCsv(path, 1, rows);
    else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(writtenAs == "zip" ? QByteArray("PK\x03\x04 cut short", 16)
                                   : QByteArray("\x01\x00\xff\xfe rubbish", 13));
    }
    QCOMPARE(SheetReader::detect(path), format);
    if (format == Format::Unknown) {
        QVERIFY_THROWS_EXCEPTION(SheetError, SheetReader::openFile(path));
    } else {
        auto reader = SheetReader::openFile(path);
        QCOMPARE(text(*reader, 1, 2), "meaning");
    }
}

void TestSheetReaders::csvText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<QStringList>>("rows");

    QTest::newRow("quoted separators, quotes and line breaks")
        << "a.csv"
        << QByteArray("word,meaning,pointer\r\n\"a, b\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n")
        << QList<QStringList>{{"word", "meaning", "pointer"},
                              {"a, b", "say \"hi\"", "two\r\nlines"}};
    QTest::newRow("semicolons, commas inside")
        << "a.csv" << QByteArray("abate;to lessen, to reduce;v\nzeal;eagerness;n\n")
        << QList<QStringList>{{"abate", "to lessen, to reduce", "v"}, {"zeal", "eagerness", "n"}};
    QTest::newRow("tabs") << "a.txt" << QByteArray("one\ttwo, three\tfour\nfive\tsix\tseven")
                          << QList<QStringList>{{"one", "two, three", "four"},
                                                {"five", "six", "seven"}};
    QTest::newRow(".tsv with one column and commas")
        << "a.tsv" << QByteArray("a, b\nc, d\n") << QList<QStringList>{{"a, b"}, {"c, d"}};
    QTest::newRow("UTF-8 with a byte-order mark")
        << "a.csv" << QByteArray("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9,\xE2\x82\xAC\n")
        << QList<QStringList>{{QString::fromUtf8("été"), QString::fromUtf8("€")}};
    QTest::newRow("Windows-1252") << "a.csv" << QByteArray("caf\xE9,\x80 5,\x93quoted\x94\n")
                                  << QList<QStringList>{{QString::fromUtf8("café"),
                                                         QString::fromUtf8("€ 5"),
                                                         QString::fromUtf8("“quoted”")}};
    QTest::newRow("old Mac line ends, empty fields")
        << "a.csv" << QByteArray("a,,c\r,b,\r")
        << QList<QStringList>{{"a", "", "c"}, {"", "b", ""}};
}

void TestSheetReaders::csvText()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QList<QStringList>, rows);
    QTemporaryDir dir;
    QFile f(dir.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    auto reader = SheetReader::openFile(f.fileName());
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            QCOMPARE(text(*reader, r + 1, c + 1), rows[r][c]);
    QVERIFY(reader->cell(rows.size() + 1, 1).isEmpty());
    QVERIFY(reader->cell(1, rows[0].size() + 1).isEmpty());
}

void TestSheetReaders::naturalNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 42.0 << "42";
    QTest::newRow("negative whole") << -7.0 << "-7";
    QTest::newRow("decimal") << 3.14 << "3.14";
    QTest::newRow("long decimal") << -56.3089 << "-56.3089";
    QTest::newRow("sum with binary noise") << 0.1 + 0.2 << "0.3";
    QTest::newRow("large whole") << 2172515.0 << "2172515";
    QTest::newRow("huge") << 1e20 << "1e+20";
    QTest::newRow("small") << 0.000125 << "0.000125";
}

void TestSheetReaders::naturalNumbers()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(SheetCell::ofNumber(value).toText(), expected);
}

void TestSheetReaders::columnReferences()
{
    QCOMPARE(XlsxReader::columnOfReference(u"A1"), 1);
    QCOMPARE(XlsxReader::columnOfReference(u"Z9"), 26);
    QCOMPARE(XlsxReader::columnOfReference(u"AA10"), 27);
    QCOMPARE(XlsxReader::columnOfReference(u"BN31"), 66);
    QCOMPARE(XlsxReader::columnOfReference(u"XFD1048576"), 16384);
    QCOMPARE(XlsxReader::columnOfReference(u"12"), 0);
}

QTEST_GUILESS_MAIN(TestSheetReaders)
#include "tst_sheetreaders.moc"
