#include "ExclusiveWork.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace ExclusiveWork {

namespace {

QList<QPointer<QWidget>> &windows()
{
    static QList<QPointer<QWidget>> list;
    return list;
}

} // namespace

void closeWhenBegun(QWidget *window)
{
    windows().removeAll(nullptr);
    if (window && !windows().contains(window))
        windows().append(window);
}

void begin()
{
    // Taken out first: closing a window may make or close others.
    const QList<QPointer<QWidget>> open = std::exchange(windows(), {});
    for (const QPointer<QWidget> &w : open)
        if (w)
            w->close();
}

} // namespace ExclusiveWork
