// The import window, opened from the Main window's "Import" with scripted dialogs.
#include "Backups.h"
#include "Form1.h"
#include "Form4.h"
#include "FullDisk.h"
#include "HoverLooks.h"
#include "LongWork.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "SheetFiles.h"
#include "StoreTestAccess.h"
#include "XlsReader.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeView>
#include <QTest>
#include <QScopeGuard>
#include <QTimer>
#include <SQLiteCpp/Statement.h>

using namespace TestSupport;

namespace {

const QString Title = QStringLiteral("Lexmora! Wordbrawl");
const QString TitleBang = QStringLiteral("Lexmora! Wordbrawl!");
const QString SomethingWrong = QStringLiteral("Sorry, bubba. Something's wrong! Try again!");
const QString BadParameters =
    QStringLiteral("Sorry, bubba, the parameters seem incorrect. Try again!");
const QString PleaseWait =
    QStringLiteral("Okay, please wait a few seconds till I finish importing");

Form4 *findForm4()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Form4") && w->isVisible())
            return qobject_cast<Form4 *>(w);
    return nullptr;
}

bool gone(const QPointer<Form4> &window)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull();
}

QList<QStringList> words(const QString &table = QStringLiteral("Words"))
{
    QList<QStringList> out;
    SQLite::Statement st(StoreTestAccess::sql(*Module1::database),
                         "SELECT word, meaning, pointer FROM " + table.toStdString() +
                             " ORDER BY rowid");
    while (st.executeStep())
        out << QStringList{QString::fromStdString(st.getColumn(0).getString()),
                           QString::fromStdString(st.getColumn(1).getString()),
                           QString::fromStdString(st.getColumn(2).getString())};
    return out;
}

void moveMouse(QWidget *w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

const QList<QStringList> Existing{{"Zebra", "a striped horse", "old"}};

} // namespace

class TestForm4 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void noToTheWarningStaysInTheMainWindow();
    void cancelBeforeAnyFile();
    void fileListShowsSpreadsheetsInAnyCase();
    void importsRows_data();
    void importsRows();
    void importWithoutCellIsAnError();
    void unreadableChoices_data();
    void unreadableChoices();
    void failureKeepsSavedRowsAndWindow();
    void fullDiskKeepsWhatWasSaved();
    void withoutACopyAsksFirst_data();
    void withoutACopyAsksFirst();
    void cancelStopsARunningImport();
    void unreadableDriveKeepsDirectory();
    void treeOpensAtTheCurrentDirectory_data();
    void treeOpensAtTheCurrentDirectory();
    void pathLineGoesWhereTyped_data();
    void pathLineGoesWhereTyped();
    void hoverLooks();
    void hostileFileIsRefusedWithItsReason_data();
    void hostileFileIsRefusedWithItsReason();
    void openingCanBeCancelled();

private:
    Form4 *open();
    void choose(Form4 *form, const QString &file, const QString &cell);

    std::unique_ptr<ProgramFixture> m_program;
    Form1 *m_main = nullptr;
};

void TestForm4::init()
{
    ProgramFixture::Options options;
    options.tables = {{"Words", {{"Zebra", "a striped horse", "old"}}}};
    m_program = std::make_unique<ProgramFixture>(options);
    m_main = m_program->start();
    QVERIFY(m_main);
}

void TestForm4::cleanup()
{
    m_program.reset();
}

Form4 *TestForm4::open()
{
    m_program->dialogs().expectQuestion(true);
    m_main->Command12->click();
    const auto call = m_program->dialogs().last();
    [&] {
        QCOMPARE(call.text, "This option requires Microsoft Excel. If you do not have it, please "
                            "install it. \r\nDo you wish to proceed ? ");
        QCOMPARE(call.title, TitleBang);
    }();
    return findForm4();
}

void TestForm4::choose(Form4 *form, const QString &file, const QString &cell)
{
    form->setDirPath(m_program->folder().path());
    const auto files = form->File1->findItems(file, Qt::MatchExactly);
    QVERIFY2(!files.isEmpty(), qPrintable(file));
    form->File1->setCurrentItem(files.first());
    form->List1->setCurrentItem(form->List1->findItems(cell, Qt::MatchExactly).value(0));
}

