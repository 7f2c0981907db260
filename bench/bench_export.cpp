// Exporting the benchmark collection (100,000 words) to each format: each figure is one
// whole export as the Export button runs it, the rows read from the word database one at a
// time in table order and written straight to the file under its temporary name, then
// renamed. rss_growth_kb is how far the process's memory grew while it ran: a streamed
// export stays near nothing whatever the number of words.
#include "BenchData.h"
#include "StoreRowSources.h"
#include "WordDatabase.h"
#include "WordExport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

qint64 residentKb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * (::sysconf(_SC_PAGESIZE) / 1024) : 0;
}

void exportWords(benchmark::State &state, ExportFormat format)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words.") + ExportFormats::suffix(format));
    qint64 exported = 0;
    qint64 growth = 0;
    auto db = WordDatabase::open(BenchData::databasePath());
    for (auto _ : state) {
        CollectionRowSource rows(*db, QStringLiteral("Words"));
        const qint64 start = residentKb();
        qint64 peak = start;
        const WordExport::Result result =
            WordExport::run(rows, path, format, QStringLiteral("Words"), [&](qint64 done, qint64) {
                if (done % 4096 == 0)
                    peak = qMax(peak, residentKb());
                return true;
            });
        if (!result.written())
            state.SkipWithError(result.error.toUtf8().constData());
        exported += result.rows;
        growth = qMax(growth, peak - start);
    }
    state.counters["rows_per_second"] =
        benchmark::Counter(double(exported), benchmark::Counter::kIsRate);
    state.counters["rss_growth_kb"] = double(growth);
    state.counters["file_kb"] = double(QFileInfo(path).size() / 1024);
}

void export_csv(benchmark::State &state)
{
    exportWords(state, ExportFormat::Csv);
}
void export_txt(benchmark::State &state)
{
    exportWords(state, ExportFormat::AnkiText);
}
void export_xlsx(benchmark::State &state)
{
    exportWords(state, ExportFormat::Xlsx);
}
void export_ods(benchmark::State &state)
{
    exportWords(state, ExportFormat::Ods);
}
void export_kvtml(benchmark::State &state)
{
    exportWords(state, ExportFormat::Kvtml);
}

} // namespace

BENCHMARK(export_csv)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(export_txt)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(export_xlsx)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(export_ods)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(export_kvtml)->Unit(benchmark::kMillisecond)->Iterations(3);
