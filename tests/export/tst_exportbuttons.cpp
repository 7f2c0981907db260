// The two Export buttons and lexmora-newdb --export, with the whole program started in a
// fresh folder and the save dialog answered from the script.
#include "ExportFormat.h"
#include "ExportStart.h"
#include "Form1.h"
#include "HoverLooks.h"
#include "LongWork.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "SheetReader.h"
#include "StatusBox.h"
#include "Twips.h"
#include "WordRows.h"
#include "sqlret.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSlider>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace TestSupport;
Q_DECLARE_METATYPE(ExportFormat)

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The rows our own import reads from a file: from A1, or A2 after a .csv file's header.
QList<QStringList> readBack(const QString &path, qint64 first)
{
    const auto sheet = SheetReader::openFile(path);
    QList<QStringList> rows;
    for (qint64 r = first; !sheet->cell(r, 1).isEmpty(); ++r)
        rows << QStringList{sheet->cell(r, 1).toText(), sheet->cell(r, 2).toText(),
                            sheet->cell(r, 3).toText()};
    return rows;
}

QList<QStringList> asRows(const std::vector<WordEntry> &words)
{
    QList<QStringList> rows;
    for (const WordEntry &w : words)
        rows << QStringList{w.word, w.meaning, w.pointer};
    return rows;
}

sqlret *findViewer()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("sqlret") && w->isVisible())
            return qobject_cast<sqlret *>(w);
    return nullptr;
}

const std::vector<WordEntry> Words{{"Abate", "to lessen", "Got it wrong"},
                                   {"Zeal", "eagerness, \"fervour\"", ""},
                                   {QString::fromUtf8("Café"), "two\nlines", "Got it wrong"}};
const std::vector<WordEntry> Words2{{"Other", "of the second collection", "p"}};

// Rows that come slowly, as from a large collection.
class SlowRows : public WordRowSource
{
public:
    bool next(WordRow &row) override
    {
        if (m_next >= 5000)
            return false;
        QThread::msleep(1);
        row = {QStringLiteral("W%1").arg(++m_next), QStringLiteral("m"), QString()};
        return true;
    }

private:
    int m_next = 0;
};

} // namespace

class TestExportButtons : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void mainWindowButton();
    void exportsTheCurrentCollection_data();
    void exportsTheCurrentCollection();
    void cancelInTheDialogWritesNothing();
    void fileThatCannotBeWrittenIsReported();
    void longExportCanBeCancelled();
    void resultsViewerExportsItsRows_data();
    void resultsViewerExportsItsRows();
    void commandLine_data();
    void commandLine();

private:
    QString statusText() const { return m_main->RichTextBox1->statusText(); }

    std::unique_ptr<ProgramFixture> m_program;
    Form1 *m_main = nullptr;
};

void TestExportButtons::init()
{
    m_program = std::make_unique<ProgramFixture>(
        ProgramFixture::Options{.tables = {{"Words", Words}, {"Words2", Words2}}});
    m_main = m_program->start();
    QVERIFY(m_main);
}

void TestExportButtons::cleanup()
{
    m_program.reset();
}

void TestExportButtons::mainWindowButton()
{
    QPushButton *b = m_main->Command21;
    QCOMPARE(b->objectName(), "Command21");
    QCOMPARE(b->text(), "Export");
    QCOMPARE(b->toolTip(), "This can save the words of the current database to a file");
    QCOMPARE(b->parentWidget(), m_main->Frame3);
    // Under "Import", as wide as it, inside the frame.
    QCOMPARE(b->geometry(), Twips::rect(3080, 4140, 2640, 555));
    QCOMPARE(b->x(), m_main->Command12->x());
    QVERIFY(m_main->Frame3->rect().contains(b->geometry()));
    QCOMPARE(HoverLooks::backColour(b), QColor(255, 128, 0));
}

void TestExportButtons::exportsTheCurrentCollection_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<ExportFormat>("format");
    QTest::newRow("the file type picks the format")
        << "list" << ExportFormats::filter(ExportFormat::Xlsx) << ExportFormat::Xlsx;
    QTest::newRow("the extension typed wins")
        << "list.kvtml" << ExportFormats::filter(ExportFormat::Csv) << ExportFormat::Kvtml;
    QTest::newRow("Anki") << "deck.txt" << QString() << ExportFormat::AnkiText;
    QTest::newRow("csv") << "list.csv" << QString() << ExportFormat::Csv;
}

void TestExportButtons::exportsTheCurrentCollection()
{
    QFETCH(QString, name);
    QFETCH(QString, filter);
    QFETCH(ExportFormat, format);
    Module1::openCurrentCollection(QStringLiteral("Words2"));
    Module1::currentCollection = QStringLiteral("Words2");
    const QString path = m_program->folder().path(name);
    const QString before = statusText();
    m_program->dialogs().expectSaveFile(path, filter);
    m_main->Command21->click();

    const auto call = m_program->dialogs().last();
    QCOMPARE(call.kind, ScriptedDialogs::Kind::SaveFile);
    QCOMPARE(call.title, "Export words to a file");
    QCOMPARE(call.filters, ExportFormats::filters());
    // The dialog suggests a file named after the collection, of the type chosen last.
    QCOMPARE(QFileInfo(call.text).completeBaseName(), "Words2");
    QVERIFY2(ExportFormats::fromPath(call.text).has_value(), qPrintable(call.text));
    QCOMPARE(SheetReader::detect(path) == SheetReader::Format::Csv, format == ExportFormat::Csv);
    QCOMPARE(readBack(path, format == ExportFormat::Csv ? 2 : 1), asRows(Words2));
    QCOMPARE(statusText(), before + CrLf + "Exported 1 words of Words2 to " + path + CrLf);
}

