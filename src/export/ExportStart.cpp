#include "ExportStart.h"

#include "Dialogs.h"
#include "ExportFormat.h"
#include "LongWork.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "Skip.h"
#include "StoreError.h"
#include "StoreRowSources.h"
#include "Titles.h"
#include "WordExport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The folder of the last export of this run, where the next one starts.
QString lastFolder;

QString suggestedPath(const QString &table, ExportFormat format)
{
    QString folder = lastFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(table + QLatin1Char('.') + ExportFormats::suffix(format));
}

} // namespace

ExportStart::ExportStart(MainWindowPort &main, QObject *parent) : QObject(parent), m_main(main)
{
    setObjectName(QStringLiteral("ExportStart"));
}

QString ExportStart::report(qint64 words, const QString &table, const QString &file)
{
    return QStringLiteral("Exported %1 words of %2 to %3")
        .arg(words)
        .arg(table, QDir::toNativeSeparators(file));
}

void ExportStart::command21Click()
{
    m_main.displayHalt();
    const QString table = Module1::currentCollection;
    std::unique_ptr<CollectionRowSource> rows;
    try {
        if (!Module1::database)
            throw StoreError(QStringLiteral("No word database is open."));
        rows = std::make_unique<CollectionRowSource>(*Module1::database, table);
    } catch (const StoreError &e) {
        Dialogs::current().message(
            QStringLiteral("The words of %1 cannot be exported: %2").arg(table, e.message()),
            Titles::Wordbrawl);
        return;
    }
    exportWords(m_main, m_main.mainWindow(), *rows, table);
}

void ExportStart::exportQueryResult(MainWindowPort &main, QWidget *viewer)
{
    if (!Module1::queryResult) {
        qCWarning(lcExport) << "Skipped the Results viewer's export: there is no query result";
        return;
    }
    QueryRowSource rows(*Module1::queryResult);
    exportWords(main, viewer, rows, Module1::currentCollection);
}

void exportWords(MainWindowPort &main, QWidget *owner, WordRowSource &rows, const QString &table)
{
    static ExportFormat lastFormat = ExportFormat::Csv;
    QString filter = ExportFormats::filter(lastFormat);
    const QString path = Dialogs::current().saveFile(
        Titles::Export, suggestedPath(table, lastFormat), ExportFormats::filters(), &filter);
    if (path.isEmpty())
        return;
    // A name with the extension of a format is that format; any other, the chosen file type.
    const ExportFormat format = ExportFormats::fromPath(path).value_or(
        ExportFormats::fromFilter(filter).value_or(ExportFormat::Csv));
    lastFormat = format;
    lastFolder = QFileInfo(path).absolutePath();

    WordExport::Result result;
    {
        LongWork work(owner, QStringLiteral("Exporting the words of %1 to %2...")
                                 .arg(table, QFileInfo(path).fileName()));
        result = WordExport::run(rows, path, format, table, [&work](qint64 done, qint64 total) {
            return work.tick(done, qMax<qint64>(total, 0));
        });
    }
    switch (result.outcome) {
    case WordExport::Result::Outcome::Written:
        main.appendStatusLine(ExportStart::report(result.rows, table, path));
        break;
    case WordExport::Result::Outcome::Cancelled:
        main.appendStatusLine(result.error);
        break;
    case WordExport::Result::Outcome::Failed:
        Dialogs::current().message(result.error, Titles::Wordbrawl);
        break;
    }
}
