#pragma once

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <memory>

class QuaZip;
class QuaZipFile;

// One part (file) of a zipped document, read as an XML stream straight from the archive.
class ZipPart
{
public:
    explicit ZipPart(const QString &archivePath);
    ~ZipPart();

    // Opens `name` (matched without regard to letter case) for streaming; false when the
    // archive has no such part.
    bool open(const QString &name);
    void close();
    QXmlStreamReader &xml() { return m_xml; }

    // The whole of a small part; throws SheetError when it is missing.
    QByteArray readAll(const QString &name);

private:
    std::unique_ptr<QuaZip> m_zip;
    std::unique_ptr<QuaZipFile> m_file;
    QXmlStreamReader m_xml;
};

// Reads the text of a string item up to the end of the element `end`: the <t> runs of
// rich text joined, phonetic guides (<rPh>) left out.
QString readStringItem(QXmlStreamReader &xml, QStringView end);
