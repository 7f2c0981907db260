// The starter word list (data/starter-words.tsv): one entry per line as
// word<TAB>meaning<TAB>part of speech, UTF-8 with LF line ends, sorted by word,
// with no word and no meaning given twice.
#include <QFile>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>

#include <utility>

namespace {

constexpr qsizetype MinimumWords = 1000;
constexpr qsizetype MaximumMeaningLength = 80;
// A badly broken file should still give a readable failure message.
constexpr qsizetype MaximumReported = 25;

const char Utf8Bom[] = "\xEF\xBB\xBF";

struct Line
{
    int number = 0;
    QString text; // decoded, without the LF
    bool validUtf8 = true;
    QStringList fields;
};

// The text as it goes into a failure message: TAB and CR spelled out, and characters
// that would not show (a byte order mark, other control or format characters) as \u{...}.
QString shown(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\t')
            out += QLatin1String("\\t");
        else if (c == u'\r')
            out += QLatin1String("\\r");
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            out += QStringLiteral("\\u{%1}").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString problem(const Line &line, const QString &what)
{
    return QStringLiteral("line %1: %2: \"%3\"")
        .arg(QString::number(line.number), what, shown(line.text));
}

QByteArray report(const QStringList &problems)
{
    QStringList lines = problems.mid(0, MaximumReported);
    if (problems.size() > MaximumReported)
        lines << QStringLiteral("... and %1 more").arg(problems.size() - MaximumReported);
    return ('\n' + lines.join(u'\n')).toUtf8();
}

} // namespace

class TstStarterWords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void encodingAndLineEnds();
    void threeTrimmedFields();
    void wordCount();
    void fieldValues();
    void noRepeats();
    void alphabeticalOrder();

private:
    QByteArray m_bytes;
    QList<Line> m_lines;
    // The lines that have exactly three fields; the other checks look only at these,
    // the rest are reported by threeTrimmedFields().
    QList<Line> m_entries;
};

void TstStarterWords::initTestCase()
{
    const QString path = QStringLiteral(LEXMORA_STARTER_WORDS);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly),
             qPrintable(QStringLiteral("cannot open %1: %2").arg(path, file.errorString())));
    m_bytes = file.readAll();
    QVERIFY2(!m_bytes.isEmpty(), qPrintable(QStringLiteral("%1 is empty").arg(path)));

    QList<QByteArray> raw = m_bytes.split('\n');
    if (m_bytes.endsWith('\n'))
        raw.removeLast(); // the text after the final LF
    for (qsizetype i = 0; i < raw.size(); ++i) {
        // A fresh decoder per line, so an error is pinned to its line; keep a BOM as text
        // instead of silently dropping it.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        Line line;
        line.number = int(i + 1);
        line.text = decoder(raw.at(i));
        line.validUtf8 = !decoder.hasError();
        line.fields = line.text.split(u'\t');
        m_lines.append(line);
        if (line.fields.size() == 3)
            m_entries.append(line);
    }
}

void TstStarterWords::encodingAndLineEnds()
{
    QStringList problems;
    if (m_bytes.startsWith(Utf8Bom))
        problems << problem(m_lines.first(), QStringLiteral("starts with a byte order mark"));
    for (const Line &line : std::as_const(m_lines)) {
        if (!line.validUtf8)
            problems << problem(line, QStringLiteral("not valid UTF-8"));
        if (line.text.contains(u'\r'))
            problems << problem(line, QStringLiteral("contains CR; lines must end in LF only"));
    }
    if (!m_bytes.endsWith('\n'))
        problems << problem(m_lines.last(), QStringLiteral("the last line has no LF"));
    QVERIFY2(problems.isEmpty(), report(problems).constData());
}

