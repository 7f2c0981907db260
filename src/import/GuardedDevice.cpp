#include "GuardedDevice.h"

#include "SheetLimits.h"

#include <QXmlStreamReader>

using namespace SheetLimits;

GuardedDevice::GuardedDevice(QIODevice *source, qint64 stored,
                             const SheetReader::KeepGoing *keepGoing, XmlGuard guard)
    : m_source(source), m_stored(stored), m_keepGoing(keepGoing), m_guard(guard)
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 GuardedDevice::readData(char *data, qint64 max)
{
    if (m_stop != Stop::None)
        return -1;
    const qint64 n = m_source->read(data, max);
    if (n < 0)
        return halt(Stop::Damaged);
    m_read += n;
    if (m_read > MaxPartBytes)
        return halt(Stop::TooLarge);
    if (m_read > RatioFromBytes && m_read / MaxPartRatio > m_stored)
        return halt(Stop::Bomb);
    if (!m_guard.feed(data, n))
        return halt(Stop::Xml);
    if (m_keepGoing && *m_keepGoing && !(*m_keepGoing)())
        return halt(Stop::Cancelled);
    return n;
}

qint64 GuardedDevice::halt(Stop stop)
{
    m_stop = stop;
    return -1;
}

void throwIfStopped(const GuardedDevice *device, const QXmlStreamReader &xml,
                    const QString &fileName, const QString &part)
{
    using Stop = GuardedDevice::Stop;
    const QString it = part.isEmpty() ? QStringLiteral("it") : QStringLiteral("its part ") + part;
    const auto refuse = [&](const QString &why) {
        throw SheetError(QStringLiteral("%1 is refused: %2 %3").arg(fileName, it, why));
    };
    switch (device ? device->stop() : Stop::None) {
    case Stop::None:
        break;
    case Stop::Cancelled:
        throw SheetCancelled();
    case Stop::Damaged:
        throw SheetError(part.isEmpty()
                             ? QStringLiteral("%1 cannot be read.").arg(fileName)
                             : QStringLiteral("%1 is damaged: its part %2 cannot be inflated.")
                                   .arg(fileName, part));
    case Stop::TooLarge:
        refuse(part.isEmpty() ? QStringLiteral("runs to more than %L1 bytes, the most this "
                                               "program reads from one file.")
                                    .arg(MaxPartBytes)
                              : QStringLiteral("inflates to more than %L1 bytes, the most this "
                                               "program reads from one part.")
                                    .arg(MaxPartBytes));
        break;
    case Stop::Bomb:
        refuse(QStringLiteral("inflates more than %1 times its stored size, as no spreadsheet "
                              "does: it may be a zip bomb.")
                   .arg(MaxPartRatio));
        break;
    case Stop::Xml:
        switch (device->problem()) {
        case XmlGuard::Problem::LongText:
            refuse(QStringLiteral("holds a text of more than %L1 bytes in one piece.")
                       .arg(MaxXmlTextBytes));
            break;
        case XmlGuard::Problem::LongTag:
            refuse(QStringLiteral("holds a tag of more than %L1 bytes.").arg(MaxXmlTagBytes));
            break;
        case XmlGuard::Problem::Deep:
            refuse(QStringLiteral("nests its elements more than %1 deep.").arg(MaxXmlDepth));
            break;
        case XmlGuard::Problem::DocumentType:
            refuse(part.isEmpty()
                       ? QStringLiteral("declares entities of its own, as no vocabulary file "
                                        "does.")
                       : QStringLiteral("holds a document type declaration, which no "
                                        "spreadsheet has."));
            break;
        case XmlGuard::Problem::None:
            break;
        }
        break;
    }
    if (xml.hasError())
        throw SheetError(part.isEmpty() ? QStringLiteral("%1 is damaged: %2 (line %3).")
                                              .arg(fileName, xml.errorString())
                                              .arg(xml.lineNumber())
                                        : QStringLiteral("%1 is damaged: %2 (line %3 of %4).")
                                              .arg(fileName, xml.errorString())
                                              .arg(xml.lineNumber())
                                              .arg(part));
}
