// The SQL box on 100,000 words: from Go! to the first page of the Results viewer.
#include "BenchData.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "ShowAll.h"
#include "SqlParser.h"

#include <QLabel>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <array>

namespace {

// A Main window stand-in whose viewer shows the first page: three rows of three labels.
class FirstPagePort : public MainWindowPort
{
public:
    QWidget *mainWindow() override { return &m_window; }
    void displayHalt() override {}
    void appendStatusLine(const QString &) override {}
    void appendStatusText(const QString &) override {}
    QString sqlText() const override { return m_sql; }
    void setSqlText(const QString &text) override { m_sql = text; }
    void openResultsViewer() override
    {
        const Snapshot &rows = *Module1::queryResult;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                m_labels[size_t(r * 3 + c)].setText(rows.text(r, c));
        ++opened;
    }

    int opened = 0;

private:
    QWidget m_window;
    QString m_sql;
    std::array<QLabel, 9> m_labels;
};

struct OpenStore
{
    OpenStore() { Module1::database = WordDatabase::open(BenchData::databasePath()); }
    ~OpenStore() { Module1::reset(); }
};

void go(benchmark::State &state, const char *sql)
{
    OpenStore store;
    FirstPagePort port;
    SqlParser parser(port);
    port.setSqlText(QString::fromUtf8(sql));
    for (auto _ : state)
        parser.go();
    if (port.opened == 0)
        state.SkipWithError("the query found nothing");
    state.counters["rows"] = double(Module1::queryResult->rowCount());
}

void go_show_all(benchmark::State &state)
{
    OpenStore store;
    FirstPagePort port;
    SqlParser parser(port);
    ShowAll showAll(port, parser);
    for (auto _ : state)
        showAll.command8Click();
    state.counters["rows"] = double(Module1::queryResult->rowCount());
}

} // namespace

BENCHMARK_CAPTURE(go, prefix_search, "Select * from Words where word like 'Word0123*'")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(go, substring_search, "Select * from Words where meaning like '*number 4567*'")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(go_show_all)->Unit(benchmark::kMillisecond);
