#pragma once

#include "Twips.h"

#include <QColor>
#include <QFont>
#include <QPalette>
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
    return QFont(QStringLiteral("Times New Roman"), points, weight, italic);
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

// Places a control at its design rectangle, given in twips.
inline void place(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(Twips::rect(left, top, width, height));
}

} // namespace Looks
