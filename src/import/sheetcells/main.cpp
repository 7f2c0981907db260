// lexmora-sheetcells FILE: reads the first worksheet of an .xls file with FreeXL and writes
// its cells to standard output in the frames of XlsFrames.h. It runs in a process of its
// own because FreeXL can crash or run away on a damaged file; the program reads the answer
// and takes a crash or a hang here as an error for that one file.
#include "BiffScan.h"
#include "SheetLimits.h"
#include "XlsFrames.h"

#include <freexl.h>

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>

#include <sys/resource.h>

namespace {

// Memory and processor time within which any real workbook is read.
constexpr rlim_t MemoryBytes = rlim_t(1) << 30;
constexpr rlim_t CpuSeconds = 30;

void limit(int resource, rlim_t value)
{
    const rlimit r{value, value};
    setrlimit(resource, &r);
}

int readSheet(const char *path, XlsFrames::Writer &out)
{
    using namespace SheetLimits;
    const void *handle = nullptr;
    const int rc = freexl_open(path, &handle);
    if (rc != FREEXL_OK || !handle) {
        if (handle)
            freexl_close(handle);
        // FreeXL 1.0.6 answers OK without a workbook for files it cannot parse (an
        // encrypted one, an odd string table, a wrong sheet size).
        out.refuse(QStringLiteral("cannot be read as an Excel workbook (FreeXL code %1).").arg(rc));
        return 0;
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) {
        freexl_close(handle);
        out.refuse(QStringLiteral("has no worksheet that can be read."));
        return 0;
    }
    // FreeXL gives no value for a formula; the scan tells where they are.
    QSet<quint64> formulas = BiffScan::formulaCells(QFile::decodeName(path));
    const auto lastRow = quint32(qMin<qint64>(rows, XlsMaxRows));
    const auto lastColumn = quint16(qMin<int>(columns, XlsMaxColumns));
    for (quint32 r = 0; r < lastRow; ++r) {
        for (quint16 c = 0; c < lastColumn; ++c) {
            FreeXL_CellValue value{};
            if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK) {
                freexl_close(handle);
                out.refuse(QStringLiteral("has a cell in row %1 that cannot be read.").arg(r + 1));
                return 0;
            }
            switch (value.type) {
            case FREEXL_CELL_INT:
                out.number(r + 1, c + 1, value.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                out.number(r + 1, c + 1, value.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME: {
                // Through QString, so what goes out is valid UTF-8 whatever FreeXL made.
                const QString text = QString::fromUtf8(value.value.text_value);
                if (text.size() > MaxCellChars)
                    out.tooLong(r + 1, c + 1);
                else
                    out.text(r + 1, c + 1, text.toUtf8());
                break;
            }
            default:
                continue; // empty: a formula, if there is one, is told below
            }
            formulas.remove(BiffScan::cellKey(r, c));
        }
    }
    freexl_close(handle);
    for (quint64 key : formulas) {
        const auto r = quint32(key >> 32);
        const auto c = quint32(key & 0xFFFFFFFF);
        if (r < XlsMaxRows && c < quint32(XlsMaxColumns))
            out.formula(r + 1, quint16(c + 1));
    }
    out.end();
    return out.failed() ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Before anything is read: bounded memory and time, and no core file from a crash.
    limit(RLIMIT_AS, MemoryBytes);
    limit(RLIMIT_CPU, CpuSeconds);
    limit(RLIMIT_CORE, 0);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lexmora-sheetcells FILE.xls\n");
        return 2;
    }
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    XlsFrames::Writer out(stdout);
    return readSheet(argv[1], out);
}
