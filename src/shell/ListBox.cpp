#include "ListBox.h"

ListBox::ListBox(QWidget *parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemClicked, this, &ListBox::click);
}

QString ListBox::selectedText() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    // Only a move of the current entry counts; a key that leaves it where it was does not.
    if (currentRow() != before && currentRow() >= 0)
        emit click();
}
