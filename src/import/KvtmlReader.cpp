#include "KvtmlReader.h"

#include "GuardedDevice.h"
#include "SheetLimits.h"
#include "ZipPart.h"

#include <map>

KvtmlReader::KvtmlReader() = default;
KvtmlReader::~KvtmlReader() = default;

bool KvtmlReader::looksLikeKvtml(const QByteArray &head)
{
    QByteArray start = head.startsWith("\xEF\xBB\xBF") ? head.mid(3) : head;
    start = start.trimmed();
    return start.startsWith('<') && head.left(4096).contains("<kvtml");
}

void KvtmlReader::open(const QString &path)
{
    close();
    rememberFile(path);
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        throw SheetError(
            QStringLiteral("%1 cannot be opened: %2").arg(fileName(), m_file.errorString()));
    rewind();
}

void KvtmlReader::close()
{
    m_xml.setDevice(nullptr);
    m_xml.clear();
    m_device.reset();
    m_file.close();
    restart();
}

void KvtmlReader::check()
{
    throwIfStopped(m_device.get(), m_xml, fileName(), QString());
}

void KvtmlReader::rewind()
{
    m_xml.setDevice(nullptr);
    m_xml.clear();
    m_file.seek(0);
    // A vocabulary file names its document type; one declaring entities is still refused.
    m_device =
        std::make_unique<GuardedDevice>(&m_file, m_file.size(), keepGoingHook(), XmlGuard(true));
    m_xml.setDevice(m_device.get());
    restart();
    m_ids.clear();
    m_ended = false;
    readHead();
}

void KvtmlReader::readHead()
{
    // Up to <entries>: the version and the identifiers, which say which translation is which.
    bool root = false;
    while (!m_xml.atEnd()) {
        if (m_xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (!root) {
            if (m_xml.name() != QLatin1String("kvtml"))
                throw SheetError(
                    QStringLiteral("%1 is no vocabulary document (.kvtml).").arg(fileName()));
            bool numbered = false;
            const double version =
                m_xml.attributes().value(QLatin1String("version")).toDouble(&numbered);
            if (!numbered || version < 2)
                throw SheetError(QStringLiteral("%1 is a vocabulary document of the first "
                                                "version, which this program does not read. "
                                                "Open it in KWordQuiz or Parley and save it "
                                                "again, then import it here.")
                                     .arg(fileName()));
            root = true;
        } else if (m_xml.name() == QLatin1String("identifiers")) {
            readIdentifiers();
        } else if (m_xml.name() == QLatin1String("entries")) {
            break;
        } else {
            m_xml.skipCurrentElement(); // information, word types, lessons...
        }
    }
    check();
    if (m_xml.atEnd()) {
        if (!root)
            throw SheetError(
                QStringLiteral("%1 is no vocabulary document (.kvtml).").arg(fileName()));
        m_ended = true; // no entries: an empty sheet
    }
    for (const char *id : {"0", "1"})
        if (m_ids.size() < 2 && !m_ids.contains(QLatin1String(id)))
            m_ids << QLatin1String(id);
}

void KvtmlReader::readIdentifiers()
{
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("identifier"))
            m_ids << m_xml.attributes().value(QLatin1String("id")).toString();
        m_xml.skipCurrentElement();
    }
}

QString KvtmlReader::readText(bool &tooLong)
{
    // The element's text, its child elements' too, at most a cell's length.
    QString text;
    int depth = 1;
    while (depth > 0 && !m_xml.atEnd()) {
        const auto token = m_xml.readNext();
        if (token == QXmlStreamReader::StartElement)
            ++depth;
        else if (token == QXmlStreamReader::EndElement)
            --depth;
        else if ((token == QXmlStreamReader::Characters ||
                  token == QXmlStreamReader::EntityReference) &&
                 !tooLong && !appendWithin(text, m_xml.text()))
            tooLong = true;
    }
    return tooLong ? QString() : text;
}

KvtmlReader::Translation KvtmlReader::readTranslation()
{
    Translation translation;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("text"))
            translation.text = readText(translation.textTooLong);
        else if (m_xml.name() == QLatin1String("comment"))
            translation.comment = readText(translation.commentTooLong);
        else
            m_xml.skipCurrentElement(); // grades, conjugations, pictures...
    }
    return translation;
}

bool KvtmlReader::readRow(Row &row)
{
    while (!m_ended && !m_xml.atEnd()) {
        const auto token = m_xml.readNext();
        if (token == QXmlStreamReader::EndElement && m_xml.name() == QLatin1String("entries")) {
            m_ended = true;
            break;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (m_xml.name() != QLatin1String("entry")) {
            m_xml.skipCurrentElement();
            continue;
        }
        // Translations by their id; one without an id by its place, as KDE's programs read it.
        std::map<QString, Translation> translations;
        for (int place = 0; m_xml.readNextStartElement(); ++place) {
            if (m_xml.name() != QLatin1String("translation")) {
                m_xml.skipCurrentElement();
                continue;
            }
            const QString id = m_xml.attributes().value(QLatin1String("id")).toString();
            translations[id.isEmpty() ? QString::number(place) : id] = readTranslation();
        }
        check();
        const Translation none;
        const auto of = [&](const QString &id) -> const Translation & {
            const auto found = translations.find(id);
            return found == translations.end() ? none : found->second;
        };
        const Translation &word = of(m_ids[0]);
        const Translation &meaning = of(m_ids[1]);
        addCell(row, 1, 1, SheetCell::ofText(word.text), word.textTooLong);
        addCell(row, 2, 1, SheetCell::ofText(meaning.text), meaning.textTooLong);
        for (const QString &id : m_ids) {
            const Translation &t = of(id);
            if (t.commentTooLong || !t.comment.isEmpty()) {
                addCell(row, 3, 1, SheetCell::ofText(t.comment), t.commentTooLong);
                break;
            }
        }
        return true;
    }
    check();
    return false;
}
