// The word panel on the real Main window: Add mode, Modify mode (Show, Edit, Update),
// Delete and Close, clicked through the controls with scripted message boxes.
#include "Form1.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "StatusBox.h"
#include "StoreTestAccess.h"
#include "SwitchTimer.h"
#include "WordPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace TestSupport;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Title = QStringLiteral("Lexmora! Wordbrawl");
const QString ChooseFirst = QStringLiteral("Choose a word first!");
const QString Sure = QStringLiteral("Are you sure you want to delete this word ? ");
const QString NoSuchWord = QStringLiteral("There is no such word in the wordlist");
const QString Exists = QStringLiteral(
    "Sorry, this word already exists! Please click on modify if that's what you wish to do! ");

QString block(const QString &heading, const QString &word, const QString &meaning,
              const QString &pointer)
{
    return CrLf + heading + CrLf + "Word: " + word + CrLf + "Meaning: " + meaning + CrLf +
           "Pointer: " + pointer + CrLf;
}

// Every record of `table` as "word|meaning|pointer", a null cell as "<null>".
QStringList rows(const QString &table = QStringLiteral("Words"))
{
    const Snapshot s = Module1::database->query("Select * from " + table);
    QStringList out;
    for (qint64 r = 0; r < s.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < 3; ++c)
            cells << (s.isNull(r, c) ? QStringLiteral("<null>") : s.text(r, c));
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

void refuse(const QString &operation)
{
    StoreTestAccess::sql(*Module1::database)
        .exec("CREATE TRIGGER refuse BEFORE " + operation.toStdString() +
              " ON Words BEGIN SELECT RAISE(ABORT, 'the disk is full'); END");
}

void allow()
{
    StoreTestAccess::sql(*Module1::database).exec("DROP TRIGGER refuse");
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

std::vector<WordEntry> twiceStored()
{
    return {{"Bane", "first", "p1"}, {"Other", "x", "y"}, {"Bane", "second", "p2"}};
}

struct Panel
{
    ProgramFixture program;
    Form1 *form;

    explicit Panel(const std::vector<WordEntry> &words)
        : program({.tables = {{"Words", words}}}), form(program.start())
    {
    }

    ScriptedDialogs &dialogs() { return program.dialogs(); }
    QString panelLog() const { return form->RichTextBox2->statusText(); }
    QStringList chooserItems() const
    {
        QStringList items;
        for (int i = 0; i < form->Combo3->count(); ++i)
            items << form->Combo3->itemText(i);
        return items;
    }
    void add(const QString &word, const QString &meaning)
    {
        form->Text2->setText(word);
        form->Text3->setText(meaning);
        click(form->Command1);
    }
    // Picks the chooser's first item holding `word`, as a choice from its list does.
    void choose(const QString &word)
    {
        const int i = form->Combo3->findText(word, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QVERIFY(i >= 0);
        form->Combo3->setCurrentIndex(i);
    }
    QString shownMeaning() const { return form->Text3->text(); }
    QString shownPointer() const { return form->Text4->text(); }
};

// A Main window stand-in that records what the panel asks of it.
class RecordingPort : public MainWindowPort
{
public:
    QWidget *mainWindow() override { return &window; }
    void displayHalt() override { calls << "displayHalt"; }
    void appendStatusLine(const QString &) override { calls << "appendStatusLine"; }
    void appendStatusText(const QString &) override { calls << "appendStatusText"; }
    QString sqlText() const override { return {}; }
    void setSqlText(const QString &) override {}
    void openResultsViewer() override {}
    void closeRequest() override { calls << "closeRequest"; }
    void openRequest() override { calls << "openRequest"; }

    QWidget window;
    QStringList calls;
};

} // namespace

class TstWordPanel : public QObject
{
    Q_OBJECT

private slots:
    void add_data();
    void add();
    void pointerUntouchedOrClickedEmpty();
    void clickOrFocusEmptiesAField_data();
    void clickOrFocusEmptiesAField();
    void openingAndClosingThePanel_data();
    void openingAndClosingThePanel();
    void asksTheControlPanelToCloseAndOpen();
    void controlPanelClosesAndOpensAroundThePanel();
    void chooserHoldsEveryWordInStoredOrder();
    void emptyCollectionGivesAnEmptyChooser();
    void showingAWordStoredTwice();
    void typingRunsShowOnEveryChange();
    void typingReplacesThePrompt_data();
    void typingReplacesThePrompt();
    void editOpensTheFirstRecordAndUpdateWritesIt();
    void editRefuses_data();
    void editRefuses();
    void deleteInModifyModeRemovesEveryEqualRecord();
    void deleteAnsweredNoChangesNothing();
    void deleteWithThePromptFindsNothing();
    void deleteInAddModeNormalizes();
    void storageFailuresAreReportedAndLoseNothing();
};

void TstWordPanel::add_data()
{
    QTest::addColumn<QString>("storedWord");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("meaning");
    QTest::addColumn<QString>("added"); // the word written, or the message shown instead
    const QString word = "Well, enter a word and then click on add!";
    const QString meaning = "Well, enter a meaning and then click on add!";
    QTest::newRow("blanks and mixed case") << "Abate"
                                           << "  zEBRA"
                                           << "striped"
                                           << "Zebra";
    QTest::newRow("apostrophe") << "Abate"
                                << "o'NEIL"
                                << "a name"
                                << "O'neil";
    QTest::newRow("word of blanks") << "Abate"
                                    << "   "
                                    << "none"
                                    << "";
    QTest::newRow("meaning of blanks") << "Abate"
                                       << "Zeal"
                                       << "   "
                                       << "Zeal";
    QTest::newRow("meaning kept as typed") << "Abate"
                                           << "Zeal"
                                           << " fervour "
                                           << "Zeal";
    QTest::newRow("same word stored") << "Apple"
                                      << "Apple"
                                      << "fruit" << Exists;
    QTest::newRow("refused once normalized") << "Apple"
                                             << "aPPLE"
                                             << "fruit" << Exists;
    QTest::newRow("only lower case stored") << "apple"
                                            << "Apple"
                                            << "fruit"
                                            << "Apple";
    QTest::newRow("stored with a trailing blank") << "Apple "
                                                  << "Apple"
                                                  << "fruit"
                                                  << "Apple";
    QTest::newRow("typed with a trailing blank") << "Apple"
                                                 << "Apple "
                                                 << "fruit"
                                                 << "Apple ";
    QTest::newRow("empty word stored") << ""
                                       << "  "
                                       << "fruit" << Exists;
    QTest::newRow("no word") << "Abate"
                             << ""
                             << "fruit" << word;
    QTest::newRow("neither") << "Abate"
                             << ""
                             << "" << word;
    QTest::newRow("no meaning") << "Abate"
                                << "  zEBRA"
                                << "" << meaning;
}

void TstWordPanel::add()
{
    QFETCH(QString, storedWord);
    QFETCH(QString, typed);
    QFETCH(QString, meaning);
    QFETCH(QString, added);
    const bool refused = added.endsWith('!') || added.endsWith("! ");
    Panel p({{storedWord, "kept", "as is"}});
    click(p.form->Command9);
    const QString before = p.panelLog();
    if (refused)
        p.dialogs().expectMessage();
    p.add(typed, meaning);

    if (refused) {
        QCOMPARE(p.dialogs().last().text, added);
        QCOMPARE(p.dialogs().last().title, Title);
        QCOMPARE(rows(), (QStringList{storedWord + "|kept|as is"}));
        QCOMPARE(p.panelLog(), before);
        // A refused duplicate shows its stored form; an empty field stops before normalizing.
        QCOMPARE(p.form->Text2->text(), added == Exists ? storedWord : typed);
        return;
    }
    QVERIFY(p.dialogs().calls().isEmpty());
    QCOMPARE(p.form->Text2->text(), added);
    QCOMPARE(rows(),
             (QStringList{storedWord + "|kept|as is", added + "|" + meaning + "|Nothing to add"}));
    QCOMPARE(p.panelLog().mid(before.size()), block("Added... ", added, meaning, "Nothing to add"));
    // The fields keep their texts and the panel its mode: the same Add again is a duplicate,
    // unless the word field now shows the empty word.
    QCOMPARE(p.form->Command1->text(), "Add");
    p.dialogs().expectMessage();
    click(p.form->Command1);
    QCOMPARE(p.dialogs().last().text,
             added.isEmpty() ? "Well, enter a word and then click on add!" : Exists);
    QCOMPARE(rows().size(), 2);
}

void TstWordPanel::pointerUntouchedOrClickedEmpty()
{
    Panel p({});
    click(p.form->Command9);
    QCOMPARE(p.form->Text4->text(), "Nothing to add");
    p.add("Abate", "to lessen");
    click(p.form->Text4); // into the pointer field and out again, typing nothing
    p.add("Bane", "ruin");
    p.form->Text4->setText("n.");
    p.add("Cajole", "to coax");
    QCOMPARE(rows(),
             (QStringList{"Abate|to lessen|Nothing to add", "Bane|ruin|", "Cajole|to coax|n."}));
}

void TstWordPanel::clickOrFocusEmptiesAField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("reason"); // -1: a left click
    QTest::addColumn<bool>("emptied");
    for (const QString field : {"Text2", "Text3", "Text4"}) {
        QTest::addRow("%s click", qPrintable(field)) << field << -1 << true;
        QTest::addRow("%s tab", qPrintable(field)) << field << int(Qt::TabFocusReason) << true;
        QTest::addRow("%s backtab", qPrintable(field))
            << field << int(Qt::BacktabFocusReason) << true;
        QTest::addRow("%s mouse focus", qPrintable(field))
            << field << int(Qt::MouseFocusReason) << true;
        QTest::addRow("%s window back", qPrintable(field))
            << field << int(Qt::ActiveWindowFocusReason) << false;
        QTest::addRow("%s popup closed", qPrintable(field))
            << field << int(Qt::PopupFocusReason) << false;
    }
    QTest::newRow("right click") << "Text3" << -2 << false;
}

void TstWordPanel::clickOrFocusEmptiesAField()
{
    QFETCH(QString, field);
    QFETCH(int, reason);
    QFETCH(bool, emptied);
    Panel p({});
    click(p.form->Command9);
    auto *edit = p.form->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    edit->setText("typed");
    if (reason == -1) {
        QTest::mouseClick(edit, Qt::LeftButton);
    } else if (reason == -2) {
        QTest::mousePress(edit, Qt::RightButton);
        QTest::mouseRelease(edit, Qt::RightButton);
    } else {
        QFocusEvent focus(QEvent::FocusIn, Qt::FocusReason(reason));
        QApplication::sendEvent(edit, &focus);
    }
    QCOMPARE(edit->text(), emptied ? QString() : QStringLiteral("typed"));
}

void TstWordPanel::openingAndClosingThePanel_data()
{
    QTest::addColumn<bool>("addMode");
    QTest::newRow("Add") << true;
    QTest::newRow("Find/Delete") << false;
}

void TstWordPanel::openingAndClosingThePanel()
{
    QFETCH(bool, addMode);
    Panel p(twiceStored());
    Form1 *f = p.form;
    click(f->Command2); // the word display runs until the panel opens
    QVERIFY(f->Timer1->isRunning());
    const QString mainLog = f->RichTextBox1->statusText();

    click(addMode ? f->Command9 : f->Command10);
    QVERIFY(!f->Timer1->isRunning());
    const QList<QWidget *> controlPanel{f->Frame1,   f->Frame2,   f->Frame3,   f->Frame4,
                                        f->Command6, f->Command7, f->Command20};
    for (QWidget *w : controlPanel)
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(f->Frame5->isVisible());
    QVERIFY(!f->RichTextBox1->isVisible());
    QVERIFY(f->RichTextBox2->isVisible());
    QCOMPARE(f->Frame5->title(), addMode ? "Add a word" : "Modify / Delete a word");
    QCOMPARE(f->Command1->text(), addMode ? "Add" : "Edit");
    QCOMPARE(f->Command16->text(), "Close");
    QCOMPARE(f->Text2->isVisible(), addMode);
    QCOMPARE(f->Combo3->isVisible(), !addMode);
    QCOMPARE(f->Text3->isEnabled(), addMode);
    QCOMPARE(f->Text4->isEnabled(), addMode);
    QVERIFY(f->Command17->isEnabled() && f->Command16->isEnabled());
    QCOMPARE(f->Text2->text(), "");
    QCOMPARE(f->Text3->text(), "");
    QCOMPARE(f->Text4->text(), addMode ? "Nothing to add" : "");
    // Disabled under the panel: the Word Control buttons cannot switch it.
    click(addMode ? f->Command10 : f->Command9);
    QCOMPARE(f->Command1->text(), addMode ? "Add" : "Edit");

    click(f->Command16);
    for (QWidget *w : controlPanel)
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    for (QWidget *w : QList<QWidget *>{f->Command9, f->Command10, f->Command11, f->Command12,
                                       f->Text3, f->Text4})
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(!f->Frame5->isVisible());
    QVERIFY(f->RichTextBox1->isVisible());
    // The control panel was open all along: nothing to report of its opening.
    QCOMPARE(f->RichTextBox1->statusText(), mainLog);
    // Close resets nothing else; the next opening sets it all.
    QCOMPARE(f->Command1->text(), addMode ? "Add" : "Edit");
    QVERIFY(p.dialogs().calls().isEmpty());
}

void TstWordPanel::asksTheControlPanelToCloseAndOpen()
{
    WorkFolder folder;
    writeDatabase(folder.databasePath());
    Module1::database = WordDatabase::open(folder.databasePath());
    Module1::openCurrentCollection("Words");
    QWidget window;
    auto *frame = new QGroupBox(&window);
    const auto edit = [frame] { return new QLineEdit(frame); };
    const auto button = [&window] { return new QPushButton(&window); };
    RecordingPort port;
    WordPanel panel({frame, edit(), new QComboBox(frame), edit(), edit(), button(), button(),
                     button(), new StatusBox(Qt::green, frame), new QWidget(&window)},
                    port);
    panel.command9Click();
    QCOMPARE(port.calls, (QStringList{"displayHalt", "closeRequest"}));
    panel.command16Click();
    panel.command10Click();
    panel.command16Click();
    QCOMPARE(port.calls, (QStringList{"displayHalt", "closeRequest", "openRequest", "displayHalt",
                                      "closeRequest", "openRequest"}));
    Module1::reset();
}

void TstWordPanel::controlPanelClosesAndOpensAroundThePanel()
{
    Panel p(twiceStored());
    Form1 *f = p.form;
    const QString before = p.panelLog();
    click(f->Command10);
    QCOMPARE(p.panelLog().mid(before.size()),
             CrLf +
                 " Closing the panel! Click on 'Close' or move your mouse over the lock to "
                 "activate it!" +
                 CrLf);
    emit f->Timer5->tick();
    for (int ticks = 0; f->Timer4->isRunning() && ticks < 1000; ++ticks)
        emit f->Timer4->tick();
    QVERIFY(f->panel().covered);

    const QString mainLog = f->RichTextBox1->statusText();
    click(f->Command16);
    QCOMPARE(f->RichTextBox1->statusText().mid(mainLog.size()),
             CrLf + " Opening the Control Panel" + CrLf);
}

void TstWordPanel::chooserHoldsEveryWordInStoredOrder()
{
    Panel p({{"Zeal", "a", ""},
             {"abate", "b", ""},
             {"Zeal", "c", ""},
             {"", "d", ""},
             {"Bane", "e", ""}});
    click(p.form->Command10);
    QCOMPARE(p.chooserItems(), (QStringList{"Zeal", "abate", "Zeal", "", "Bane"}));
    QCOMPARE(p.form->Combo3->currentText(), "Choose your word");
    // The prompt is no choice: nothing is shown for it.
    QCOMPARE(p.shownMeaning(), "");
    QCOMPARE(p.form->Combo3->currentIndex(), -1);
    // Words added in the meantime are there at the next opening.
    click(p.form->Command16);
    click(p.form->Command9);
    p.add("Cajole", "to coax");
    click(p.form->Command16);
    click(p.form->Command10);
    QCOMPARE(p.chooserItems().size(), 6);
    QCOMPARE(p.chooserItems().last(), "Cajole");
}

void TstWordPanel::emptyCollectionGivesAnEmptyChooser()
{
    Panel p({});
    click(p.form->Command10);
    QCOMPARE(p.form->Combo3->count(), 0);
    QCOMPARE(p.form->Combo3->currentText(), "Choose your word");
    p.dialogs().expectMessage();
    click(p.form->Command1);
    QCOMPARE(p.dialogs().last().text, ChooseFirst);
    QVERIFY(p.dialogs().pending() == 0);
}

void TstWordPanel::showingAWordStoredTwice()
{
    Panel p({{"Bane", "first", "p1"},
             {"Other", "x", "y"},
             {"Bane", "second", "p2"},
             {"Null", "kept", "p"},
             {"Null", QString(), QString()}});
    click(p.form->Command10);
    p.choose("Bane");
    QCOMPARE(p.shownMeaning(), "second");
    QCOMPARE(p.shownPointer(), "p2");
    // A later record without a meaning or pointer leaves the earlier one's showing.
    p.choose("Null");
    QCOMPARE(p.shownMeaning(), "kept");
    QCOMPARE(p.shownPointer(), "p");
    // A text that is no stored word leaves the fields as they were.
    p.form->Combo3->setEditText("nothing like it");
    QCOMPARE(p.shownMeaning(), "kept");
    // Show scans to the end: the shared record set stands past its last record.
    QVERIFY(Module1::words->eof());
    QVERIFY(p.dialogs().calls().isEmpty());
}

void TstWordPanel::typingRunsShowOnEveryChange()
{
    Panel p({{"Ban", "short", "s"}, {"Bane", "ruin", "n."}, {"bane", "lower", "l"}});
    click(p.form->Command10);
    p.form->Combo3->setEditText("");
    QTest::keyClicks(p.form->Combo3->lineEdit(), "Ban");
    QCOMPARE(p.shownMeaning(), "short");
    QTest::keyClicks(p.form->Combo3->lineEdit(), "e");
    QCOMPARE(p.shownMeaning(), "ruin");
    QCOMPARE(p.shownPointer(), "n.");
    // Enter neither adds to the list nor trades the typed word for one in another case.
    p.form->Combo3->setEditText("bane");
    QTest::keyClick(p.form->Combo3->lineEdit(), Qt::Key_Return);
    QCOMPARE(p.form->Combo3->currentText(), "bane");
    QCOMPARE(p.shownMeaning(), "lower");
    QCOMPARE(p.chooserItems(), (QStringList{"Ban", "Bane", "bane"}));
    // A typed word is edited like a picked one.
    click(p.form->Command1);
    QCOMPARE(p.form->Command1->text(), "Update");
}

void TstWordPanel::typingReplacesThePrompt_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("byMouse"); // the focus comes with a click into the text
    QTest::newRow("click") << int(Qt::MouseFocusReason) << true;
    QTest::newRow("Tab") << int(Qt::TabFocusReason) << false;
    QTest::newRow("back to the window") << int(Qt::ActiveWindowFocusReason) << false;
}

