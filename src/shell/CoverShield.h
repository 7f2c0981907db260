#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// Keeps what the Panel cover hides out of reach. The cover lies above the panel, so the
// mouse reaches only the cover there; the keyboard would still tab onto a hidden button and
// press it. Every control of the pane that lies wholly under the cover is therefore
// disabled while it is hidden, and enabled again once the cover uncovers it. Controls
// someone else had disabled are left as they are.
class CoverShield : public QObject
{
    Q_OBJECT

public:
    CoverShield(QWidget *pane, QWidget *cover, QObject *parent = nullptr);

    // Brings the controls up to date with the cover's present size and visibility.
    void follow();
    // True when `control` (a control of the pane) is disabled by the cover.
    bool shields(const QWidget *control) const;

private:
    QWidget *m_pane;
    QWidget *m_cover;
    QList<QPointer<QWidget>> m_shielded;
};
