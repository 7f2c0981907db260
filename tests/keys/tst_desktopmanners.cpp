// The plumbing every window shares for keyboard use, small screens and assistive tools:
// the scale rule, window placement, Enter on buttons, the focus ring and Status boxes.
#include "DesktopManners.h"
#include "FlatButtonStyle.h"
#include "ScreenFit.h"
#include "StatusBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QSize MainWindow(1406, 591);

// Pixels that focus changed and that stand out clearly from `back`.
int contrastingChanges(const QImage &before, const QImage &after, const QColor &back)
{
    int count = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            const QColor c = after.pixelColor(x, y);
            if (c == before.pixelColor(x, y))
                continue;
            const int distance = qAbs(c.red() - back.red()) + qAbs(c.green() - back.green()) +
                                 qAbs(c.blue() - back.blue());
            if (distance >= 200)
                ++count;
        }
    return count;
}

void activate(QWidget *window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

class TstDesktopManners : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void factor_data();
    void factor();
    void centredTopLeft_data();
    void centredTopLeft();
    void enterOnFocusedControl_data();
    void enterOnFocusedControl();
    void focusRing_data();
    void focusRing();
    void namesFromSurroundings();
    void statusBoxAnnouncesLines();
};

void TstDesktopManners::initTestCase()
{
    QApplication::setStyle(new FlatButtonStyle);
    DesktopManners::install();
    DesktopManners::install(); // a second call must not click twice
}

void TstDesktopManners::factor_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<double>("expected");
    QTest::newRow("large screen") << QRect(0, 0, 1920, 1040) << 1.0;
    QTest::newRow("just wide enough") << QRect(0, 0, 1422, 631) << 1.0;
    QTest::newRow("a pixel short") << QRect(0, 0, 1421, 900) << 0.99;
    QTest::newRow("1366x768 laptop") << QRect(0, 0, 1366, 728) << 0.96;
    QTest::newRow("1024x768") << QRect(0, 0, 1024, 728) << 0.71;
    QTest::newRow("second screen") << QRect(1920, 0, 1024, 768) << 0.71;
    QTest::newRow("short and wide") << QRect(0, 0, 2560, 500) << 0.77;
    QTest::newRow("tiny") << QRect(0, 0, 200, 150) << 0.25;
    QTest::newRow("no screen") << QRect() << 1.0;
}

void TstDesktopManners::factor()
{
    QFETCH(QRect, available);
    QFETCH(double, expected);
    const double f = ScreenFit::factor(MainWindow, available);
    QCOMPARE(f, expected);
    if (f > 0.25 && f < 1.0) {
        // The scaled window and its frame fit.
        QVERIFY(MainWindow.width() * f + ScreenFit::FrameWidth <= available.width());
        QVERIFY(MainWindow.height() * f + ScreenFit::FrameHeight <= available.height());
    }
}

void TstDesktopManners::centredTopLeft_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("expected");
    const QSize guess(ScreenFit::FrameWidth, ScreenFit::FrameHeight);
    QTest::newRow("centred") << QSize(800, 600) << QRect(0, 0, 1920, 1040) << guess
                             << QPoint(552, 200);
    QTest::newRow("known frame") << QSize(800, 600) << QRect(0, 0, 1920, 1040) << QSize(4, 4)
                                 << QPoint(558, 218);
    QTest::newRow("second screen") << QSize(800, 600) << QRect(1920, 0, 1024, 728) << guess
                                   << QPoint(2024, 44);
    QTest::newRow("too big stays in reach") << QSize(1406, 591) << QRect(0, 20, 1024, 728)
                                            << guess << QPoint(0, 68);
}

void TstDesktopManners::centredTopLeft()
{
    QFETCH(QSize, size);
    QFETCH(QRect, available);
    QFETCH(QSize, frame);
    QFETCH(QPoint, expected);
    QCOMPARE(ScreenFit::centredTopLeft(size, available, frame), expected);
}

void TstDesktopManners::enterOnFocusedControl_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("buttonClicks");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << true << 1;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true << 1;
    QTest::newRow("Space as before") << int(Qt::Key_Space) << int(Qt::NoModifier) << true << 1;
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier) << true << 0;
    QTest::newRow("disabled") << int(Qt::Key_Return) << int(Qt::NoModifier) << false << 0;
}