void TestForm4::noToTheWarningStaysInTheMainWindow()
{
    m_program->dialogs().expectQuestion(false);
    m_main->Command12->click();
    QVERIFY(!findForm4());
    QVERIFY(m_main->isEnabled());
    QVERIFY(m_main->isVisible());
}

void TestForm4::cancelBeforeAnyFile()
{
    QPointer<Form4> form = open();
    QVERIFY(form);
    QVERIFY(!m_main->isVisible());
    QVERIFY(!m_main->isEnabled());
    QCOMPARE(form->windowTitle(), "Import From Excel");
    QCOMPARE(form->List1->count(), 20);
    QCOMPARE(form->List1->item(0)->text(), "A1");
    QCOMPARE(form->List1->item(19)->text(), "B10");
    QVERIFY(!form->List1->isEnabled());

    form->Command2->click();
    QVERIFY(gone(form));
    QVERIFY(m_main->isEnabled());
    QVERIFY(m_main->isVisible());
    QCOMPARE(words(), Existing);
}

void TestForm4::fileListShowsSpreadsheetsInAnyCase()
{
    for (const char *name :
         {"a.XLS", "b.xlsx", "c.Ods", "d.csv", "e.TSV", "f.txt", "g.doc", "h.KVTML"}) {
        QFile f(m_program->folder().path(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    Form4 *form = open();
    form->setDirPath(m_program->folder().path());
    QStringList shown;
    for (int i = 0; i < form->File1->count(); ++i)
        shown << form->File1->item(i)->text();
    // Anki's text files and KDE's vocabulary documents too.
    QCOMPARE(shown,
             (QStringList{"a.XLS", "b.xlsx", "c.Ods", "d.csv", "e.TSV", "f.txt", "h.KVTML"}));
    QVERIFY(!form->List1->isEnabled());
    form->File1->setCurrentRow(1);
    QVERIFY(form->List1->isEnabled());
    form->close();
}

void TestForm4::importsRows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<QVariantList>>("cells");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QStringList>("preview");
    QTest::addColumn<QList<QStringList>>("added");

    const QVariant none;
    QTest::newRow("B3 with three rows")
        << "words.xlsx"
        << QList<QVariantList>{{"title"},
                               {},
                               {none, "abate", "to lessen", "v."},
                               {none, "bOLSTER", "to support", "v."},
                               {none, "cavil", "to quibble", "n."},
                               {"not a word", none, "stray"}}
        << "B3" << QStringList{"Starting Word : abate", "Meaning : to lessen", "Pointer : v."}
        << QList<QStringList>{{"Abate", "to lessen", "v."},
                              {"Bolster", "to support", "v."},
                              {"Cavil", "to quibble", "n."}};
    QTest::newRow("empty start cell")
        << "empty.ods" << QList<QVariantList>{{none, "meaning", "pointer"}, {"word"}} << "A1"
        << QStringList{"Starting Word : ", "Meaning : meaning", "Pointer : pointer"}
        << QList<QStringList>{};
    QTest::newRow("two blanks, zEBRA, a trailing blank: a duplicate added again")
        << "zebra.xls"
        << QList<QVariantList>{{"  zEBRA ", "striped", "p"}, {"  zEBRA", "again", "q"}} << "A1"
        << QStringList{"Starting Word :   zEBRA ", "Meaning : striped", "Pointer : p"}
        << QList<QStringList>{{"Zebra ", "striped", "p"}, {"Zebra", "again", "q"}};
    QTest::newRow("a word of blanks, empty meaning and pointer")
        << "blank.csv"
        << QList<QVariantList>{{"   ", "blank word", "b"}, {"lone"}, {"half", "meaning"}} << "A1"
        << QStringList{"Starting Word :    ", "Meaning : blank word", "Pointer : b"}
        << QList<QStringList>{{"", "blank word", "b"}, {"Lone", "", ""}, {"Half", "meaning", ""}};
}

void TestForm4::importsRows()
{
    QFETCH(QString, file);
    QFETCH(QList<QVariantList>, cells);
    QFETCH(QString, cell);
    QFETCH(QStringList, preview);
    QFETCH(QList<QStringList>, added);
    const QString path = m_program->folder().path(file);
    const auto rows = SheetFiles::fromList(cells);
    if (file.endsWith(".xlsx"))
        SheetFiles::writeXlsx(path, cells.size(), rows);
    else if (file.endsWith(".ods"))
        SheetFiles::writeOds(path, cells.size(), rows);
    else if (file.endsWith(".xls"))
        SheetFiles::writeXls(path, cells.size(), rows);
    else
        SheetFiles::writeCsv(path, cells.size(), rows);

    QPointer<Form4> form = open();
    choose(form, file, cell);
    QVERIFY(form->hasWorksheet());
    QCOMPARE((QStringList{form->Label1->text(), form->Label2->text(), form->Label3->text()}),
             preview);

    m_program->dialogs().expectQuestion(true).expectMessage().expectMessage();
    form->Command1->click();
    const auto calls = m_program->dialogs().calls();
    QCOMPARE(calls.size(), 4);
    QCOMPARE(calls[1].text, "Are you sure you wish to start importing from " +
                                preview[0].mid(QStringLiteral("Starting Word : ").size()) +
                                " till the last word ? ");
    QCOMPARE(calls[1].title, TitleBang);
    QCOMPARE(calls[2].text, PleaseWait);
    QCOMPARE(calls[2].title, Title);
    QCOMPARE(calls[3].text,
             QStringLiteral("Imported %1 words successfully into Words").arg(added.size()));
    QCOMPARE(calls[3].title, TitleBang);

    QCOMPARE(words(), Existing + added);
    // The words as they were before the import are kept in a copy.
    QCOMPARE(Backups::list(Module1::database->path()).size(), 1);
    QVERIFY(gone(form));
    QVERIFY(m_main->isEnabled());
    QVERIFY(m_main->isVisible());
}

void TestForm4::importWithoutCellIsAnError()
{
    QPointer<Form4> form = open();
    m_program->dialogs().expectMessage();
    form->Command1->click();
    QCOMPARE(m_program->dialogs().last().text, SomethingWrong);
    QCOMPARE(m_program->dialogs().last().title, Title);
    QVERIFY(form->isVisible());
    form->close();
    QVERIFY(gone(form));
    QVERIFY(m_main->isEnabled());
}

void TestForm4::unreadableChoices_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("removeFirst");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("not a workbook") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 damaged", 17)
                                    << false << BadParameters << "Lexmora";
    QTest::newRow("file gone since it was listed")
        << QByteArray("a,b\n") << true
        << "Sorry, I have not been able to locate the file! Please try again. " << Title;
}

void TestForm4::unreadableChoices()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, removeFirst);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFile f(m_program->folder().path("book.xls"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();

    Form4 *form = open();
    form->setDirPath(m_program->folder().path());
    form->File1->setCurrentRow(0);
    if (removeFirst)
        QVERIFY(f.remove());
    m_program->dialogs().expectMessage();
    form->List1->setCurrentRow(0);
    QCOMPARE(m_program->dialogs().last().text, message);
    QCOMPARE(m_program->dialogs().last().title, title);
    QCOMPARE(form->Label1->text(), "Starting word :");
    QVERIFY(!form->hasWorksheet());
    form->close();
}

void TestForm4::failureKeepsSavedRowsAndWindow()
{
    // Row 3's word is a formula whose value an .xls file does not give up.
    SheetFiles::writeXls(
        m_program->folder().path("formula.xls"), 4,
        SheetFiles::fromList({{"one", "1"}, {"two", "2"}, {"=1", "3"}, {"four", "4"}}));
    Form4 *form = open();
    choose(form, "formula.xls", "A1");
    m_program->dialogs().expectQuestion(true).expectMessage().expectMessage();
    form->Command1->click();
    QCOMPARE(m_program->dialogs().last().text, SomethingWrong);
    QCOMPARE(m_program->dialogs().last().title, Title);
    QCOMPARE(words(), (Existing + QList<QStringList>{{"One", "1", ""}, {"Two", "2", ""}}));
    QVERIFY(form->isVisible());
    QVERIFY(form->Label4->text().contains("formula"));
    QVERIFY(form->Command1->isEnabled());
    QVERIFY(!m_main->isVisible());
    form->close();
}

// The disk fills part-way (here the database may not grow past a few pages more): the
// words saved before it stay, and the window says why and how many.
void TestForm4::fullDiskKeepsWhatWasSaved()
{
    SheetFiles::writeCsv(m_program->folder().path("big.csv"), 20000, [](qint64 row) {
        return QVariantList{QStringLiteral("w%1").arg(row), QString(200, QLatin1Char('m'))};
    });
    auto &db = StoreTestAccess::sql(*Module1::database);
    const int pages = db.execAndGet("PRAGMA page_count").getInt();
    db.exec("PRAGMA max_page_count = " + std::to_string(pages + 40));
    Form4 *form = open();
    choose(form, "big.csv", "A1");
    m_program->dialogs().expectQuestion(true).expectMessage().expectMessage();
    form->Command1->click();
    db.exec("PRAGMA max_page_count = 1073741823");
    QCOMPARE(m_program->dialogs().last().text, SomethingWrong);
    const auto stored = words();
    QVERIFY2(stored.size() > Existing.size() && stored.size() < Existing.size() + 20000,
             qPrintable(QString::number(stored.size())));
    for (qsizetype i = 1; i < stored.size(); ++i)
        QCOMPARE(stored[i].first(), QStringLiteral("W%1").arg(i));
    QVERIFY2(form->Label4->text().contains(QStringLiteral("full")), qPrintable(form->Label4->text()));
    QVERIFY2(form->Label4->text().contains(
                 QStringLiteral("%1 words read before it were saved.").arg(stored.size() - 1)),
             qPrintable(form->Label4->text()));
    QVERIFY(form->isVisible());
    form->close();
}

void TestForm4::withoutACopyAsksFirst_data()
{
    QTest::addColumn<bool>("goOn");
    QTest::newRow("No imports nothing") << false;
    QTest::newRow("Yes imports without a copy") << true;
}

// No copy can be made on a full disk: the user hears why and chooses, No by default.
void TestForm4::withoutACopyAsksFirst()
{
    QFETCH(bool, goOn);
    SheetFiles::writeCsv(m_program->folder().path("few.csv"), 3, [](qint64 row) {
        return QVariantList{QStringLiteral("w%1").arg(row), "m"};
    });
    QPointer<Form4> form = open();
    choose(form, "few.csv", "A1");
    FullDisk disk;
    m_program->dialogs().expectQuestion(true).expectQuestion(goOn);
    if (goOn)
        m_program->dialogs().expectMessage().expectMessage();
    form->Command1->click();
    const ScriptedDialogs::Call asked = m_program->dialogs().calls().at(2);
    QVERIFY2(asked.text.startsWith("Lexmora could not make its backup copy of the word database "
                                   "first: database or disk is full."),
             qPrintable(asked.text));
    QVERIFY(asked.defaultNo);
    QCOMPARE(words().size(), Existing.size() + (goOn ? 3 : 0));
    QVERIFY(Backups::list(Module1::database->path()).isEmpty());
    if (goOn) {
        QVERIFY(gone(form));
        return;
    }
    QVERIFY(form->isVisible()); // the user may free some space and try again
    form->close();
}

void TestForm4::cancelStopsARunningImport()
{
    SheetFiles::writeCsv(m_program->folder().path("long.csv"), 3000, [](qint64 row) {
        return QVariantList{QStringLiteral("w%1").arg(row), "m"};
    });
    QPointer<Form4> form = open();
    choose(form, "long.csv", "A1");
    // Cancel is pressed while the import runs: the window answers it between rows.
    m_program->dialogs()
        .expectQuestion(true)
        .whenShown([&] { QTimer::singleShot(0, form->Command2, &QPushButton::click); })
        .expectMessage()
        .expectMessage();
    form->Command1->click();
    QCOMPARE(m_program->dialogs().last().text, "Imported 1 words successfully into Words");
    QCOMPARE(words(), (Existing + QList<QStringList>{{"W1", "m", ""}}));
    QVERIFY(gone(form));
    QVERIFY(m_main->isEnabled());
    QVERIFY(m_main->isVisible());
}

void TestForm4::unreadableDriveKeepsDirectory()
{
    Form4 *form = open();
    QCOMPARE(form->Drive1->itemText(0), QDir::rootPath());
    form->setDirPath(m_program->folder().path());
    const QString before = form->dirPath();
    form->Drive1->addItem("/no/such/volume");
    form->Drive1->setCurrentIndex(form->Drive1->count() - 1);
    m_program->dialogs().expectMessage();
    form->drive1Change();
    QCOMPARE(m_program->dialogs().last().text,
             "Sorry, An error was reported! Try a different path");
    QCOMPARE(m_program->dialogs().last().title, "Lexmora");
    QCOMPARE(form->dirPath(), before);

    form->Drive1->setCurrentIndex(0);
    form->drive1Change();
    QCOMPARE(form->dirPath(), QDir::rootPath());
    form->close();
}

void TestForm4::treeOpensAtTheCurrentDirectory_data()
{
    QTest::addColumn<QString>("below"); // the program's directory, below the test's folder
    QTest::newRow("plain folders") << "words/lists";
    // The installed launcher runs the program in ~/.local/share/lexmora.
    QTest::newRow("under a hidden folder") << ".local/share/lexmora";
}

void TestForm4::treeOpensAtTheCurrentDirectory()
{
    QFETCH(QString, below);
    const QString current = QDir(m_program->folder().path()).filePath(below);
    QVERIFY(QDir().mkpath(current));
    // Folders that sort before it: once its parent is read and sorted, it moves down.
    const QString parent = QFileInfo(current).path();
    constexpr int Siblings = 30;
    for (int i = 0; i < Siblings; ++i)
        QVERIFY(QDir(parent).mkdir(QStringLiteral("a%1").arg(i, 2, 10, QLatin1Char('0'))));
    QVERIFY(QDir::setCurrent(current));
    Form4 *form = open();
    QVERIFY(QDir::setCurrent(m_program->folder().path()));
    QVERIFY(form);
    QCOMPARE(form->dirPath(), current);
    QCOMPARE(form->Text1->text(), QDir::toNativeSeparators(current));

    // The tree shows that folder as its current item, every folder above it open, and in
    // view once the folders have been read and sorted.
    QTRY_VERIFY(form->Dir1->currentIndex().isValid());
    const QPersistentModelIndex index = form->Dir1->currentIndex();
    QCOMPARE(index.data(QFileSystemModel::FilePathRole).toString(), current);
    QTRY_COMPARE(index.model()->rowCount(index.parent()), Siblings + 1);
    QTRY_COMPARE(index.row(), Siblings); // sorted below its siblings
    QTest::qWait(100); // the view's layout after the sort
    QCOMPARE(form->Dir1->currentIndex(), QModelIndex(index));
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        QVERIFY2(form->Dir1->isExpanded(up), qPrintable(up.data().toString()));
    QVERIFY(form->Dir1->viewport()->rect().contains(form->Dir1->visualRect(index)));
    form->close();
}

void TestForm4::pathLineGoesWhereTyped_data()
{
    QTest::addColumn<QString>("typed");  // {top} is the test's folder
    QTest::addColumn<QString>("folder"); // where the tree goes; empty: it stays
    QTest::addColumn<QString>("file");   // the file chosen with it
    QTest::addColumn<QString>("message");
    QTest::newRow("a folder") << "{top}/sheets" << "{top}/sheets" << "" << "";
    QTest::newRow("pasted with blanks around") << "  {top}/sheets/  " << "{top}/sheets" << ""
                                               << "";
    QTest::newRow("relative to the program's folder") << "sheets" << "{top}/sheets" << "" << "";
    QTest::newRow("a file: its folder, and the file chosen")
        << "{top}/sheets/words.csv" << "{top}/sheets" << "words.csv" << "";
    QTest::newRow("no such folder") << "{top}/nowhere" << "" << ""
                                    << "There is no folder \"{top}/nowhere\". Check the path "
                                       "and try again.";
    QTest::newRow("nothing typed") << "   " << "" << ""
                                   << "There is no folder \"\". Check the path and try again.";
}

void TestForm4::pathLineGoesWhereTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QFETCH(QString, message);
    const QString top = m_program->folder().path();
    QVERIFY(QDir(top).mkdir("sheets"));
    QFile csv(top + "/sheets/words.csv");
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.close();
    Form4 *form = open();
    const QString before = form->dirPath();
    if (!message.isEmpty())
        m_program->dialogs().expectMessage();
    form->Text1->setText(QString(typed).replace("{top}", top));
    QTest::keyClick(form->Text1, Qt::Key_Return);
    if (message.isEmpty()) {
        QCOMPARE(form->dirPath(), QString(folder).replace("{top}", top));
        QCOMPARE(form->Text1->text(), QDir::toNativeSeparators(form->dirPath()));
        QCOMPARE(form->File1->count(), 1);
    } else {
        QCOMPARE(m_program->dialogs().last().text, QString(message).replace("{top}", top));
        QCOMPARE(m_program->dialogs().last().title, Title);
        QCOMPARE(form->dirPath(), before); // nothing changes
        QCOMPARE(form->Text1->text(), QDir::toNativeSeparators(before));
    }
    QCOMPARE(form->File1->currentItem() ? form->File1->currentItem()->text() : QString(), file);
    QCOMPARE(form->List1->isEnabled(), !file.isEmpty());
    form->close();
}

