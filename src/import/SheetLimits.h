#pragma once

#include <QtGlobal>

// What the readers take from one file at most. A spreadsheet that needs more is refused with
// a message, so a damaged or hostile file cannot freeze the window or take the memory.
namespace SheetLimits {

// The sheet sizes of the formats: .xlsx and .ods as the office programs have them, .xls as
// BIFF8 has them. Row and column numbers past these are checked before any arithmetic.
constexpr qint64 MaxRows = 1048576;
constexpr int MaxColumns = 16384;
constexpr qint64 XlsMaxRows = 65536;
constexpr int XlsMaxColumns = 256;

// A cell's text: a meaning is not a book.
constexpr qsizetype MaxCellChars = 65536;
// The text of one row held while it is read.
constexpr qsizetype MaxRowChars = 4 * 1024 * 1024;

// A part of a zipped document, inflated, and how far past its stored size it may inflate
// (once it is past RatioFromBytes; small parts of repeated markup inflate far).
constexpr qint64 MaxPartBytes = 512LL * 1024 * 1024;
constexpr qint64 MaxPartRatio = 200;
constexpr qint64 RatioFromBytes = 16LL * 1024 * 1024;
// XML text between two tags, one tag with its attributes, and elements inside each other.
constexpr qint64 MaxXmlTextBytes = 1024 * 1024;
constexpr qint64 MaxXmlTagBytes = 64 * 1024;
constexpr int MaxXmlDepth = 256;

// The shared-string table of an .xlsx workbook, which is held whole.
constexpr qsizetype MaxSharedStrings = 4 * 1024 * 1024;
constexpr qsizetype MaxSharedChars = 32 * 1024 * 1024;

// The cells of an .xls worksheet, which come whole from the reading process.
constexpr qsizetype MaxXlsCells = 2 * 1024 * 1024;
constexpr qsizetype MaxXlsChars = 32 * 1024 * 1024;

} // namespace SheetLimits
