#include "FlatButtonStyle.h"

#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

FlatButtonStyle::FlatButtonStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void FlatButtonStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                    QPainter *painter, const QWidget *widget) const
{
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
}