void TestForm4::hoverLooks()
{
    Form4 *form = open();
    const QColor normal(0, 192, 0);
    const QColor hover(192, 255, 192);
    QCOMPARE(HoverLooks::backColour(form->Command1), normal);
    moveMouse(form->Command1);
    QCOMPARE(HoverLooks::backColour(form->Command1), hover);
    QVERIFY(form->Command1->font().italic());
    QCOMPARE(form->Command1->font().pointSize(), 11);
    moveMouse(form->Command2);
    QCOMPARE(HoverLooks::backColour(form->Command2), hover);
    for (QWidget *area :
         {static_cast<QWidget *>(form->Frame1), static_cast<QWidget *>(form->Frame2),
          form->File1->viewport(), static_cast<QWidget *>(form)}) {
        moveMouse(form->Command1);
        moveMouse(area);
        QCOMPARE(HoverLooks::backColour(form->Command1), normal);
        QCOMPARE(HoverLooks::backColour(form->Command2), normal);
        QVERIFY(!form->Command1->font().italic());
        QCOMPARE(form->Command1->font().pointSize(), 10);
    }
    form->close();
}

void TestForm4::hostileFileIsRefusedWithItsReason_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a row repeated 2^40 times")
        << "hostile/rep_rows.ods" << "repeated past the last row a sheet can have";
    QTest::newRow("an .xls file that crashes FreeXL")
        << "damaged/sst_continue-15-bytes-changed.xls" << "the .xls reader stopped on it";
}

