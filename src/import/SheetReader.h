#pragma once

#include <QString>

#include <functional>
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

// Reading stopped because the user cancelled it.
class SheetCancelled : public SheetError
{
public:
    SheetCancelled() : SheetError(QStringLiteral("Reading the file was cancelled.")) {}
};

// Reads the first worksheet of a spreadsheet file, one cell at a time. Rows and columns
// count from 1. Readers stream the file: reading downwards costs nothing extra, reading an
// earlier row starts the stream again, and no reader holds a whole sheet in memory. What a
// reader takes from a file is bounded (SheetLimits.h); past a bound it throws SheetError.
//
// The file is the one that was opened: its size, time stamp and identity are looked at
// again whenever a row other than the current one is asked for (and whenever the current
// row is asked for again from the left), and a file changed since then is an error rather
// than a source of other rows.
class SheetReader
{
public:
    enum class Format { Unknown, Xls, Xlsx, Ods, Csv, AnkiText, Kvtml };

    // Called often during long reading (at least every few thousand bytes or XML tokens,
    // and every few tens of milliseconds while waiting); false stops the reading with
    // SheetCancelled.
    using KeepGoing = std::function<bool()>;

    virtual ~SheetReader() = default;

    // Opens the file and takes its first worksheet; throws SheetError.
    virtual void open(const QString &path) = 0;
    // The cell's value; throws SheetError when the file turns out to be unreadable there,
    // or has changed since it was opened.
    SheetCell cell(qint64 row, int column);
    virtual void close() = 0;

    // What the reader calls while it works; empty: nothing.
    void setKeepGoing(KeepGoing keepGoing) { m_keepGoing = std::move(keepGoing); }

    // The format of the file, told by its content; the extension only separates the
    // text formats from files that are no spreadsheet at all. Throws SheetError for a zip
    // file when the program's zip module (lexmora-zip) cannot be loaded.
    static Format detect(const QString &path);
    // A reader of the right kind with the file open; throws SheetError. `keepGoing` is
    // called while it opens, and no longer once it returns.
    static std::unique_ptr<SheetReader> openFile(const QString &path,
                                                 const KeepGoing &keepGoing = {});

    // The file list's patterns, matched without regard to letter case.
    static const QStringList &filePatterns();
    static QString naturalNumber(double value);

protected:
    virtual SheetCell readCell(qint64 row, int column) = 0;

    // Lets the owner's window run; throws SheetCancelled when the user has cancelled.
    void keepGoing() const;
    // The same hook, for parts that must not throw (a device read by Qt's XML reader).
    const KeepGoing *keepGoingHook() const { return &m_keepGoing; }
    // Notes the file as it is now (at open); checkUnchanged() throws once it differs.
    void rememberFile(const QString &path);
    void checkUnchanged() const;
    const QString &fileName() const { return m_name; }

private:
    struct FileStamp
    {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = -1;
        qint64 modifiedNs = 0;
        bool operator==(const FileStamp &) const = default;
    };
    static FileStamp stampOf(const QString &path);

    KeepGoing m_keepGoing;
    QString m_path;
    QString m_name;
    FileStamp m_stamp;
    qint64 m_lastRow = 0;
    int m_lastColumn = 0;
};
