#include "RowWriter.h"

#include "AnkiTextWriter.h"
#include "CsvWriter.h"
#include "KvtmlWriter.h"
#include "OdsWriter.h"
#include "XlsxWriter.h"

std::unique_ptr<RowWriter> RowWriter::create(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Csv:
        return std::make_unique<CsvWriter>();
    case ExportFormat::Xlsx:
        return std::make_unique<XlsxWriter>();
    case ExportFormat::Ods:
        return std::make_unique<OdsWriter>();
    case ExportFormat::AnkiText:
        return std::make_unique<AnkiTextWriter>();
    case ExportFormat::Kvtml:
        return std::make_unique<KvtmlWriter>();
    }
    return nullptr;
}
