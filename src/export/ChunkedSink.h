#pragma once

#include <QByteArray>
#include <QIODevice>

// Writes all of `bytes` to `device`, again after a short write (a file short of room takes
// what fits and says nothing; the next write, or the commit, then tells why); false when
// the device refuses.
bool writeAll(QIODevice &device, const QByteArray &bytes);

// Gathers the many small writes of a format writer and hands them on to the file in large
// pieces: one write of 64 KB costs what one of ten bytes costs. A write the file refuses
// (a full disk) is kept as the sink's failure; the writers look at it now and then.
class ChunkedSink : public QIODevice
{
public:
    static constexpr qsizetype ChunkBytes = 64 * 1024;

    explicit ChunkedSink(QIODevice &target);
    ~ChunkedSink() override;

    bool isSequential() const override { return true; }
    // Hands on what is gathered; false once the file has refused a write.
    bool flushToTarget();
    bool failed() const { return m_failed; }
    QString failure() const;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    QIODevice &m_target;
    QByteArray m_pending;
    bool m_failed = false;
};
