#include "XlsReader.h"

#include "BiffScan.h"

#include <freexl.h>

#include <QFile>
#include <QFileInfo>

XlsReader::~XlsReader()
{
    close();
}

void XlsReader::open(const QString &path)
{
    close();
    m_name = QFileInfo(path).fileName();
    const void *handle = nullptr;
    const int rc = freexl_open(QFile::encodeName(path).constData(), &handle);
    if (rc != FREEXL_OK || !handle) {
        if (handle)
            freexl_close(handle);
        // FreeXL 1.0.6 answers OK without a workbook for files it cannot parse (an
        // encrypted one, an odd string table, a wrong sheet size).
        throw SheetError(QStringLiteral("%1 cannot be read as an Excel workbook (FreeXL code %2).")
                             .arg(m_name)
                             .arg(rc));
    }
    m_handle = handle;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(m_handle, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(m_handle, &rows, &columns) != FREEXL_OK) {
        close();
        throw SheetError(QStringLiteral("%1 has no worksheet that can be read.").arg(m_name));
    }
    m_rows = rows;
    m_columns = columns;
    m_formulas = BiffScan::formulaCells(path);
}

void XlsReader::close()
{
    if (m_handle)
        freexl_close(m_handle);
    m_handle = nullptr;
    m_formulas.clear();
    m_rows = 0;
    m_columns = 0;
}

SheetError XlsReader::formulaError(qint64 row, int column) const
{
    return SheetError(QStringLiteral("%1: the cell in row %2, column %3 holds a formula, whose "
                                     "value cannot be read from an .xls file. Save the "
                                     "workbook as .xlsx or .ods and import that.")
                          .arg(m_name)
                          .arg(row)
                          .arg(column));
}

SheetCell XlsReader::cell(qint64 row, int column)
{
    if (!m_handle)
        throw SheetError(QStringLiteral("No workbook is open."));
    if (row < 1 || column < 1 || row > 0xFFFFFFFFLL || column > 0xFFFF)
        return {};
    const auto r = quint32(row - 1);
    const auto c = quint16(column - 1);
    // Past the sheet's stated size only a formula can stand, which FreeXL does not read.
    if (row > m_rows || column > m_columns) {
        if (m_formulas.contains(BiffScan::cellKey(r, c)))
            throw formulaError(row, column);
        return {};
    }
    FreeXL_CellValue value{};
    if (freexl_get_cell_value(m_handle, r, c, &value) != FREEXL_OK)
        throw SheetError(
            QStringLiteral("%1: a cell of row %2 cannot be read.").arg(m_name).arg(row));
    switch (value.type) {
    case FREEXL_CELL_INT:
        return SheetCell::ofNumber(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return SheetCell::ofNumber(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return SheetCell::ofText(QString::fromUtf8(value.value.text_value));
    default:
        break;
    }
    if (m_formulas.contains(BiffScan::cellKey(r, c)))
        throw formulaError(row, column);
    return {};
}
