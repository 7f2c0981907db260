// A fresh word database from a word list: what lexmora-newdb writes.
#include "Collections.h"
#include "NewDatabase.h"
#include "StoreError.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace TestSupport;

class TstNewDatabase : public QObject
{
    Q_OBJECT

private slots:
    void parsesWordList();
    void reportsBadLine();
    void createsUsableDatabase();
    void refusesToOverwrite_data();
    void refusesToOverwrite();
};

void TstNewDatabase::parsesWordList()
{
    const auto words = NewDatabase::parseWordList(
        "Abate\tto lessen\tv.\r\n\nZeal\tgreat energy; fervour\tn.\n   \nCaf\xc3\xa9\ta small restaurant\tn.");
    QCOMPARE(words.size(), size_t(3));
    QCOMPARE(words[0].pointer, "v."); // the CR of a CR LF line is not part of the pointer
    QCOMPARE(words[1].meaning, "great energy; fervour");
    QCOMPARE(words[2].word, QString::fromUtf8("Caf\u00e9"));
}

void TstNewDatabase::reportsBadLine()
{
    try {
        NewDatabase::parseWordList("Abate\tto lessen\tv.\nZeal\tno pointer\n");
        QFAIL("a line with two fields was accepted");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains("Line 2") && e.message().contains("Zeal"),
                 qPrintable(e.message()));
    }
}

void TstNewDatabase::createsUsableDatabase()
{
    WorkFolder folder;
    NewDatabase::create(folder.databasePath(), {{"Abate", "to lessen", "v."}, {"Zeal", "fervour", "n."}});
    QVERIFY(!QFile::exists(folder.databasePath() + ".partial"));
    auto db = WordDatabase::open(folder.databasePath());
    QCOMPARE(Collections::chooseDefault(*db), "Words");
    TableCursor details(*db, "Details");
    QCOMPARE(details.recordCount(), 6);
    QCOMPARE(details.text(0), NewDatabase::defaultCollectionNames().first());
    TableCursor words(*db, "Words");
    QCOMPARE(words.recordCount(), 2);
    QCOMPARE(words.text("meaning"), "to lessen");
    for (const QString &t : WordDatabase::collectionTables().mid(1))
        QCOMPARE(TableCursor(*db, t).recordCount(), 0);
}

void TstNewDatabase::refusesToOverwrite_data()
{
    QTest::addColumn<QString>("existing");
    QTest::newRow("the database") << "";
    QTest::newRow("a partial one") << ".partial";
    QTest::newRow("a partial one's journal") << ".partial-journal";
    QTest::newRow("a partial one's wal") << ".partial-wal";
}

// Nothing already there is overwritten or deleted, and no database appears.
void TstNewDatabase::refusesToOverwrite()
{
    QFETCH(QString, existing);
    WorkFolder folder;
    QFile file(folder.databasePath() + existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("precious");
    file.close();
    try {
        NewDatabase::create(folder.databasePath(), {{"Abate", "to lessen", "v."}});
        QFAIL("an existing file was overwritten");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains(file.fileName()), qPrintable(e.message()));
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("precious"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{file.fileName().section('/', -1)});
}

QTEST_GUILESS_MAIN(TstNewDatabase)
#include "tst_newdatabase.moc"
