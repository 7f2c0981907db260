// The files of the other vocabulary programs through the import's readers: Anki's text
// files and KDE's .kvtml documents, as those programs write them, read as a sheet of word,
// meaning and pointer from A1.
#include "SheetReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Format = SheetReader::Format;
Q_DECLARE_METATYPE(Format)

namespace {

const QByteArray KvtmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" "
                             "\"http://edu.kde.org/kvtml/kvtml2.dtd\">\n";

QByteArray kvtml(const QByteArray &identifiers, const QByteArray &entries)
{
    return KvtmlHead +
           "<kvtml version=\"2.0\">\n"
           "<information><generator>kwordquiz 0.9.2</generator>"
           "<title>GRE</title></information>\n"
           "<identifiers>" +
           identifiers + "</identifiers>\n<entries>" + entries +
           "</entries>\n"
           "<lessons><container><name>Lesson 1</name><entry id=\"0\"/></container></lessons>\n"
           "</kvtml>\n";
}

const QByteArray TwoIdentifiers = "<identifier id=\"0\"><name>Column 1</name><locale>en</locale>"
                                  "</identifier><identifier id=\"1\"><name>Column 2</name>"
                                  "<locale>en</locale></identifier>";

} // namespace

class TestPeerReaders : public QObject
{
    Q_OBJECT

private slots:
    void files_data();
    void files();
};

