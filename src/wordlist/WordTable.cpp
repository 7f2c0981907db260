#include "WordTable.h"

#include <QKeyEvent>

void WordTable::keyPressEvent(QKeyEvent *event)
{
    const bool printable = !event->text().isEmpty() && event->text().at(0).isPrint();
    if (!editing() && printable && (event->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier) {
        emit textTyped(event->text());
        return;
    }
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
