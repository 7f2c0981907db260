// lexmora-newdb PATH: writes a fresh word database at PATH with the starter word list in
// the collection Words.
// lexmora-newdb --from-access OLD NEW: writes a word database at NEW holding the words of
// the Access word file OLD.
// lexmora-newdb --restore BACKUP DB: puts the backup copy BACKUP back into the word database
// DB through the engine, after copying DB's words as they are into its backups folder.
// lexmora-newdb --export DB TABLE FILE: writes the words of the collection TABLE of the word
// database DB to FILE, in the format its extension names (.csv, .xlsx, .ods, .txt for Anki,
// .kvtml); FILE is replaced only once the new one is complete.
// It never overwrites an existing word database with a new or converted one.
#include "AccessConversion.h"
#include "AccessFiles.h"
#include "ExportFormat.h"
#include "ExportStart.h"
#include "NewDatabase.h"
#include "Restore.h"
#include "StoreError.h"
#include "StoreRowSources.h"
#include "WordDatabase.h"
#include "WordExport.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What a conversion may use: a damaged Access file can send libmdb round a loop that asks
// for ever more memory, and a word file of any real size needs a small part of either.
constexpr rlim_t ConversionMemoryBytes = rlim_t(1) << 30;
constexpr rlim_t ConversionCpuSeconds = 120;

const char TooLarge[] = "Reading the Access file needed more memory than a word file ever "
                        "needs; it may be damaged.";

void limitConversion()
{
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const rlimit memory{ConversionMemoryBytes, ConversionMemoryBytes};
    ::setrlimit(RLIMIT_AS, &memory);
    // SIGXCPU at the soft limit ends the process; SIGKILL follows at the hard one.
    const rlimit cpu{ConversionCpuSeconds, ConversionCpuSeconds + 5};
    ::setrlimit(RLIMIT_CPU, &cpu);
}

int writeStarterDatabase(const QString &path, QTextStream &err)
{
    QFile list(QStringLiteral(":/data/starter-words.tsv"));
    if (!list.open(QIODevice::ReadOnly)) {
        err << "lexmora-newdb: the starter word list is missing from this build\n";
        return 1;
    }
    const auto words = NewDatabase::parseWordList(list.readAll());
    NewDatabase::create(path, words);
    QTextStream(stdout) << "Wrote " << path << " with " << words.size() << " starter words.\n";
    return 0;
}

QByteArray describe(const AccessConversion::Summary &summary, const QString &newPath)
{
    QString text = QStringLiteral("Wrote %1 with %2 words").arg(newPath).arg(summary.totalWords());
    if (!summary.createdEmpty.isEmpty())
        text += QStringLiteral("; the Access file had no table %1, made empty")
                    .arg(summary.createdEmpty.join(QStringLiteral(", ")));
    return (text + QStringLiteral(".\n")).toUtf8();
}

void writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

// libmdb trusts the file it reads, and a damaged one can make it crash. The conversion
// runs in a child process, so such a file gets a plain report and leaves nothing behind.
int convertFromAccess(const QString &accessPath, const QString &newPath, QTextStream &err)
{
    int channel[2];
    if (::pipe(channel) != 0) {
        err << "lexmora-newdb: could not start the conversion\n";
        return 1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL); // ends with its parent, even when that is killed
        limitConversion();
        int status = 0;
        QByteArray report;
        try {
            report = describe(AccessConversion::convertFile(accessPath, newPath), newPath);
        } catch (const std::bad_alloc &) {
            report = TooLarge;
            status = 1;
        } catch (const StoreError &e) {
            report = e.message().toUtf8();
            status = 1;
        } catch (const std::exception &e) {
            report = e.what();
            status = 1;
        }
        writeAll(channel[1], report);
        ::_exit(status);
    }
    ::close(channel[1]);
    if (child < 0) {
        ::close(channel[0]);
        err << "lexmora-newdb: could not start the conversion\n";
        return 1;
    }
    QByteArray report;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            report.append(buffer, n);
        else if (errno != EINTR)
            break;
    }
    ::close(channel[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        QTextStream(stdout) << QString::fromUtf8(report);
        return 0;
    }
    AccessFiles::discardPartial(newPath);
    if (WIFEXITED(status) && !report.isEmpty())
        err << "lexmora-newdb: " << QString::fromUtf8(report) << "\n";
    else if (WIFSIGNALED(status) && (WTERMSIG(status) == SIGXCPU || WTERMSIG(status) == SIGKILL))
        err << "lexmora-newdb: Reading the Access file " << accessPath
            << " took too long; it may be damaged.\n";
    else
        err << "lexmora-newdb: The Access file " << accessPath
            << " could not be read; it may be damaged.\n";
    return 1;
}

