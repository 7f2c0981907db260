// Words written to every format and read back through the import's readers, checked
// against the rules the other programs read them by, and the file left safe whatever
// goes wrong.
#include "AnkiTextWriter.h"
#include "ExportRows.h"
#include "SheetReader.h"
#include "WordExport.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(ExportFormat)
Q_DECLARE_METATYPE(WordRow)

namespace {

using Outcome = WordExport::Result::Outcome;

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

WordExport::Result exportRows(const QList<WordRow> &rows, const QString &path, ExportFormat format,
                              const WordExport::KeepGoing &keepGoing = {})
{
    ListRowSource source(rows);
    return WordExport::run(source, path, format, QStringLiteral("Words"), keepGoing);
}

// The rows as our own import reads them: from A2 after a .csv file's header, else from A1.
QList<WordRow> importedRows(const QString &path, ExportFormat format, qint64 count)
{
    const auto sheet = SheetReader::openFile(path);
    const qint64 first = format == ExportFormat::Csv ? 2 : 1;
    QList<WordRow> rows;
    for (qint64 r = first; r < first + count; ++r)
        rows.append(
            {sheet->cell(r, 1).toText(), sheet->cell(r, 2).toText(), sheet->cell(r, 3).toText()});
    // The import ends at the first empty word: the row past the last one.
    if (!sheet->cell(first + count, 1).isEmpty())
        rows.append({QStringLiteral("<more rows than written>"), {}, {}});
    return rows;
}

// RFC 4180 records as the standard reads them: fields separated by `separator`, quoted
// fields holding anything with "" for a quote, lines ending at LF or CR LF outside quotes.
QList<QStringList> delimitedRecords(const QString &text, QChar separator)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool fieldWasQuoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty() && !fieldWasQuoted) {
            quoted = fieldWasQuoted = true;
        } else if (c == separator) {
            record << field;
            field.clear();
            fieldWasQuoted = false;
        } else if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && i + 1 < text.size() &&
                                              text[i + 1] == QLatin1Char('\n'))) {
            if (c == QLatin1Char('\r'))
                ++i;
            record << field;
            records << record;
            record.clear();
            field.clear();
            fieldWasQuoted = false;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.isEmpty())
        records << (record << field);
    return records;
}

QDomElement only(const QDomElement &parent, const QString &name)
{
    const QDomElement child = parent.firstChildElement(name);
    if (child.isNull() || !child.nextSiblingElement(name).isNull())
        qWarning("expected one <%s> in <%s>", qPrintable(name), qPrintable(parent.tagName()));
    return child;
}

} // namespace

class TestWordExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void controlCharacters_data();
    void controlCharacters();
    void refusedRows_data();
    void refusedRows();
    void existingFile_data();
    void existingFile();
    void unwritableFolder_data();
    void unwritableFolder();
    void fullDisk_data();
    void fullDisk();
    void csvAsTheStandardReadsIt();
    void ankiAsItsImportReadsIt();
    void kvtmlAsKWordQuizReadsIt();
    void libreOfficeReadsTheSheets_data();
    void libreOfficeReadsTheSheets();

private:
    void allFormats();
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestWordExport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestWordExport::allFormats()
{
    QTest::addColumn<ExportFormat>("format");
    for (ExportFormat format : ExportFormats::all())
        QTest::newRow(qPrintable(ExportFormats::suffix(format))) << format;
}

void TestWordExport::roundTrip_data()
{
    allFormats();
}

void TestWordExport::roundTrip()
{
    QFETCH(ExportFormat, format);
    const QString path = m_dir->filePath(QStringLiteral("words.") + ExportFormats::suffix(format));
    const QList<WordRow> rows = awkwardRows();
    const WordExport::Result result = exportRows(rows, path, format);
    QVERIFY2(result.written(), qPrintable(result.error));
    QCOMPARE(result.rows, rows.size());

    const QList<WordRow> read = importedRows(path, format, rows.size());
    QCOMPARE(read.size(), rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const WordRow expected = readBack(format, rows[i]);
        QCOMPARE(read[i].word, expected.word);
        QCOMPARE(read[i].meaning, expected.meaning);
        QCOMPARE(read[i].pointer, expected.pointer);
    }

    // No words: a file all the same, which reads as no rows.
    const QString empty = m_dir->filePath(QStringLiteral("none.") + ExportFormats::suffix(format));
    QVERIFY(exportRows({}, empty, format).written());
    QCOMPARE(importedRows(empty, format, 0).size(), 0);
}

