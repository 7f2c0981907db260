#include "HoverLooks.h"

#include <QEvent>
#include <QPushButton>

HoverLooks::HoverLooks(QObject *parent) : QObject(parent) {}

void HoverLooks::add(QPushButton *button, const QColor &normal, const QColor &hover)
{
    m_order.append(button);
    m_colours.insert(button, {normal, hover});
    applyLook(button, normal, false);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    connect(button, &QObject::destroyed, this, [this, button] {
        m_order.removeAll(button);
        m_colours.remove(button);
    });
}

void HoverLooks::resetOver(QWidget *area, const QList<QPushButton *> &buttons)
{
    m_resetAreas.insert(area, buttons);
    area->setMouseTracking(true);
    area->installEventFilter(this);
    connect(area, &QObject::destroyed, this, [this, area] { m_resetAreas.remove(area); });
}

QColor HoverLooks::backColour(const QPushButton *button)
{
    return button->palette().color(QPalette::Button);
}

void HoverLooks::applyLook(QPushButton *button, const QColor &colour, bool hovered)
{
    QPalette p = button->palette();
    p.setColor(QPalette::Button, colour);
    button->setPalette(p);
    QFont f(QStringLiteral("TimesNewRoman"), hovered ? 11 : 10);
    f.setBold(false);
    f.setItalic(hovered);
    button->setFont(f);
}

void HoverLooks::hover(QPushButton *button)
{
    const auto it = m_colours.constFind(button);
    if (it != m_colours.constEnd() && backColour(button) != it->hover)
        applyLook(button, it->hover, true);
}

void HoverLooks::reset(const QList<QPushButton *> &buttons)
{
    for (QPushButton *b : buttons) {
        const auto it = m_colours.constFind(b);
        if (it != m_colours.constEnd() && backColour(b) == it->hover)
            applyLook(b, it->normal, false);
    }
}

void HoverLooks::resetAll()
{
    reset(m_order);
}

bool HoverLooks::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::Enter)
        return QObject::eventFilter(watched, event);
    if (auto *button = qobject_cast<QPushButton *>(watched); button && m_colours.contains(button)) {
        hover(button);
        // A button ignores mouse moves, which would then reach the area around it and reset
        // the look just given; the move ends here.
        if (event->type() == QEvent::MouseMove) {
            event->accept();
            return true;
        }
    } else if (auto *area = qobject_cast<QWidget *>(watched); area && m_resetAreas.contains(area)) {
        const QList<QPushButton *> buttons = m_resetAreas.value(area);
        buttons.isEmpty() ? resetAll() : reset(buttons);
    }
    return QObject::eventFilter(watched, event);
}
