#pragma once

#include "SheetLimits.h"
#include "SheetReader.h"

#include <optional>
#include <vector>

// The common part of the readers that stream a sheet from top to bottom (.xlsx, .ods,
// .csv): only the row being read is held, as runs of equal cells, so a row or a column
// repeated a million times costs one entry. Row and column numbers stay within the sheet's
// size, and a row within its share of text; a row that breaks them is an error there, and
// the rows before it stay readable.
class RowStreamReader : public SheetReader
{
protected:
    struct CellRun
    {
        int firstColumn = 1;
        int count = 1;
        SheetCell cell;
        bool tooLong = false; // longer than a cell may be: an error when it is asked for
    };
    struct Row
    {
        qint64 first = 1; // the row number
        qint64 count = 1; // how many equal rows this one stands for
        std::vector<CellRun> cells;
        qsizetype chars = 0; // the text held in `cells`
    };

    SheetCell readCell(qint64 row, int column) override;

    // The last row a sheet of this format can have.
    virtual qint64 maxRows() const { return SheetLimits::MaxRows; }
    // Starts reading the sheet from its top again.
    virtual void rewind() = 0;
    // Reads the next row of the sheet into `row`; false at the end of the sheet. Rows come
    // in ascending order; `row.first` is set by the reader. A repeat count may be given up
    // to maxRows() + 1, never more, so that no sum overflows.
    virtual bool readRow(Row &row) = 0;

    // Adds `count` equal cells from `column` on to `row`; empty ones are not kept. Throws
    // SheetError for a cell with content past the last column, or a row past its budget.
    // `column` and `count` may be anything up to SheetLimits::MaxColumns + 1.
    void addCell(Row &row, qint64 column, qint64 count, SheetCell cell, bool tooLong = false);
    // Rows numbered past the sheet: an error naming the row.
    [[noreturn]] void rowPastSheet(qint64 row) const;

    // Forgets the rows read so far; readers call it from open() and rewind().
    void restart();

private:
    void advance(qint64 row);

    Row m_row;
    bool m_hasRow = false;
    bool m_ended = false;
    qint64 m_previousEnd = 1;            // rows below this were passed before the current row
    std::optional<SheetError> m_failure; // why the rows from m_failedAt on cannot be read
    qint64 m_failedAt = 0;
};
