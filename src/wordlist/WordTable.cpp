#include "WordTable.h"

#include <QKeyEvent>

void WordTable::keyPressEvent(QKeyEvent *event)
{
    if (!editing() && event->modifiers() == Qt::NoModifier) {
        if (event->key() == Qt::Key_Delete) {
            emit deleteRequested();
            return;
        }
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            currentIndex().isValid()) {
            edit(currentIndex());
            return;
        }
    }
    // Escape and the rest: Escape, unused by the view, goes on to the window.
    QTableView::keyPressEvent(event);
}
