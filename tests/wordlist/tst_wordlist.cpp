// The word list in the whole program: opened from "Word list" beside a usable Main window,
// driven with the keys, and closed by work that needs the words to itself.
#include "Form1.h"
#include "Module1.h"
#include "ProgramFixture.h"
#include "StoreTestAccess.h"
#include "TableCursor.h"
#include "QuizWords.h"
#include "Twips.h"
#include "WindowOwner.h"
#include "WordList.h"
#include "WordListModel.h"
#include "WordTable.h"

#include <SQLiteCpp/Statement.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

using namespace TestSupport;

namespace {

WordList *openList()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *list = qobject_cast<WordList *>(w); list && list->isVisible())
            return list;
    return nullptr;
}

QString cell(WordList *list, int row, int column)
{
    return list->model()->data(list->model()->index(row, column)).toString();
}

enum class Work { DeleteAll, Quiz, Import, Select, EmptyContent };

} // namespace

class TstWordList : public QObject
{
    Q_OBJECT

private slots:
    void opensBesideAUsableMainWindow();
    void keysEditDeleteUndoAndClose();
    void filterLineNarrowsTheRows();
    void closesWhenWorkNeedsTheWords_data();
    void closesWhenWorkNeedsTheWords();
    void followsTheMainWindowLentElsewhere();
    void wordPanelAndWordListSeeEachOthersChanges();
};

void TstWordList::opensBesideAUsableMainWindow()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    QPushButton *button = form->findChild<QPushButton *>(QStringLiteral("Command23"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Word list"));
    QCOMPARE(button->toolTip(),
             QStringLiteral("This shows every word of the current database in one table"));
    QCOMPARE(button->parentWidget(), form->Frame3);
    QCOMPARE(button->geometry(), Twips::rect(240, 4140, 2640, 555));

    button->click();
    WordList *list = openList();
    QVERIFY(list);
    QCOMPARE(list->objectName(), QStringLiteral("WordList"));
    QCOMPARE(list->windowTitle(), QStringLiteral("Word list"));
    QCOMPARE(WindowOwner::of(list), form);
    QVERIFY(form->isEnabled()); // modeless
    QVERIFY(form->Command9->isEnabled());
    QCOMPARE(list->countLabel()->text(), QStringLiteral("4 words"));
    QCOMPARE(cell(list, 3, 2), QStringLiteral("Got it wrong"));
    // A second click brings the same window forward.
    button->click();
    int lists = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        lists += qobject_cast<WordList *>(w) && w->isVisible();
    QCOMPARE(lists, 1);
}

void TstWordList::keysEditDeleteUndoAndClose()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    form->findChild<QPushButton *>(QStringLiteral("Command23"))->click();
    QPointer<WordList> list = openList();
    QVERIFY(list);
    WordTable *view = list->view();
    QApplication::setActiveWindow(list);
    view->setFocus();

    // F2 edits, Enter writes; the word takes its stored form.
    view->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(view, Qt::Key_F2);
    QVERIFY(view->editing());
    auto *editor = view->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("zEST"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(cell(list, 1, 0), QStringLiteral("Zest")); // the delegate writes when it gets to it

    // Enter on a cell edits it too; Escape leaves the editor without writing.
    view->setFocus();
    view->setCurrentIndex(list->model()->index(2, 1));
    QTest::keyClick(view, Qt::Key_Return);
    QVERIFY(view->editing());
    editor = view->findChild<QLineEdit *>();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("x"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!view->editing());
    QVERIFY(list);
    QCOMPARE(cell(list, 2, 1), QStringLiteral("to put down"));

    // Delete asks the word panel's question; No keeps the word, Yes deletes it.
    view->setFocus();
    view->selectRow(0);
    program.dialogs().expectQuestion(false);
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(program.dialogs().last().text,
             QStringLiteral("Are you sure you want to delete this word ? "));
    QCOMPARE(program.dialogs().last().title, QStringLiteral("Lexmora! Wordbrawl"));
    QCOMPARE(list->model()->rowCount(), 4);
    program.dialogs().expectQuestion(true);
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(list->model()->rowCount(), 3);
    QCOMPARE(cell(list, 0, 0), QStringLiteral("Zest"));

    // Ctrl+Z undoes the deletion, then the edit; Ctrl+Shift+Z does them again.
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(cell(list, 0, 0), QStringLiteral("Abate"));
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(cell(list, 1, 0), QStringLiteral("Zeal"));
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(list->model()->rowCount(), 3);
    QCOMPARE(cell(list, 0, 0), QStringLiteral("Zest"));

    // Escape closes the window; its changes stay.
    QTest::keyClick(view, Qt::Key_Escape);
    QTRY_VERIFY(!list);
    QVERIFY(!openList());
    QCOMPARE(Module1::words->recordCount(), 3);
}

void TstWordList::filterLineNarrowsTheRows()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    form->findChild<QPushButton *>(QStringLiteral("Command23"))->click();
    WordList *list = openList();
    QVERIFY(list);
    // Typed into the table, the text goes to the filter line.
    QTest::keyClicks(list->view(), QStringLiteral("t"));
    QTest::keyClicks(list->filterLine(), QStringLiteral("o"));
    QCOMPARE(list->filterLine()->text(), QStringLiteral("to"));
    list->model()->finishSearch();
    QCOMPARE(list->countLabel()->text(), QStringLiteral("2 of 4 words"));
    QCOMPARE(cell(list, 0, 0), QStringLiteral("Abate"));
    QCOMPARE(cell(list, 1, 0), QStringLiteral("Quell"));
    QTest::keyClick(list->filterLine(), Qt::Key_Backspace);
    QTest::keyClick(list->filterLine(), Qt::Key_Backspace);
    QCOMPARE(list->countLabel()->text(), QStringLiteral("4 words"));
}