void TstWordPanel::typingReplacesThePrompt()
{
    QFETCH(int, reason);
    QFETCH(bool, byMouse);
    Panel p(twiceStored());
    click(p.form->Command10);
    QLineEdit *text = p.form->Combo3->lineEdit();
    QCOMPARE(text->text(), "Choose your word");
    p.form->Combo3->setFocus(Qt::FocusReason(reason));
    QFocusEvent focus(QEvent::FocusIn, Qt::FocusReason(reason));
    QApplication::sendEvent(p.form->Combo3, &focus);
    if (byMouse)
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(text->width() - 4, text->height() / 2));
    QTRY_COMPARE(text->selectedText(), "Choose your word");
    QTest::keyClicks(text, "Ot");
    QCOMPARE(p.form->Combo3->currentText(), "Ot");

    // A word the user typed or chose is left as it is when a click brings the focus back.
    text->deselect();
    QFocusEvent again(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(p.form->Combo3, &again);
    QCoreApplication::processEvents();
    QVERIFY(!text->hasSelectedText());
}

void TstWordPanel::editOpensTheFirstRecordAndUpdateWritesIt()
{
    Panel p(twiceStored());
    Form1 *f = p.form;
    click(f->Command10);
    p.choose("Bane");
    click(f->Command1);
    QCOMPARE(f->Command1->text(), "Update");
    QVERIFY(f->Text3->isEnabled() && f->Text4->isEnabled());
    QVERIFY(!f->Command17->isEnabled() && !f->Command16->isEnabled());
    QVERIFY(!f->Combo3->isEnabled());

    click(f->Text3); // empties the meaning, to be retyped
    QCOMPARE(f->Text3->text(), "");
    f->Text3->setText("retyped");
    const QString before = p.panelLog();
    click(f->Command1);
    // The first record gets the texts on display, the later record's pointer included.
    QCOMPARE(rows(), (QStringList{"Bane|retyped|p2", "Other|x|y", "Bane|second|p2"}));
    QCOMPARE(p.panelLog().mid(before.size()),
             block("Finished Editing... ", "Bane", "retyped", "p2"));
    QCOMPARE(f->Command1->text(), "Edit");
    QVERIFY(!f->Text3->isEnabled() && !f->Text4->isEnabled());
    QVERIFY(f->Command17->isEnabled() && f->Command16->isEnabled() && f->Combo3->isEnabled());
    QCOMPARE(f->Combo3->currentText(), "Choose your word");
    QCOMPARE(f->Text2->text() + f->Text3->text() + f->Text4->text(), "");
    QCOMPARE(p.chooserItems(), (QStringList{"Bane", "Other", "Bane"}));

    // An emptied meaning is stored empty.
    p.choose("Other");
    click(f->Command1);
    click(f->Text3);
    click(f->Command1);
    QCOMPARE(rows()[1], "Other||y");
    QVERIFY(p.dialogs().calls().isEmpty());
}

