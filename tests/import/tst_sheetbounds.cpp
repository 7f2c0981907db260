// The readers on hostile and damaged files: what they refuse, where they stop, what they
// still read, and a file changed after it was opened.
#include "SheetFiles.h"
#include "SheetLimits.h"
#include "SheetReader.h"
#include "TestSupport.h"
#include "WordDatabase.h"
#include "WordImport.h"
#include "XmlGuard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <utime.h>

using SheetFiles::Hostile;
using Problem = XmlGuard::Problem;
Q_DECLARE_METATYPE(Problem)

namespace {

QString testData(const QString &file)
{
    return QDir(QStringLiteral(LEXMORA_TESTDATA)).filePath(file);
}

// What the import window does with a file: open it at A1 and read the preview, then import
// into Words. `opened` is empty when the file opened, else the reason it was refused.
struct Outcome
{
    QString opened;
    qint64 imported = 0;
    QString stopped;
};

Outcome openAndImport(const QString &path)
{
    Outcome out;
    TestSupport::WorkFolder folder;
    TestSupport::writeDatabase(folder.databasePath());
    auto db = WordDatabase::open(folder.databasePath());
    std::unique_ptr<SheetReader> sheet;
    try {
        sheet = SheetReader::openFile(path);
        for (int column = 1; column <= 3; ++column)
            (void)sheet->cell(1, column);
    } catch (const SheetError &e) {
        out.opened = e.message();
        return out;
    }
    const auto result = WordImport(*db, QStringLiteral("Words")).run(*sheet, 1, 1);
    out.imported = result.imported;
    out.stopped = result.error;
    return out;
}

QByteArray xlsxSheet(const QByteArray &rows)
{
    return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<sheetData>" +
           rows + "</sheetData></worksheet>";
}

QByteArray odsTable(const QByteArray &rows)
{
    return "<table:table table:name=\"S\">" + rows + "</table:table>";
}

QByteArray odsRow(const QByteArray &word, const QByteArray &repeat = "1")
{
    return "<table:table-row table:number-rows-repeated=\"" + repeat +
           "\"><table:table-cell office:value-type=\"string\"><text:p>" + word +
           "</text:p></table:table-cell></table:table-row>";
}

} // namespace

class TestSheetBounds : public QObject
{
    Q_OBJECT

private slots:
    void hostileFiles_data();
    void hostileFiles();
    void xmlGuard_data();
    void xmlGuard();
    void sheetEdges_data();
    void sheetEdges();
    void nulBytesAreRefused_data();
    void nulBytesAreRefused();
    void changedFile_data();
    void changedFile();
    void cancelStopsOpening();
};

void TestSheetBounds::hostileFiles_data()
{
    QTest::addColumn<QString>("file");      // under the test data, or a Hostile to write
    QTest::addColumn<int>("kind");          // -1: `file` is test data
    QTest::addColumn<QString>("refused");   // part of the reason the open gives, or empty
    QTest::addColumn<qint64>("imported");   // rows the import saves before it stops
    QTest::addColumn<QString>("stoppedBy"); // part of why it stops

    const auto real = [](const char *name, const char *file, const char *refused) {
        QTest::newRow(name) << file << -1 << refused << qint64(0) << "";
    };
    real("2 GB of blanks in 2 MB", "hostile/bomb_ws.xlsx", "would inflate to 2,147,484,092 bytes");
    real("a cell of 20,000 runs of 65,536 spaces", "hostile/manyspaces.ods",
         "row 1, column 1 is longer than 65,536 characters");
    real("a row repeated 2^40 times", "hostile/rep_rows.ods",
         "row 1 is repeated past the last row a sheet can have (1,048,576)");
    real("an .xls file that crashes FreeXL", "damaged/sst_continue-15-bytes-changed.xls",
         "the .xls reader stopped on it");
    real("an Access file", "hostile/mut_testV2007_6.mdb", "is not a spreadsheet");

    const auto made = [](const char *name, Hostile kind, const char *refused, qint64 imported,
                         const char *stoppedBy) {
        QTest::newRow(name) << SheetFiles::hostileName(kind) << int(kind) << refused << imported
                            << stoppedBy;
    };
    made("a 20 MB workbook part is streamed", Hostile::WholeWorkbook, "", 1, "");
    made("more shared strings than are kept", Hostile::ManySharedStrings,
         "more shared text than this program reads", 0, "");
    made("a meaning of 100,000 characters", Hostile::LongCell, "", 1,
         "row 2, column 2 is longer than 65,536 characters");
    made("elements nested a million deep", Hostile::DeepXml, "nests its elements more than 256", 0,
         "");
    made("row 9223372036854775807", Hostile::RowNumberPastSheet, "", 1,
         "numbers a row 9223372036854775807, past the last row");
    made("a cell at XFE1048577", Hostile::ColumnPastSheet, "", 1,
         "row 2 has a cell past the last column a sheet can have (16,384)");
    made("a word repeated across 2^40 columns", Hostile::RepeatedColumns, "", 1,
         "row 2 has a cell past the last column");
    made("a quote that never closes", Hostile::UnclosedQuote, "", 2,
         "row 3, column 1 is longer than 65,536 characters");
}

