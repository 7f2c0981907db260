// Borrowing the Main window and giving it back once, and which window a window or a box is
// kept above.
#include "MainWindowLoan.h"
#include "MainWindowPort.h"
#include "WindowOwner.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {

class Port : public MainWindowPort
{
public:
    explicit Port(QWidget *window) : m_window(window) {}
    QWidget *mainWindow() override { return m_window; }
    void displayHalt() override {}
    void appendStatusLine(const QString &) override {}
    void appendStatusText(const QString &) override {}
    QString sqlText() const override { return {}; }
    void setSqlText(const QString &) override {}
    void openResultsViewer() override {}

private:
    QWidget *m_window;
};

} // namespace

class TstMainWindowLoan : public QObject
{
    Q_OBJECT

private slots:
    void givenBackExactlyOnce_data();
    void givenBackExactlyOnce();
    void takenAgainAfterGivingBack();
    void outlivesTheMainWindow();
    void keptAboveItsOwner();
    void boxOwner();
};

void TstMainWindowLoan::givenBackExactlyOnce_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("disabled") << false;
    QTest::newRow("hidden") << true;
}

void TstMainWindowLoan::givenBackExactlyOnce()
{
    QFETCH(bool, hidden);
    QWidget main;
    main.show();
    Port port(&main);
    QWidget window;
    MainWindowLoan loan(port);
    QVERIFY(!loan.held());
    QVERIFY(!loan.giveBack()); // nothing taken, nothing to give

    loan.take(&window, hidden ? MainWindowLoan::Away::Hidden : MainWindowLoan::Away::Disabled);
    QVERIFY(loan.held());
    QVERIFY(!main.isEnabled());
    QCOMPARE(main.isVisible(), !hidden);

    QVERIFY(loan.giveBack());
    QVERIFY(main.isEnabled());
    QVERIFY(main.isVisible());
    // A second way out of the window finds it given back and leaves it alone.
    main.setEnabled(false);
    QVERIFY(!loan.giveBack());
    QVERIFY(!main.isEnabled());
}

void TstMainWindowLoan::takenAgainAfterGivingBack()
{
    QWidget main;
    main.show();
    Port port(&main);
    QWidget window;
    MainWindowLoan loan(port);
    loan.take(&window, MainWindowLoan::Away::Hidden);
    QVERIFY(loan.giveBack());
    loan.take(&window, MainWindowLoan::Away::Hidden);
    QVERIFY(!main.isVisible());
    QVERIFY(loan.giveBack());
    QVERIFY(main.isVisible() && main.isEnabled());
}

void TstMainWindowLoan::outlivesTheMainWindow()
{
    auto main = std::make_unique<QWidget>();
    main->show();
    Port port(main.get());
    QWidget window;
    MainWindowLoan loan(port);
    loan.take(&window, MainWindowLoan::Away::Disabled);
    QCOMPARE(loan.port(), &port);
    main.reset();
    QVERIFY(!loan.held());
    QVERIFY(!loan.port());
    QVERIFY(!loan.giveBack());
    loan.take(&window, MainWindowLoan::Away::Hidden); // no window to take: nothing happens
    QVERIFY(!loan.held());
}

void TstMainWindowLoan::keptAboveItsOwner()
{
    QWidget main;
    auto *button = new QPushButton(&main);
    main.show();
    QWidget window;
    // Named by one of its controls, the owner is that control's window.
    WindowOwner::keepAbove(&window, button);
    QCOMPARE(window.windowType(), Qt::Dialog);
    QVERIFY(window.windowHandle());
    QCOMPARE(window.windowHandle()->transientParent(), main.windowHandle());
    QCOMPARE(WindowOwner::of(&window), &main);
    // Not the owner's child: disabling the owner leaves the window working.
    main.setEnabled(false);
    window.show();
    QVERIFY(window.isEnabled());

    WindowOwner::keepAbove(&main, &main); // a window is not kept above itself
    QVERIFY(!WindowOwner::of(&main));
    WindowOwner::keepAbove(nullptr, &main);
    WindowOwner::keepAbove(&window, nullptr);
    QCOMPARE(WindowOwner::of(&window), &main);
}

void TstMainWindowLoan::boxOwner()
{
    QVERIFY(!WindowOwner::forNewBox()); // no window shown yet
    QWidget main;
    main.show();
    QCOMPARE(WindowOwner::forNewBox(), &main);

    // The secondary window over the Main window takes the boxes, also while the Main
    // window it has just disabled is still the active one.
    QWidget secondary;
    Port port(&main);
    MainWindowLoan loan(port);
    loan.take(&secondary, MainWindowLoan::Away::Disabled);
    secondary.show();
    QCOMPARE(WindowOwner::forNewBox(), &secondary);
    // Kept above the Main window, it comes first even when both take input.
    main.setEnabled(true);
    QCOMPARE(WindowOwner::forNewBox(), &secondary);
    secondary.hide();
    QCOMPARE(WindowOwner::forNewBox(), &main);
}

QTEST_MAIN(TstMainWindowLoan)
#include "tst_mainwindowloan.moc"