void TstWordPanel::editRefuses_data()
{
    QTest::addColumn<QString>("situation");
    QTest::newRow("prompt showing") << "prompt";
    QTest::newRow("meaning of blanks") << "blank meaning";
    QTest::newRow("after a deletion") << "deleted";
    QTest::newRow("typed word not stored") << "typed";
}

void TstWordPanel::editRefuses()
{
    QFETCH(QString, situation);
    Panel p({{"Bane", "ruin", "n."}, {"Blank", "   ", "b"}, {"Cajole", "to coax", "v."}});
    Form1 *f = p.form;
    click(f->Command10);
    if (situation == "blank meaning") {
        p.choose("Blank");
        QCOMPARE(p.shownMeaning(), "   ");
    } else if (situation == "deleted") {
        p.choose("Cajole");
        p.dialogs().expectQuestion(true);
        click(f->Command17);
        QCOMPARE(f->Combo3->currentText(), "Choose a word");
    } else if (situation == "typed") {
        p.choose("Bane");
        f->Combo3->setEditText("Banes"); // the meaning of Bane stays in view
        QCOMPARE(p.shownMeaning(), "ruin");
    }
    p.dialogs().expectMessage();
    click(f->Command1);
    QCOMPARE(p.dialogs().last().text, ChooseFirst);
    QCOMPARE(p.dialogs().last().title, Title);
    QCOMPARE(f->Command1->text(), "Edit");
    QVERIFY(f->Command16->isEnabled());
}

