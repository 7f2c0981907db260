#include "AnkiTextWriter.h"

#include "ExportTexts.h"

QByteArray AnkiTextWriter::header()
{
    return "#separator:tab\n"
           "#html:false\n"
           "#columns:Front\tBack\tTags\n"
           "#tags column:3\n";
}

QString AnkiTextWriter::field(const QString &text)
{
    bool quote = text.startsWith(QLatin1Char('#'));
    for (QChar c : text)
        quote = quote || c == QLatin1Char('\t') || c == QLatin1Char('"') ||
                c == QLatin1Char('\r') || c == QLatin1Char('\n');
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString AnkiTextWriter::tag(const QString &pointer)
{
    QString tag = pointer;
    for (QChar &c : tag)
        if (c.isSpace())
            c = QLatin1Char('_');
    return tag;
}

void AnkiTextWriter::begin(QIODevice &out, const QString &)
{
    m_sink = std::make_unique<ChunkedSink>(out);
    m_sink->write(header());
}

void AnkiTextWriter::write(const WordRow &row)
{
    ExportTexts::refuseNul(row);
    const QString line = field(row.word) + QLatin1Char('\t') + field(row.meaning) +
                         QLatin1Char('\t') + field(tag(row.pointer)) + QLatin1Char('\n');
    m_sink->write(line.toUtf8());
}

void AnkiTextWriter::finish()
{
    m_sink->flushToTarget();
}

QString AnkiTextWriter::writeFailure() const
{
    return m_sink ? m_sink->failure() : QString();
}
