#include "FlatButtonStyle.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

FlatButtonStyle::FlatButtonStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

namespace {

// A black ring inside a white one: one of the two stands out on any face or back colour.
void drawFocusRing(QPainter *painter, const QRect &rect)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    const QRect outer = rect.adjusted(0, 0, -1, -1);
    painter->setPen(QPen(Qt::white, 1));
    painter->drawRect(outer);
    painter->setPen(QPen(Qt::black, 1));
    painter->drawRect(outer.adjusted(1, 1, -1, -1));
    painter->restore();
}

} // namespace

void FlatButtonStyle::drawControl(ControlElement element, const QStyleOption *option,
                                  QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    // A list with the focus is ringed whole, whether or not an entry is current.
    if (element == CE_ShapedFrame && (option->state & State_HasFocus)
        && qobject_cast<const QAbstractItemView *>(widget))
        drawFocusRing(painter, option->rect);
}

void FlatButtonStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                    QPainter *painter, const QWidget *widget) const
{
    if (element == PE_FrameFocusRect) {
        // Fusion's focus frame is drawn in the highlight colour, which vanishes on some
        // button colours, and only after a key has moved the focus.
        drawFocusRing(painter, option->rect);
        return;
    }
    if (element != PE_PanelButtonCommand || !qobject_cast<const QPushButton *>(widget)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QColor face = option->palette.color(QPalette::Button);
    const QRect r = option->rect.adjusted(0, 0, -1, -1);
    const bool sunken = option->state & (State_Sunken | State_On);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillRect(option->rect, face);
    // Edges only: a dark outline, then light and shade on the inner ring.
    const QColor light = face.lighter(150);
    const QColor shade = face.darker(160);
    painter->setPen(face.darker(300));
    painter->drawRect(r);
    const QRect inner = r.adjusted(1, 1, -1, -1);
    painter->setPen(sunken ? shade : light);
    painter->drawLine(inner.topLeft(), inner.topRight());
    painter->drawLine(inner.topLeft(), inner.bottomLeft());
    painter->setPen(sunken ? light : shade);
    painter->drawLine(inner.bottomLeft(), inner.bottomRight());
    painter->drawLine(inner.topRight(), inner.bottomRight());
    painter->restore();
    // Fusion shows a focused button by its edge colour only, which the flat face replaces.
    if (option->state & State_HasFocus)
        drawFocusRing(painter, option->rect.adjusted(3, 3, -3, -3));
}