void TstDesktopManners::enterOnFocusedControl()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, enabled);
    QFETCH(int, buttonClicks);
    QWidget window;
    auto *button = new QPushButton(QStringLiteral("Go!"), &window);
    auto *box = new QCheckBox(QStringLiteral("Randomize"), &window);
    box->move(0, 40);
    button->setEnabled(enabled);
    activate(&window);
    QSignalSpy clicked(button, &QPushButton::clicked);
    button->setFocus();
    QTest::keyClick(button, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(clicked.size(), buttonClicks);
    // Enter is a button's key only: a check box is not toggled by it.
    box->setFocus();
    QTest::keyClick(box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(box->isChecked(), key == Qt::Key_Space);
}

void TstDesktopManners::focusRing_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("list");
    QTest::newRow("red") << QColor(192, 0, 0) << false;
    QTest::newRow("light red") << QColor(255, 192, 192) << false;
    QTest::newRow("green") << QColor(0, 192, 0) << false;
    QTest::newRow("yellow") << QColor(255, 255, 0) << false;
    QTest::newRow("cyan") << QColor(0, 192, 192) << false;
    QTest::newRow("light cyan") << QColor(192, 255, 255) << false;
    QTest::newRow("orange") << QColor(255, 128, 0) << false;
    QTest::newRow("white list") << QColor(Qt::white) << true;
    QTest::newRow("lit list") << QColor(255, 255, 192) << true;
}

void TstDesktopManners::focusRing()
{
    QFETCH(QColor, colour);
    QFETCH(bool, list);
    QWidget window;
    auto *other = new QLineEdit(&window);
    QWidget *control = nullptr;
    if (list) {
        auto *l = new QListWidget(&window);
        l->addItems({QStringLiteral("Search word"), QStringLiteral("Search meaning")});
        control = l;
    } else {
        control = new QPushButton(QStringLiteral("Start"), &window);
    }
    QPalette p = control->palette();
    p.setColor(list ? QPalette::Base : QPalette::Button, colour);
    control->setPalette(p);
    control->setGeometry(10, 40, 120, list ? 80 : 33);
    activate(&window);
    other->setFocus();
    const QImage before = control->grab().toImage();
    control->setFocus(Qt::TabFocusReason);
    QVERIFY(control->hasFocus());
    const QImage after = control->grab().toImage();
    QVERIFY2(contrastingChanges(before, after, colour) >= 40, "no focus frame to be seen");
}

void TstDesktopManners::namesFromSurroundings()
{
    QWidget window;
    auto *word = new QLabel(QStringLiteral("&Word:"), &window);
    word->setGeometry(10, 10, 80, 24);
    auto *wordBox = new QLineEdit(&window);
    wordBox->setGeometry(100, 10, 200, 24);
    auto *header = new QLabel(QStringLiteral("Files :"), &window);
    header->setGeometry(10, 50, 120, 20);
    auto *files = new QListWidget(&window);
    files->setGeometry(10, 72, 200, 100);
    // A label showing data, right above, is no caption; the frame's title names the box.
    auto *frame = new QGroupBox(QStringLiteral("Choose a sheet"), &window);
    frame->setGeometry(10, 200, 300, 200);
    auto *shown = new QLabel(QStringLiteral("Abate"), frame);
    shown->setGeometry(10, 20, 200, 20);
    auto *sheets = new QListWidget(frame);
    sheets->setGeometry(10, 42, 200, 100);
    // A caption far across the window is not this box's.
    auto *far = new QLabel(QStringLiteral("Pointer:"), &window);
    far->setGeometry(10, 420, 60, 24);
    auto *farBox = new QLineEdit(&window);
    farBox->setGeometry(500, 420, 100, 24);
    auto *alone = new QLineEdit(&window);
    alone->setGeometry(400, 200, 100, 24);
    alone->setToolTip(QStringLiteral("Example : Select * from words"));
    auto *named = new QLineEdit(&window);
    named->setGeometry(400, 10, 100, 24);
    named->setAccessibleName(QStringLiteral("SQL query"));
    window.show();
    QCOMPARE(wordBox->accessibleName(), "Word");
    QCOMPARE(files->accessibleName(), "Files");
    QCOMPARE(sheets->accessibleName(), "Choose a sheet");
    QCOMPARE(farBox->accessibleName(), "");
    QCOMPARE(alone->accessibleName(), "Example : Select * from words");
    QCOMPARE(named->accessibleName(), "SQL query"); // a given name stays
}

void TstDesktopManners::statusBoxAnnouncesLines()
{
    StatusBox box(Qt::green);
    QCOMPARE(box.accessibleName(), "Status");
    box.setStatusText(QStringLiteral("Welcome\r\nto Lexmora"));
    QCOMPARE(box.accessibleDescription(), "Welcome\nto Lexmora");
    box.appendLine(QStringLiteral(" 3 words found."));
    QCOMPARE(box.accessibleDescription(), "3 words found.");
    // A bare line break gains no line and leaves the last one said.
    box.appendText(QStringLiteral("\r\n"));
    QCOMPARE(box.accessibleDescription(), "3 words found.");
    box.appendText(QStringLiteral(" Second\r\n third"));
    QCOMPARE(box.accessibleDescription(), "Second\n third");
}

QTEST_MAIN(TstDesktopManners)
#include "tst_desktopmanners.moc"
