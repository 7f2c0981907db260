#pragma once

#include <QTableView>

// The word list's table: Enter and F2 edit the current cell, Delete asks for the selected
// rows to go, and text typed while no cell is being edited goes to the filter.
class WordTable : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

    bool editing() const { return state() == EditingState; }

signals:
    void deleteRequested();
    void textTyped(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
