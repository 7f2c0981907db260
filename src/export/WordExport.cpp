#include "WordExport.h"

#include "ExportError.h"
#include "ExportTexts.h"
#include "RowWriter.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace {

using Outcome = WordExport::Result::Outcome;

WordExport::Result ended(Outcome outcome, qint64 rows, const QString &why, const QString &path,
                         bool existed)
{
    QString error = why;
    if (!error.endsWith(QLatin1Char('.')))
        error += QLatin1Char('.');
    error += existed ? QStringLiteral(" %1 was left as it was.").arg(path)
                     : QStringLiteral(" %1 was not written.").arg(path);
    return {outcome, rows, error};
}

// Why the file refuses what was written, if it does: its own reason first, as it names
// the cause, then the format writer's. A file short of room takes what fits and names no
// error at first: a disk with next to nothing left is then said to be full.
QString refusal(const QSaveFile &file, const RowWriter &writer)
{
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    const QString failure = writer.writeFailure();
    if (failure.isEmpty())
        return failure;
    const QStorageInfo disk(QFileInfo(file.fileName()).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < 1024 * 1024)
        return QStringLiteral("there is no room left on the disk");
    return failure;
}

} // namespace

WordExport::Result WordExport::run(WordRowSource &rows, const QString &path, ExportFormat format,
                                   const QString &title, const KeepGoing &keepGoing)
{
    const bool existed = QFileInfo::exists(path);
    QSaveFile file(path);
    // Without the temporary file there is no safe export: never write over the file itself.
    file.setDirectWriteFallback(false);
    // Unbuffered: the writers hand on large pieces themselves, and every write that falls
    // short is seen (Qt's buffer can lose the tail of a file short of room and still commit).
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return ended(Outcome::Failed, 0,
                     QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString()), path,
                     existed);

    const std::unique_ptr<RowWriter> writer = RowWriter::create(format);
    const qint64 total = rows.size();
    qint64 done = 0;
    const auto fail = [&](const QString &why) {
        file.cancelWriting();
        return ended(Outcome::Failed, done, why, path, existed);
    };
    try {
        if (writer->maxRows() >= 0 && total > writer->maxRows())
            ExportTexts::refuseTooManyRows(writer->maxRows());
        writer->begin(file, title);
        WordRow row;
        while (rows.next(row)) {
            writer->write(row);
            ++done;
            if (done % TickRows != 0)
                continue;
            const QString refused = refusal(file, *writer);
            if (!refused.isEmpty())
                return fail(QStringLiteral("%1 could not be written: %2").arg(path, refused));
            if (keepGoing && !keepGoing(done, total)) {
                file.cancelWriting();
                return ended(Outcome::Cancelled, done, QStringLiteral("The export was cancelled"),
                             path, existed);
            }
        }
        writer->finish();
    } catch (const ExportError &e) {
        return fail(e.message());
    } catch (const std::exception &e) {
        return fail(QString::fromUtf8(e.what()));
    }
    const QString refused = refusal(file, *writer);
    if (!refused.isEmpty())
        return fail(QStringLiteral("%1 could not be written: %2").arg(path, refused));
    if (!file.commit())
        return ended(Outcome::Failed, done,
                     QStringLiteral("%1 could not be written: %2").arg(path, file.errorString()),
                     path, existed);
    return {Outcome::Written, done, QString()};
}
