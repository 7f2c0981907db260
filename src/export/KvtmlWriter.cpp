#include "KvtmlWriter.h"

#include "ExportTexts.h"

#include <QDate>

namespace {

void newLine(QXmlStreamWriter &xml, int indent)
{
    xml.writeCharacters(QLatin1Char('\n') + QString(indent, QLatin1Char(' ')));
}

} // namespace

void KvtmlWriter::begin(QIODevice &out, const QString &title)
{
    m_sink = std::make_unique<ChunkedSink>(out);
    m_title = title.isEmpty() ? QStringLiteral("Words") : title;
    m_xml.setDevice(m_sink.get());
    m_xml.writeStartDocument();
    newLine(m_xml, 0);
    m_xml.writeDTD(QStringLiteral(
        "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">"));
    newLine(m_xml, 0);
    m_xml.writeStartElement(QStringLiteral("kvtml"));
    m_xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));

    newLine(m_xml, 1);
    m_xml.writeStartElement(QStringLiteral("information"));
    newLine(m_xml, 2);
    m_xml.writeTextElement(QStringLiteral("generator"), QStringLiteral("Lexmora"));
    newLine(m_xml, 2);
    writeTextElement(QStringLiteral("title"), m_title);
    newLine(m_xml, 2);
    m_xml.writeTextElement(QStringLiteral("date"), QDate::currentDate().toString(Qt::ISODate));
    newLine(m_xml, 1);
    m_xml.writeEndElement();

    newLine(m_xml, 1);
    m_xml.writeStartElement(QStringLiteral("identifiers"));
    const QString names[] = {QStringLiteral("Word"), QStringLiteral("Meaning")};
    for (int id = 0; id < 2; ++id) {
        newLine(m_xml, 2);
        m_xml.writeStartElement(QStringLiteral("identifier"));
        m_xml.writeAttribute(QStringLiteral("id"), QString::number(id));
        m_xml.writeTextElement(QStringLiteral("name"), names[id]);
        m_xml.writeTextElement(QStringLiteral("locale"), QStringLiteral("en"));
        m_xml.writeEndElement();
    }
    newLine(m_xml, 1);
    m_xml.writeEndElement();

    newLine(m_xml, 1);
    m_xml.writeStartElement(QStringLiteral("entries"));
}

void KvtmlWriter::writeTextElement(const QString &name, const QString &text)
{
    // XML reads a carriage return in text as a line feed; as a reference it stays itself.
    m_xml.writeStartElement(name);
    qsizetype from = 0;
    for (qsizetype cr = text.indexOf(QLatin1Char('\r')); cr >= 0;
         cr = text.indexOf(QLatin1Char('\r'), from)) {
        if (cr > from)
            m_xml.writeCharacters(text.mid(from, cr - from));
        m_xml.writeEntityReference(QStringLiteral("#13"));
        from = cr + 1;
    }
    if (from < text.size() || text.isEmpty())
        m_xml.writeCharacters(text.mid(from));
    m_xml.writeEndElement();
}

void KvtmlWriter::write(const WordRow &row)
{
    ExportTexts::refuseNul(row);
    ExportTexts::refuseUnwritableInXml(row, QStringLiteral(".kvtml"));
    newLine(m_xml, 2);
    m_xml.writeStartElement(QStringLiteral("entry"));
    m_xml.writeAttribute(QStringLiteral("id"), QString::number(m_entries++));
    m_xml.writeStartElement(QStringLiteral("translation"));
    m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("0"));
    writeTextElement(QStringLiteral("text"), row.word);
    if (!row.pointer.isEmpty())
        writeTextElement(QStringLiteral("comment"), row.pointer);
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("translation"));
    m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("1"));
    writeTextElement(QStringLiteral("text"), row.meaning);
    m_xml.writeEndElement();
    m_xml.writeEndElement();
}

void KvtmlWriter::finish()
{
    newLine(m_xml, 1);
    m_xml.writeEndElement(); // entries

    newLine(m_xml, 1);
    m_xml.writeStartElement(QStringLiteral("lessons"));
    newLine(m_xml, 2);
    m_xml.writeStartElement(QStringLiteral("container"));
    writeTextElement(QStringLiteral("name"), m_title);
    m_xml.writeTextElement(QStringLiteral("inpractice"), QStringLiteral("true"));
    for (qint64 id = 0; id < m_entries; ++id) {
        if (id % 16 == 0)
            newLine(m_xml, 3);
        m_xml.writeEmptyElement(QStringLiteral("entry"));
        m_xml.writeAttribute(QStringLiteral("id"), QString::number(id));
    }
    newLine(m_xml, 2);
    m_xml.writeEndElement(); // container
    newLine(m_xml, 1);
    m_xml.writeEndElement(); // lessons
    newLine(m_xml, 0);
    m_xml.writeEndDocument();
    m_sink->flushToTarget();
}

QString KvtmlWriter::writeFailure() const
{
    if (m_xml.hasError() && !m_sink->failed())
        return QStringLiteral("the document could not be written");
    return m_sink ? m_sink->failure() : QString();
}
