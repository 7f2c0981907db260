// The real program, run in a folder of its own: a start-up that ends with a fatal message
// ends the process, with a status that says it failed.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray bytes(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool write(const QString &file, const QByteArray &data)
{
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

} // namespace

class TstProgramExit : public QObject
{
    Q_OBJECT

private slots:
    void fatalStartUpEnds_data();
    void fatalStartUpEnds();
};

void TstProgramExit::fatalStartUpEnds_data()
{
    QTest::addColumn<QString>("file");    // what qvtmdb.mdb is: "none", "empty" or an Access file
    QTest::addColumn<bool>("splash");     // the splash runs its course (no first-run marker)
    QTest::addColumn<QString>("answers"); // the questions' answers
    QTest::addColumn<QString>("said");    // the end of the fatal message

    const QString notFound = "Please find the file for me or re-install this application";
    // Without the marker the start-up runs from the event loop, after the splash.
    QTest::newRow("no file, after the splash") << "none" << true << "" << notFound;
    QTest::newRow("no file, at once") << "none" << false << "" << notFound;
    QTest::newRow("an empty file")
        << "empty" << false << ""
        << "is empty: it is not a Lexmora word database. It was left as it is.";
    QTest::newRow("an Access file answered No")
        << "testV1997.mdb" << false << "no"
        << "Lexmora cannot work with it and will close now.";
    QTest::newRow("a failed conversion, after the splash")
        << "cut short" << true << "yes"
        << "was left as it is. Lexmora will close now.";
}

void TstProgramExit::fatalStartUpEnds()
{
    QFETCH(QString, file);
    QFETCH(bool, splash);
    QFETCH(QString, answers);
    QFETCH(QString, said);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString database = folder.filePath("qvtmdb.mdb");
    if (file == "empty")
        QVERIFY(write(database, {}));
    if (file != "none" && file != "empty") {
        const QString access = QStringLiteral(LEXMORA_ACCESS_TESTDATA "/testV1997.mdb");
        if (!QFile::exists(access))
            QSKIP("the shared Access files are absent");
        QByteArray data = bytes(access);
        if (file == "cut short") // not a whole number of pages: the conversion refuses it
            data.truncate(data.size() / 2 + 100);
        QVERIFY(write(database, data));
    }
    if (!splash)
        QVERIFY(write(folder.filePath("zq.ini"), "1"));
    const QByteArray before = bytes(database);

    QProcess program;
    program.setWorkingDirectory(folder.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LEXMORA_TEST_DIALOG_ANSWERS", answers);
    program.setProcessEnvironment(env);
    program.start(QCoreApplication::applicationDirPath() + "/lexmora", {});
    QVERIFY(program.waitForStarted());
    const bool ended = program.waitForFinished(60000);
    if (!ended) {
        program.kill();
        program.waitForFinished();
    }
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(ended, qPrintable("still running after its message: " + err));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QVERIFY2(err.contains(said), qPrintable(err));
    // The one fatal message is the last box, and nothing was written.
    QVERIFY2(err.trimmed().endsWith(said), qPrintable(err));
    QCOMPARE(bytes(database), before);
    QCOMPARE(QFile::exists(database), file != "none");
    QStringList left = QDir(folder.path()).entryList(QDir::Files);
    left.removeAll("zq.ini");
    QCOMPARE(left, file == "none" ? QStringList() : QStringList{"qvtmdb.mdb"});
}

QTEST_GUILESS_MAIN(TstProgramExit)
#include "tst_programexit.moc"