void TestSheetBounds::hostileFiles()
{
    QFETCH(QString, file);
    QFETCH(int, kind);
    QFETCH(QString, refused);
    QFETCH(qint64, imported);
    QFETCH(QString, stoppedBy);
    QTemporaryDir dir;
    QString path = testData(file);
    if (kind >= 0) {
        path = dir.filePath(file);
        SheetFiles::writeHostile(Hostile(kind), path);
    } else if (!QFile::exists(path)) {
        QSKIP("The hostile files are not here.");
    }
    const QByteArray before = TestSupport::fileState(path);

    const Outcome outcome = openAndImport(path);
    if (refused.isEmpty()) {
        QVERIFY2(outcome.opened.isEmpty(), qPrintable(outcome.opened));
        QCOMPARE(outcome.imported, imported);
        QVERIFY2(outcome.stopped.contains(stoppedBy), qPrintable(outcome.stopped));
        QCOMPARE(outcome.stopped.isEmpty(), stoppedBy.isEmpty());
    } else {
        QVERIFY2(outcome.opened.contains(refused), qPrintable(outcome.opened));
    }
    QCOMPARE(TestSupport::fileState(path), before);
}

void TestSheetBounds::xmlGuard_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<Problem>("problem");
    using namespace SheetLimits;
    const QByteArray deep = QByteArray("<a>").repeated(MaxXmlDepth);
    const QByteArray closes = QByteArray("</a>").repeated(MaxXmlDepth);

    QTest::newRow("a sheet's markup") << QByteArray("<?xml version=\"1.0\"?><w><row r=\"1\">"
                                                    "<c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\"/>"
                                                    "</row></w>")
                                      << Problem::None;
    QTest::newRow("as deep as allowed, closed and again")
        << deep + closes + deep + closes << Problem::None;
    QTest::newRow("one deeper") << deep + "<a>" << Problem::Deep;
    QTest::newRow("a million empty elements are no depth")
        << "<a>" + QByteArray("<c r=\"A1\" s=\"1\" />").repeated(1 << 20) + "</a>" << Problem::None;
    QTest::newRow("'/' and '>' in a value end no element")
        << deep.left(deep.size() - 3) + "<a href=\"x/\"><b c='>'>" << Problem::Deep;
    QTest::newRow("markup in comments, sections and instructions opens nothing")
        << deep + "<!-- <a><a> --><![CDATA[<a><a>]]><?pi <a> ?>" + closes << Problem::None;
    QTest::newRow("a document type, the way to entity bombs")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">]><a/>")
        << Problem::DocumentType;
    QTest::newRow("text as long as allowed")
        << "<t>" + QByteArray(MaxXmlTextBytes, 'x') + "</t>" << Problem::None;
    QTest::newRow("text one byte longer")
        << "<t>" + QByteArray(MaxXmlTextBytes + 1, 'x') + "</t>" << Problem::LongText;
    QTest::newRow("blanks between rows are text")
        << "<r/>" + QByteArray(MaxXmlTextBytes + 1, ' ') + "<r/>" << Problem::LongText;
    QTest::newRow("a long comment")
        << "<!--" + QByteArray(MaxXmlTextBytes + 1, '-') + "-->" << Problem::LongText;
    QTest::newRow("a long CDATA section")
        << "<![CDATA[" + QByteArray(MaxXmlTextBytes + 1, '<') + "]]>" << Problem::LongText;
    QTest::newRow("a long attribute value")
        << "<c v=\"" + QByteArray(MaxXmlTagBytes, 'v') + "\"/>" << Problem::LongTag;
    QTest::newRow("many attributes")
        << "<c " + QByteArray("a=\"1\" ").repeated(MaxXmlTagBytes / 6 + 1) + "/>"
        << Problem::LongTag;
}

