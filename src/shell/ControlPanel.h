#pragma once

#include <cmath>

// Where the two panes and the Panel cover stand, in twips. The slides step these numbers;
// the Main window turns them into pixels only when it moves a widget, so the steps of 70
// twips add up exactly whatever the screen's scaling.
namespace PanelGeometry {
constexpr double Step = 70;            // twips per tick of every slide
constexpr double LeftPaneWidth = 6900; // Picture1 at its design width
constexpr double PaneLeft = 7135;      // design left edge of Picture2
constexpr double PaneWidth = 13905;    // Picture2, the width the cover must reach
constexpr double PaneHeight = 8775;
constexpr double CoverOffset = 960;  // the cover's left edge lies this far left of the pane
constexpr double LaterRunShift = 40; // Picture2 stands this far left of its place after start

// The cover's width once closed: the first multiple of a step not below the pane's width,
// plus the step the finishing tick adds (14000 twips for the 13905-twip pane).
inline double closedCoverWidth(double paneWidth = PaneWidth)
{
    return std::ceil(paneWidth / Step) * Step + Step;
}
} // namespace PanelGeometry

// The control panel's state machine: the four flags, the Close and Open requests with their
// guards, the closing and opening slides of the cover and the first-run Intro slide of the
// two panes. It decides; the Main window writes the messages, runs the timers and moves the
// pictures.
class ControlPanel
{
public:
    // The Main window's state of the panel.
    struct State
    {
        bool opening = false;      // the opening slide is running
        bool closing = false;      // the closing slide is running
        bool covered = false;      // the cover has closed the panel completely
        bool closePending = false; // the closing slide starts on the next tick
        double introCounter = 0;   // how far Picture1 has grown in the Intro slide
        float savedPaneWidth = 0;  // design width of Picture1
        double savedPaneLeft = 0;  // design left edge of Picture2
    };

    explicit ControlPanel(double paneWidth = PanelGeometry::PaneWidth);

    const State &state() const { return m_state; }
    // Opening, closing and close pending are all clear.
    bool idle() const;

    // Start-up: every flag clear and the cover at width 0, so the panel starts open.
    void reset();

    // The Close request's guard: true (and close pending set) only when the panel is open
    // and still; the caller then writes its message and starts the one-tick delay.
    bool requestClose();
    // The Open request's guard: true (and opening set) only when the panel is covered and
    // still; the caller then writes its message and starts the opening slide.
    bool requestOpen();

    // Timer5: the one-tick delay is over and the closing slide takes over.
    void closingBegins();
    // Timer4: one step of the closing slide. True on the tick that finds the cover as wide
    // as the pane: the slide stops there (after one last step) and the panel is covered.
    bool closingTick();
    // Timer6: one step of the opening slide. True on the tick that ends it: the cover is
    // back at width 0 and is hidden.
    bool openingTick();
    double coverWidth() const { return m_coverWidth; }
    // How much of the pane the cover hides, counted from the pane's left edge.
    double coveredExtent() const;

    // Start-up's placing of the panes: the design places are saved, Picture2 is pushed one
    // pane width to the right, and then either the Intro slide is set up (first run) or
    // both panes go to their places at once.
    void placePanes(double leftPaneWidth, double paneLeft, bool firstRun);
    // Timer2: Picture1 grows. True when Timer2 stops on this tick.
    bool introTickLeft();
    // Timer3: Picture2 moves left. True when Timer3 stops on this tick.
    bool introTickRight();
    double picture1Width() const { return m_picture1Width; }
    double picture2Left() const { return m_picture2Left; }

private:
    State m_state;
    double m_paneWidth;
    double m_coverWidth = 0;
    double m_picture1Width = 0;
    double m_picture2Left = 0;
};
