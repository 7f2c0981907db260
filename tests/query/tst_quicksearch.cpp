// The quick-search list and Show all on the real Main window, down to the query they run.
#include "Form1.h"
#include "ListBox.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "SwitchTimer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace TestSupport;

namespace {

const QString DesignText = QStringLiteral("Example: Select * from words");
const QString NoRecords =
    QStringLiteral("Sorry, there are no records under these set of conditions!");

std::vector<WordEntry> someWords()
{
    return {{"Abacus", "a counting frame", "n."},
            {"abate", "to lessen", "v."},
            {"Abhor", "to hate deeply", "v. Got it wrong"},
            {"Own", "belonging to one's self", ""},
            {"Don't", "do not", "contraction"},
            {"Zeal", "great energy", "Got it wrong"}};
}

// Default collection `table` holding someWords(); every other collection empty.
ProgramFixture::Options collectionIn(const QString &table, bool empty = false)
{
    DetailsRows details = standardDetails();
    for (auto &row : details)
        row.second = row.first.startsWith(table + " ") ? 1 : 0;
    Tables tables;
    if (!empty)
        tables[table] = someWords();
    return {.details = details, .tables = tables};
}

QWidget *resultsViewer()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("sqlret") && w->isVisible())
            return w;
    return nullptr;
}

void clickEntry(Form1 *form, int row)
{
    QListWidgetItem *item = form->List1->item(row);
    QVERIFY(item);
    QTest::mouseClick(form->List1->viewport(), Qt::LeftButton, {},
                      form->List1->visualItemRect(item).center());
}

QStringList foundWords()
{
    QStringList words;
    if (Module1::queryResult)
        for (qint64 r = 0; r < Module1::queryResult->rowCount(); ++r)
            words << Module1::queryResult->text(r, 0);
    return words;
}

} // namespace

class TstQuickSearch : public QObject
{
    Q_OBJECT

private slots:
    void search_data();
    void search();
    void emptyTextStopsAfterDisplayHalt();
    void nothingFound();
    void showAll_data();
    void showAll();
    void viewerClosingEmptiesText1_data();
    void viewerClosingEmptiesText1();
};

void TstQuickSearch::search_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("found");
    const QString byWord =
        "Please enter the word completely or the starting few letters of the word : ";
    const QString byMeaning =
        "Please enter the meaning completely or any significant part of the meaning : ";
    const QString byPointer =
        "Please enter the pointer completely or any significant part of the pointer : ";
    QTest::newRow("by word") << "Words" << 0 << "ab" << byWord
                             << "Select * from Words where word like 'ab*'"
                             << QStringList{"Abacus", "abate", "Abhor"};
    QTest::newRow("by meaning") << "Words" << 1 << "to hate" << byMeaning
                                << "Select * from Words where meaning like '*to hate*'"
                                << QStringList{"Abhor"};
    QTest::newRow("by pointer") << "Words" << 2 << "got it" << byPointer
                                << "Select * from Words where pointer like '*got it*'"
                                << QStringList{"Abhor", "Zeal"};
    QTest::newRow("other collection")
        << "Words3" << 0 << "Z" << byWord << "Select * from Words3 where word like 'Z*'"
        << QStringList{"Zeal"};
    QTest::newRow("apostrophe in meaning")
        << "Words" << 1 << "one's" << byMeaning
        << "Select * from Words where meaning like '*one''s*'" << QStringList{"Own"};
}

void TstQuickSearch::search()
{
    QFETCH(QString, table);
    QFETCH(int, entry);
    QFETCH(QString, typed);
    QFETCH(QString, prompt);
    QFETCH(QString, query);
    QFETCH(QStringList, found);
    ProgramFixture program(collectionIn(table));
    Form1 *form = program.start();
    QVERIFY(form);
    form->Timer1->setEnabled(true);
    form->Check1->setEnabled(false);
    bool haltedFirst = false;
    program.dialogs()
        .whenShown([&] { haltedFirst = !form->Timer1->isEnabled() && form->Check1->isEnabled(); })
        .expectInput(typed);

    clickEntry(form, entry);

    QCOMPARE(program.dialogs().calls().size(), 1);
    const auto asked = program.dialogs().last();
    QCOMPARE(asked.text, prompt);
    QCOMPARE(asked.title, "Lexmora! Wordbrawl!");
    QCOMPARE(asked.defaultText, QString());
    QVERIFY2(haltedFirst, "Display halt runs before the input box");
    QCOMPARE(form->Text1->text(), query);
    QCOMPARE(foundWords(), found);
    QVERIFY(!form->isVisible());
    QVERIFY(!form->isEnabled());
}

