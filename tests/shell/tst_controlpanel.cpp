// The control panel's flag machine and the slides' arithmetic in twips, tick by tick.
#include "ControlPanel.h"

#include <QTest>

#include <cmath>

class TstControlPanel : public QObject
{
    Q_OBJECT

private slots:
    void closedWidth_data();
    void closedWidth();
    void openingSlideTickByTick_data();
    void openingSlideTickByTick();
    void guards_data();
    void guards();
    void introSlide_data();
    void introSlide();
    void laterRunPlacesPanesAtOnce();
};

namespace {

enum class Phase { Open, ClosePending, Closing, Covered, Opening };

// Drives a panel into `phase` the way the timers do.
void driveTo(ControlPanel &panel, Phase phase)
{
    if (phase == Phase::Open)
        return;
    QVERIFY(panel.requestClose());
    if (phase == Phase::ClosePending)
        return;
    panel.closingBegins();
    panel.closingTick();
    if (phase == Phase::Closing)
        return;
    while (!panel.closingTick()) {
    }
    if (phase == Phase::Covered)
        return;
    QVERIFY(panel.requestOpen());
    panel.openingTick();
}

} // namespace

void TstControlPanel::closedWidth_data()
{
    QTest::addColumn<double>("paneWidth");
    QTest::addColumn<double>("closed");
    QTest::newRow("design pane") << 13905.0 << 14000.0;
    QTest::newRow("exact multiple") << 14000.0 << 14070.0;
    QTest::newRow("one step") << 70.0 << 140.0;
    QTest::newRow("just over a step") << 71.0 << 210.0;
}

void TstControlPanel::closedWidth()
{
    QFETCH(double, paneWidth);
    QFETCH(double, closed);
    ControlPanel panel(paneWidth);
    QVERIFY(panel.requestClose());
    panel.closingBegins();
    int ticks = 0;
    while (!panel.closingTick() && ++ticks < 1000) {
    }
    QCOMPARE(panel.coverWidth(), closed);
    QCOMPARE(PanelGeometry::closedCoverWidth(paneWidth), closed);
}

void TstControlPanel::openingSlideTickByTick_data()
{
    QTest::addColumn<double>("paneWidth");
    QTest::addColumn<QList<double>>("widths"); // after each tick, the last one ending it
    QTest::newRow("multiple of a step") << 70.0 << QList<double>{70, 0, 0};
    QTest::newRow("not a multiple") << 71.0 << QList<double>{140, 70, 0, 0};
}

void TstControlPanel::openingSlideTickByTick()
{
    QFETCH(double, paneWidth);
    QFETCH(QList<double>, widths);
    ControlPanel panel(paneWidth);
    driveTo(panel, Phase::Covered);
    QVERIFY(panel.requestOpen());
    for (int i = 0; i < widths.size(); ++i) {
        const bool last = i == widths.size() - 1;
        QCOMPARE(panel.openingTick(), last);
        QCOMPARE(panel.coverWidth(), widths[i]);
        QCOMPARE(panel.state().opening, !last);
        QCOMPARE(panel.state().covered, !last);
    }
    // The whole design slide: 200 narrowing ticks and one that finds width 0.
    ControlPanel design;
    driveTo(design, Phase::Covered);
    QVERIFY(design.requestOpen());
    int ticks = 1;
    while (!design.openingTick())
        ++ticks;
    QCOMPARE(ticks, 201);
    QCOMPARE(design.coverWidth(), 0.0);
    QVERIFY(design.idle());
    QVERIFY(design.requestClose()); // open and still again
}

void TstControlPanel::guards_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("closeAllowed");
    QTest::addColumn<bool>("openAllowed");
    QTest::newRow("open") << int(Phase::Open) << true << false;
    QTest::newRow("close pending") << int(Phase::ClosePending) << false << false;
    QTest::newRow("closing") << int(Phase::Closing) << false << false;
    QTest::newRow("covered") << int(Phase::Covered) << false << true;
    QTest::newRow("opening") << int(Phase::Opening) << false << false;
}

void TstControlPanel::guards()
{
    QFETCH(int, phase);
    QFETCH(bool, closeAllowed);
    QFETCH(bool, openAllowed);
    ControlPanel closer;
    driveTo(closer, Phase(phase));
    const ControlPanel::State before = closer.state();
    const double width = closer.coverWidth();
    QCOMPARE(closer.requestClose(), closeAllowed);
    if (!closeAllowed) {
        // A refused request changes nothing at all.
        QCOMPARE(closer.state().closePending, before.closePending);
        QCOMPARE(closer.state().opening, before.opening);
        QCOMPARE(closer.coverWidth(), width);
    }
    ControlPanel opener;
    driveTo(opener, Phase(phase));
    QCOMPARE(opener.requestOpen(), openAllowed);
    QCOMPARE(opener.state().opening, openAllowed || Phase(phase) == Phase::Opening);
}

void TstControlPanel::introSlide_data()
{
    QTest::addColumn<double>("leftPaneWidth");
    QTest::addColumn<double>("paneWidth");
    QTest::addColumn<double>("picture1End");
    QTest::addColumn<double>("picture2Shift"); // end position relative to the design place
    QTest::newRow("design panes") << 6900.0 << 13905.0 << 7000.0 << -95.0;
    QTest::newRow("exact multiples") << 7000.0 << 14000.0 << 7070.0 << -70.0;
    QTest::newRow("odd widths") << 6901.0 << 13931.0 << 7000.0 << -139.0;
}

void TstControlPanel::introSlide()
{
    QFETCH(double, leftPaneWidth);
    QFETCH(double, paneWidth);
    QFETCH(double, picture1End);
    QFETCH(double, picture2Shift);
    ControlPanel panel(paneWidth);
    panel.placePanes(leftPaneWidth, 7135, true);
    QCOMPARE(panel.picture1Width(), 0.0);
    QCOMPARE(panel.picture2Left(), 7135 + paneWidth);
    bool left = true, right = true;
    int ticks = 0;
    double previousLeft = panel.picture2Left();
    while ((left || right) && ++ticks < 1000) {
        if (left) {
            left = !panel.introTickLeft();
            QCOMPARE(panel.state().introCounter, left ? panel.picture1Width() : 70.0);
        }
        if (right) {
            right = !panel.introTickRight();
            QCOMPARE(panel.picture2Left(), previousLeft - 70);
            previousLeft = panel.picture2Left();
        }
    }
    QCOMPARE(panel.picture1Width(), picture1End);
    QCOMPARE(panel.picture2Left(), 7135 + picture2Shift);
    QCOMPARE(panel.picture2Left(), 7135 + paneWidth - 70 * std::ceil(paneWidth / 70) - 70);
}

void TstControlPanel::laterRunPlacesPanesAtOnce()
{
    ControlPanel panel;
    panel.placePanes(6900, 7135, false);
    QCOMPARE(panel.picture1Width(), 6900.0);
    QCOMPARE(panel.picture2Left(), 7095.0);
    QCOMPARE(panel.state().savedPaneWidth, 6900.0f);
    QCOMPARE(panel.state().savedPaneLeft, 7135.0);
}

QTEST_MAIN(TstControlPanel)
#include "tst_controlpanel.moc"
