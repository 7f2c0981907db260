// The parts of the program loaded when first needed: found beside the program, refused
// with a plain reason when missing or from another build, and the zip module's archives
// written and read back through its interface.
#include "LateModule.h"
#include "ZipArchive.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

class TstLateModule : public QObject
{
    Q_OBJECT

private slots:
    void loadsOrSaysWhyNot_data();
    void loadsOrSaysWhyNot();
    void zipArchiveRoundTrip();
};

void TstLateModule::loadsOrSaysWhyNot_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("whyNot"); // empty: loaded
    QTest::newRow("zip") << "zip" << ZipLibrary::Version << "";
    QTest::newRow("charts") << "charts" << 1 << "";
    QTest::newRow("another build's interface") << "zip" << ZipLibrary::Version + 1
                                               << "lexmora-zip.so belongs to another version";
    QTest::newRow("no such module") << "nothing" << 1
                                    << "lexmora-nothing.so is missing beside the program.";
}

void TstLateModule::loadsOrSaysWhyNot()
{
    QFETCH(QString, name);
    QFETCH(int, version);
    QFETCH(QString, whyNot);
    QString said;
    void *entry = LateModule::load(name, version, &said);
    QCOMPARE(entry != nullptr, whyNot.isEmpty());
    if (whyNot.isEmpty())
        QVERIFY(said.isEmpty());
    else
        QVERIFY2(said.startsWith(whyNot), qPrintable(said));
    // A second call finds the loaded module again.
    QCOMPARE(LateModule::load(name, version, nullptr), entry);
}

void TstLateModule::zipArchiveRoundTrip()
{
    QString whyNot;
    ZipLibrary *zip = ZipLibrary::instance(&whyNot);
    QVERIFY2(zip, qPrintable(whyNot));
    QTemporaryDir dir;
    const QString path = dir.filePath("parts.zip");
    const QByteArray content = QByteArray("<sheet>") + QByteArray(100000, 'w') + "</sheet>";
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        auto archive = zip->write(out);
        QVERIFY(archive && archive->isOpen());
        int error = 0;
        for (const auto &[name, bytes, stored] :
             {std::tuple{QStringLiteral("mimetype"), QByteArray("text/plain"), true},
              std::tuple{QStringLiteral("Content/Sheet.xml"), content, false}}) {
            QIODevice *part = archive->beginPart(name, stored, 1, error);
            QVERIFY(part && error == 0);
            QCOMPARE(part->write(bytes), bytes.size());
            QCOMPARE(archive->endPart(), 0);
        }
        QCOMPARE(archive->finish(), 0);
        // The device is the caller's: still open.
        QVERIFY(out.isOpen());
    }

    auto archive = zip->read(path);
    QVERIFY(archive);
    QVERIFY(!archive->select("content/sheet.xml", ZipReading::Match::ExactCase));
    QVERIFY(archive->select("content/sheet.xml", ZipReading::Match::AnyCase));
    QCOMPARE(archive->currentName(), QStringLiteral("Content/Sheet.xml"));
    quint64 stored = 0;
    quint64 inflated = 0;
    QVERIFY(archive->currentSizes(stored, inflated));
    QCOMPARE(inflated, quint64(content.size()));
    QVERIFY(stored < inflated / 10); // deflated
    QIODevice *part = archive->openPart();
    QVERIFY(part);
    QCOMPARE(part->readAll(), content);
    QVERIFY(archive->select("mimetype", ZipReading::Match::ExactCase));
    QVERIFY(archive->currentSizes(stored, inflated));
    QCOMPARE(stored, inflated); // kept as it is
    QCOMPARE(archive->openPart()->readAll(), QByteArray("text/plain"));
    QVERIFY(!archive->select("missing.xml"));

    // Not an archive: no reading, and nothing thrown.
    QFile text(dir.filePath("plain.txt"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("word\tmeaning\n");
    text.close();
    QVERIFY(!zip->read(text.fileName()));
}

QTEST_GUILESS_MAIN(TstLateModule)
#include "tst_latemodule.moc"
