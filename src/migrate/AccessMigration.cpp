#include "AccessMigration.h"

#include "AccessFiles.h"
#include "Dialogs.h"
#include "LongWork.h"
#include "Skip.h"
#include "StoreError.h"
#include "WordDatabase.h"
#include "WordRecords.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace AccessMigration {

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString convertedPath(const QString &path)
{
    return path + QStringLiteral(".converted");
}

void removeConverted(const QString &path)
{
    QFile::remove(convertedPath(path));
    AccessFiles::discardPartial(convertedPath(path));
}

// Runs lexmora-newdb --from-access into the temporary name; throws a StoreError with the
// reason when it fails. The window keeps painting while it runs; after a moment a box
// offers Cancel, which ends the converter.
void runConverter(const QString &path, const Options &options)
{
    const QString converter = options.converter.isEmpty() ? converterPath() : options.converter;
    if (converter.isEmpty() || !QFileInfo(converter).isExecutable())
        throw StoreError(
            QStringLiteral("The converter lexmora-newdb was not found beside the program."));
    QProcess process;
    LongWork work(QApplication::activeWindow(),
                  QStringLiteral("Converting your words from the Access file..."));
    work.onCancel([&process] { process.kill(); });
    bool tooLong = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &process, [&] {
        tooLong = true;
        process.kill();
    });
    process.start(converter, {QStringLiteral("--from-access"), path, convertedPath(path)});
    if (!process.waitForStarted())
        throw StoreError(
            QStringLiteral("The converter %1 could not be started.").arg(native(converter)));
    limit.start(options.timeoutMs);
    const bool finished =
        process.state() == QProcess::NotRunning || work.waitFor(&process, &QProcess::finished);
    limit.stop();
    if (!finished || tooLong) {
        process.kill();
        process.waitForFinished();
        throw StoreError(finished ? QStringLiteral("Reading the Access file took too long; it may "
                                                   "be damaged.")
                                  : QStringLiteral("The conversion was stopped, as you asked."));
    }
    QString err = QString::fromUtf8(process.readAllStandardError()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        err = err.section(QLatin1Char('\n'), -1).remove(QStringLiteral("lexmora-newdb: "));
        throw StoreError(err.isEmpty() ? QStringLiteral("The converter stopped without saying why.")
                                       : err);
    }
}

// Keeps the Access file under `kept` without touching it: a second name for the same
// file where the file system allows it, a copy elsewhere. Neither overwrites anything.
void keepOriginal(const QString &path, const QString &kept)
{
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(kept).constData()) == 0)
        return;
    if (!QFile::copy(path, kept))
        throw StoreError(
            QStringLiteral("The Access file could not be kept as %1.").arg(native(kept)));
}

// Journal files beside an Access file belong to no database there; SQLite would apply
// them to the new one.
void removeStrayJournals(const QString &path)
{
    for (const char *suffix : {"-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

QString convert(const QString &path, const Options &options)
{
    removeConverted(path);
    try {
        runConverter(path, options);
        // The new file must open as a word database before it takes the old one's place.
        WordDatabase::open(convertedPath(path)).reset();
    } catch (...) {
        removeConverted(path);
        throw;
    }
    const QString kept = keptName(path);
    try {
        keepOriginal(path, kept);
    } catch (...) {
        removeConverted(path);
        throw;
    }
    removeStrayJournals(path);
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(convertedPath(path)).toStdString(),
                            QFile::encodeName(path).toStdString(), ec);
    if (ec) {
        QFile::remove(kept);
        removeConverted(path);
        throw StoreError(QStringLiteral("The new word database could not take the place of the "
                                        "Access file: %1.")
                             .arg(QString::fromStdString(ec.message())));
    }
    return kept;
}

qint64 countWords(const QString &path)
{
    qint64 total = 0;
    auto db = WordDatabase::open(path);
    for (const QString &table : WordDatabase::collectionTables())
        total += WordRecords::count(*db, table);
    return total;
}

} // namespace

QString keptName(const QString &path)
{
    QString kept = path + QStringLiteral(".access");
    for (int n = 1; QFileInfo::exists(kept) || QFileInfo(kept).isSymLink(); ++n)
        kept = path + QStringLiteral(".access.") + QString::number(n);
    return kept;
}

QString converterPath()
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString &candidate :
         {dir + QStringLiteral("/lexmora-newdb"),
          QDir::cleanPath(dir + QStringLiteral("/" LEXMORA_TOOLS_FROM_PROGRAM "/lexmora-newdb"))})
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    return QStandardPaths::findExecutable(QStringLiteral("lexmora-newdb"));
}

bool offerConversion(const QString &path, const QString &title, const Options &options)
{
    if (!AccessFiles::isAccessFile(path))
        return true;
    Dialogs &dialogs = Dialogs::current();
    const QString question =
        QStringLiteral("The word database %1 was made by Microsoft Access. Lexmora keeps its "
                       "words in a database of its own and can bring your words over into one.")
            .arg(native(path)) +
        CrLf + CrLf +
        QStringLiteral("Convert it now? The Access file will be kept as %1.")
            .arg(native(keptName(path)));
    if (!dialogs.question(question, title)) {
        dialogs.message(QStringLiteral("The Microsoft Access database %1 was left as it is. "
                                       "Lexmora cannot work with it and will close now.")
                            .arg(native(path)),
                        title);
        return false;
    }
    QString kept;
    try {
        kept = convert(path, options);
    } catch (const std::exception &e) {
        const QString why = dynamic_cast<const StoreError *>(&e)
                                ? static_cast<const StoreError &>(e).message()
                                : QString::fromUtf8(e.what());
        dialogs.message(QStringLiteral("Your words could not be converted. ") + why + CrLf + CrLf +
                            QStringLiteral("The Access file %1 was left as it is. Lexmora will "
                                           "close now.")
                                .arg(native(path)),
                        title);
        return false;
    }
    qint64 words = 0;
    // The start-up that follows reports a database it cannot open.
    skipOnFailure(lcMigrate(), "counting the converted words", [&] { words = countWords(path); });
    dialogs.message(QStringLiteral("Your words were converted: %1 words in six collections. The "
                                   "Access file was kept as %2.")
                        .arg(words)
                        .arg(native(kept)),
                    title);
    return true;
}

} // namespace AccessMigration
