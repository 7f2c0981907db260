// Kills the real store operations at random moments and checks after every kill that the
// file is sound and holds every change whose commit had returned.
//
//   lexmora-crashtest [KILLS] [OPERATION...]   parent: KILLS runs per operation (100)
//   lexmora-crashtest --child OPERATION PATH   child: runs the steps, one line per commit
#include "CrashOperations.h"
#include "StoreTestAccess.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <optional>

namespace {

const CrashOperation *findOperation(const QString &name)
{
    for (const CrashOperation &op : crashOperations())
        if (op.name == name)
            return &op;
    return nullptr;
}

int runChild(const CrashOperation &op, const QString &path)
{
    auto db = WordDatabase::open(path);
    std::printf("ready\n");
    std::fflush(stdout);
    for (int k = 1; k <= op.steps; ++k) {
        op.step(*db, k);
        std::printf("%d\n", k);
        std::fflush(stdout);
    }
    // Stay alive until killed, so every run ends the same way.
    for (;;)
        QThread::sleep(1);
}

// The last step number the child printed, or nullopt when it never got ready.
std::optional<int> acknowledged(const QByteArray &output)
{
    std::optional<int> last;
    for (const QByteArray &line : output.split('\n')) {
        if (line == "ready" && !last)
            last = 0;
        bool ok = false;
        const int k = line.toInt(&ok);
        if (ok)
            last = k;
    }
    return last;
}

QString integrity(WordDatabase &db)
{
    SQLite::Statement check(StoreTestAccess::sql(db), "PRAGMA integrity_check");
    QStringList problems;
    while (check.executeStep()) {
        const QString line = QString::fromStdString(check.getColumn(0).getString());
        if (line != QLatin1String("ok"))
            problems << line;
    }
    return problems.join(QLatin1String("; "));
}

// One run: prepare, start the child, kill it after a random delay, check the file.
QString runOnce(const CrashOperation &op, int run)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(WordDatabase::FileName));
    op.prepare(path);

    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), op.name, path});
    if (!child.waitForStarted(10000))
        return QStringLiteral("the child did not start");
    // Early kills hit the opening and the first commit; later ones land in the middle of
    // a long bulk change or between two small ones.
    const int delay = run % 4 == 0 ? QRandomGenerator::global()->bounded(1, 30)
                                   : QRandomGenerator::global()->bounded(30, op.latestKillMs);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < delay && child.state() == QProcess::Running)
        child.waitForReadyRead(int(delay - waited.elapsed()) + 1);
    if (child.state() == QProcess::Running)
        ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished(10000);
    if (child.exitStatus() == QProcess::NormalExit && child.exitCode() != 0)
        return QStringLiteral("the child failed: ") + QString::fromLocal8Bit(child.readAllStandardError());
    const std::optional<int> acked = acknowledged(child.readAllStandardOutput());
    if (qEnvironmentVariableIsSet("LEXMORA_CRASH_VERBOSE"))
        std::printf("  run %d: killed after %d ms, %d steps acknowledged\n", run, delay, acked.value_or(-1));

    try {
        auto db = WordDatabase::open(path);
        if (const QString bad = integrity(*db); !bad.isEmpty())
            return QStringLiteral("integrity check: ") + bad;
        if (const QString bad = op.verify(*db, acked.value_or(0)); !bad.isEmpty())
            return QStringLiteral("after %1 acknowledged steps: %2").arg(acked.value_or(0)).arg(bad);
    } catch (const std::exception &e) {
        return QStringLiteral("the file no longer opens: ") + QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--child")) {
        const CrashOperation *op = findOperation(args.value(1));
        if (!op || args.size() != 3) {
            std::fprintf(stderr, "usage: --child OPERATION PATH\n");
            return 2;
        }
        return runChild(*op, args.value(2));
    }

    bool numeric = false;
    int kills = args.value(0).toInt(&numeric);
    if (!numeric)
        kills = 100;
    QStringList names = numeric ? args.mid(1) : args;
    if (names.isEmpty())
        for (const CrashOperation &op : crashOperations())
            names << op.name;

    int failed = 0;
    for (const QString &name : names) {
        const CrashOperation *op = findOperation(name);
        if (!op) {
            std::fprintf(stderr, "no operation named %s\n", qPrintable(name));
            return 2;
        }
        int sound = 0;
        for (int run = 0; run < kills; ++run) {
            const QString problem = runOnce(*op, run);
            if (problem.isEmpty())
                ++sound;
            else
                std::printf("FAIL %s run %d: %s\n", qPrintable(name), run, qPrintable(problem));
        }
        std::printf("%-16s %d kills, %d sound\n", qPrintable(name), kills, sound);
        std::fflush(stdout);
        failed += sound == kills ? 0 : 1;
    }
    std::printf("%d passed, %d failed\n", int(names.size()) - failed, failed);
    return failed == 0 ? 0 : 1;
}
