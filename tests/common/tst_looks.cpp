// What every window shares in its looks: flat button faces and plain-text tooltips.
#include "FlatButtonStyle.h"
#include "PlainToolTips.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

class TstLooks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void buttonFaceIsItsBackColour_data();
    void buttonFaceIsItsBackColour();
    void toolTipsShowPlainText_data();
    void toolTipsShowPlainText();
};

namespace {

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

QLabel *visibleToolTip()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("qtooltip_label") && w->isVisible())
            return qobject_cast<QLabel *>(w);
    return nullptr;
}

} // namespace

void TstLooks::initTestCase()
{
    QApplication::setStyle(new FlatButtonStyle);
    PlainToolTips::install();
    PlainToolTips::install(); // once is enough; a second call adds nothing
}

void TstLooks::buttonFaceIsItsBackColour_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("pressed");
    QTest::newRow("green") << QColor(0, 192, 0) << false;
    QTest::newRow("light green") << QColor(192, 255, 192) << false;
    QTest::newRow("orange") << QColor(255, 128, 0) << false;
    QTest::newRow("pale orange") << QColor(255, 224, 192) << false;
    QTest::newRow("red, pressed") << QColor(192, 0, 0) << true;
}

void TstLooks::buttonFaceIsItsBackColour()
{
    QFETCH(QColor, colour);
    QFETCH(bool, pressed);
    QPushButton button("Start");
    button.setGeometry(0, 0, 126, 33);
    QPalette p = button.palette();
    p.setColor(QPalette::Button, colour);
    button.setPalette(p);
    button.setDown(pressed);
    const QImage face = button.grab().toImage();
    // Everything between the edges and the caption: top and bottom bands, left and right.
    int samples = 0;
    for (int y : {3, 4, 5, 27, 28, 29})
        for (int x = 3; x < 123; x += 7, ++samples)
            QCOMPARE(face.pixelColor(x, y), colour);
    for (int y = 3; y < 30; y += 3, ++samples)
        QCOMPARE(face.pixelColor(4, y), colour);
    QVERIFY(samples > 100);
    // The edge is drawn, not the face colour all the way out.
    QVERIFY(face.pixelColor(0, 16) != colour);
}

void TstLooks::toolTipsShowPlainText_data()
{
    QTest::addColumn<QString>("tip");
    QTest::newRow("markup") << "<b>Abate</b>";
    QTest::newRow("entity and blanks") << "a &amp; b  c";
    QTest::newRow("line break") << "v.\nto lessen";
    QTest::newRow("ordinary") << "n.";
}

void TstLooks::toolTipsShowPlainText()
{
    QFETCH(QString, tip);
    QLabel label("Word:");
    label.setToolTip(tip);
    label.show();
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&label, &help);
    QLabel *shown = visibleToolTip();
    QVERIFY(shown);
    QCOMPARE(shownText(shown), tip);
    QCOMPARE(label.toolTip(), tip); // the widget keeps the text as set
    QToolTip::hideText();
}

QTEST_MAIN(TstLooks)
#include "tst_looks.moc"