void TestPeerReaders::files_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Format>("format");
    // The rows from A1, each word, meaning, pointer; or one row holding "error: " and a part
    // of the message.
    QTest::addColumn<QList<QStringList>>("rows");

    QTest::newRow("Anki's export: note type, deck, HTML and tags columns")
        << "deck.txt"
        << QByteArray("#separator:tab\n#html:true\n#notetype column:1\n#deck column:2\n"
                      "#tags column:5\n"
                      "Basic\tGRE\tabate\tto become <b>less</b> intense<br>or widespread\t"
                      "gre vocab_list\n"
                      "Basic\tGRE\tzeal\t&quot;fervour&quot; &amp; <i>ardour</i>&nbsp;\t\n")
        << Format::AnkiText
        << QList<QStringList>{{"abate", "to become less intense\nor widespread", "gre vocab list"},
                              {"zeal", "\"fervour\" & ardour ", ""}};
    QTest::newRow("comments and blank lines are no words, as in Anki")
        << "deck.txt"
        << QByteArray("\xEF\xBB\xBF#separator:Semicolon\r\n#html:false\r\n"
                      "one;\"a; b\";p\r\n\r\n# a comment \"with a quote\r\n"
                      "\"#two\";\"two\r\nlines\";q_r\r\n")
        << Format::AnkiText
        << QList<QStringList>{{"one", "a; b", "p"}, {"#two", "two\r\nlines", "q_r"}};
    QTest::newRow("a column named Tags is the tags column")
        << "deck.txt"
        << QByteArray("#separator:tab\n#columns:Tags\tFront\tBack\nx_y\tfront\tback\n")
        << Format::AnkiText << QList<QStringList>{{"front", "back", "x y"}};
    QTest::newRow("without a tags column, the third field")
        << "deck.txt" << QByteArray("#html:false\nfront,back,third,fourth\n") << Format::AnkiText
        << QList<QStringList>{{"front", "back", "third"}};
    QTest::newRow("HTML character references")
        << "deck.txt"
        << QByteArray("#separator:tab\n#html:true\ncaf&#233;\t&lt;b&gt; &#x1F600;<div>next</div>\n")
        << Format::AnkiText
        << QList<QStringList>{{QString::fromUtf8("café"), QString::fromUtf8("<b> 😀\nnext"), ""}};
    QTest::newRow("a text file without Anki's header is delimited text")
        << "plain.txt" << QByteArray("#hashtag,meaning\n") << Format::Csv
        << QList<QStringList>{{"#hashtag", "meaning", ""}};

    QTest::newRow("KWordQuiz's document")
        << "gre.kvtml"
        << kvtml(TwoIdentifiers,
                 "<entry id=\"0\"><translation id=\"0\"><text>abate</text>"
                 "<comment>verb</comment></translation><translation id=\"1\"><text>to lessen"
                 "</text><grade fromid=\"0\"><currentgrade>2</currentgrade></grade>"
                 "</translation></entry>\n"
                 "<entry id=\"1\"><inactive>false</inactive><translation id=\"0\"><text>"
                 "  zeal &amp; ardour </text></translation><translation id=\"1\"><text>"
                 "fervour&#13;\nfire</text><comment>noun</comment></translation></entry>")
        << Format::Kvtml
        << QList<QStringList>{{"abate", "to lessen", "verb"},
                              {"  zeal & ardour ", "fervour\r\nfire", "noun"}};
    QTest::newRow("identifiers name which translation is the word")
        << "swapped.kvtml"
        << kvtml("<identifier id=\"1\"><locale>de</locale></identifier>"
                 "<identifier id=\"0\"><locale>en</locale></identifier>",
                 "<entry id=\"0\"><translation id=\"0\"><text>meaning</text></translation>"
                 "<translation id=\"1\"><text>Wort</text></translation></entry>")
        << Format::Kvtml << QList<QStringList>{{"Wort", "meaning", ""}};
    QTest::newRow("a document without entries is an empty sheet")
        << "empty.kvtml" << kvtml(TwoIdentifiers, "") << Format::Kvtml << QList<QStringList>{};
    QTest::newRow("the first version is refused with a way out")
        << "old.kvtml"
        << QByteArray("<?xml version=\"1.0\"?>\n<kvtml encoding=\"UTF-8\" generator=\"kwordquiz\">"
                      "<e><o>abate</o><t>to lessen</t></e></kvtml>")
        << Format::Kvtml << QList<QStringList>{{"error: Open it in KWordQuiz or Parley"}};
    QTest::newRow("a document declaring entities is refused")
        << "bomb.kvtml"
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE kvtml [<!ENTITY a \"aaaaaaaa\">]>"
                      "<kvtml version=\"2.0\"><entries/></kvtml>")
        << Format::Kvtml << QList<QStringList>{{"error: declares entities of its own"}};
    QTest::newRow("another XML document is refused")
        << "other.kvtml" << QByteArray("<?xml version=\"1.0\"?>\n<html><kvtml/></html>")
        << Format::Kvtml << QList<QStringList>{{"error: is no vocabulary document"}};
    QTest::newRow("a cut-off document is damaged")
        << "cut.kvtml" << kvtml(TwoIdentifiers, "<entry id=\"0\"><translation>").left(400)
        << Format::Kvtml << QList<QStringList>{{"error: is damaged"}};
}

void TestPeerReaders::files()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(Format, format);
    QFETCH(QList<QStringList>, rows);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QCOMPARE(SheetReader::detect(path), format);
    QVERIFY(SheetReader::filePatterns().contains("*." + name.section('.', -1)));

    const bool refused = !rows.isEmpty() && rows.first().first().startsWith("error: ");
    try {
        const auto sheet = SheetReader::openFile(path);
        for (qsizetype r = 0; r < rows.size() + 1; ++r) {
            const QStringList expected = r < rows.size() ? rows[r] : QStringList{"", "", ""};
            for (int c = 0; c < 3; ++c)
                QCOMPARE(sheet->cell(r + 1, c + 1).toText(), expected.value(c));
        }
        QVERIFY2(!refused, "the file was read");
    } catch (const SheetError &e) {
        QVERIFY2(refused && e.message().contains(rows.first().first().mid(7)),
                 qPrintable(e.message()));
    }
}

QTEST_GUILESS_MAIN(TestPeerReaders)
#include "tst_peerreaders.moc"
