// The buttons' and lists' hover and normal looks.
#include "HoverLooks.h"
#include "Looks.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

class TstHoverLooks : public QObject
{
    Q_OBJECT

private slots:
    void hoverAndReset();
    void onlyMovesOverTheAreaItselfReset();
    void resetLeavesOtherColoursAlone();
    void fontNameRendersAsCaptionFace();
    void listLooks();
};

namespace {

void moveOver(QWidget *w, QPointF at = QPointF(2, 2))
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

const QColor Green(0, 192, 0), LightGreen(192, 255, 192);
const QColor Red(192, 0, 0), LightRed(255, 192, 192);

// A window with a panel area on its left half holding one button, a second button on the
// bare window, and the bare right half.
struct Window
{
    QWidget window;
    QWidget *area = new QWidget(&window);
    QPushButton *inside = new QPushButton("Go!", area);
    QPushButton *other = new QPushButton("Exit", &window);
    HoverLooks looks;

    Window()
    {
        window.resize(400, 200);
        area->setGeometry(0, 0, 200, 200);
        inside->setGeometry(20, 20, 100, 30);
        other->setGeometry(220, 20, 100, 30);
        looks.add(inside, Green, LightGreen);
        looks.add(other, Red, LightRed);
        looks.resetOver(area);
        looks.resetOver(&window, {other});
        window.show();
    }
};

bool lit(QPushButton *b)
{
    return b->font().italic();
}

} // namespace

void TstHoverLooks::hoverAndReset()
{
    Window w;
    QCOMPARE(HoverLooks::backColour(w.inside), Green);
    QCOMPARE(w.inside->font().family(), "TimesNewRoman");
    QCOMPARE(w.inside->font().pointSize(), 10);
    QVERIFY(!lit(w.inside));

    moveOver(w.inside);
    QCOMPARE(HoverLooks::backColour(w.inside), LightGreen);
    QCOMPARE(w.inside->font().family(), "TimesNewRoman");
    QCOMPARE(w.inside->font().pointSize(), 11);
    QVERIFY(lit(w.inside));
    QVERIFY(!w.inside->font().bold());

    // The bare window resets only the buttons named for it.
    moveOver(w.other);
    moveOver(&w.window, QPointF(300, 150));
    QCOMPARE(HoverLooks::backColour(w.other), Red);
    QVERIFY(!lit(w.other));
    QCOMPARE(HoverLooks::backColour(w.inside), LightGreen);

    moveOver(w.area, QPointF(150, 150));
    QCOMPARE(HoverLooks::backColour(w.inside), Green);
    QCOMPARE(w.inside->font().pointSize(), 10);
    QVERIFY(!lit(w.inside));
}

void TstHoverLooks::onlyMovesOverTheAreaItselfReset()
{
    Window w;
    auto *label = new QLabel("Word:", w.area);
    label->setGeometry(20, 100, 100, 30);
    label->show();
    moveOver(w.inside);
    // Moves Qt passes on from a control to the area around it: over the button itself, over
    // a label, and over the area where a disabled control stands.
    moveOver(w.area, QPointF(30, 30));
    moveOver(w.area, QPointF(30, 110));
    QCOMPARE(HoverLooks::backColour(w.inside), LightGreen);
    moveOver(&w.window, QPointF(50, 50)); // the window, where the area lies
    QCOMPARE(HoverLooks::backColour(w.inside), LightGreen);
    label->setEnabled(false);
    moveOver(w.area, QPointF(30, 110));
    QCOMPARE(HoverLooks::backColour(w.inside), Green);
}

void TstHoverLooks::resetLeavesOtherColoursAlone()
{
    Window w;
    // A button that someone gave another colour is not in its hover look: no reset.
    HoverLooks::applyLook(w.inside, QColor(1, 2, 3), true);
    w.looks.resetAll();
    QCOMPARE(HoverLooks::backColour(w.inside), QColor(1, 2, 3));
    // A button already in its hover colour keeps the font it has.
    HoverLooks::applyLook(w.other, LightRed, false);
    moveOver(w.other);
    QVERIFY(!lit(w.other));
    w.looks.reset({w.other});
    QCOMPARE(HoverLooks::backColour(w.other), Red);
}

void TstHoverLooks::fontNameRendersAsCaptionFace()
{
    Window w;
    moveOver(w.inside);
    // The name without blanks is drawn with the captions' Times face, not a fallback.
    QCOMPARE(QFontInfo(w.inside->font()).family(), QFontInfo(Looks::caption(11)).family());
    QVERIFY(QFontInfo(w.inside->font()).italic());
}

void TstHoverLooks::listLooks()
{
    Window w;
    auto *list = new QListWidget(w.area);
    list->setGeometry(20, 80, 160, 100);
    list->addItems({"one", "two", "three"});
    list->show();
    const QColor gray(192, 192, 192), white(255, 255, 255);
    w.looks.addList(list, gray, white);
    QCOMPARE(HoverLooks::listBackColour(list), gray);
    moveOver(list->viewport());
    QCOMPARE(HoverLooks::listBackColour(list), white);
    QVERIFY(list->font().italic());

    // Losing the focus takes italic and bold off; the background stays.
    QFont bold = list->font();
    bold.setBold(true);
    list->setFont(bold);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(list, &out);
    QVERIFY(!list->font().italic());
    QVERIFY(!list->font().bold());
    QCOMPARE(HoverLooks::listBackColour(list), white);
    // Not italic, so the next move gives the hover look again.
    moveOver(list->viewport());
    QVERIFY(list->font().italic());
}

QTEST_MAIN(TstHoverLooks)
#include "tst_hoverlooks.moc"