void TstStarterWords::threeTrimmedFields()
{
    static const char *const names[] = {"word", "meaning", "part of speech"};
    QStringList problems;
    for (const Line &line : std::as_const(m_lines)) {
        if (line.fields.size() != 3) {
            problems << problem(
                line,
                QStringLiteral("%1 TAB-separated fields instead of 3").arg(line.fields.size()));
            continue;
        }
        for (int f = 0; f < 3; ++f) {
            const QString &field = line.fields.at(f);
            const QString name = QLatin1String(names[f]);
            if (field.isEmpty())
                problems << problem(line, name + QLatin1String(" is empty"));
            else if (field != field.trimmed())
                problems << problem(line, name + QLatin1String(" has leading or trailing blanks"));
        }
    }
    QVERIFY2(problems.isEmpty(), report(problems).constData());
}

void TstStarterWords::wordCount()
{
    QVERIFY2(m_entries.size() >= MinimumWords,
             qPrintable(QStringLiteral("%1 words, expected at least %2")
                            .arg(m_entries.size())
                            .arg(MinimumWords)));
}

void TstStarterWords::fieldValues()
{
    // Stored as "Abstruse": a capital, then lower case; a hyphen may join two parts.
    static const QRegularExpression wordForm(QStringLiteral("^[A-Z][a-z]*(-[a-z]+)*$"));
    static const QStringList partsOfSpeech = {QStringLiteral("adj."), QStringLiteral("n."),
                                              QStringLiteral("v."), QStringLiteral("adv.")};
    QStringList problems;
    for (const Line &line : std::as_const(m_entries)) {
        const QString &word = line.fields.at(0);
        const QString &meaning = line.fields.at(1);
        const QString &pointer = line.fields.at(2);
        if (!wordForm.match(word).hasMatch())
            problems << problem(
                line,
                QStringLiteral("word \"%1\" is not written like \"Abstruse\"").arg(shown(word)));
        if (meaning.size() > MaximumMeaningLength)
            problems << problem(line, QStringLiteral("meaning has %1 characters, at most %2")
                                          .arg(meaning.size())
                                          .arg(MaximumMeaningLength));
        if (!partsOfSpeech.contains(pointer))
            problems << problem(line,
                                QStringLiteral("part of speech \"%1\" is not one of %2")
                                    .arg(shown(pointer), partsOfSpeech.join(QLatin1String(", "))));
    }
    QVERIFY2(problems.isEmpty(), report(problems).constData());
}

void TstStarterWords::noRepeats()
{
    // Both compared without regard to case; a quiz shows meanings side by side, so two
    // words sharing one would make a question with two right answers.
    QHash<QString, int> wordLine;
    QHash<QString, int> meaningLine;
    QStringList problems;
    for (const Line &line : std::as_const(m_entries)) {
        const QString word = line.fields.at(0).trimmed().toCaseFolded();
        const QString meaning = line.fields.at(1).trimmed().toCaseFolded();
        if (const auto it = wordLine.constFind(word); it != wordLine.cend())
            problems << problem(line, QStringLiteral("repeats the word of line %1").arg(*it));
        else
            wordLine.insert(word, line.number);
        if (const auto it = meaningLine.constFind(meaning); it != meaningLine.cend())
            problems << problem(line, QStringLiteral("repeats the meaning of line %1").arg(*it));
        else
            meaningLine.insert(meaning, line.number);
    }
    QVERIFY2(problems.isEmpty(), report(problems).constData());
}

void TstStarterWords::alphabeticalOrder()
{
    // Plain comparison of the stored form; with the word form above this is the same as
    // ignoring case. Equal neighbours are left to noRepeats().
    QStringList problems;
    for (qsizetype i = 1; i < m_entries.size(); ++i) {
        const Line &previous = m_entries.at(i - 1);
        const Line &line = m_entries.at(i);
        if (QString::compare(previous.fields.at(0), line.fields.at(0), Qt::CaseSensitive) > 0)
            problems << problem(
                line, QStringLiteral("sorts before \"%1\" on line %2")
                          .arg(shown(previous.fields.at(0)), QString::number(previous.number)));
    }
    QVERIFY2(problems.isEmpty(), report(problems).constData());
}

QTEST_GUILESS_MAIN(TstStarterWords)
#include "tst_starterwords.moc"
