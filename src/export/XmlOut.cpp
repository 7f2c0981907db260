#include "XmlOut.h"

#include "ChunkedSink.h"

#include <QIODevice>

void XmlOut::declaration(bool standalone)
{
    m_text += standalone
                  ? QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n")
                  : QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
}

void XmlOut::flushWhenFull()
{
    if (m_text.size() >= PieceChars)
        flush();
}

void XmlOut::flush()
{
    if (m_text.isEmpty())
        return;
    const QByteArray bytes = m_text.toUtf8();
    m_text.clear();
    if (!m_failed)
        m_failed = !writeAll(*m_target, bytes);
}

QString XmlOut::failure() const
{
    if (m_failed)
        return m_target->errorString();
    return m_xml.hasError() ? QStringLiteral("the XML could not be written") : QString();
}