void TestSheetBounds::xmlGuard()
{
    QFETCH(QByteArray, xml);
    QFETCH(Problem, problem);
    XmlGuard whole;
    whole.feed(xml.constData(), xml.size());
    QCOMPARE(whole.problem(), problem);
    // In pieces, as a zip part inflates: the same answer.
    XmlGuard pieces;
    for (qsizetype at = 0; at < xml.size(); at += 7)
        pieces.feed(xml.constData() + at, qMin<qsizetype>(7, xml.size() - at));
    QCOMPARE(pieces.problem(), problem);
}

void TestSheetBounds::sheetEdges_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<qint64>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected"); // the cell's text, or "error: " and part of it

    const QByteArray c = "<c r=\"A1\" t=\"inlineStr\"><is><t>w</t></is></c>";
    QTest::newRow("xlsx last row")
        << "xlsx" << xlsxSheet("<row r=\"1048576\">" + c + "</row>") << qint64(1048576) << 1 << "w";
    QTest::newRow("xlsx last column")
        << "xlsx"
        << xlsxSheet("<row r=\"1\"><c r=\"XFD1\" t=\"inlineStr\"><is><t>far</t></is></c></row>")
        << qint64(1) << 16384 << "far";
    QTest::newRow("xlsx row 1048577") << "xlsx" << xlsxSheet("<row r=\"1048577\">" + c + "</row>")
                                      << qint64(1) << 1 << "error: numbers a row 1048577";
    QTest::newRow("xlsx rows before a damaged one read")
        << "xlsx" << xlsxSheet("<row r=\"1\">" + c + "</row><row r=\"-5\">" + c + "</row>")
        << qint64(1) << 1 << "w";
    QTest::newRow("xlsx a row number that is no number")
        << "xlsx" << xlsxSheet("<row r=\"1\"/><row r=\"2x\">" + c + "</row>") << qint64(2) << 1
        << "error: past the last row";
    QTest::newRow("xlsx a cell past the sheet is not looked for")
        << "xlsx" << xlsxSheet("<row r=\"1\">" + c + "</row>") << qint64(1) << 16385 << "";
    QTest::newRow("xlsx a million empty cells in a row")
        << "xlsx"
        << xlsxSheet("<row r=\"1\">" + QByteArray("<c r=\"B1\"/>").repeated(1000000) + c + "</row>")
        << qint64(1) << 1 << "w";
    QTest::newRow("xlsx a shared string past the table")
        << "xlsx"
        << xlsxSheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>99999999999999999999</v></c></row>")
        << qint64(1) << 1 << "error: names shared string";
    QTest::newRow("ods empty rows past the sheet are clamped")
        << "ods"
        << odsTable(odsRow("w") +
                    "<table:table-row table:number-rows-repeated=\"99999999999999999999\"/>" +
                    odsRow("x"))
        << qint64(1048576) << 1 << "";
    QTest::newRow("ods a word repeated to the last row")
        << "ods"
        << odsTable("<table:table-row table:number-rows-repeated=\"1048575\"/>" + odsRow("w", "1"))
        << qint64(1048576) << 1 << "w";
    QTest::newRow("ods a word repeated past the last row, the rows before readable")
        << "ods" << odsTable(odsRow("v") + odsRow("w", "1048576")) << qint64(1) << 1 << "v";
    QTest::newRow("ods ... but not that word")
        << "ods" << odsTable(odsRow("v") + odsRow("w", "1048576")) << qint64(2) << 1
        << "error: row 2 is repeated past the last row";
    QTest::newRow("ods empty columns past the sheet are clamped")
        << "ods"
        << odsTable("<table:table-row><table:table-cell office:value-type=\"string\"><text:p>w"
                    "</text:p></table:table-cell><table:table-cell "
                    "table:number-columns-repeated=\"9999999999\"/></table:table-row>" +
                    odsRow("x"))
        << qint64(2) << 1 << "x";
    QTest::newRow("ods a word past empty columns to the end of the sheet")
        << "ods"
        << odsTable("<table:table-row><table:table-cell table:number-columns-repeated=\"16384\"/>"
                    "<table:table-cell office:value-type=\"string\"><text:p>w</text:p>"
                    "</table:table-cell></table:table-row>")
        << qint64(1) << 1 << "error: row 1 has a cell past the last column";
    QTest::newRow("ods a cell of counted spaces as long as allowed")
        << "ods"
        << odsTable("<table:table-row><table:table-cell office:value-type=\"string\"><text:p>"
                    "<text:s text:c=\"65535\"/>w</text:p></table:table-cell></table:table-row>")
        << qint64(1) << 1 << QString(65535, QLatin1Char(' ')) + "w";
    QTest::newRow("ods a number whose shown text is too long is the number")
        << "ods"
        << odsTable("<table:table-row><table:table-cell office:value-type=\"float\" "
                    "office:value=\"42\"><text:p><text:s text:c=\"70000\"/></text:p>"
                    "</table:table-cell></table:table-row>")
        << qint64(1) << 1 << "42";
    QTest::newRow("csv a field as long as allowed") << "csv"
                                                    << "\"" + QByteArray(65536, 'x') + "\",m\n"
                                                    << qint64(1) << 2 << "m";
    QTest::newRow("csv a field one longer, its neighbour still read")
        << "csv"
        << "\"" + QByteArray(65537, 'x') + "\",m\n"
        << qint64(1) << 2 << "m";
    QTest::newRow("csv ... but not that field")
        << "csv"
        << "\"" + QByteArray(65537, 'x') + "\",m\n"
        << qint64(1) << 1 << "error: row 1, column 1 is longer than 65,536";
    QTest::newRow("csv content past the last column")
        << "csv" << QByteArray(20000, ',') + "w\n"
        << qint64(1) << 1 << "error: row 1 has a cell past the last column";
    QTest::newRow("csv empty fields past the last column") << "csv"
                                                           << "w" + QByteArray(20000, ',') + "\n"
                                                           << qint64(1) << 1 << "w";
}

