// The program on a 1024x768 screen, too small for the Main window's designed 1406 pixels:
// every window is drawn at one smaller scale and shows whole, centred on the screen.
#include "Form1.h"
#include "ProgramFixture.h"
#include "StatusBox.h"
#include "Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace TestSupport;

namespace {

QWidget *visibleWindow(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

QRect onScreen(const QWidget *w)
{
    return {w->mapToGlobal(QPoint(0, 0)), w->size()};
}

} // namespace

class TstSmallScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowShowsWhole();
    void everyControlInsideAndClickable();
    void layoutKeepsItsProportions();
    void otherWindowsShowWhole();
};

void TstSmallScreen::initTestCase()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    if (screen->geometry().size() != QSize(1024, 768))
        QSKIP("needs the 1024x768 virtual screen this test is registered with");
}

void TstSmallScreen::mainWindowShowsWhole()
{
    ProgramFixture program;
    Form1 *form = program.start();
    QVERIFY(form && form->isVisible());
    QCOMPARE(Twips::scale(), 0.71);
    const QRect available = form->screen()->availableGeometry();
    QVERIFY2(available.contains(form->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(form->frameGeometry().x())
                            .arg(form->frameGeometry().y())
                            .arg(form->frameGeometry().width())
                            .arg(form->frameGeometry().height())));
    // Centred on the screen, within a pixel or two of rounding.
    QVERIFY(qAbs(form->frameGeometry().center().x() - available.center().x()) <= 2);
    QVERIFY(qAbs(form->frameGeometry().center().y() - available.center().y()) <= 2);
    QCOMPARE(form->size(), QSize(998, 420)); // 1406x591 at 0.71
}

void TstSmallScreen::everyControlInsideAndClickable()
{
    ProgramFixture program;
    Form1 *form = program.start();
    const QRect available = form->screen()->availableGeometry();
    int buttons = 0;
    for (QPushButton *b : form->findChildren<QPushButton *>()) {
        if (!b->isVisibleTo(form))
            continue; // the word panel's buttons, while the panel is closed
        ++buttons;
        QVERIFY2(available.contains(onScreen(b)), qPrintable(b->objectName()));
        // Nothing lies over it: a click at its centre reaches it.
        const QPoint centre = form->mapFromGlobal(onScreen(b).center());
        QCOMPARE(form->childAt(centre), b);
    }
    QCOMPARE(buttons, 17); // with "Export"
    // "Exit", the right-most button, really takes the click.
    QTest::mouseClick(form->Command6, Qt::LeftButton);
    QTRY_VERIFY(!form->isVisible());
}

void TstSmallScreen::layoutKeepsItsProportions()
{
    ProgramFixture program;
    Form1 *form = program.start();
    // One factor for everything: the Go! button keeps its place relative to the window, and
    // the text shrinks with the controls.
    const double f = Twips::scale();
    QVERIFY(qAbs(form->Command13->width() - 1805 / 15.0 * f) <= 1);
    QVERIFY(qAbs(form->Command6->mapTo(form, QPoint(0, 0)).x() - (7135 + 10340) / 15.0 * f)
            <= 3);
    QVERIFY(qAbs(form->Label1->font().pointSizeF() - 20 * f) < 0.01);
    QVERIFY(qAbs(form->RichTextBox1->font().pointSizeF() - 10 * f) < 0.01);
    // A caption still fits its button.
    const QFontMetrics metrics(form->Command10->font());
    QVERIFY(metrics.horizontalAdvance(form->Command10->text()) < form->Command10->width());
}

void TstSmallScreen::otherWindowsShowWhole()
{
    ProgramFixture program({.tables = {{"Words", {{"Abate", "to lessen", "v."}}}}});
    Form1 *form = program.start();
    QTest::mouseClick(form->Command7, Qt::LeftButton); // "Help"
    QWidget *help = visibleWindow("Helpf");
    QVERIFY(help);
    QVERIFY(form->screen()->availableGeometry().contains(help->frameGeometry()));
    help->close();
    form->Command8->click(); // "Show all": the Results viewer
    QWidget *viewer = visibleWindow("sqlret");
    QVERIFY(viewer);
    QVERIFY(form->screen()->availableGeometry().contains(viewer->frameGeometry()));
}

QTEST_MAIN(TstSmallScreen)
#include "tst_smallscreen.moc"
