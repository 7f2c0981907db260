#include "XlsReader.h"

#include "SheetLimits.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <optional>

namespace {

const QString ToolName = QStringLiteral("lexmora-sheetcells");
// How often the wait looks at the clock and lets the owner's window run.
constexpr int PulseMs = 25;

QString toolOverride;
int timeoutMs = XlsReader::TimeoutMs;

} // namespace

XlsReader::~XlsReader()
{
    close();
}

QString XlsReader::toolPath()
{
    if (!toolOverride.isEmpty())
        return toolOverride;
    // The program and its tools share a folder: build/bin, or libexec/lexmora when installed.
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(ToolName);
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(ToolName);
}

void XlsReader::setToolForTests(const QString &program, int timeout)
{
    toolOverride = program;
    timeoutMs = timeout;
}

void XlsReader::open(const QString &path)
{
    close();
    rememberFile(path);
    const QString tool = toolPath();
    if (tool.isEmpty())
        throw SheetError(QStringLiteral("%1 cannot be read: the .xls reader %2 was not found "
                                        "beside the program.")
                             .arg(fileName(), ToolName));

    QProcess process;
    process.setProgram(tool);
    process.setArguments({path});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());

    // Every piece of the answer is checked as it comes, so none is held unchecked; the wait
    // runs the event loop for the process's signals alone (the user's clicks wait, as they
    // do in LongWork before its box is up) and hands the owner's window its turn through
    // keepGoing(), which also tells when the user has cancelled.
    XlsFrames::Parser parser(fileName());
    std::optional<SheetError> failure;
    bool cancelled = false;
    bool timedOut = false;
    bool startFailed = false;
    QEventLoop loop;
    const auto readSome = [&] {
        const QByteArray bytes = process.readAllStandardOutput();
        if (failure)
            return;
        try {
            parser.feed(bytes.constData(), bytes.size());
        } catch (const SheetError &e) {
            failure = e;
            process.kill();
        }
    };
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, readSome);
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            startFailed = true;
            loop.quit();
        }
    });
    QElapsedTimer running;
    QTimer pulse;
    QObject::connect(&pulse, &QTimer::timeout, &loop, [&] {
        if (process.state() == QProcess::NotRunning)
            return;
        if (running.elapsed() > timeoutMs)
            timedOut = true;
        else
            try {
                keepGoing();
            } catch (const SheetCancelled &) {
                cancelled = true;
            }
        if (timedOut || cancelled)
            process.kill(); // `finished` follows and ends the wait
    });
    running.start();
    pulse.start(PulseMs);
    process.start();
    if (!startFailed && process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    pulse.stop();
    if (startFailed || process.error() == QProcess::FailedToStart)
        throw SheetError(QStringLiteral("%1 cannot be read: the .xls reader %2 could not be "
                                        "started.")
                             .arg(fileName(), QDir::toNativeSeparators(tool)));
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
    }
    if (cancelled)
        throw SheetCancelled();
    if (timedOut)
        throw SheetError(QStringLiteral("%1 could not be read: reading it took more than %2 "
                                        "seconds, so it may be damaged.")
                             .arg(fileName())
                             .arg(timeoutMs / 1000.0));
    if (!failure)
        readSome();
    if (failure)
        throw *failure;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw SheetError(QStringLiteral("%1 could not be read: the .xls reader stopped on it, so "
                                        "it may be damaged.")
                             .arg(fileName()));
    m_sheet = parser.finish();
    m_open = true;
}

void XlsReader::close()
{
    m_sheet = XlsFrames::Sheet();
    m_open = false;
}

SheetError XlsReader::formulaError(qint64 row, int column) const
{
    return SheetError(QStringLiteral("%1: the cell in row %2, column %3 holds a formula, whose "
                                     "value cannot be read from an .xls file. Save the "
                                     "workbook as .xlsx or .ods and import that.")
                          .arg(fileName())
                          .arg(row)
                          .arg(column));
}

SheetCell XlsReader::readCell(qint64 row, int column)
{
    if (!m_open)
        throw SheetError(QStringLiteral("No workbook is open."));
    using Kind = XlsFrames::Sheet::Kind;
    const XlsFrames::Sheet::Cell *cell = m_sheet.find(row, column);
    if (!cell)
        return {};
    switch (cell->kind) {
    case Kind::Number:
        return SheetCell::ofNumber(m_sheet.numberOf(*cell));
    case Kind::Text:
        return SheetCell::ofText(m_sheet.textOf(*cell));
    case Kind::Formula:
        throw formulaError(row, column);
    case Kind::TooLong:
        break;
    }
    throw SheetError(QStringLiteral("%1: the cell in row %2, column %3 is longer than %L4 "
                                    "characters, more than a meaning can be.")
                         .arg(fileName())
                         .arg(row)
                         .arg(column)
                         .arg(SheetLimits::MaxCellChars));
}
