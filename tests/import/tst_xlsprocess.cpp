// .xls files are read by lexmora-sheetcells in a process of its own. Here that process is
// replaced by small scripts that crash, hang, fail or answer wrongly: each is an error for
// the one file, and the program goes on. The real process reads the real files in
// tst_sheetreaders and the damaged one in tst_sheetbounds.
#include "SheetFiles.h"
#include "SheetReader.h"
#include "XlsFrames.h"
#include "XlsReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cerrno>

#include <signal.h>

namespace {

QByteArray u32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray u16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray cell(char kind, quint32 row, quint16 column)
{
    return QByteArray(1, kind) + u32(row) + u16(column);
}

QByteArray textCell(quint32 row, quint16 column, const QByteArray &utf8)
{
    return cell('T', row, column) + u32(quint32(utf8.size())) + utf8;
}

QByteArray numberCell(quint32 row, quint16 column, double value)
{
    QByteArray b(8, '\0');
    qToLittleEndian(value, b.data());
    return cell('N', row, column) + b;
}

QByteArray end(quint32 cells)
{
    return QByteArray(1, 'E') + u32(cells);
}

const QByteArray Magic(XlsFrames::Magic, XlsFrames::MagicSize);

} // namespace

class TestXlsProcess : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { XlsReader::setToolForTests({}); }
    void failingReader_data();
    void failingReader();
    void answerIsReadAsItComes();
    void cancelKillsTheReader();

private:
    // A reader program that runs `script` (sh), and a workbook to hand it.
    QString fakeTool(const QByteArray &script);
    QString workbook();

    QTemporaryDir m_dir;
    int m_tools = 0;
};

