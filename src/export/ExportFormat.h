#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The file formats words can be exported to.
enum class ExportFormat {
    Csv,      // comma-separated text with a header row word,meaning,pointer
    Xlsx,     // an Excel workbook: word, meaning, pointer in columns A, B, C from row 1
    Ods,      // an OpenDocument spreadsheet, laid out as the workbook
    AnkiText, // Anki's text import: tab-separated, the pointer as a tag
    Kvtml,    // KDE's vocabulary document (KWordQuiz, Parley), version 2
};

namespace ExportFormats {

// Every format, in the order the save dialog lists them.
const QList<ExportFormat> &all();

// The file name extension, without the dot: "csv".
QString suffix(ExportFormat format);
// What the save dialog's file-type list shows: "Comma-separated text (*.csv)".
QString filter(ExportFormat format);
QStringList filters();
std::optional<ExportFormat> fromFilter(const QString &filter);
// The format a file name's extension names, without regard to letter case.
std::optional<ExportFormat> fromPath(const QString &path);
// `path` with the format's extension added when it has none of it.
QString withSuffix(const QString &path, ExportFormat format);

} // namespace ExportFormats
