#pragma once

#include <QString>

#include <memory>

class ChunkedSink;
class QIODevice;
class ZipWriting;

// A zipped document written straight to a file, one part after another: the parts of an
// .xlsx or an .ods. Each part is deflated as it is written, so a part of any size costs a
// few buffers of memory.
class ZipPackage
{
public:
    // Writes to `out`, which stays open: the caller commits or discards the file.
    explicit ZipPackage(QIODevice &out);
    ~ZipPackage();

    // Starts the part `name` and gives the device its bytes go to, until the next part.
    // `stored`: kept uncompressed (the mimetype of an OpenDocument file).
    QIODevice &beginPart(const QString &name, bool stored = false);
    // Writes a whole small part.
    void writePart(const QString &name, const QByteArray &bytes, bool stored = false);
    // Ends the last part and writes the archive's directory.
    void finish();

    // Why the archive could not be written; empty while all is well.
    QString failure() const;

private:
    void endPart();
    void fail(const QString &why);

    std::unique_ptr<ZipWriting> m_zip;
    std::unique_ptr<ChunkedSink> m_sink; // the current part's, while a part is open
    QString m_failure;
};
