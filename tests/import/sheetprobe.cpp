// lexmora-sheetprobe: runs one spreadsheet file through the import window's steps, the real
// readers and the real import loop, without the window: open at A1 with the preview's three
// cells, then the import into a fresh word database. scripts/check-hostile runs it under
// /usr/bin/time for the peak memory and time of each hostile file.
//
//   lexmora-sheetprobe FILE...     one line of figures for each file
//   lexmora-sheetprobe --make DIR  writes the generated hostile files into DIR
#include "SheetFiles.h"
#include "SheetReader.h"
#include "WordDatabase.h"
#include "WordImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// How long the longest stretch without a tick was: the window's worst freeze.
struct TickClock
{
    QElapsedTimer since;
    qint64 worst = 0;
    qint64 ticks = 0;
    void start() { since.start(); }
    bool tick()
    {
        worst = qMax(worst, since.restart());
        ++ticks;
        return true;
    }
};

void print(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QString shortened(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.size() > 160 ? text.left(157) + QStringLiteral("...") : text;
}

int probe(const QString &path)
{
    QTemporaryDir dir;
    const QString dbPath = dir.filePath(QStringLiteral("qvtmdb.mdb"));
    WordDatabase::create(dbPath).reset();
    auto db = WordDatabase::open(dbPath);

    TickClock clock;
    QElapsedTimer timer;
    timer.start();
    clock.start();
    const SheetReader::KeepGoing keepGoing = [&clock] { return clock.tick(); };
    std::unique_ptr<SheetReader> sheet;
    QString opened;
    try {
        sheet = SheetReader::openFile(path, keepGoing);
        sheet->setKeepGoing(keepGoing);
        opened =
            QStringLiteral("preview \"%1\" \"%2\" \"%3\"")
                .arg(shortened(sheet->cell(1, 1).toText()), shortened(sheet->cell(1, 2).toText()),
                     shortened(sheet->cell(1, 3).toText()));
    } catch (const SheetError &e) {
        opened = QStringLiteral("refused: ") + shortened(e.message());
        sheet.reset();
    }
    clock.tick();
    const qint64 openMs = timer.restart();
    const qint64 openWorst = clock.worst;
    QString imported = QStringLiteral("no import");
    qint64 importWorst = 0;
    if (sheet) {
        clock = TickClock();
        clock.start();
        const auto result =
            WordImport(*db, QStringLiteral("Words")).run(*sheet, 1, 1, [&](qint64, const auto &) {
                return clock.tick();
            });
        clock.tick();
        importWorst = clock.worst;
        imported =
            QStringLiteral("%L1 rows").arg(result.imported) +
            (result.failed ? QStringLiteral(", stopped: ") + shortened(result.error) : QString());
    }
    const qint64 importMs = timer.elapsed();
    print(QStringLiteral("%1\n  open %2 ms (longest without a tick %3 ms): %4\n  import %5 ms "
                         "(longest without a tick %6 ms): %7")
              .arg(QFileInfo(path).fileName())
              .arg(openMs)
              .arg(openWorst)
              .arg(opened)
              .arg(importMs)
              .arg(importWorst)
              .arg(imported));
    return 0;
}

int make(const QString &folder)
{
    using SheetFiles::Hostile;
    QDir().mkpath(folder);
    // As large as the files the faults were found with: an 18 MB text, a 1 GB cell.
    const QList<QPair<Hostile, int>> files{
        {Hostile::WholeWorkbook, 30},  {Hostile::ManySharedStrings, 1},
        {Hostile::LongCell, 1},        {Hostile::HugeCell, 1},
        {Hostile::DeepXml, 1},         {Hostile::RowNumberPastSheet, 1},
        {Hostile::ColumnPastSheet, 1}, {Hostile::RepeatedColumns, 1},
        {Hostile::UnclosedQuote, 90},  {Hostile::NulInText, 1},
    };
    for (const auto &[kind, scale] : files) {
        const QString path = QDir(folder).filePath(SheetFiles::hostileName(kind));
        if (!QFileInfo::exists(path))
            SheetFiles::writeHostile(kind, path, scale);
        print(path);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--make"))
        return make(args[1]);
    if (args.isEmpty() || args[0].startsWith(QLatin1String("--"))) {
        std::fprintf(stderr, "usage: lexmora-sheetprobe FILE... | --make DIR\n");
        return 2;
    }
    for (const QString &path : args)
        probe(path);
    return 0;
}