void TstQuickSearch::emptyTextStopsAfterDisplayHalt()
{
    ProgramFixture program(collectionIn("Words"));
    Form1 *form = program.start();
    QVERIFY(form);
    for (int entry = 0; entry < 3; ++entry) {
        form->Timer1->setEnabled(true);
        form->Check1->setEnabled(false);
        program.dialogs().expectInput(QString()); // Cancel gives the empty text

        clickEntry(form, entry);

        QCOMPARE(program.dialogs().calls().size(), entry + 1);
        QVERIFY(!form->Timer1->isEnabled());
        QVERIFY(form->Check1->isEnabled());
        QCOMPARE(form->Text1->text(), DesignText);
        QVERIFY(!Module1::queryResult);
        QVERIFY(form->isVisible());
        QVERIFY(form->isEnabled());
    }
}

void TstQuickSearch::nothingFound()
{
    ProgramFixture program(collectionIn("Words"));
    Form1 *form = program.start();
    QVERIFY(form);
    program.dialogs().expectInput("xyz").expectMessage();

    clickEntry(form, 1);

    QCOMPARE(program.dialogs().last().text, NoRecords);
    QCOMPARE(program.dialogs().last().title, "Lexmora! Wordbrawl");
    QCOMPARE(form->Text1->text(), "Select * from Words where meaning like '*xyz*'");
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
}

void TstQuickSearch::showAll_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("empty");
    QTest::newRow("Words") << "Words" << false;
    QTest::newRow("Words2") << "Words2" << false;
    QTest::newRow("empty Words4") << "Words4" << true;
}

void TstQuickSearch::showAll()
{
    QFETCH(QString, table);
    QFETCH(bool, empty);
    ProgramFixture program(collectionIn(table, empty));
    Form1 *form = program.start();
    QVERIFY(form);
    QCOMPARE(Module1::currentCollection, table);
    form->Text1->setText("Select * from Words1");
    form->Timer1->setEnabled(true);
    if (empty)
        program.dialogs().expectMessage();

    QTest::mouseClick(form->Command8, Qt::LeftButton);

    QVERIFY(!form->Timer1->isEnabled());
    QCOMPARE(form->Text1->text(), "Select * from " + table);
    if (empty) {
        QCOMPARE(program.dialogs().last().text, NoRecords);
        QVERIFY(form->isVisible());
        QVERIFY(form->isEnabled());
        return;
    }
    QVERIFY(program.dialogs().calls().isEmpty());
    QStringList all;
    for (const WordEntry &e : someWords())
        all << e.word;
    QCOMPARE(foundWords(), all);
    QVERIFY(!form->isVisible());
}

// Needs the Results viewer: closing it hands back the Main window with an empty SQL box.
void TstQuickSearch::viewerClosingEmptiesText1_data()
{
    QTest::addColumn<bool>("quickSearch");
    QTest::newRow("show all") << false;
    QTest::newRow("quick search") << true;
}

void TstQuickSearch::viewerClosingEmptiesText1()
{
    QFETCH(bool, quickSearch);
    ProgramFixture program(collectionIn("Words"));
    Form1 *form = program.start();
    QVERIFY(form);
    if (quickSearch) {
        program.dialogs().expectInput("a");
        clickEntry(form, 0);
    } else {
        QTest::mouseClick(form->Command8, Qt::LeftButton);
    }
    QVERIFY(!form->Text1->text().isEmpty());
    QWidget *viewer = resultsViewer();
    QVERIFY2(viewer, "the Results viewer (sqlret) opens over the records");

    viewer->close();

    QCOMPARE(form->Text1->text(), QString());
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
}

QTEST_MAIN(TstQuickSearch)
#include "tst_quicksearch.moc"
