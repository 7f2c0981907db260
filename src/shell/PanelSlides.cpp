#include "PanelSlides.h"

#include "CoverShield.h"
#include "PaintedPicture.h"
#include "StatusBox.h"
#include "SwitchTimer.h"
#include "Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

const QString Shutting = QStringLiteral(" I'll shut the Control Panel shortly");
const QString WordPanelClosing = QStringLiteral(
    " Closing the panel! Click on 'Close' or move your mouse over the lock to activate it!");
const QString Opening = QStringLiteral(" Opening the Control Panel");
const QString Shut = QStringLiteral(
    " I have shut the Control Panel. Please navigate the mouse pointer over the lock to "
    "activate it!");

} // namespace

PanelSlides::PanelSlides(const Controls &controls, QObject *parent)
    : QObject(parent), m_c(controls),
      m_shield(new CoverShield(controls.Picture2, controls.Picture4, this))
{
    setObjectName(QStringLiteral("PanelSlides"));
    m_c.Picture4->installEventFilter(this);
    m_c.Picture5->installEventFilter(this);
    m_c.Picture5->setMouseTracking(true);
    // A press on the Lock is the Lock's own; it must not reach the cover around it.
    m_c.Picture5->setAttribute(Qt::WA_NoMousePropagation);
    // The Intro slide of the right pane runs from load; start-up stops it on later runs.
    m_c.Timer3->setInterval(1);
}

void PanelSlides::reset()
{
    m_panel.reset();
    applyCover();
}

void PanelSlides::placePanes(bool firstRun)
{
    m_panel.placePanes(PanelGeometry::LeftPaneWidth, PanelGeometry::PaneLeft, firstRun);
    applyPanes();
    m_c.Timer2->setInterval(firstRun ? 1 : 0);
    if (!firstRun)
        m_c.Timer3->setInterval(0);
}

void PanelSlides::requestClose(const QString &message, StatusBox *box)
{
    if (!m_panel.requestClose())
        return;
    box->appendLine(message);
    m_c.Picture4->show();
    m_c.Timer5->setInterval(1);
}

void PanelSlides::closeRequest()
{
    requestClose(WordPanelClosing, m_c.RichTextBox2);
}

void PanelSlides::command20Click()
{
    requestClose(Shutting, m_c.RichTextBox1);
}

void PanelSlides::openRequest()
{
    if (!m_panel.requestOpen())
        return;
    m_c.RichTextBox1->appendLine(Opening);
    m_c.Timer6->setInterval(1);
}

void PanelSlides::picture4Click()
{
    openRequest();
}

void PanelSlides::picture4Nudge()
{
    m_c.RichTextBox1->appendLine(Shut);
}

void PanelSlides::picture5MouseMove()
{
    openRequest();
}

void PanelSlides::picture5MouseUp()
{
    m_c.RichTextBox1->appendLine(Shut);
}

void PanelSlides::timer2Tick()
{
    if (m_panel.introTickLeft())
        m_c.Timer2->setInterval(0);
    applyPanes();
}

void PanelSlides::timer3Tick()
{
    if (m_panel.introTickRight())
        m_c.Timer3->setInterval(0);
    applyPanes();
}

void PanelSlides::timer5Tick()
{
    m_c.Picture4->show();
    m_c.Timer4->setInterval(1);
    m_c.Timer5->setInterval(0);
    m_panel.closingBegins();
}

void PanelSlides::timer4Tick()
{
    if (m_panel.closingTick()) {
        m_c.Timer4->setInterval(0);
        m_c.RichTextBox1->appendLine(Shut);
    }
    applyCover();
}

void PanelSlides::timer6Tick()
{
    if (m_panel.openingTick()) {
        m_c.Timer6->setInterval(0);
        m_c.Picture4->hide();
    }
    applyCover();
}

void PanelSlides::applyCover()
{
    m_c.Picture4->resize(Twips::toPixels(m_panel.coverWidth()), m_c.Picture4->height());
    m_shield->follow();
}

void PanelSlides::applyPanes()
{
    m_c.Picture1->resize(Twips::toPixels(m_panel.picture1Width()), m_c.Picture1->height());
    m_c.Picture2->move(Twips::toPixels(m_panel.picture2Left()), m_c.Picture2->y());
}

bool PanelSlides::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_c.Picture4)
        return coverEvent(event);
    if (watched == m_c.Picture5)
        return lockEvent(event);
    return QObject::eventFilter(watched, event);
}

bool PanelSlides::coverEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // The second press of a double click comes with the double click event, which stands
        // in for it: one line, and no click after it.
        const auto *press = static_cast<QMouseEvent *>(event);
        const bool secondOfDouble = press->flags() & Qt::MouseEventCreatedDoubleClick;
        if (!secondOfDouble)
            picture4Nudge();
        m_coverPressed = !secondOfDouble && press->button() == Qt::LeftButton;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto *release = static_cast<QMouseEvent *>(event);
        const bool click = m_coverPressed && release->button() == Qt::LeftButton &&
                           m_c.Picture4->rect().contains(release->position().toPoint());
        m_coverPressed = false;
        if (click)
            picture4Click();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        m_coverPressed = false;
        picture4Nudge();
        return true;
    case QEvent::KeyPress: {
        // A key that types something; Tab still takes the focus on.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
            picture4Nudge();
        return false;
    }
    default:
        return false;
    }
}

bool PanelSlides::lockEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        picture5MouseMove();
        return false;
    case QEvent::MouseButtonRelease:
        picture5MouseUp();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true; // the Lock does nothing on a press
    default:
        return false;
    }
}
