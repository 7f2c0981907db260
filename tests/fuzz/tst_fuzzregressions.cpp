#include "FuzzChecks.h"

#include <QDirIterator>
#include <QFile>
#include <QtTest>

// Every seed and every kept input goes through the same checks as under the fuzzer; a
// broken property aborts, which fails the test with the file's name on the output.
class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void replay_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("file");
        int rows = 0;
        for (const QString &root : {QStringLiteral("corpus"), QStringLiteral("regressions")}) {
            QDirIterator it(QStringLiteral(LEXMORA_FUZZ_DIR "/") + root, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                const QString target = QFileInfo(file).dir().dirName();
                QTest::newRow(qPrintable(root + '/' + target + '/' + QFileInfo(file).fileName()))
                    << target << file;
                ++rows;
            }
        }
        QVERIFY2(rows > 0, "no seeds found");
    }

    void replay()
    {
        QFETCH(QString, target);
        QFETCH(QString, file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const auto *data = reinterpret_cast<const uint8_t *>(bytes.constData());
        if (target == QLatin1String("dialect"))
            FuzzChecks::dialect(data, size_t(bytes.size()));
        else if (target == QLatin1String("like"))
            FuzzChecks::like(data, size_t(bytes.size()));
        else if (target == QLatin1String("query"))
            FuzzChecks::query(data, size_t(bytes.size()));
        else if (target == QLatin1String("sheet"))
            FuzzChecks::sheet(data, size_t(bytes.size()));
        else
            QFAIL(qPrintable(QStringLiteral("no check for the folder ") + target));
    }
};

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
