#pragma once

#include "SheetReader.h"

#include <vector>

// The common part of the readers that stream a sheet from top to bottom (.xlsx, .ods,
// .csv): only the row being read is held, as runs of equal cells, so a row or a column
// repeated a million times costs one entry.
class RowStreamReader : public SheetReader
{
public:
    SheetCell cell(qint64 row, int column) override;

protected:
    struct CellRun
    {
        int firstColumn = 1;
        int count = 1;
        SheetCell cell;
    };
    struct Row
    {
        qint64 first = 1; // the row number
        qint64 count = 1; // how many equal rows this one stands for
        std::vector<CellRun> cells;
    };

    // Starts reading the sheet from its top again.
    virtual void rewind() = 0;
    // Reads the next row of the sheet into `row`; false at the end of the sheet. Rows come
    // in ascending order; `row.first` is set by the reader.
    virtual bool readRow(Row &row) = 0;

    // Forgets the rows read so far; readers call it from open() and rewind().
    void restart();

private:
    Row m_row;
    bool m_hasRow = false;
    bool m_ended = false;
    qint64 m_previousEnd = 1; // rows below this were passed before the current row
};
