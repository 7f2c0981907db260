#pragma once

#include "SheetReader.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <memory>

class GuardedDevice;
class ZipLibrary;
class ZipReading;

// One part (file) of a zipped document, read as an XML stream straight from the archive,
// within the bounds of SheetLimits.h: the part's inflated size and its ratio to the stored
// size, the length of a text or a tag and the depth of the XML. Past a bound the stream
// ends early, and check() throws the reason.
class ZipPart
{
public:
    // `keepGoing` (which may be empty, and may change later) is called as the part is read.
    ZipPart(const QString &archivePath, const SheetReader::KeepGoing *keepGoing);
    ~ZipPart();

    // Opens `name` (matched without regard to letter case) for streaming; false when the
    // archive has no such part. Throws SheetError for a part that says it inflates past
    // the bounds.
    bool open(const QString &name);
    void close();
    QXmlStreamReader &xml() { return m_xml; }

    // Throws when the stream has ended early: SheetCancelled when the user cancelled,
    // SheetError naming the bound the part broke, or the XML's own error.
    void check();

private:
    [[noreturn]] void refuse(const QString &why) const;

    QString m_fileName;
    QString m_part;
    const SheetReader::KeepGoing *m_keepGoing;
    std::unique_ptr<ZipReading> m_zip;
    std::unique_ptr<GuardedDevice> m_device;
    QXmlStreamReader m_xml;
};

// The program's zip library; throws SheetError naming `fileName` when it cannot be loaded.
ZipLibrary &zipLibraryFor(const QString &fileName);

// Reads the text of a string item up to the end of the element `end`: the <t> runs of
// rich text joined, phonetic guides (<rPh>) left out, the characters Excel writes escaped
// (_x000D_) decoded. Past SheetLimits::MaxCellChars the text is cut there and `tooLong` set.
QString readStringItem(QXmlStreamReader &xml, QStringView end, bool &tooLong);
// Excel's escapes of characters XML cannot hold: _xHHHH_ is the UTF-16 unit HHHH, and
// _x005F_ the underscore that keeps a literal "_x0041_" from reading as one.
QString decodeEscapedCharacters(const QString &text);
// Adds `more` to `text` unless that makes it longer than a cell may be; false then.
bool appendWithin(QString &text, QStringView more);