void TestSheetBounds::sheetEdges()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, content);
    QFETCH(qint64, row);
    QFETCH(int, column);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("edge." + format);
    if (format == "xlsx") {
        SheetFiles::writeRawXlsx(
            path, SheetFiles::text(content),
            SheetFiles::text("<sst xmlns=\"http://schemas.openxmlformats.org/"
                             "spreadsheetml/2006/main\"><si><t>s</t></si></sst>"));
    } else if (format == "ods") {
        SheetFiles::writeRawOds(path, SheetFiles::text(content));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    auto reader = SheetReader::openFile(path);
    if (expected.startsWith("error: ")) {
        try {
            (void)reader->cell(row, column);
            QFAIL("no error");
        } catch (const SheetError &e) {
            QVERIFY2(e.message().contains(expected.mid(7)), qPrintable(e.message()));
        }
        // The rows before it are still there to read, and the error stays where it was.
        if (row > 1)
            (void)reader->cell(1, 1);
        QVERIFY_THROWS_EXCEPTION(SheetError, reader->cell(row, column));
    } else {
        QCOMPARE(reader->cell(row, column).toText(), expected);
    }
}

void TestSheetBounds::nulBytesAreRefused_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("csv, at the start") << "csv" << QByteArray("Ab\0cd,m\n", 8);
    QTest::newRow("csv, past the part looked at to tell the format")
        << "csv" << QByteArray("w,m\n").repeated(2000) + QByteArray("Ab\0cd,m\n", 8);
    QTest::newRow("csv in Windows-1252")
        << "csv" << QByteArray("caf\xE9,m\n").repeated(2000) + QByteArray("Ab\0cd,m\n", 8);
    QTest::newRow("xlsx, as a character reference")
        << "xlsx"
        << xlsxSheet("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Ab&#0;cd</t></is>"
                     "</c></row>");
    QTest::newRow("xlsx, as a byte")
        << "xlsx"
        << xlsxSheet(QByteArray("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Ab\0cd"
                                "</t></is></c></row>",
                                56));
    QTest::newRow("ods, as a byte") << "ods" << odsTable(odsRow(QByteArray("Ab\0cd", 5)));
}