void TstWordPanel::deleteInModifyModeRemovesEveryEqualRecord()
{
    Panel p(twiceStored());
    Form1 *f = p.form;
    click(f->Command10);
    p.choose("Bane");
    const QString before = p.panelLog();
    p.dialogs().expectQuestion(true);
    click(f->Command17);
    QCOMPARE(p.dialogs().last().text, Sure);
    QCOMPARE(p.dialogs().last().title, Title);
    QCOMPARE(rows(), (QStringList{"Other|x|y"}));
    QCOMPARE(p.panelLog().mid(before.size()), block("Deleted... ", "Bane", "first", "p1") +
                                                  block("Deleted... ", "Bane", "second", "p2"));
    QCOMPARE(p.chooserItems(), (QStringList{"Other"}));
    QCOMPARE(f->Combo3->currentText(), "Choose a word");
    QCOMPARE(p.shownMeaning() + p.shownPointer(), "");
    QCOMPARE(f->Command1->text(), "Edit");
    QCOMPARE(p.dialogs().calls().size(), 1);

    // Picking a word again makes it editable.
    p.choose("Other");
    click(f->Command1);
    QCOMPARE(f->Command1->text(), "Update");
}

void TstWordPanel::deleteAnsweredNoChangesNothing()
{
    Panel p(twiceStored());
    click(p.form->Command10);
    p.choose("Bane");
    const QString before = p.panelLog();
    p.dialogs().expectQuestion(false);
    click(p.form->Command17);
    QCOMPARE(rows().size(), 3);
    QCOMPARE(p.panelLog(), before);
    QCOMPARE(p.form->Combo3->currentText(), "Bane");
    QCOMPARE(p.shownMeaning(), "second");
    QCOMPARE(p.dialogs().calls().size(), 1);
}

