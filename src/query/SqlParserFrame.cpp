#include "SqlParserFrame.h"

#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>
#include <QPushButton>

const QString SqlParserFrame::Frame4Tip = QStringLiteral("Right Click for help");

SqlParserFrame::SqlParserFrame(const Controls &controls, QObject *parent)
    : QObject(parent), m_controls(controls)
{
    // The box's own edit menu would hide the help menu on a right click.
    m_controls.Text1->setContextMenuPolicy(Qt::PreventContextMenu);
    m_controls.Frame4->setMouseTracking(true);
    for (QWidget *w : {m_controls.Frame4, static_cast<QWidget *>(m_controls.Text1),
                       static_cast<QWidget *>(m_controls.Command13)})
        w->installEventFilter(this);
}

void SqlParserFrame::text1Click()
{
    m_controls.Text1->clear();
}

void SqlParserFrame::frame4MouseMove()
{
    m_controls.Frame4->setToolTip(Frame4Tip);
}

void SqlParserFrame::popupHelp(const QPoint &globalPos)
{
    m_controls.help->popup(globalPos);
}

bool SqlParserFrame::eventFilter(QObject *watched, QEvent *event)
{
    // A disabled control takes no mouse input (the frame, the box and Go! while the word
    // panel shows).
    const auto *control = qobject_cast<const QWidget *>(watched);
    if (control && !control->isEnabled())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() == Qt::RightButton) {
            popupHelp(press->globalPosition().toPoint());
            // Handled here: a press the button ignores would reach the frame as well.
            return true;
        }
        if (press->button() == Qt::LeftButton && watched == m_controls.Text1)
            text1Click(); // the box still takes the press: focus and caret as usual
    } else if (event->type() == QEvent::MouseMove && watched == m_controls.Frame4) {
        frame4MouseMove();
    }
    return QObject::eventFilter(watched, event);
}
