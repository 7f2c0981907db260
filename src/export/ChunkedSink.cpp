#include "ChunkedSink.h"

bool writeAll(QIODevice &device, const QByteArray &bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

ChunkedSink::ChunkedSink(QIODevice &target) : m_target(target)
{
    m_pending.reserve(ChunkBytes * 2);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

ChunkedSink::~ChunkedSink() = default;

qint64 ChunkedSink::writeData(const char *data, qint64 size)
{
    if (m_failed)
        return -1;
    m_pending.append(data, qsizetype(size));
    if (m_pending.size() >= ChunkBytes && !flushToTarget())
        return -1;
    return size;
}

bool ChunkedSink::flushToTarget()
{
    if (m_failed)
        return false;
    if (!m_pending.isEmpty()) {
        m_failed = !writeAll(m_target, m_pending);
        m_pending.clear();
    }
    return !m_failed;
}

QString ChunkedSink::failure() const
{
    return m_failed ? m_target.errorString() : QString();
}
