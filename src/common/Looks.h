#pragma once

#include "Twips.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QPalette>
#include <QPointF>
#include <QStringList>
#include <QString>
#include <QWidget>

#include <utility>

// What the program's windows share in their looks and in how they are put together.
namespace Looks {

// The warm paper colour behind every window.
inline const QColor Paper(236, 230, 216);

// Times New Roman, the face of every caption. The weight is always spelled out: an unset
// weight would be inherited from a bold frame around the control.
inline QFont caption(int points, QFont::Weight weight = QFont::Normal, bool italic = false)
{
    QFont font(QStringLiteral("Times New Roman"), points, weight, italic);
    if (Twips::scale() != 1.0)
        font.setPointSizeF(points * Twips::scale());
    return font;
}

// `font` at `points`, scaled with the windows (see Twips::scale).
inline QFont scaled(QFont font, double points)
{
    if (Twips::scale() != 1.0)
        font.setPointSizeF(points * Twips::scale());
    return font;
}

// The captions ask for "Times New Roman" and the buttons' two looks for "TimesNewRoman";
// both are drawn with the Times face, or its metric twin where the original is not
// installed, rather than with whatever sans-serif face the system falls back to.
inline void registerFontNames()
{
    for (const QString &family : {QStringLiteral("Times New Roman"), QStringLiteral("TimesNewRoman")})
        if (QFont::substitutes(family).isEmpty())
            QFont::insertSubstitutions(family, {QStringLiteral("Times New Roman"),
                                                QStringLiteral("Liberation Serif"),
                                                QStringLiteral("Times"), QStringLiteral("serif")});
}

inline void givePaperBackground(QWidget *window)
{
    QPalette p = window->palette();
    p.setColor(QPalette::Window, Paper);
    window->setPalette(p);
    window->setAutoFillBackground(true);
}

// A control created under `parent` with its given name as objectName.
template <class W, class... Args>
W *make(QWidget *parent, const char *name, Args &&...args)
{
    auto *w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

// True when the mouse at `pos` (in `area`'s coordinates) is over the area itself: the
// control under it, if any, is disabled or a line, and so are those between it and the
// area, so the area is the one that would take the mouse. Qt hands a move or press that a
// control does not use on to the control's parent; this tells the two apart.
// Plain frames drawn as lines are decoration and count as the area they lie on.
inline bool pointerOnItself(QWidget *area, const QPointF &pos)
{
    for (QWidget *w = area->childAt(pos.toPoint()); w && w != area; w = w->parentWidget()) {
        const bool line = w->metaObject() == &QFrame::staticMetaObject;
        if (w->isEnabled() && !line)
            return false;
    }
    return true;
}

// Places a control at its design rectangle, given in twips.
inline void place(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(Twips::rect(left, top, width, height));
}

} // namespace Looks
