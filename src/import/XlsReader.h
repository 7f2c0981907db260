#pragma once

#include "SheetReader.h"
#include "XlsFrames.h"

// Legacy Excel workbooks (.xls, BIFF2 to BIFF8). FreeXL, which reads them, cannot be trusted
// with damaged files (it can crash on them), so it runs in a process of its own,
// lexmora-sheetcells, with limits on its memory and time; its answer is the first
// worksheet's cells (XlsFrames.h), each checked, and held here for the cells asked for. A
// crash, a hang, a failure or a damaged answer of that process is an error for this file
// alone. Formula cells, whose value FreeXL does not give, are reported as unreadable rather
// than read as empty.
class XlsReader : public SheetReader
{
public:
    // How long the reading process may take.
    static constexpr int TimeoutMs = 30000;

    XlsReader() = default;
    ~XlsReader() override;
    XlsReader(const XlsReader &) = delete;
    XlsReader &operator=(const XlsReader &) = delete;

    void open(const QString &path) override;
    void close() override;

    // Where lexmora-sheetcells is: beside the program, or on the PATH; empty when nowhere.
    static QString toolPath();
    // Tests run another program in its place (empty: the real one) and shorten the time.
    static void setToolForTests(const QString &program, int timeoutMs = TimeoutMs);

protected:
    SheetCell readCell(qint64 row, int column) override;

private:
    SheetError formulaError(qint64 row, int column) const;

    XlsFrames::Sheet m_sheet;
    bool m_open = false;
};