void TestForm4::hostileFileIsRefusedWithItsReason()
{
    QFETCH(QString, file);
    QFETCH(QString, reason);
    const QString source = QStringLiteral(LEXMORA_TESTDATA "/") + file;
    if (!QFile::exists(source))
        QSKIP("The hostile files are not here.");
    const QString name = QFileInfo(file).fileName();
    QVERIFY(QFile::copy(source, m_program->folder().path(name)));
    QPointer<Form4> form = open();
    m_program->dialogs().expectMessage();
    choose(form, name, "A1");
    QCOMPARE(m_program->dialogs().last().text, BadParameters);
    QVERIFY(!form->hasWorksheet());
    QVERIFY2(form->Label4->text().contains(reason), qPrintable(form->Label4->text()));
    // The program goes on: the window takes the next file.
    SheetFiles::writeCsv(m_program->folder().path("good.csv"), 1,
                         SheetFiles::fromList({{"abate", "to lessen"}}));
    form->setDirPath(m_program->folder().path());
    choose(form, "good.csv", "A1");
    form->list1Click(); // A1 was already the current cell
    QVERIFY(form->hasWorksheet());
    QCOMPARE(form->Label1->text(), "Starting Word : abate");
    form->close();
}

void TestForm4::openingCanBeCancelled()
{
    // A reader that takes its time: the Cancel box comes up, and Cancel ends the opening
    // without an error box; no file is chosen.
    QFile tool(m_program->folder().path("slow-reader.sh"));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\nexec sleep 30\n");
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    XlsReader::setToolForTests(tool.fileName());
    LongWork::setShowAfterForTests(0);
    const auto restore = qScopeGuard([] {
        XlsReader::setToolForTests({});
        LongWork::setShowAfterForTests(-1);
    });
    SheetFiles::writeXls(m_program->folder().path("slow.xls"), 1,
                         SheetFiles::fromList({{"word"}}));
    QPointer<Form4> form = open();
    QTimer press;
    connect(&press, &QTimer::timeout, [] {
        if (QProgressDialog *box = LongWork::currentDialog())
            box->cancel();
    });
    press.start(50);
    const int before = int(m_program->dialogs().calls().size());
    choose(form, "slow.xls", "A1");
    press.stop();
    QCOMPARE(int(m_program->dialogs().calls().size()), before);
    QVERIFY(!form->hasWorksheet());
    QCOMPARE(form->Label4->text(), "Reading the file was cancelled.");
    QVERIFY(form->isVisible());
    form->close();
}

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"