void TestWordExport::controlCharacters_data()
{
    QTest::addColumn<ExportFormat>("format");
    QTest::addColumn<bool>("refused");
    QTest::newRow("csv holds them") << ExportFormat::Csv << false;
    QTest::newRow("txt holds them") << ExportFormat::AnkiText << false;
    QTest::newRow("xlsx escapes them") << ExportFormat::Xlsx << false;
    QTest::newRow("ods cannot hold them") << ExportFormat::Ods << true;
    QTest::newRow("kvtml cannot hold them") << ExportFormat::Kvtml << true;
}

void TestWordExport::controlCharacters()
{
    QFETCH(ExportFormat, format);
    QFETCH(bool, refused);
    const QString path = m_dir->filePath(QStringLiteral("ctl.") + ExportFormats::suffix(format));
    const QList<WordRow> rows{{"Bell", QStringLiteral("ring\x07the bell"), "vertical\x0Btab"},
                              {"Other", QString(QChar(0xFFFE)) + "noncharacter", ""}};
    const WordExport::Result result = exportRows(rows, path, format);
    if (refused) {
        QCOMPARE(result.outcome, Outcome::Failed);
        QVERIFY2(result.error.contains("U+0007") && result.error.contains("\"Bell\""),
                 qPrintable(result.error));
        QVERIFY(!QFile::exists(path));
        return;
    }
    QVERIFY2(result.written(), qPrintable(result.error));
    const QList<WordRow> read = importedRows(path, format, rows.size());
    QCOMPARE(read.size(), rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        QCOMPARE(read[i], readBack(format, rows[i]));
}

// A source that says it holds more rows than it gives, as a huge collection would.
class CountedRows : public ListRowSource
{
public:
    CountedRows(QList<WordRow> rows, qint64 count) : ListRowSource(std::move(rows)), m_count(count)
    {
    }
    qint64 size() const override { return m_count; }

private:
    qint64 m_count;
};

void TestWordExport::refusedRows_data()
{
    QTest::addColumn<ExportFormat>("format");
    QTest::addColumn<QList<WordRow>>("rows");
    QTest::addColumn<qint64>("claimedRows");
    QTest::addColumn<QString>("message");

    const QList<WordRow> withNul{{"Fine", "fine", ""}, {"Nul", QString::fromUtf8("a\0b", 3), ""}};
    for (ExportFormat format : ExportFormats::all())
        QTest::addRow("NUL in %s", qPrintable(ExportFormats::suffix(format)))
            << format << withNul << qint64(-1) << "The word \"Nul\" holds a NUL character";
    QTest::newRow("an Excel cell of 32,768 characters")
        << ExportFormat::Xlsx << QList<WordRow>{{"Big", QString(32768, QLatin1Char('m')), ""}}
        << qint64(-1) << "an Excel cell holds at most 32,767";
    QTest::newRow("an Excel cell of 32,767 characters is fine")
        << ExportFormat::Xlsx << QList<WordRow>{{"Big", QString(32767, QLatin1Char('m')), ""}}
        << qint64(-1) << "";
    QTest::newRow("more words than an Excel sheet has rows")
        << ExportFormat::Xlsx << QList<WordRow>{{"One", "", ""}} << qint64(1048577)
        << "A sheet holds at most 1,048,576 rows";
    QTest::newRow("more words than a spreadsheet has rows")
        << ExportFormat::Ods << QList<WordRow>{{"One", "", ""}} << qint64(1048577)
        << "A sheet holds at most 1,048,576 rows";
    QTest::newRow("text files have no such bound")
        << ExportFormat::Csv << QList<WordRow>{{"One", "", ""}} << qint64(1048577) << "";
}

void TestWordExport::refusedRows()
{
    QFETCH(ExportFormat, format);
    QFETCH(QList<WordRow>, rows);
    QFETCH(qint64, claimedRows);
    QFETCH(QString, message);
    const QString path =
        m_dir->filePath(QStringLiteral("refused.") + ExportFormats::suffix(format));
    CountedRows source(rows, claimedRows);
    const WordExport::Result result =
        WordExport::run(source, path, format, QStringLiteral("Words"));
    if (message.isEmpty()) {
        QVERIFY2(result.written(), qPrintable(result.error));
        return;
    }
    QCOMPARE(result.outcome, Outcome::Failed);
    QVERIFY2(result.error.contains(message), qPrintable(result.error));
    QVERIFY2(result.error.endsWith(path + " was not written."), qPrintable(result.error));
    QVERIFY(!QFile::exists(path));
}

void TestWordExport::existingFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("a complete export replaces it") << "complete";
    QTest::newRow("a failed export leaves it") << "failed";
    QTest::newRow("a cancelled export leaves it") << "cancelled";
}

