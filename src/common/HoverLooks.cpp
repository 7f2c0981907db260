#include "HoverLooks.h"

#include "Looks.h"

#include <QAbstractItemView>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPushButton>

const QString HoverLooks::FontName = QStringLiteral("TimesNewRoman");

HoverLooks::HoverLooks(QObject *parent) : QObject(parent)
{
    Looks::registerFontNames();
}

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

void HoverLooks::addList(QAbstractItemView *list, const QColor &normalBack, const QColor &hoverBack)
{
    m_lists.append(list);
    m_listColours.insert(list, {normalBack, hoverBack});
    applyListLook(list, normalBack, false);
    // The entries lie on the viewport, which gets the moves; the focus goes to the list.
    list->viewport()->setMouseTracking(true);
    list->viewport()->installEventFilter(this);
    list->setMouseTracking(true);
    list->installEventFilter(this);
    connect(list, &QObject::destroyed, this, [this, list] {
        m_lists.removeAll(list);
        m_listColours.remove(list);
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

QColor HoverLooks::listBackColour(const QAbstractItemView *list)
{
    return list->palette().color(QPalette::Base);
}

void HoverLooks::applyLook(QPushButton *button, const QColor &colour, bool hovered)
{
    QPalette p = button->palette();
    p.setColor(QPalette::Button, colour);
    button->setPalette(p);
    QFont f = Looks::scaled(QFont(FontName, hovered ? 11 : 10), hovered ? 11 : 10);
    f.setBold(false);
    f.setItalic(hovered);
    button->setFont(f);
}

void HoverLooks::applyListLook(QAbstractItemView *list, const QColor &back, bool hovered)
{
    QPalette p = list->palette();
    p.setColor(QPalette::Base, back);
    list->setPalette(p);
    QFont f = list->font();
    f.setItalic(hovered);
    list->setFont(f);
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
    for (QAbstractItemView *list : std::as_const(m_lists))
        resetList(list);
    reset(m_order);
}

void HoverLooks::hoverList(QAbstractItemView *list)
{
    const auto it = m_listColours.constFind(list);
    if (it != m_listColours.constEnd() && !list->font().italic())
        applyListLook(list, it->hover, true);
}

void HoverLooks::resetList(QAbstractItemView *list)
{
    const auto it = m_listColours.constFind(list);
    if (it == m_listColours.constEnd())
        return;
    applyListLook(list, it->normal, false);
    list->clearSelection();
}

bool HoverLooks::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusOut) {
        if (auto *list = qobject_cast<QAbstractItemView *>(watched);
            list && m_listColours.contains(list)) {
            QFont f = list->font();
            f.setItalic(false);
            f.setBold(false);
            list->setFont(f);
        }
        return QObject::eventFilter(watched, event);
    }
    if (type != QEvent::MouseMove && type != QEvent::Enter)
        return QObject::eventFilter(watched, event);

    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return QObject::eventFilter(watched, event);
    if (auto *button = qobject_cast<QPushButton *>(widget); button && m_colours.contains(button)) {
        hover(button);
        return QObject::eventFilter(watched, event);
    }
    auto *list = qobject_cast<QAbstractItemView *>(widget->parentWidget());
    if (list && list->viewport() == widget && m_listColours.contains(list)) {
        hoverList(list);
        return QObject::eventFilter(watched, event);
    }
    if (auto *ownList = qobject_cast<QAbstractItemView *>(widget);
        ownList && m_listColours.contains(ownList)) {
        hoverList(ownList); // the list's border
        return QObject::eventFilter(watched, event);
    }
    const auto area = m_resetAreas.constFind(widget);
    if (area == m_resetAreas.constEnd())
        return QObject::eventFilter(watched, event);
    const QPointF pos = type == QEvent::MouseMove ? static_cast<QMouseEvent *>(event)->position()
                                                  : static_cast<QEnterEvent *>(event)->position();
    if (Looks::pointerOnItself(widget, pos))
        area->isEmpty() ? resetAll() : reset(*area);
    return QObject::eventFilter(watched, event);
}
