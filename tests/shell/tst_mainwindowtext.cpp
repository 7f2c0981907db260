// The Main window's quick-search list from the keyboard, and stored text shown as it is
// stored in the word labels and their tooltips.
#include "Form1.h"
#include "ListBox.h"
#include "ProgramFixture.h"
#include "SwitchTimer.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

using namespace TestSupport;

namespace {

const QString ByWord =
    QStringLiteral("Please enter the word completely or the starting few letters of the word : ");
const QString ByMeaning =
    QStringLiteral("Please enter the meaning completely or any significant part of the meaning : ");
const QString ByPointer =
    QStringLiteral("Please enter the pointer completely or any significant part of the pointer : ");

// The text a label shows, as its reader sees it.
QString shownText(const QLabel *label)
{
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    if (!rich)
        return label->text();
    QTextDocument doc;
    doc.setHtml(label->text());
    return doc.toPlainText();
}

// The tooltip the widget shows when the mouse rests on it, as its reader sees it.
QString shownToolTip(QWidget *w)
{
    QHelpEvent help(QEvent::ToolTip, QPoint(3, 3), w->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(w, &help);
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("qtooltip_label") && top->isVisible()) {
            const QString text = shownText(qobject_cast<QLabel *>(top));
            QToolTip::hideText();
            return text;
        }
    return QStringLiteral("(no tooltip)");
}

} // namespace

class TstMainWindowText : public QObject
{
    Q_OBJECT

private slots:
    void keyboardRunsTheQuickSearch();
    void wordsAndMeaningsArePlainText();
};

void TstMainWindowText::keyboardRunsTheQuickSearch()
{
    ProgramFixture program;
    Form1 *form = program.start();
    QVERIFY(form);
    QListWidget *list = form->List1;
    auto &dialogs = program.dialogs();
    const auto asked = [&dialogs] {
        QStringList prompts;
        for (const auto &call : dialogs.calls())
            prompts << call.text;
        return prompts;
    };

    // One mouse click, one search, though it also moved the current entry.
    dialogs.expectInput(QString());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(asked(), QStringList{ByWord});

    // Each key that moves the current entry runs the search of the entry it lands on; a key
    // that leaves it where it was runs none.
    const QList<QPair<Qt::Key, QString>> keys{{Qt::Key_Down, ByMeaning},
                                              {Qt::Key_Down, ByPointer},
                                              {Qt::Key_Down, QString()},
                                              {Qt::Key_Up, ByMeaning},
                                              {Qt::Key_Home, ByWord}};
    QStringList expected{ByWord};
    for (const auto &[key, prompt] : keys) {
        if (!prompt.isEmpty()) {
            dialogs.expectInput(QString());
            expected << prompt;
        }
        QTest::keyClick(list, key);
        QCOMPARE(asked(), expected);
        QCOMPARE(dialogs.pending(), 0);
    }

    // A search typed from the keyboard runs like one picked with the mouse.
    dialogs.expectInput("ab").expectMessage();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(form->Text1->text(), "Select * from Words where meaning like '*ab*'");
}

void TstMainWindowText::wordsAndMeaningsArePlainText()
{
    ProgramFixture program({.tables = {{"Words",
                                        {{"<b>Abate</b>", "<i>to lessen</i>", "<u>v.</u>"},
                                         {"Zeal &amp; zest", "great <br>energy", "<i>n.</i>"}}}}});
    Form1 *form = program.start();
    QVERIFY(form);
    QTest::mouseClick(form->Command2, Qt::LeftButton); // Start, in table order
    QCOMPARE(shownText(form->Label1), "<b>Abate</b>");
    QCOMPARE(shownText(form->Label2), "<i>to lessen</i>");

    emit form->Timer1->tick(); // the next word, with its pointer in the tooltips
    QCOMPARE(shownText(form->Label1), "Zeal &amp; zest");
    QCOMPARE(shownText(form->Label2), "great <br>energy");
    QCOMPARE(shownToolTip(form->Label1), "<i>n.</i>");
    QCOMPARE(shownToolTip(form->Label2), "<i>n.</i>");
}

QTEST_MAIN(TstMainWindowText)
#include "tst_mainwindowtext.moc"
