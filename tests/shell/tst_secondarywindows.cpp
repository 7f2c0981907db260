// Every secondary window, opened from the Main window's buttons, is kept above the Main
// window by the window manager (transient for it), and so is every box opened over it.
#include "Dialogs.h"
#include "Form1.h"
#include "ProgramFixture.h"
#include "QuizWords.h"
#include "WindowOwner.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace TestSupport;

namespace {

QWidget *visibleWindow(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

enum class Script { None, Yes, ThreeQuestions };

} // namespace

class TstSecondaryWindows : public QObject
{
    Q_OBJECT

private slots:
    void keptAboveTheMainWindow_data();
    void keptAboveTheMainWindow();
};

void TstSecondaryWindows::keptAboveTheMainWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("script");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("mainHidden");
    QTest::newRow("Help") << "Command7" << int(Script::None) << "Helpf" << false;
    QTest::newRow("Database Selector") << "Command18" << int(Script::None) << "Form2" << false;
    QTest::newRow("import") << "Command12" << int(Script::Yes) << "Form4" << true;
    QTest::newRow("Quiz") << "Command5" << int(Script::ThreeQuestions) << "quiz" << true;
    QTest::newRow("Results viewer") << "Command8" << int(Script::None) << "sqlret" << true;
}

void TstSecondaryWindows::keptAboveTheMainWindow()
{
    QFETCH(QString, button);
    QFETCH(int, script);
    QFETCH(QString, window);
    QFETCH(bool, mainHidden);
    ProgramFixture program({.tables = {{"Words", fourQuizWords()}}});
    Form1 *form = program.start();
    QVERIFY(form);
    if (Script(script) == Script::Yes)
        program.dialogs().expectQuestion(true);
    else if (Script(script) == Script::ThreeQuestions)
        program.dialogs().expectInput("3");
    form->findChild<QPushButton *>(button)->click();
    QWidget *opened = visibleWindow(window);
    QVERIFY(opened);

    QCOMPARE(opened->windowType(), Qt::Dialog);
    QCOMPARE(WindowOwner::of(opened), form);
    QVERIFY(!form->isEnabled());
    QCOMPARE(form->isVisible(), !mainHidden);
    QVERIFY(opened->isEnabled());

    // A real box opened now belongs to that window, not to the disabled Main window.
    QWidget *boxOwner = nullptr;
    bool boxEnabled = false;
    QTimer::singleShot(0, this, [&] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        boxOwner = WindowOwner::of(box);
        boxEnabled = box->isEnabled();
        box->close();
    });
    ModalDialogs().message("A box over the window", "Lexmora! Wordbrawl");
    QCOMPARE(boxOwner, opened);
    QVERIFY(boxEnabled);
}

QTEST_MAIN(TstSecondaryWindows)
#include "tst_secondarywindows.moc"