// Opening DB first replays whatever a killed run left in its -wal, as any start does; the
// copy's pages then go in as one more commit, so nothing left behind can undo them. A DB that
// is not there yet is made empty first (which clears a stale -wal of a file that is gone).
int restoreBackup(const QString &backup, const QString &path, QTextStream &err)
{
    const bool existed = QFileInfo::exists(path);
    auto db = existed ? WordDatabase::open(path) : WordDatabase::create(path);
    Restore::Result result;
    try {
        result = Restore::fromBackup(*db, backup);
    } catch (const StoreError &) {
        db.reset();
        if (!existed) // a refused copy leaves no new file behind
            for (const char *suffix : {"", "-wal", "-shm"})
                QFile::remove(path + QLatin1String(suffix));
        throw;
    }
    if (result.kind == Restore::Result::Kind::NoCopyBefore) {
        err << "lexmora-newdb: no backup copy of " << path
            << " could be made first: " << result.before.error
            << ". Nothing was restored; the words are as they were.\n";
        return 1;
    }
    QTextStream out(stdout);
    out << "Restored " << backup << " into " << path << ": " << result.words.total() << " words.\n";
    if (result.before.kind == Backups::Outcome::Kind::Taken ||
        result.before.kind == Backups::Outcome::Kind::NotNeeded)
        if (!result.before.file.isEmpty())
            out << "The words it held before are in " << result.before.file << ".\n";
    return 0;
}

int exportWords(const QString &dbPath, const QString &table, const QString &file, QTextStream &err)
{
    const auto format = ExportFormats::fromPath(file);
    if (!format) {
        err << "lexmora-newdb: " << file
            << " names no format to export to; give it one of the extensions .csv, .xlsx, "
               ".ods, .txt (Anki) or .kvtml\n";
        return 1;
    }
    if (!QFileInfo(dbPath).isFile()) {
        err << "lexmora-newdb: there is no word database " << dbPath << "\n";
        return 1;
    }
    const auto db = WordDatabase::open(dbPath);
    CollectionRowSource rows(*db, table);
    const QString canonical = WordDatabase::canonicalTable(table);
    const WordExport::Result result = WordExport::run(rows, file, *format, canonical);
    if (!result.written()) {
        err << "lexmora-newdb: " << result.error << "\n";
        return 1;
    }
    QTextStream(stdout) << ExportStart::report(result.rows, canonical, file) << "\n";
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 2 && !args[1].startsWith(QLatin1String("--")))
            return writeStarterDatabase(args[1], err);
        if (args.size() == 4 && args[1] == QLatin1String("--from-access")) {
            err.flush();
            return convertFromAccess(args[2], args[3], err);
        }
        if (args.size() == 4 && args[1] == QLatin1String("--restore"))
            return restoreBackup(args[2], args[3], err);
        if (args.size() == 5 && args[1] == QLatin1String("--export"))
            return exportWords(args[2], args[3], args[4], err);
    } catch (const std::exception &e) {
        err << "lexmora-newdb: " << e.what() << "\n";
        return 1;
    }
    err << "usage: lexmora-newdb PATH\n"
           "       lexmora-newdb --from-access OLD NEW\n"
           "       lexmora-newdb --restore BACKUP DB\n"
           "       lexmora-newdb --export DB TABLE FILE\n"
           "Writes a fresh Lexmora word database (qvtmdb.mdb) at PATH, or one holding the\n"
           "words of the Access word file OLD at NEW; puts the words of the backup copy\n"
           "BACKUP back into the word database DB (DB's words as they were are kept in a\n"
           "backup copy first); or writes the words of the collection TABLE (Words ..\n"
           "Words5) of the word database DB to FILE, in the format its extension names:\n"
           ".csv, .xlsx, .ods, .txt (Anki) or .kvtml.\n";
    return 2;
}