void TstWordPanel::deleteWithThePromptFindsNothing()
{
    Panel p(twiceStored());
    click(p.form->Command10);
    p.dialogs().expectQuestion(true).expectMessage();
    click(p.form->Command17);
    QCOMPARE(p.dialogs().calls().size(), 2);
    QCOMPARE(p.dialogs().calls()[0].text, Sure);
    QCOMPARE(p.dialogs().last().text, NoSuchWord);
    QCOMPARE(p.dialogs().last().title, Title);
    QCOMPARE(p.form->Combo3->currentText(), "Choose your word");
    QCOMPARE(p.chooserItems().size(), 3);
    QCOMPARE(rows().size(), 3);
}

void TstWordPanel::deleteInAddModeNormalizes()
{
    Panel p({{"Zebra", "striped", "n."}, {"zebra", "lower", ""}});
    Form1 *f = p.form;
    click(f->Command9);
    f->Text2->setText("  zEBRA");
    f->Text3->setText("typed meaning");
    // The field keeps what was typed until the record is gone.
    p.dialogs().whenShown([f] { QCOMPARE(f->Text2->text(), "  zEBRA"); }).expectQuestion(true);
    const QString before = p.panelLog();
    click(f->Command17);
    QCOMPARE(rows(), (QStringList{"zebra|lower|"}));
    QCOMPARE(p.panelLog().mid(before.size()), block("Deleted... ", "Zebra", "striped", "n."));
    QCOMPARE(f->Text2->text() + f->Text3->text() + f->Text4->text(), "");
    QCOMPARE(f->Command1->text(), "Add");

    // An empty word field finds nothing.
    p.dialogs().expectQuestion(true).expectMessage();
    click(f->Command17);
    QCOMPARE(p.dialogs().last().text, NoSuchWord);
    QCOMPARE(rows().size(), 1);
}