void TestWordExport::existingFile()
{
    QFETCH(QString, how);
    const QString path = m_dir->filePath(QStringLiteral("words.xlsx"));
    writeFile(path, "the user's own file");

    QList<WordRow> rows;
    for (int i = 0; i < 1000; ++i)
        rows.append({QStringLiteral("Word%1").arg(i), QStringLiteral("meaning %1").arg(i), {}});
    if (how == QLatin1String("failed"))
        rows.append({"Broken", QString(QChar(0)), ""});
    qint64 lastTick = 0;
    bool sawFileAtTick = true;
    const WordExport::Result result =
        exportRows(rows, path, ExportFormat::Xlsx, [&](qint64 done, qint64 total) {
            lastTick = done;
            // While the words are written, the file of that name is still the user's.
            sawFileAtTick =
                sawFileAtTick && contents(path) == "the user's own file" && total == rows.size();
            return !(how == QLatin1String("cancelled") && done >= 500);
        });
    QVERIFY(sawFileAtTick);
    QVERIFY(lastTick >= 500);
    // No temporary file stays behind, whatever the end.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"words.xlsx"});
    if (how == QLatin1String("complete")) {
        QVERIFY2(result.written(), qPrintable(result.error));
        QCOMPARE(importedRows(path, ExportFormat::Xlsx, rows.size()), rows);
        return;
    }
    QCOMPARE(result.outcome, how == "failed" ? Outcome::Failed : Outcome::Cancelled);
    QVERIFY2(result.error.endsWith(path + " was left as it was."), qPrintable(result.error));
    QCOMPARE(contents(path), QByteArray("the user's own file"));
}

void TestWordExport::unwritableFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("a folder that is not there") << "missing";
    QTest::newRow("a folder without write permission") << "readonly";
}

