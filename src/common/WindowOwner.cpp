#include "WindowOwner.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// A window a box may belong to: one of the program's own windows that the user can see and
// work in.
bool takesBoxes(const QWidget *w)
{
    if (!w || !w->isWindow() || !w->isVisible() || !w->isEnabled() || w->isMinimized())
        return false;
    const Qt::WindowType type = w->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

} // namespace

void WindowOwner::keepAbove(QWidget *window, QWidget *owner)
{
    if (!window || !owner)
        return;
    QWidget *top = owner->window();
    if (top == window)
        return;
    if (!window->windowHandle() && window->windowType() == Qt::Window)
        window->setWindowFlags(window->windowFlags() | Qt::Dialog);
    window->winId(); // makes the native windows, so that one can name the other
    top->winId();
    window->windowHandle()->setTransientParent(top->windowHandle());
}

QWidget *WindowOwner::of(const QWidget *window)
{
    const QWindow *handle = window ? window->windowHandle() : nullptr;
    const QWindow *owner = handle ? handle->transientParent() : nullptr;
    if (!owner)
        return nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->windowHandle() == owner)
            return w;
    return nullptr;
}

QWidget *WindowOwner::forNewBox()
{
    if (QWidget *modal = QApplication::activeModalWidget(); takesBoxes(modal))
        return modal;
    if (QWidget *active = QApplication::activeWindow(); takesBoxes(active))
        return active;
    QList<QWidget *> candidates;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (takesBoxes(w))
            candidates << w;
    // The uppermost: a window no other candidate is kept above.
    for (QWidget *w : candidates) {
        const bool below = std::any_of(candidates.cbegin(), candidates.cend(),
                                       [w](const QWidget *other) { return of(other) == w; });
        if (!below)
            return w;
    }
    return nullptr;
}
