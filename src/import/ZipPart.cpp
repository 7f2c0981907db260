#include "ZipPart.h"

#include "SheetLimits.h"
#include "XmlGuard.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>

#include <QFileInfo>
#include <QIODevice>

using namespace SheetLimits;

// The inflated bytes of one part, counted, watched by an XmlGuard, and cut off at the first
// broken bound or Cancel. Qt's XML reader sees the cut as the end of its input.
class PartDevice : public QIODevice
{
public:
    enum class Stop { None, Damaged, TooLarge, Bomb, Xml, Cancelled };

    PartDevice(QuaZipFile *source, qint64 stored, const SheetReader::KeepGoing *keepGoing)
        : m_source(source), m_stored(stored), m_keepGoing(keepGoing)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    Stop stop() const { return m_stop; }
    XmlGuard::Problem problem() const { return m_guard.problem(); }
    qint64 inflated() const { return m_inflated; }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        if (m_stop != Stop::None)
            return -1;
        const qint64 n = m_source->read(data, max);
        if (n < 0)
            return halt(Stop::Damaged);
        m_inflated += n;
        if (m_inflated > MaxPartBytes)
            return halt(Stop::TooLarge);
        if (m_inflated > RatioFromBytes && m_inflated / MaxPartRatio > m_stored)
            return halt(Stop::Bomb);
        if (!m_guard.feed(data, n))
            return halt(Stop::Xml);
        if (m_keepGoing && *m_keepGoing && !(*m_keepGoing)())
            return halt(Stop::Cancelled);
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 halt(Stop stop)
    {
        m_stop = stop;
        return -1;
    }

    QuaZipFile *m_source;
    qint64 m_stored;
    const SheetReader::KeepGoing *m_keepGoing;
    XmlGuard m_guard;
    qint64 m_inflated = 0;
    Stop m_stop = Stop::None;
};

ZipPart::ZipPart(const QString &archivePath, const SheetReader::KeepGoing *keepGoing)
    : m_fileName(QFileInfo(archivePath).fileName()), m_keepGoing(keepGoing),
      m_zip(std::make_unique<QuaZip>(archivePath))
{
    if (!m_zip->open(QuaZip::mdUnzip))
        throw SheetError(
            QStringLiteral("%1 is damaged: its archive cannot be opened.").arg(m_fileName));
}

ZipPart::~ZipPart()
{
    close();
    m_zip->close();
}

void ZipPart::refuse(const QString &why) const
{
    throw SheetError(QStringLiteral("%1 is refused: its part %2 %3").arg(m_fileName, m_part, why));
}

bool ZipPart::open(const QString &name)
{
    close();
    if (!m_zip->setCurrentFile(name, QuaZip::csInsensitive))
        return false;
    m_part = m_zip->getCurrentFileName();
    QuaZipFileInfo64 info;
    if (!m_zip->getCurrentFileInfo(&info))
        return false;
    // What the archive says is checked first; what the part really inflates to, as it is read.
    const auto stored = qint64(qMin<quint64>(info.compressedSize, quint64(MaxPartBytes)));
    const auto inflated = info.uncompressedSize;
    if (inflated > quint64(MaxPartBytes))
        refuse(QStringLiteral("would inflate to %L1 bytes, more than %L2 bytes, the most this "
                              "program reads from one part.")
                   .arg(inflated)
                   .arg(MaxPartBytes));
    if (inflated > quint64(RatioFromBytes) && inflated / MaxPartRatio > quint64(stored))
        refuse(QStringLiteral("would inflate %L1 times its stored size, as no spreadsheet "
                              "does: it may be a zip bomb.")
                   .arg(inflated / quint64(qMax<qint64>(stored, 1))));
    m_file = std::make_unique<QuaZipFile>(m_zip.get());
    if (!m_file->open(QIODevice::ReadOnly)) {
        m_file.reset();
        return false;
    }
    m_device = std::make_unique<PartDevice>(m_file.get(), stored, m_keepGoing);
    m_xml.setDevice(m_device.get());
    return true;
}

void ZipPart::close()
{
    m_xml.setDevice(nullptr);
    m_xml.clear();
    m_device.reset();
    if (m_file) {
        m_file->close();
        m_file.reset();
    }
}

void ZipPart::check()
{
    using Stop = PartDevice::Stop;
    const Stop stop = m_device ? m_device->stop() : Stop::None;
    switch (stop) {
    case Stop::None:
        break;
    case Stop::Cancelled:
        throw SheetCancelled();
    case Stop::Damaged:
        throw SheetError(QStringLiteral("%1 is damaged: its part %2 cannot be inflated.")
                             .arg(m_fileName, m_part));
    case Stop::TooLarge:
        refuse(QStringLiteral("inflates to more than %L1 bytes, the most this program reads "
                              "from one part.")
                   .arg(MaxPartBytes));
    case Stop::Bomb:
        refuse(QStringLiteral("inflates more than %1 times its stored size, as no spreadsheet "
                              "does: it may be a zip bomb.")
                   .arg(MaxPartRatio));
    case Stop::Xml:
        switch (m_device->problem()) {
        case XmlGuard::Problem::LongText:
            refuse(QStringLiteral("holds a text of more than %L1 bytes in one piece.")
                       .arg(MaxXmlTextBytes));
        case XmlGuard::Problem::LongTag:
            refuse(QStringLiteral("holds a tag of more than %L1 bytes.").arg(MaxXmlTagBytes));
        case XmlGuard::Problem::Deep:
            refuse(QStringLiteral("nests its elements more than %1 deep.").arg(MaxXmlDepth));
        case XmlGuard::Problem::DocumentType:
            refuse(QStringLiteral("holds a document type declaration, which no spreadsheet "
                                  "has."));
        case XmlGuard::Problem::None:
            break;
        }
        break;
    }
    if (m_xml.hasError())
        throw SheetError(QStringLiteral("%1 is damaged: %2 (line %3 of %4).")
                             .arg(m_fileName, m_xml.errorString())
                             .arg(m_xml.lineNumber())
                             .arg(m_part));
}

bool appendWithin(QString &text, QStringView more)
{
    if (more.size() > MaxCellChars - text.size())
        return false;
    text += more;
    return true;
}

QString readStringItem(QXmlStreamReader &xml, QStringView end, bool &tooLong)
{
    QString text;
    int depth = 0; // inside a <t>
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (depth > 0)
                ++depth;
            else if (xml.name() == QLatin1String("rPh"))
                xml.skipCurrentElement();
            else if (xml.name() == QLatin1String("t"))
                depth = 1;
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth > 0)
                --depth;
            else if (xml.name() == end)
                break;
        } else if (depth > 0 && (token == QXmlStreamReader::Characters ||
                                 token == QXmlStreamReader::EntityReference)) {
            if (!tooLong && !appendWithin(text, xml.text()))
                tooLong = true;
        }
    }
    return text;
}
