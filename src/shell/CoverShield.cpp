#include "CoverShield.h"

#include <QWidget>

CoverShield::CoverShield(QWidget *pane, QWidget *cover, QObject *parent)
    : QObject(parent), m_pane(pane), m_cover(cover)
{
}

void CoverShield::follow()
{
    // The cover stays at the pane's left edge and grows to the right.
    const bool shown = !m_cover->isHidden() && m_cover->width() > 0;
    const int edge = m_cover->x() + m_cover->width(); // first column it leaves visible
    const auto controls = m_pane->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *control : controls) {
        if (control == m_cover || control->testAttribute(Qt::WA_TransparentForMouseEvents))
            continue;
        const bool hidden = shown && control->x() + control->width() <= edge;
        const bool ours = m_shielded.contains(control);
        if (hidden && !ours && control->isEnabledTo(m_pane)) {
            control->setEnabled(false);
            m_shielded.append(control);
        } else if (!hidden && ours) {
            m_shielded.removeAll(control);
            control->setEnabled(true);
        }
    }
}

bool CoverShield::shields(const QWidget *control) const
{
    for (const QPointer<QWidget> &w : m_shielded)
        if (w == control)
            return true;
    return false;
}
