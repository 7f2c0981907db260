#include "CsvWriter.h"

#include "ExportTexts.h"

namespace {

bool needsQuotes(const QString &text)
{
    if (text.isEmpty())
        return false;
    if (text.front().isSpace() || text.back().isSpace())
        return true;
    for (QChar c : text)
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\n') || c == QLatin1Char(';') || c == QLatin1Char('\t'))
            return true;
    return false;
}

} // namespace

QString CsvWriter::field(const QString &text)
{
    if (!needsQuotes(text))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void CsvWriter::begin(QIODevice &out, const QString &)
{
    m_sink = std::make_unique<ChunkedSink>(out);
    m_sink->write("word,meaning,pointer\r\n");
}

void CsvWriter::write(const WordRow &row)
{
    ExportTexts::refuseNul(row);
    const QString line = field(row.word) + QLatin1Char(',') + field(row.meaning) +
                         QLatin1Char(',') + field(row.pointer) + QLatin1String("\r\n");
    m_sink->write(line.toUtf8());
}

void CsvWriter::finish()
{
    m_sink->flushToTarget();
}

QString CsvWriter::writeFailure() const
{
    return m_sink ? m_sink->failure() : QString();
}
