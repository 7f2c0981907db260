#include "ExportFormat.h"

#include <QFileInfo>

namespace ExportFormats {

const QList<ExportFormat> &all()
{
    static const QList<ExportFormat> formats{ExportFormat::Csv, ExportFormat::Xlsx,
                                             ExportFormat::Ods, ExportFormat::AnkiText,
                                             ExportFormat::Kvtml};
    return formats;
}

QString suffix(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Csv:
        return QStringLiteral("csv");
    case ExportFormat::Xlsx:
        return QStringLiteral("xlsx");
    case ExportFormat::Ods:
        return QStringLiteral("ods");
    case ExportFormat::AnkiText:
        return QStringLiteral("txt");
    case ExportFormat::Kvtml:
        return QStringLiteral("kvtml");
    }
    return QString();
}

QString filter(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Csv:
        return QStringLiteral("Comma-separated text (*.csv)");
    case ExportFormat::Xlsx:
        return QStringLiteral("Excel workbook (*.xlsx)");
    case ExportFormat::Ods:
        return QStringLiteral("OpenDocument spreadsheet (*.ods)");
    case ExportFormat::AnkiText:
        return QStringLiteral("Anki text import (*.txt)");
    case ExportFormat::Kvtml:
        return QStringLiteral("KWordQuiz and Parley vocabulary (*.kvtml)");
    }
    return QString();
}

QStringList filters()
{
    QStringList list;
    for (ExportFormat format : all())
        list << filter(format);
    return list;
}

std::optional<ExportFormat> fromFilter(const QString &text)
{
    for (ExportFormat format : all())
        if (filter(format) == text)
            return format;
    return std::nullopt;
}

std::optional<ExportFormat> fromPath(const QString &path)
{
    const QString extension = QFileInfo(path).suffix();
    for (ExportFormat format : all())
        if (extension.compare(suffix(format), Qt::CaseInsensitive) == 0)
            return format;
    return std::nullopt;
}

QString withSuffix(const QString &path, ExportFormat format)
{
    if (fromPath(path) == format)
        return path;
    return path + QLatin1Char('.') + suffix(format);
}

} // namespace ExportFormats