void TestSheetBounds::nulBytesAreRefused()
{
    // No reader lets a NUL into a word: the file is refused where it holds one.
    QFETCH(QString, format);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath("nul." + format);
    if (format == "xlsx") {
        SheetFiles::writeRawXlsx(path, SheetFiles::text(content));
    } else if (format == "ods") {
        SheetFiles::writeRawOds(path, SheetFiles::text(content));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const Outcome outcome = openAndImport(path);
    QVERIFY2(!outcome.opened.isEmpty(), "the file was read");
    QCOMPARE(outcome.imported, 0);
}

void TestSheetBounds::changedFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("change");
    for (const char *file : {"words.xlsx", "words.ods", "words.xls", "words.csv"})
        for (const char *change : {"cut short", "replaced", "touched"})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(file, change))) << file << change;
}

void TestSheetBounds::changedFile()
{
    QFETCH(QString, file);
    QFETCH(QString, change);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    const auto rows = [](qint64 r) {
        return QVariantList{QStringLiteral("word%1").arg(r), QStringLiteral("meaning %1").arg(r)};
    };
    const auto write = [&](const QString &to, qint64 count) {
        if (file.endsWith("xlsx"))
            SheetFiles::writeXlsx(to, count, rows);
        else if (file.endsWith("ods"))
            SheetFiles::writeOds(to, count, rows);
        else if (file.endsWith("xls"))
            SheetFiles::writeXls(to, count, rows);
        else
            SheetFiles::writeCsv(to, count, rows);
    };
    write(path, 3000);

    // The preview, as the import window reads it, and again: the file has not changed.
    auto reader = SheetReader::openFile(path);
    for (int pass = 0; pass < 2; ++pass)
        for (int column = 1; column <= 3; ++column)
            (void)reader->cell(1, column);

    if (change == "cut short") {
        QFile f(path);
        QVERIFY(f.resize(f.size() / 2));
    } else if (change == "replaced") {
        write(dir.filePath("other"), 10);
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(dir.filePath("other"), path));
    } else {
        utimbuf later{0, 1000000000};
        QVERIFY(::utime(QFile::encodeName(path).constData(), &later) == 0);
    }

    // The import starts again at the row of the preview: the first cell it asks for finds
    // the change, so nothing of the changed file is saved.
    TestSupport::WorkFolder folder;
    TestSupport::writeDatabase(folder.databasePath());
    auto db = WordDatabase::open(folder.databasePath());
    const auto result = WordImport(*db, QStringLiteral("Words")).run(*reader, 1, 1);
    QCOMPARE(result.imported, 0);
    QVERIFY2(result.error.contains("has changed since its starting cell was chosen"),
             qPrintable(result.error));
}

void TestSheetBounds::cancelStopsOpening()
{
    // Every reader asks whether to go on while it opens; No stops it with SheetCancelled.
    QTemporaryDir dir;
    const QString path = dir.filePath("many.csv");
    SheetFiles::writeCsv(path, 200000, [](qint64 r) {
        return QVariantList{QStringLiteral("w%1").arg(r), QString(20, QLatin1Char('m'))};
    });
    int asked = 0;
    QVERIFY_THROWS_EXCEPTION(SheetCancelled,
                             SheetReader::openFile(path, [&] { return ++asked < 3; }));
    QCOMPARE(asked, 3);

    const QString sheet = dir.filePath("many.xlsx");
    SheetFiles::writeXlsx(sheet, 20000, [](qint64 r) {
        return QVariantList{QStringLiteral("w%1").arg(r), QStringLiteral("m%1").arg(r)};
    });
    asked = 0;
    auto reader = SheetReader::openFile(sheet, [&] { return ++asked > 0; });
    QVERIFY(asked > 0);
    // Told to stop on the way down, then asked again from the top: it starts over.
    reader->setKeepGoing([] { return false; });
    QVERIFY_THROWS_EXCEPTION(SheetCancelled, reader->cell(19000, 1));
    reader->setKeepGoing({});
    QCOMPARE(reader->cell(19000, 1).toText(), "w19000");
    QCOMPARE(reader->cell(2, 2).toText(), "m2");
}

QTEST_GUILESS_MAIN(TestSheetBounds)
#include "tst_sheetbounds.moc"