void TestExportButtons::cancelInTheDialogWritesNothing()
{
    const QString before = statusText();
    m_program->dialogs().expectSaveFile(QString());
    m_main->Command21->click();
    QCOMPARE(statusText(), before);
    QCOMPARE(QDir(m_program->folder().path()).entryList({"*.csv", "*.xlsx"}, QDir::Files),
             QStringList());
}

void TestExportButtons::fileThatCannotBeWrittenIsReported()
{
    const QString path = m_program->folder().path("no/such/folder/words.csv");
    const QString before = statusText();
    m_program->dialogs().expectSaveFile(path).expectMessage();
    m_main->Command21->click();
    const auto call = m_program->dialogs().last();
    QCOMPARE(call.title, "Lexmora! Wordbrawl");
    QVERIFY2(call.text.startsWith(path + " cannot be written: "), qPrintable(call.text));
    QVERIFY2(call.text.endsWith(path + " was not written."), qPrintable(call.text));
    QCOMPARE(statusText(), before);
    QVERIFY(m_main->isEnabled());
}

void TestExportButtons::longExportCanBeCancelled()
{
    const QString path = m_program->folder().path("words.xlsx");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old file");
    }
    LongWork::setShowAfterForTests(0);
    const auto restore = qScopeGuard([] { LongWork::setShowAfterForTests(-1); });
    QTimer press;
    bool boxShown = false;
    connect(&press, &QTimer::timeout, [&] {
        if (QProgressDialog *box = LongWork::currentDialog()) {
            boxShown = true;
            box->cancel();
        }
    });
    press.start(20);
    const QString before = statusText();
    m_program->dialogs().expectSaveFile(path);
    SlowRows rows;
    exportWords(*m_main, m_main, rows, QStringLiteral("Words"));
    press.stop();
    QVERIFY(boxShown);
    QCOMPARE(statusText(),
             before + CrLf + "The export was cancelled. " + path + " was left as it was." + CrLf);
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the old file"));
    QCOMPARE(QDir(m_program->folder().path()).entryList({"words*"}, QDir::Files),
             QStringList{"words.xlsx"});
}

void TestExportButtons::resultsViewerExportsItsRows_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::newRow("the marked words, as at the end of a quiz")
        << "Select * from Words where pointer=\"Got it wrong\""
        << QList<QStringList>{{"Abate", "to lessen", "Got it wrong"},
                              {QString::fromUtf8("Café"), "two\nlines", "Got it wrong"}};
    QTest::newRow("a query of other columns, in the viewer's places")
        << "Select meaning, word from Words where word like 'z*'"
        << QList<QStringList>{{"eagerness, \"fervour\"", "Zeal", ""}};
    QTest::newRow("no rows") << "Select * from Words where word = 'none'" << QList<QStringList>{};
}

void TestExportButtons::resultsViewerExportsItsRows()
{
    QFETCH(QString, sql);
    QFETCH(QList<QStringList>, rows);
    Module1::queryResult = std::make_unique<Snapshot>(Module1::database->query(sql));
    if (rows.isEmpty())
        m_program->dialogs().expectMessage(); // "Sorry, there are no records..."
    m_main->openResultsViewer();
    sqlret *viewer = findViewer();
    QVERIFY(viewer);
    // Beside Close, below the grid, the grid where it was.
    QCOMPARE(viewer->Command2->text(), "Export");
    QCOMPARE(viewer->Command2->y(), viewer->Command1->y());
    QVERIFY(viewer->Command2->geometry().right() < viewer->Command1->x());
    QVERIFY(viewer->ProgressBar1->geometry().right() < viewer->Command2->x());
    QVERIFY(viewer->rect().contains(viewer->Command2->geometry()));
    QVERIFY(viewer->Command2->y() > viewer->Label12->geometry().bottom());

    const QString path = m_program->folder().path("results.ods");
    const QString before = statusText();
    m_program->dialogs().expectSaveFile(path);
    viewer->Command2->click();
    QCOMPARE(readBack(path, 1), rows);
    QCOMPARE(statusText(), before + CrLf + "Exported " + QString::number(rows.size()) +
                               " words of Words to " + path + CrLf);
    // The viewer stays open over its rows.
    QCOMPARE(findViewer(), viewer);
    QVERIFY(!m_main->isVisible());
    viewer->close();
}

void TestExportButtons::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments"); // after --export DB
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // on stdout for 0, else on stderr
    QTest::newRow("a collection to .ods")
        << QStringList{"words2", "out.ods"} << 0 << "Exported 1 words of Words2 to ";
    QTest::newRow("no format in the name")
        << QStringList{"Words", "out.doc"} << 1 << "names no format to export to";
    QTest::newRow("no such table")
        << QStringList{"Words9", "out.csv"} << 1 << "The word database has no table Words9.";
    QTest::newRow("a folder that is not there")
        << QStringList{"Words", "none/out.csv"} << 1 << "cannot be written";
}

void TestExportButtons::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    // The program's own database is open; the tool exports from a copy of it.
    const QString db = m_program->folder().path("copy.mdb");
    writeDatabase(db, standardDetails(), {{"Words", Words}, {"Words2", Words2}});
    const QString file = m_program->folder().path(arguments[1]);
    QProcess tool;
    tool.start(QStringLiteral(LEXMORA_NEWDB), {"--export", db, arguments[0], file});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), exitCode);
    const QString said = QString::fromUtf8(exitCode == 0 ? tool.readAllStandardOutput()
                                                         : tool.readAllStandardError());
    QVERIFY2(said.contains(output), qPrintable(said));
    if (exitCode == 0)
        QCOMPARE(readBack(file, 1), asRows(Words2));
    else
        QVERIFY(!QFile::exists(file));
}

QTEST_MAIN(TestExportButtons)
#include "tst_exportbuttons.moc"