void TstWordList::closesWhenWorkNeedsTheWords_data()
{
    QTest::addColumn<int>("work");
    QTest::newRow("Delete all") << int(Work::DeleteAll);
    QTest::newRow("a quiz") << int(Work::Quiz);
    QTest::newRow("an import") << int(Work::Import);
    QTest::newRow("another collection selected") << int(Work::Select);
    QTest::newRow("Delete content") << int(Work::EmptyContent);
}

void TstWordList::closesWhenWorkNeedsTheWords()
{
    QFETCH(int, work);
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}, {"Words1", fourQuizWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    form->findChild<QPushButton *>(QStringLiteral("Command23"))->click();
    QPointer<WordList> list = openList();
    QVERIFY(list);
    QVERIFY(list->model()->setData(list->model()->index(0, 1), QStringLiteral("to reduce")));

    switch (Work(work)) {
    case Work::DeleteAll:
        program.dialogs().expectQuestion(true);
        form->Command11->click();
        break;
    case Work::Quiz:
        program.dialogs().expectInput(QStringLiteral("3"));
        form->Command5->click();
        break;
    case Work::Import:
        program.dialogs().expectQuestion(true);
        form->Command12->click();
        break;
    case Work::Select:
    case Work::EmptyContent: {
        form->Command18->click();
        QVERIFY(list); // choosing in the selector is no reason yet
        QVERIFY(!list->isEnabled());
        QWidget *selector = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("Form2") && w->isVisible())
                selector = w;
        QVERIFY(selector);
        if (Work(work) == Work::Select) {
            selector->findChild<QPushButton *>(QStringLiteral("Command5"))->click();
        } else {
            program.dialogs().expectQuestion(true).expectMessage();
            selector->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
        }
        break;
    }
    }
    QTRY_VERIFY(!list);
    if (Work(work) != Work::DeleteAll && Work(work) != Work::EmptyContent) {
        SQLite::Statement st(StoreTestAccess::sql(*Module1::database),
                             "SELECT meaning FROM Words WHERE word = 'Abate'");
        QVERIFY(st.executeStep());
        QCOMPARE(QString::fromStdString(st.getColumn(0).getString()), QStringLiteral("to reduce"));
    }
}

void TstWordList::followsTheMainWindowLentElsewhere()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    form->findChild<QPushButton *>(QStringLiteral("Command23"))->click();
    QPointer<WordList> list = openList();
    QVERIFY(list);
    // Help takes the Main window: the list waits with it.
    form->Command7->click();
    QVERIFY(!form->isEnabled());
    QVERIFY(!list->isEnabled());
    QWidget *help = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Helpf") && w->isVisible())
            help = w;
    QVERIFY(help);
    help->close();
    QTRY_VERIFY(form->isEnabled());
    QVERIFY(list->isEnabled());
    // The Results viewer takes its place: the list goes out of view and comes back.
    form->Command8->click();
    QVERIFY(!form->isVisible());
    QVERIFY(list && !list->isVisible());
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("sqlret") && w->isVisible()) {
            program.dialogs().expectQuestion(true); // keep the marks
            w->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        }
    QTRY_VERIFY(form->isVisible());
    QVERIFY(list && list->isVisible() && list->isEnabled());
}

void TstWordList::wordPanelAndWordListSeeEachOthersChanges()
{
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    form->findChild<QPushButton *>(QStringLiteral("Command23"))->click();
    WordList *list = openList();
    QVERIFY(list);
    form->Command10->click(); // the word panel in Modify mode, beside the list
    const auto chooserItems = [form] {
        QStringList items;
        for (int i = 0; i < form->Combo3->count(); ++i)
            items << form->Combo3->itemText(i);
        return items;
    };
    QVERIFY(list->model()->setData(list->model()->index(1, 0), QStringLiteral("zest")));
    QCOMPARE(chooserItems(), (QStringList{"Abate", "Zest", "Quell", "Earlier"}));
    list->model()->undoStack()->undo();
    QCOMPARE(chooserItems(), (QStringList{"Abate", "Zeal", "Quell", "Earlier"}));

    // The panel deletes a word: the list shows it gone.
    form->Combo3->setCurrentIndex(2);
    program.dialogs().expectQuestion(true);
    form->Command17->click();
    QTRY_COMPARE(list->model()->rowCount(), 3);
    QCOMPARE(list->countLabel()->text(), QStringLiteral("3 words"));
    QCOMPARE(cell(list, 2, 0), QStringLiteral("Earlier"));
}

QTEST_MAIN(TstWordList)
#include "tst_wordlist.moc"
