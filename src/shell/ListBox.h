#pragma once

#include <QListWidget>

// A list whose click event, like that of the classic list box, also comes when the user
// moves the current entry with the keyboard (arrow keys, Home, End, typing a letter), so
// that what a click does can be done without the mouse. One click event per change: a
// mouse click gives one, however it moved the current entry.
class ListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit ListBox(QWidget *parent = nullptr);

    // The text of the selected entry; empty when none is selected.
    QString selectedText() const;

signals:
    void click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
