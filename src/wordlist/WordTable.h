#pragma once

#include <QTableView>

// The word list's table: Enter and F2 edit the current cell, Delete asks for the selected
// rows to go.
class WordTable : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

    bool editing() const { return state() == EditingState; }

signals:
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
