#include "AnkiTextReader.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <set>

namespace {

// The header lines are at the top and short; no more than this is read to find them.
constexpr qint64 HeaderBytes = 64 * 1024;

const QStringList HeaderKeys{
    QStringLiteral("separator"),       QStringLiteral("html"),        QStringLiteral("tags"),
    QStringLiteral("columns"),         QStringLiteral("notetype"),    QStringLiteral("deck"),
    QStringLiteral("notetype column"), QStringLiteral("deck column"), QStringLiteral("tags column"),
    QStringLiteral("guid column")};

// "#key:value" as key (trimmed, lower case) and value; an empty key for any other line.
std::pair<QString, QString> headerLine(const QString &line)
{
    if (!line.startsWith(QLatin1Char('#')))
        return {};
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {};
    return {line.mid(1, colon - 1).trimmed().toLower(), line.mid(colon + 1)};
}

QChar separatorOf(const QString &value)
{
    if (value.size() == 1)
        return value.front();
    const QString name = value.trimmed().toLower();
    const std::pair<const char *, char> names[] = {{"comma", ','}, {"semicolon", ';'},
                                                   {"tab", '\t'},  {"space", ' '},
                                                   {"pipe", '|'},  {"colon", ':'}};
    for (const auto &[n, c] : names)
        if (name == QLatin1String(n))
            return QLatin1Char(c);
    return QChar();
}

QString decoded(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QString entity(QStringView name)
{
    if (name == u"amp")
        return QStringLiteral("&");
    if (name == u"lt")
        return QStringLiteral("<");
    if (name == u"gt")
        return QStringLiteral(">");
    if (name == u"quot")
        return QStringLiteral("\"");
    if (name == u"apos")
        return QStringLiteral("'");
    if (name == u"nbsp")
        return QStringLiteral(" ");
    if (name.startsWith(u'#')) {
        bool ok = false;
        const uint code = name.startsWith(u"#x") || name.startsWith(u"#X")
                              ? name.mid(2).toUInt(&ok, 16)
                              : name.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
            const char32_t c = code;
            return QString::fromUcs4(&c, 1);
        }
    }
    return QString();
}

} // namespace

bool AnkiTextReader::startsWithHeader(const QByteArray &head)
{
    const QString text = decoded(head.left(4096));
    const QString first = text.left(text.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))));
    return HeaderKeys.contains(headerLine(first).first);
}

AnkiTextReader::Layout AnkiTextReader::layoutOf(const QStringList &headerLines)
{
    Layout layout;
    QStringList columns;
    std::set<int> special;
    int tagsColumn = 0;
    for (const QString &line : headerLines) {
        const auto [key, value] = headerLine(line);
        const int number = value.trimmed().toInt();
        if (key == QLatin1String("separator")) {
            layout.separator = separatorOf(value);
        } else if (key == QLatin1String("html")) {
            layout.html = value.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        } else if (key == QLatin1String("columns")) {
            const QChar by = layout.separator.isNull() ? QLatin1Char('\t') : layout.separator;
            columns = value.split(by);
        } else if (key == QLatin1String("tags column") && number > 0) {
            tagsColumn = number;
        } else if (key.endsWith(QLatin1String(" column")) && number > 0) {
            special.insert(number); // note type, deck, GUID
        }
    }
    // Without a tags column named, a column named Tags is one, as Anki reads it.
    if (tagsColumn == 0)
        for (qsizetype i = 0; i < columns.size(); ++i)
            if (columns[i].trimmed().compare(QLatin1String("Tags"), Qt::CaseInsensitive) == 0)
                tagsColumn = int(i) + 1;
    if (tagsColumn > 0)
        special.insert(tagsColumn);

    std::vector<int> fields;
    for (int column = 1; fields.size() < 3; ++column)
        if (!special.count(column))
            fields.push_back(column);
    layout.wordColumn = fields[0];
    layout.meaningColumn = fields[1];
    layout.pointerIsTags = tagsColumn > 0;
    layout.pointerColumn = layout.pointerIsTags ? tagsColumn : fields[2];
    return layout;
}

QString AnkiTextReader::textOfHtml(const QString &html)
{
    static const QRegularExpression tagPattern(QStringLiteral("<\\s*(/?)\\s*([a-zA-Z0-9]*)[^>]*>"));
    QString text;
    qsizetype at = 0;
    for (auto match = tagPattern.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        text += QStringView(html).mid(at, m.capturedStart() - at);
        at = m.capturedEnd();
        const QString name = m.captured(2).toLower();
        const bool closing = !m.captured(1).isEmpty();
        const bool block = name == QLatin1String("div") || name == QLatin1String("p") ||
                           name == QLatin1String("li");
        if ((name == QLatin1String("br") && !closing) ||
            (block && !closing && !text.isEmpty() && !text.endsWith(QLatin1Char('\n'))))
            text += QLatin1Char('\n');
    }
    text += QStringView(html).mid(at);

    // Character references last, so that "&lt;b&gt;" stays text.
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            const qsizetype end = text.indexOf(QLatin1Char(';'), i + 1);
            if (end > i + 1 && end - i <= 10) {
                const QString character = entity(QStringView(text).mid(i + 1, end - i - 1));
                if (!character.isEmpty()) {
                    out += character;
                    i = end;
                    continue;
                }
            }
        }
        out += text[i];
    }
    return out;
}

void AnkiTextReader::open(const QString &path)
{
    // The header lines first, then the text as the separated text it is.
    QFile file(path);
    QStringList header;
    if (file.open(QIODevice::ReadOnly)) {
        const QString head = decoded(file.read(HeaderBytes));
        for (const QString &line : head.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
            if (!line.startsWith(QLatin1Char('#')))
                break;
            header << line;
        }
    }
    m_layout = layoutOf(header);
    CsvReader::open(path);
    if (!m_layout.separator.isNull())
        setSeparator(m_layout.separator);
}

SheetCell AnkiTextReader::converted(const SheetCell &cell, int target) const
{
    if (target == 3 && m_layout.pointerIsTags) {
        QString tags = cell.text;
        return SheetCell::ofText(tags.replace(QLatin1Char('_'), QLatin1Char(' ')));
    }
    return m_layout.html ? SheetCell::ofText(textOfHtml(cell.text)) : cell;
}

bool AnkiTextReader::readRow(Row &row)
{
    while (true) {
        Row raw;
        raw.first = row.first;
        if (!CsvReader::readRow(raw))
            return false;
        for (const CellRun &run : raw.cells) {
            const int target = run.firstColumn == m_layout.wordColumn      ? 1
                               : run.firstColumn == m_layout.meaningColumn ? 2
                               : run.firstColumn == m_layout.pointerColumn ? 3
                                                                           : 0;
            if (target > 0)
                addCell(row, target, 1, run.tooLong ? run.cell : converted(run.cell, target),
                        run.tooLong);
        }
        // A blank line, or a note with none of the three, is no word.
        const bool blank = std::all_of(row.cells.begin(), row.cells.end(), [](const CellRun &run) {
            return !run.tooLong && run.cell.isEmpty();
        });
        if (!blank)
            return true;
        row.cells.clear();
        row.chars = 0;
    }
}
