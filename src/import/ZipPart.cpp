#include "ZipPart.h"

#include "SheetReader.h"

#include <quazip.h>
#include <quazipfile.h>

#include <QFileInfo>

ZipPart::ZipPart(const QString &archivePath) : m_zip(std::make_unique<QuaZip>(archivePath))
{
    if (!m_zip->open(QuaZip::mdUnzip))
        throw SheetError(QStringLiteral("%1 is damaged: its archive cannot be opened.")
                             .arg(QFileInfo(archivePath).fileName()));
}

ZipPart::~ZipPart()
{
    close();
    m_zip->close();
}

bool ZipPart::open(const QString &name)
{
    close();
    if (!m_zip->setCurrentFile(name, QuaZip::csInsensitive))
        return false;
    m_file = std::make_unique<QuaZipFile>(m_zip.get());
    if (!m_file->open(QIODevice::ReadOnly)) {
        m_file.reset();
        return false;
    }
    m_xml.setDevice(m_file.get());
    return true;
}

void ZipPart::close()
{
    m_xml.setDevice(nullptr);
    m_xml.clear();
    if (m_file) {
        m_file->close();
        m_file.reset();
    }
}

QByteArray ZipPart::readAll(const QString &name)
{
    if (!open(name))
        throw SheetError(QStringLiteral("The part %1 is missing.").arg(name));
    const QByteArray data = m_file->readAll();
    close();
    return data;
}

QString readStringItem(QXmlStreamReader &xml, QStringView end)
{
    QString text;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("rPh"))
                xml.skipCurrentElement();
            else if (xml.name() == QLatin1String("t"))
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (token == QXmlStreamReader::EndElement && xml.name() == end) {
            break;
        }
    }
    return text;
}