void TstWordPanel::storageFailuresAreReportedAndLoseNothing()
{
    Panel p(twiceStored());
    Form1 *f = p.form;

    // Add: no "Added... " for a word that was not written.
    click(f->Command9);
    refuse("INSERT");
    QString before = p.panelLog();
    p.dialogs().expectMessage();
    p.add("Cajole", "to coax");
    QCOMPARE(p.dialogs().last().text, "Sorry, the word could not be added: the disk is full.");
    QCOMPARE(p.panelLog(), before);
    QCOMPARE(rows().size(), 3);
    allow();
    p.add("Cajole", "to coax");
    QCOMPARE(rows().last(), "Cajole|to coax|Nothing to add");
    click(f->Command16);

    // Update: the record stays as it was and the panel in Update with the typed texts.
    click(f->Command10);
    p.choose("Bane");
    click(f->Command1);
    f->Text3->setText("changed");
    refuse("UPDATE");
    p.dialogs().expectMessage();
    click(f->Command1);
    QCOMPARE(p.dialogs().last().text,
             "Sorry, your changes could not be saved: the disk is full. The word is as it was; "
             "click on 'Update' to try again.");
    QCOMPARE(rows()[0], "Bane|first|p1");
    QCOMPARE(f->Command1->text(), "Update");
    QCOMPARE(f->Text3->text(), "changed");
    QVERIFY(!f->Command16->isEnabled());
    allow();
    click(f->Command1);
    QCOMPARE(rows()[0], "Bane|changed|p2");
    QCOMPARE(f->Command1->text(), "Edit");

    // Delete: no "Deleted... " for a record still there.
    p.choose("Other");
    refuse("DELETE");
    before = p.panelLog();
    p.dialogs().expectQuestion(true).expectMessage();
    click(f->Command17);
    QCOMPARE(p.dialogs().last().text, "Sorry, the word could not be deleted: the disk is full.");
    QCOMPARE(p.panelLog(), before);
    QCOMPARE(rows().size(), 4);
    QCOMPARE(p.chooserItems().size(), 4);
    QCOMPARE(p.form->Combo3->currentText(), "Other");
    allow();
}

QTEST_MAIN(TstWordPanel)
#include "tst_wordpanel.moc"