void TestWordExport::unwritableFolder()
{
    QFETCH(QString, folder);
    const QString dir = m_dir->filePath(folder);
    const QString path = dir + QStringLiteral("/words.csv");
    const QList<WordRow> rows = awkwardRows();
    if (folder == QLatin1String("missing")) {
        const WordExport::Result result = exportRows(rows, path, ExportFormat::Csv);
        QCOMPARE(result.outcome, Outcome::Failed);
        QVERIFY2(result.error.startsWith(path + " cannot be written: "), qPrintable(result.error));
        return;
    }
    QVERIFY(QDir().mkpath(dir));
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(dir,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    // Permissions do not bind the superuser: the export then runs as nobody.
    const auto attempt = [&] {
        const WordExport::Result result = exportRows(rows, path, ExportFormat::Csv);
        return result.outcome == Outcome::Failed && result.error.contains("ermission denied") &&
               !QFile::exists(path);
    };
    if (::geteuid() != 0) {
        QVERIFY(attempt());
    } else {
        const pid_t child = ::fork();
        if (child == 0) {
            const bool asNobody = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            ::_exit(asNobody && attempt() ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }
    QVERIFY(QDir(dir).isEmpty());
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestWordExport::fullDisk_data()
{
    allFormats();
}

void TestWordExport::fullDisk()
{
    // A file size limit makes writes past it fail as a full disk does: the first one falls
    // short, the next is refused.
    QFETCH(ExportFormat, format);
    const QString name = QStringLiteral("words.") + ExportFormats::suffix(format);
    const QString path = m_dir->filePath(name);
    writeFile(path, "old");
    QList<WordRow> rows;
    for (int i = 0; i < 20000; ++i)
        rows.append({QStringLiteral("Word%1").arg(i), QStringLiteral("meaning %1 of many").arg(i),
                     QStringLiteral("p%1").arg(i % 7)});
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    const rlimit small{100 * 1000, before.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const WordExport::Result result = exportRows(rows, path, format);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);

    QCOMPARE(result.outcome, Outcome::Failed);
    QVERIFY2(result.error.startsWith(path + " could not be written: "), qPrintable(result.error));
    QCOMPARE(contents(path), QByteArray("old"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{name});
}

void TestWordExport::csvAsTheStandardReadsIt()
{
    const QString path = m_dir->filePath(QStringLiteral("words.csv"));
    const QList<WordRow> rows = awkwardRows();
    QVERIFY(exportRows(rows, path, ExportFormat::Csv).written());
    const QByteArray bytes = contents(path);
    QVERIFY(bytes.startsWith("word,meaning,pointer\r\n"));
    QVERIFY(bytes.endsWith("\"the last pointer\"\r\n") || bytes.endsWith("the last pointer\r\n"));
    const QList<QStringList> records = delimitedRecords(QString::fromUtf8(bytes), QLatin1Char(','));
    QCOMPARE(records.size(), rows.size() + 1);
    QCOMPARE(records[0], (QStringList{"word", "meaning", "pointer"}));
    for (qsizetype i = 0; i < rows.size(); ++i)
        QCOMPARE(records[i + 1], (QStringList{rows[i].word, rows[i].meaning, rows[i].pointer}));
}

void TestWordExport::ankiAsItsImportReadsIt()
{
    const QString path = m_dir->filePath(QStringLiteral("words.txt"));
    const QList<WordRow> rows = awkwardRows();
    QVERIFY(exportRows(rows, path, ExportFormat::AnkiText).written());
    const QString text = QString::fromUtf8(contents(path));

    // The documented rules: "#key:value" header lines at the top, the separator and the
    // columns they name, then records quoted as in CSV; a line starting with # is a comment,
    // and the tags field is split at blanks.
    QStringList lines = text.split(QLatin1Char('\n'));
    QMap<QString, QString> header;
    while (!lines.isEmpty() && lines.first().startsWith(QLatin1Char('#'))) {
        const QString line = lines.takeFirst().mid(1);
        header.insert(line.section(QLatin1Char(':'), 0, 0), line.section(QLatin1Char(':'), 1));
    }
    QCOMPARE(header.value("separator"), QString("tab"));
    QCOMPARE(header.value("html"), QString("false"));
    QCOMPARE(header.value("columns"), QString("Front\tBack\tTags"));
    QCOMPARE(header.value("tags column"), QString("3"));

    QList<QStringList> records;
    for (const QStringList &record : delimitedRecords(lines.join(QLatin1Char('\n')), '\t'))
        if (!record.first().startsWith(QLatin1Char('#')) || record.size() > 1)
            records << record;
    QCOMPARE(records.size(), rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QCOMPARE(records[i].size(), 3);
        QCOMPARE(records[i][0], rows[i].word);
        QCOMPARE(records[i][1], rows[i].meaning);
        const QStringList tags = records[i][2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        // One tag per pointer, or none for no pointer.
        QCOMPARE(tags.size(), rows[i].pointer.isEmpty() ? 0 : 1);
        if (!tags.isEmpty())
            QCOMPARE(tags.first(), AnkiTextWriter::tag(rows[i].pointer));
    }
}

void TestWordExport::kvtmlAsKWordQuizReadsIt()
{
    const QString path = m_dir->filePath(QStringLiteral("words.kvtml"));
    const QList<WordRow> rows = awkwardRows();
    QVERIFY(exportRows(rows, path, ExportFormat::Kvtml).written());
    const QByteArray bytes = contents(path);
    // KWordQuiz takes a file whose first line is the XML declaration and whose second names
    // the kvtml document type.
    const QList<QByteArray> lines = bytes.split('\n');
    QVERIFY(lines[0].startsWith("<?xml"));
    QVERIFY(lines[1].indexOf("kvtml") > 0);

    QDomDocument document;
    QVERIFY(document.setContent(bytes));
    const QDomElement kvtml = document.documentElement();
    QCOMPARE(kvtml.tagName(), QString("kvtml"));
    QVERIFY(kvtml.attribute("version").toFloat() >= 2.0);
    QCOMPARE(only(only(kvtml, "information"), "title").text(), QString("Words"));

    const QDomElement identifiers = only(kvtml, "identifiers");
    QDomElement identifier = identifiers.firstChildElement("identifier");
    for (const char *id : {"0", "1"}) {
        QCOMPARE(identifier.attribute("id"), QString(id));
        QVERIFY(!only(identifier, "locale").isNull());
        QVERIFY(!only(identifier, "name").text().isEmpty());
        identifier = identifier.nextSiblingElement("identifier");
    }
    QVERIFY(identifier.isNull());

    // KWordQuiz takes the translations of an entry by their place: the word, then the
    // meaning, the pointer being the word's comment.
    QDomElement entry = only(kvtml, "entries").firstChildElement("entry");
    for (qsizetype i = 0; i < rows.size(); ++i, entry = entry.nextSiblingElement("entry")) {
        QCOMPARE(entry.attribute("id"), QString::number(i));
        const QDomElement word = entry.firstChildElement("translation");
        const QDomElement meaning = word.nextSiblingElement("translation");
        QCOMPARE(word.attribute("id"), QString("0"));
        QCOMPARE(meaning.attribute("id"), QString("1"));
        QVERIFY(meaning.nextSiblingElement("translation").isNull());
        QCOMPARE(only(word, "text").text(), rows[i].word);
        // Its DOM drops a text of blanks only (QDom's rule); the texts with other characters
        // keep their blanks.
        if (!rows[i].meaning.trimmed().isEmpty())
            QCOMPARE(only(meaning, "text").text(), rows[i].meaning);
        QCOMPARE(word.firstChildElement("comment").text(), rows[i].pointer);
    }
    QVERIFY(entry.isNull());

    // One lesson, in practice, listing every entry: none is left out of the quiz.
    const QDomElement lesson = only(only(kvtml, "lessons"), "container");
    QCOMPARE(only(lesson, "name").text(), QString("Words"));
    QCOMPARE(only(lesson, "inpractice").text(), QString("true"));
    qsizetype listed = 0;
    for (QDomElement e = lesson.firstChildElement("entry"); !e.isNull();
         e = e.nextSiblingElement("entry"))
        QCOMPARE(e.attribute("id"), QString::number(listed++));
    QCOMPARE(listed, rows.size());
}

void TestWordExport::libreOfficeReadsTheSheets_data()
{
    QTest::addColumn<ExportFormat>("format");
    QTest::newRow("xlsx") << ExportFormat::Xlsx;
    QTest::newRow("ods") << ExportFormat::Ods;
}

void TestWordExport::libreOfficeReadsTheSheets()
{
    QFETCH(ExportFormat, format);
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed; scripts/check-formats installs it.");
    const QString path = m_dir->filePath(QStringLiteral("words.") + ExportFormats::suffix(format));
    const QList<WordRow> rows = awkwardRows();
    QVERIFY(exportRows(rows, path, format).written());

    // UTF-8, comma-separated, quoted where needed.
    QProcess office;
    office.setWorkingDirectory(m_dir->path());
    office.start(soffice, {"--headless", "-env:UserInstallation=file://" + m_dir->filePath("lo"),
                           "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1", "--outdir",
                           m_dir->filePath("out"), path});
    QVERIFY(office.waitForFinished(180000));
    QCOMPARE(office.exitCode(), 0);
    const QString csv = QString::fromUtf8(contents(m_dir->filePath("out/words.csv")));
    const QList<QStringList> records = delimitedRecords(csv, QLatin1Char(','));
    QCOMPARE(records.size(), rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        // LibreOffice's own line breaks are LF, and it writes no empty cells at a row's end.
        WordRow expected = readBack(ExportFormat::Ods, rows[i]);
        QStringList fields{expected.word, expected.meaning, expected.pointer};
        // LibreOffice 7.4 loses the tab (<text:tab/>) of an .ods cell as it loads the file,
        // its own files' as ours; our import keeps it.
        if (format == ExportFormat::Ods)
            fields.replaceInStrings(QStringLiteral("\t"), QString());
        QStringList got = records[i];
        while (got.size() < 3)
            got << QString();
        QCOMPARE(got, fields);
    }
}

QTEST_GUILESS_MAIN(TestWordExport)
#include "tst_wordexport.moc"
