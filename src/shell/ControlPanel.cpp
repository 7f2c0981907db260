#include "ControlPanel.h"

#include <algorithm>

using PanelGeometry::Step;

ControlPanel::ControlPanel(double paneWidth) : m_paneWidth(paneWidth) {}

bool ControlPanel::idle() const
{
    return !m_state.opening && !m_state.closing && !m_state.closePending;
}

void ControlPanel::reset()
{
    m_state.opening = m_state.closing = m_state.covered = m_state.closePending = false;
    m_coverWidth = 0;
}

bool ControlPanel::requestClose()
{
    if (!idle() || m_state.covered)
        return false;
    m_state.closePending = true;
    return true;
}

bool ControlPanel::requestOpen()
{
    if (!idle() || !m_state.covered)
        return false;
    m_state.opening = true;
    return true;
}

void ControlPanel::closingBegins()
{
    m_state.closePending = false;
}

bool ControlPanel::closingTick()
{
    m_state.closing = true;
    bool ended = false;
    if (m_coverWidth >= m_paneWidth) {
        m_state.closing = false;
        m_state.covered = true;
        ended = true;
    }
    // The finishing tick widens the cover too: it ends one step past the pane's width.
    m_coverWidth += Step;
    return ended;
}

bool ControlPanel::openingTick()
{
    bool ended = false;
    if (m_coverWidth <= 0) {
        m_state.covered = m_state.opening = false;
        ended = true;
    }
    if (m_coverWidth - Step < 0) {
        m_coverWidth = 0;
        m_state.covered = m_state.opening = false;
        ended = true;
    } else {
        m_coverWidth -= Step;
    }
    return ended;
}

double ControlPanel::coveredExtent() const
{
    return std::max(0.0, m_coverWidth - PanelGeometry::CoverOffset);
}

void ControlPanel::placePanes(double leftPaneWidth, double paneLeft, bool firstRun)
{
    m_state.savedPaneWidth = float(leftPaneWidth);
    m_state.savedPaneLeft = paneLeft;
    m_state.introCounter = 0;
    m_picture1Width = leftPaneWidth;
    m_picture2Left = paneLeft + m_paneWidth;
    if (firstRun) {
        m_picture1Width = 0;
    } else {
        m_picture1Width = m_state.savedPaneWidth;
        m_picture2Left = m_state.savedPaneLeft - PanelGeometry::LaterRunShift;
    }
}

bool ControlPanel::introTickLeft()
{
    bool stopped = false;
    if (m_state.introCounter >= m_state.savedPaneWidth) {
        m_state.introCounter = 0;
        stopped = true;
    }
    m_picture1Width += Step;
    m_state.introCounter += Step;
    return stopped;
}

bool ControlPanel::introTickRight()
{
    // Compared in single precision, as the saved and current edges were kept.
    const bool stopped = float(m_state.savedPaneLeft) >= float(m_picture2Left);
    m_picture2Left -= Step;
    return stopped;
}
