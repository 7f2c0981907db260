#include "KvtmlWriter.h"

#include "ExportTexts.h"
#include "XmlOut.h"

#include <QDate>

KvtmlWriter::KvtmlWriter() = default;
KvtmlWriter::~KvtmlWriter() = default;

void KvtmlWriter::newLine(int indent)
{
    xml().writeCharacters(QLatin1Char('\n') + QString(indent, QLatin1Char(' ')));
}

QXmlStreamWriter &KvtmlWriter::xml()
{
    return m_out->xml();
}

void KvtmlWriter::begin(QIODevice &out, const QString &title)
{
    m_out = std::make_unique<XmlOut>(out);
    m_title = title.isEmpty() ? QStringLiteral("Words") : title;
    m_out->declaration();
    xml().writeDTD(QStringLiteral(
        "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">"));
    newLine(0);
    xml().writeStartElement(QStringLiteral("kvtml"));
    xml().writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));

    newLine(1);
    xml().writeStartElement(QStringLiteral("information"));
    newLine(2);
    xml().writeTextElement(QStringLiteral("generator"), QStringLiteral("Lexmora"));
    newLine(2);
    writeTextElement(QStringLiteral("title"), m_title);
    newLine(2);
    xml().writeTextElement(QStringLiteral("date"), QDate::currentDate().toString(Qt::ISODate));
    newLine(1);
    xml().writeEndElement();

    newLine(1);
    xml().writeStartElement(QStringLiteral("identifiers"));
    const QString names[] = {QStringLiteral("Word"), QStringLiteral("Meaning")};
    for (int id = 0; id < 2; ++id) {
        newLine(2);
        xml().writeStartElement(QStringLiteral("identifier"));
        xml().writeAttribute(QStringLiteral("id"), QString::number(id));
        xml().writeTextElement(QStringLiteral("name"), names[id]);
        xml().writeTextElement(QStringLiteral("locale"), QStringLiteral("en"));
        xml().writeEndElement();
    }
    newLine(1);
    xml().writeEndElement();

    newLine(1);
    xml().writeStartElement(QStringLiteral("entries"));
}

void KvtmlWriter::writeTextElement(const QString &name, const QString &text)
{
    // XML reads a carriage return in text as a line feed; as a reference it stays itself.
    xml().writeStartElement(name);
    qsizetype from = 0;
    for (qsizetype cr = text.indexOf(QLatin1Char('\r')); cr >= 0;
         cr = text.indexOf(QLatin1Char('\r'), from)) {
        if (cr > from)
            xml().writeCharacters(text.mid(from, cr - from));
        xml().writeEntityReference(QStringLiteral("#13"));
        from = cr + 1;
    }
    if (from < text.size() || text.isEmpty())
        xml().writeCharacters(text.mid(from));
    xml().writeEndElement();
}

void KvtmlWriter::write(const WordRow &row)
{
    ExportTexts::refuseNul(row);
    ExportTexts::refuseUnwritableInXml(row, QStringLiteral(".kvtml"));
    newLine(2);
    xml().writeStartElement(QStringLiteral("entry"));
    xml().writeAttribute(QStringLiteral("id"), QString::number(m_entries++));
    xml().writeStartElement(QStringLiteral("translation"));
    xml().writeAttribute(QStringLiteral("id"), QStringLiteral("0"));
    writeTextElement(QStringLiteral("text"), row.word);
    if (!row.pointer.isEmpty())
        writeTextElement(QStringLiteral("comment"), row.pointer);
    xml().writeEndElement();
    xml().writeStartElement(QStringLiteral("translation"));
    xml().writeAttribute(QStringLiteral("id"), QStringLiteral("1"));
    writeTextElement(QStringLiteral("text"), row.meaning);
    xml().writeEndElement();
    xml().writeEndElement();
    m_out->flushWhenFull();
}

void KvtmlWriter::finish()
{
    newLine(1);
    xml().writeEndElement(); // entries

    newLine(1);
    xml().writeStartElement(QStringLiteral("lessons"));
    newLine(2);
    xml().writeStartElement(QStringLiteral("container"));
    writeTextElement(QStringLiteral("name"), m_title);
    xml().writeTextElement(QStringLiteral("inpractice"), QStringLiteral("true"));
    for (qint64 id = 0; id < m_entries; ++id) {
        if (id % 16 == 0) {
            newLine(3);
            m_out->flushWhenFull();
        }
        xml().writeEmptyElement(QStringLiteral("entry"));
        xml().writeAttribute(QStringLiteral("id"), QString::number(id));
    }
    newLine(2);
    xml().writeEndElement(); // container
    newLine(1);
    xml().writeEndElement(); // lessons
    newLine(0);
    xml().writeEndDocument();
    m_out->flush();
}

QString KvtmlWriter::writeFailure() const
{
    return m_out ? m_out->failure() : QString();
}
