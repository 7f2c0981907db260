#include "ZipPart.h"

#include "GuardedDevice.h"
#include "SheetLimits.h"
#include "ZipArchive.h"

#include <QFileInfo>
#include <QIODevice>

using namespace SheetLimits;

ZipLibrary &zipLibraryFor(const QString &fileName)
{
    QString whyNot;
    ZipLibrary *zip = ZipLibrary::instance(&whyNot);
    if (!zip)
        throw SheetError(QStringLiteral("%1 cannot be read: %2").arg(fileName, whyNot));
    return *zip;
}

ZipPart::ZipPart(const QString &archivePath, const SheetReader::KeepGoing *keepGoing)
    : m_fileName(QFileInfo(archivePath).fileName()), m_keepGoing(keepGoing),
      m_zip(zipLibraryFor(m_fileName).read(archivePath))
{
    if (!m_zip)
        throw SheetError(
            QStringLiteral("%1 is damaged: its archive cannot be opened.").arg(m_fileName));
}

ZipPart::~ZipPart()
{
    close();
}

void ZipPart::refuse(const QString &why) const
{
    throw SheetError(QStringLiteral("%1 is refused: its part %2 %3").arg(m_fileName, m_part, why));
}

bool ZipPart::open(const QString &name)
{
    close();
    if (!m_zip->select(name))
        return false;
    m_part = m_zip->currentName();
    quint64 storedSize = 0;
    quint64 inflated = 0;
    if (!m_zip->currentSizes(storedSize, inflated))
        return false;
    // What the archive says is checked first; what the part really inflates to, as it is read.
    const auto stored = qint64(qMin<quint64>(storedSize, quint64(MaxPartBytes)));
    if (inflated > quint64(MaxPartBytes))
        refuse(QStringLiteral("would inflate to %L1 bytes, more than %L2 bytes, the most this "
                              "program reads from one part.")
                   .arg(inflated)
                   .arg(MaxPartBytes));
    if (inflated > quint64(RatioFromBytes) && inflated / MaxPartRatio > quint64(stored))
        refuse(QStringLiteral("would inflate %L1 times its stored size, as no spreadsheet "
                              "does: it may be a zip bomb.")
                   .arg(inflated / quint64(qMax<qint64>(stored, 1))));
    QIODevice *part = m_zip->openPart();
    if (!part)
        return false;
    m_device = std::make_unique<GuardedDevice>(part, stored, m_keepGoing);
    m_xml.setDevice(m_device.get());
    return true;
}

void ZipPart::close()
{
    m_xml.setDevice(nullptr);
    m_xml.clear();
    m_device.reset();
    if (m_zip)
        m_zip->closePart();
}

void ZipPart::check()
{
    throwIfStopped(m_device.get(), m_xml, m_fileName, m_part);
}

bool appendWithin(QString &text, QStringView more)
{
    if (more.size() > MaxCellChars - text.size())
        return false;
    text += more;
    return true;
}

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

QString decodeEscapedCharacters(const QString &text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('_') && i + 6 < text.size() && text[i + 1] == QLatin1Char('x') &&
            text[i + 6] == QLatin1Char('_')) {
            int unit = 0;
            for (qsizetype d = i + 2; d < i + 6 && unit >= 0; ++d) {
                const int v = hexValue(text[d]);
                unit = v < 0 ? -1 : unit * 16 + v;
            }
            if (unit >= 0) {
                out += QChar(char16_t(unit));
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
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
    return decodeEscapedCharacters(text);
}
