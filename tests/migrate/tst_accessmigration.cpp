// Start-up's offer to convert an Access word file: the program starts normally on the
// converted words, earlier copies are kept, and every failure leaves the Access file as
// it was, byte for byte, with nothing else left behind.
#include "AccessFiles.h"
#include "AccessMigration.h"
#include "AccessTestFiles.h"
#include "Form1.h"
#include "LongWork.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "StatusBox.h"
#include "TableCursor.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace TestSupport;

namespace {

const QString Title = "Lexmora! Wordbrawl";

// A mutation of the largest shared Access file on which libmdb asks for ever more memory.
QString hostileFile()
{
    const QString p = QStringLiteral(LEXMORA_ACCESS_TESTDATA "/../hostile/mut_testV2007_6.mdb");
    return QFile::exists(p) ? p : QString();
}

QStringList folderFiles(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

// A stand-in for lexmora-newdb, called with --from-access OLD NEW.
QString writeConverter(const QTemporaryDir &dir, const QByteArray &body)
{
    const QString path = dir.filePath("fake-newdb");
    if (!AccessTestFiles::write(path, "#!/bin/sh\n" + body + "\n"))
        return QString();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

class TstAccessMigration : public QObject
{
    Q_OBJECT

private slots:
    void programStartsOnConvertedWords();
    void keepsEarlierCopies();
    void failureLeavesAccessFile_data();
    void failureLeavesAccessFile();
    void conversionKeepsTheWindowServedAndCancelEndsIt();
};

void TstAccessMigration::programStartsOnConvertedWords()
{
    ProgramFixture program({.database = false});
    if (!AccessTestFiles::writeWordFile("qvtmdb.mdb"))
        QSKIP("The shared Access test files are not here.");
    const QByteArray original = AccessTestFiles::bytes("qvtmdb.mdb");
    program.dialogs().expectQuestion(true).expectMessage();

    Form1 *form = program.start();

    QVERIFY(form);
    const auto calls = program.dialogs().calls();
    QCOMPARE(calls[0].kind, ScriptedDialogs::Kind::Question);
    QCOMPARE(calls[0].title, Title);
    QVERIFY2(calls[0].text.contains("qvtmdb.mdb.access"), qPrintable(calls[0].text));
    QVERIFY2(calls[1].text.contains("8 words"), qPrintable(calls[1].text));
    QCOMPARE(AccessTestFiles::bytes("qvtmdb.mdb.access"), original);
    QVERIFY(!AccessFiles::isAccessFile("qvtmdb.mdb"));
    // The opening sequence ran on the converted words as on any word database.
    QCOMPARE(Module1::currentCollection, "Words");
    const QString welcome = form->RichTextBox1->statusText();
    QVERIFY2(welcome.contains("Starting Word : 1  Ending word : 8\r\nTotal Number of words : 8"),
             qPrintable(welcome));
    QCOMPARE(Module1::words->text("meaning"), AccessTestFiles::unicodeTexts().last());
    QVERIFY(!QFile::exists("qvtmdb.mdb.converted"));
    QVERIFY(!QFile::exists("qvtmdb.mdb.converted.partial"));
}

void TstAccessMigration::keepsEarlierCopies()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    if (!AccessTestFiles::writeWordFile(folder.databasePath()))
        QSKIP("The shared Access test files are not here.");
    const QByteArray original = AccessTestFiles::bytes(folder.databasePath());
    QVERIFY(AccessTestFiles::write(folder.path("qvtmdb.mdb.access"), "earlier"));
    QVERIFY(AccessTestFiles::write(folder.path("qvtmdb.mdb.access.1"), "earlier still"));
    dialogs.expectQuestion(true).expectMessage();

    QVERIFY(AccessMigration::offerConversion(folder.databasePath(), Title));

    QCOMPARE(AccessTestFiles::bytes(folder.path("qvtmdb.mdb.access")), "earlier");
    QCOMPARE(AccessTestFiles::bytes(folder.path("qvtmdb.mdb.access.1")), "earlier still");
    QCOMPARE(AccessTestFiles::bytes(folder.path("qvtmdb.mdb.access.2")), original);
    QVERIFY2(
        dialogs.last().text.contains(QDir::toNativeSeparators(folder.path("qvtmdb.mdb.access.2"))),
        qPrintable(dialogs.last().text));
    QCOMPARE(TableCursor(*WordDatabase::open(folder.databasePath()), "Words").recordCount(), 8);
}

void TstAccessMigration::failureLeavesAccessFile_data()
{
    QTest::addColumn<QString>("file"); // what qvtmdb.mdb holds
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QByteArray>("converter"); // a stand-in's script, or the real one
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<QString>("says");
    const int wait = 60000;
    QTest::newRow("answered No") << "word file" << false << QByteArray() << wait
                                 << "was left as it is";
    // Ends at the converter's memory limit instead of growing for minutes.
    QTest::newRow("memory without bound")
        << "hostile" << true << QByteArray() << wait << "could not be read; it may be damaged";
    QTest::newRow("no word tables")
        << "testV1997.mdb" << true << QByteArray() << wait << "none of the tables Words to Words5";
    // libmdb loops for ever reading the catalog of this copy.
    QTest::newRow("damaged file") << "cut" << true << QByteArray() << 3000 << "took too long";
    QTest::newRow("converter crashes") << "word file" << true << QByteArray("kill -SEGV $$") << wait
                                       << "stopped without saying why";
    QTest::newRow("converter hangs")
        << "word file" << true << QByteArray("exec sleep 60") << 1000 << "took too long";
    QTest::newRow("converter fails part-way")
        << "word file" << true
        << QByteArray(
               "echo half > \"$3.partial\"; echo 'lexmora-newdb: The disk is full.' >&2; exit 1")
        << wait << "The disk is full.";
    QTest::newRow("converter writes no database")
        << "word file" << true << QByteArray("echo junk > \"$3\"") << wait
        << "is not a Lexmora word database";
}

void TstAccessMigration::failureLeavesAccessFile()
{
    QFETCH(QString, file);
    QFETCH(bool, answer);
    QFETCH(QByteArray, converter);
    QFETCH(int, timeoutMs);
    QFETCH(QString, says);
    WorkFolder folder;
    ScriptedDialogs dialogs;
    const QString path = folder.databasePath();
    const QString v1997 = AccessTestFiles::path("testV1997.mdb");
    bool written = false;
    if (file == "word file")
        written = AccessTestFiles::writeWordFile(path);
    else if (file == "hostile")
        written = !hostileFile().isEmpty() && QFile::copy(hostileFile(), path);
    else if (file == "cut")
        written = !v1997.isEmpty() &&
                  AccessTestFiles::write(path, AccessTestFiles::bytes(v1997).left(98304));
    else
        written = !v1997.isEmpty() && QFile::copy(v1997, path);
    if (!written)
        QSKIP("The shared Access test files are not here.");
    const QByteArray original = AccessTestFiles::bytes(path);
    QTemporaryDir tools;
    AccessMigration::Options options{.timeoutMs = timeoutMs};
    if (!converter.isEmpty())
        options.converter = writeConverter(tools, converter);
    dialogs.expectQuestion(answer).expectMessage();

    QVERIFY(!AccessMigration::offerConversion(path, Title, options));

    QCOMPARE(dialogs.last().kind, ScriptedDialogs::Kind::Message);
    QCOMPARE(dialogs.last().title, Title);
    QVERIFY2(dialogs.last().text.contains(says), qPrintable(dialogs.last().text));
    QVERIFY2(dialogs.last().text.contains(QDir::toNativeSeparators(path)),
             qPrintable(dialogs.last().text));
    QCOMPARE(AccessTestFiles::bytes(path), original);
    QCOMPARE(folderFiles(folder.path()), QStringList{"qvtmdb.mdb"});
}

// The conversion runs beside the event loop: the timers keep firing, and the box's Cancel
// ends the converter with the Access file as it was.
void TstAccessMigration::conversionKeepsTheWindowServedAndCancelEndsIt()
{
    WorkFolder folder;
    ScriptedDialogs dialogs;
    const QString path = folder.databasePath();
    if (hostileFile().isEmpty() || !QFile::copy(hostileFile(), path))
        QSKIP("The shared Access test files are not here.");
    const QByteArray original = AccessTestFiles::bytes(path);
    int served = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++served; });
    timer.start(10);
    LongWork::setShowAfterForTests(100);
    // Cancel a second into the conversion, long before the converter gives up by itself.
    QTimer::singleShot(1000, [] {
        if (QProgressDialog *box = LongWork::currentDialog())
            box->findChild<QPushButton *>()->click();
    });
    dialogs.expectQuestion(true).expectMessage();
    QElapsedTimer clock;
    clock.start();

    QVERIFY(!AccessMigration::offerConversion(path, Title));

    const qint64 elapsed = clock.elapsed();
    LongWork::setShowAfterForTests(-1);
    QVERIFY2(served >= elapsed / 50,
             qPrintable(QStringLiteral("%1 timer events in %2 ms").arg(served).arg(elapsed)));
    QVERIFY2(dialogs.last().text.contains("The conversion was stopped, as you asked."),
             qPrintable(dialogs.last().text));
    QCOMPARE(AccessTestFiles::bytes(path), original);
    QCOMPARE(folderFiles(folder.path()), QStringList{"qvtmdb.mdb"});
}

QTEST_MAIN(TstAccessMigration)
#include "tst_accessmigration.moc"
