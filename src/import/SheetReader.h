#pragma once

#include <QString>

#include <memory>
#include <stdexcept>

// One cell of a worksheet: empty, a text or a number.
struct SheetCell
{
    enum class Kind { Empty, Text, Number };

    Kind kind = Kind::Empty;
    QString text;
    double number = 0;

    static SheetCell ofText(const QString &text) { return {Kind::Text, text, 0}; }
    static SheetCell ofNumber(double number) { return {Kind::Number, {}, number}; }

    // An empty cell and a cell holding the empty text both compare equal to "".
    bool isEmpty() const { return kind == Kind::Empty || (kind == Kind::Text && text.isEmpty()); }
    // The value as text; numbers in their natural form (42, 3.14).
    QString toText() const;
};

// A spreadsheet file that cannot be read, or a cell whose value cannot be had; the message
// says why in plain words.
class SheetError : public std::runtime_error
{
public:
    explicit SheetError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Reads the first worksheet of a spreadsheet file, one cell at a time. Rows and columns
// count from 1. Readers stream the file: reading downwards costs nothing extra, reading an
// earlier row starts the stream again, and no reader holds a whole sheet in memory.
class SheetReader
{
public:
    enum class Format { Unknown, Xls, Xlsx, Ods, Csv };

    virtual ~SheetReader() = default;

    // Opens the file and takes its first worksheet; throws SheetError.
    virtual void open(const QString &path) = 0;
    // The cell's value; throws SheetError when the file turns out to be unreadable there.
    virtual SheetCell cell(qint64 row, int column) = 0;
    virtual void close() = 0;

    // The format of the file, told by its content; the extension only separates the
    // text formats from files that are no spreadsheet at all.
    static Format detect(const QString &path);
    // A reader of the right kind with the file open; throws SheetError.
    static std::unique_ptr<SheetReader> openFile(const QString &path);

    // The file list's patterns, matched without regard to letter case.
    static const QStringList &filePatterns();
    static QString naturalNumber(double value);
};
