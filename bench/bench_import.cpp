// Importing spreadsheet rows into a collection: 100,000 rows from .xlsx, .ods and .csv, and
// 65,535 from .xls (a BIFF2 sheet holds no more). Each figure is one whole import, the
// file opened and read, the rows normalized and written in batches in one transaction.
#include "BenchData.h"
#include "SheetFiles.h"
#include "SheetReader.h"
#include "StoreTestAccess.h"
#include "WordDatabase.h"
#include "WordImport.h"

#include <QDir>
#include <QFileInfo>

#include <benchmark/benchmark.h>

namespace {

constexpr qint64 Rows = 100000;
constexpr qint64 XlsRows = 65535;

QVariantList row(qint64 n)
{
    return {BenchData::word(int(n)).toLower(), BenchData::meaning(int(n)), QStringLiteral("n.")};
}

// The file of `format` beside the benchmark database, written once per run.
QString sheetFile(const QString &format)
{
    const QString path = QFileInfo(BenchData::databasePath()).dir().filePath("import." + format);
    if (QFileInfo::exists(path))
        return path;
    if (format == "xlsx")
        SheetFiles::writeXlsx(path, Rows, row);
    else if (format == "ods")
        SheetFiles::writeOds(path, Rows, row);
    else if (format == "xls")
        SheetFiles::writeXls(path, XlsRows, row);
    else
        SheetFiles::writeCsv(path, Rows, row);
    return path;
}

void importRows(benchmark::State &state, const QString &format)
{
    const QString path = sheetFile(format);
    auto db = WordDatabase::open(BenchData::databasePath());
    qint64 imported = 0;
    for (auto _ : state) {
        auto sheet = SheetReader::openFile(path);
        const auto result = WordImport(*db, QStringLiteral("Words4")).run(*sheet, 1, 1);
        if (result.failed)
            state.SkipWithError(result.error.toUtf8().constData());
        imported += result.imported;
        state.PauseTiming();
        StoreTestAccess::sql(*db).exec("DELETE FROM Words4");
        state.ResumeTiming();
    }
    state.counters["rows_per_second"] =
        benchmark::Counter(double(imported), benchmark::Counter::kIsRate);
}

void import_xlsx(benchmark::State &state)
{
    importRows(state, "xlsx");
}
void import_ods(benchmark::State &state)
{
    importRows(state, "ods");
}
void import_csv(benchmark::State &state)
{
    importRows(state, "csv");
}
void import_xls(benchmark::State &state)
{
    importRows(state, "xls");
}

} // namespace

BENCHMARK(import_xlsx)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(import_ods)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(import_csv)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(import_xls)->Unit(benchmark::kMillisecond)->Iterations(3);
