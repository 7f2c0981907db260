// The buttons' hover and normal looks.
#include "HoverLooks.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

class TstHoverLooks : public QObject
{
    Q_OBJECT

private slots:
    void hoverAndReset();
};

namespace {

void moveOver(QWidget *w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

} // namespace

void TstHoverLooks::hoverAndReset()
{
    QWidget window;
    QWidget area(&window);
    auto *inside = new QPushButton("Go!", &area);
    auto *other = new QPushButton("Exit", &window);
    HoverLooks looks;
    const QColor green(0, 192, 0), lightGreen(192, 255, 192);
    looks.add(inside, green, lightGreen);
    looks.add(other, QColor(192, 0, 0), QColor(255, 192, 192));
    looks.resetOver(&area);
    looks.resetOver(&window, {other});
    window.show();

    QCOMPARE(HoverLooks::backColour(inside), green);
    QCOMPARE(inside->font().family(), "TimesNewRoman");
    QCOMPARE(inside->font().pointSize(), 10);

    // The move over the button must not travel on to the area and undo the look.
    moveOver(inside);
    QCOMPARE(HoverLooks::backColour(inside), lightGreen);
    QVERIFY(inside->font().italic());
    QCOMPARE(inside->font().pointSize(), 11);
    QVERIFY(!inside->font().bold());

    // The window resets only the buttons named for it.
    moveOver(other);
    moveOver(&window);
    QCOMPARE(HoverLooks::backColour(other), QColor(192, 0, 0));
    QCOMPARE(HoverLooks::backColour(inside), lightGreen);

    moveOver(&area);
    QCOMPARE(HoverLooks::backColour(inside), green);
    QVERIFY(!inside->font().italic());
}

QTEST_MAIN(TstHoverLooks)
#include "tst_hoverlooks.moc"