QString TestXlsProcess::fakeTool(const QByteArray &script)
{
    const QString path = m_dir.filePath(QStringLiteral("tool%1.sh").arg(++m_tools));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write("#!/bin/sh\n" + script + "\n");
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QString TestXlsProcess::workbook()
{
    const QString path = m_dir.filePath("book.xls");
    SheetFiles::writeXls(path, 1, SheetFiles::fromList({{"word"}}));
    return path;
}

void TestXlsProcess::failingReader_data()
{
    QTest::addColumn<QByteArray>("answer"); // what the reader writes; empty: see `script`
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("message");

    const QString damaged = "book.xls could not be read: the .xls reader gave a damaged answer.";
    const QString stopped = "the .xls reader stopped on it";
    const QByteArray one = textCell(1, 1, "word");
    QTest::newRow("crashes") << QByteArray() << QByteArray("kill -SEGV $$") << stopped;
    QTest::newRow("crashes after a part of the answer")
        << Magic + one << QByteArray("kill -SEGV $$") << stopped;
    QTest::newRow("fails") << QByteArray() << QByteArray("exit 3") << stopped;
    QTest::newRow("hangs") << QByteArray() << QByteArray("exec sleep 30")
                           << "reading it took more than 0.3 seconds";
    QTest::newRow("says nothing") << QByteArray() << QByteArray("exit 0") << damaged;
    QTest::newRow("not our format")
        << QByteArray("PK\3\4 something else") << QByteArray() << damaged;
    QTest::newRow("no end") << Magic + one << QByteArray() << damaged;
    QTest::newRow("an end that counts wrong") << Magic + one + end(2) << QByteArray() << damaged;
    QTest::newRow("more after the end") << Magic + one + end(1) + one << QByteArray() << damaged;
    QTest::newRow("a frame of no kind")
        << Magic + QByteArray("Z123456") + end(1) << QByteArray() << damaged;
    QTest::newRow("row 0") << Magic + textCell(0, 1, "w") + end(1) << QByteArray() << damaged;
    QTest::newRow("row past an .xls sheet")
        << Magic + textCell(65537, 1, "w") + end(1) << QByteArray() << damaged;
    QTest::newRow("column past an .xls sheet")
        << Magic + numberCell(1, 257, 1) + end(1) << QByteArray() << damaged;
    QTest::newRow("the same cell twice")
        << Magic + one + numberCell(1, 1, 2) + end(2) << QByteArray() << damaged;
    QTest::newRow("a text that is no UTF-8")
        << Magic + textCell(1, 1, "caf\xE9") + end(1) << QByteArray() << damaged;
    QTest::newRow("a text with a NUL")
        << Magic + textCell(1, 1, QByteArray("Ab\0cd", 5)) + end(1) << QByteArray() << damaged;
    QTest::newRow("a text longer than a cell")
        << Magic + textCell(1, 1, QByteArray(65537, 'a')) + end(1) << QByteArray() << damaged;
    QTest::newRow("a length of four gigabytes")
        << Magic + cell('T', 1, 1) + u32(0xFFFFFFFF) + end(0) << QByteArray() << damaged;
    QTest::newRow("refused, with the reason")
        << Magic + QByteArray("X") + u32(20) + QByteArray("has no worksheet ok.") << QByteArray()
        << "book.xls has no worksheet ok.";
    QTest::newRow("a refusal with more after it")
        << Magic + QByteArray("X") + u32(4) + QByteArray("why.") + end(0) << QByteArray()
        << damaged;
}

void TestXlsProcess::failingReader()
{
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, script);
    QFETCH(QString, message);
    if (!answer.isEmpty()) {
        QFile f(m_dir.filePath("answer"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(answer);
        f.close();
        script = "cat '" + QFile::encodeName(f.fileName()) + "'\n" + script;
    }
    // Only the hanging reader meets the short limit; the others must not, however slowly a
    // loaded machine starts them.
    const bool hangs = script.contains("sleep 30");
    XlsReader::setToolForTests(fakeTool(script), hangs ? 300 : 30000);
    try {
        SheetReader::openFile(workbook());
        QFAIL("the file was read");
    } catch (const SheetError &e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
}

void TestXlsProcess::answerIsReadAsItComes()
{
    // The answer in pieces with pauses between, a frame cut across two of them.
    QByteArray answer = Magic + numberCell(2, 1, 42.5) + textCell(1, 2, "caf\xC3\xA9") +
                        cell('F', 3, 1) + cell('L', 1, 3) + end(4);
    QFile f(m_dir.filePath("slow"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(answer);
    f.close();
    const QByteArray file = QFile::encodeName(f.fileName());
    XlsReader::setToolForTests(
        fakeTool("head -c 13 '" + file + "'; sleep 0.2; tail -c +14 '" + file + "'"));
    auto reader = SheetReader::openFile(workbook());
    QCOMPARE(reader->cell(2, 1).toText(), "42.5");
    QCOMPARE(reader->cell(1, 2).toText(), QString::fromUtf8("café"));
    QVERIFY(reader->cell(1, 1).isEmpty());
    QVERIFY(reader->cell(65537, 1).isEmpty());
    try {
        (void)reader->cell(3, 1);
        QFAIL("a formula read as a value");
    } catch (const SheetError &e) {
        QVERIFY2(e.message().contains("holds a formula"), qPrintable(e.message()));
    }
    try {
        (void)reader->cell(1, 3);
        QFAIL("a text too long read");
    } catch (const SheetError &e) {
        QVERIFY2(e.message().contains("longer than 65,536"), qPrintable(e.message()));
    }
}

void TestXlsProcess::cancelKillsTheReader()
{
    const QString pidFile = m_dir.filePath("pid");
    XlsReader::setToolForTests(
        fakeTool("echo $$ > '" + QFile::encodeName(pidFile) + "'; exec sleep 30"));
    int asked = 0;
    QVERIFY_THROWS_EXCEPTION(SheetCancelled, SheetReader::openFile(workbook(), [&] {
                                 return ++asked < 4 || !QFile::exists(pidFile);
                             }));
    QVERIFY(asked >= 4);
    // The reader was killed, not left to run on.
    QFile f(pidFile);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const pid_t pid = pid_t(f.readAll().trimmed().toInt());
    QVERIFY(pid > 0);
    QVERIFY(::kill(pid, 0) != 0 && errno == ESRCH);
}

QTEST_GUILESS_MAIN(TestXlsProcess)
#include "tst_xlsprocess.moc"
