#pragma once

#include "SheetReader.h"

#include <QSet>

// Legacy Excel workbooks (.xls, BIFF2 to BIFF8) through FreeXL. FreeXL can report success
// without giving a workbook for files it cannot parse, and it gives no value for formula
// cells; both are reported as unreadable rather than read as empty.
class XlsReader : public SheetReader
{
public:
    XlsReader() = default;
    ~XlsReader() override;
    XlsReader(const XlsReader &) = delete;
    XlsReader &operator=(const XlsReader &) = delete;

    void open(const QString &path) override;
    SheetCell cell(qint64 row, int column) override;
    void close() override;

private:
    SheetError formulaError(qint64 row, int column) const;

    const void *m_handle = nullptr;
    QString m_name;
    quint32 m_rows = 0;
    quint16 m_columns = 0;
    QSet<quint64> m_formulas;
};
