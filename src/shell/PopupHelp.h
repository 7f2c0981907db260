#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QMenu;
class QWidget;

// The popup help menus of the control panel's frames: a right button pressed on a frame or
// on one of the controls it names pops up the frame's "&Help" menu at the mouse. Only a
// press on the control itself counts (not one a control inside it passed on), and only
// while it is enabled; any other button does nothing here.
class PopupHelp : public QObject
{
    Q_OBJECT

public:
    explicit PopupHelp(QObject *parent = nullptr);

    // A right press on any of `controls` pops up `menu`.
    void attach(QMenu *menu, const QList<QWidget *> &controls);

    // The text a help item appends to the main Status box, with `table` (the Current
    // collection's table name) where the item names it; empty for an item it does not know.
    static QString itemText(const QString &item, const QString &table);
    // The items itemText() knows, in menu order.
    static QStringList items();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Target
    {
        QWidget *control;
        QMenu *menu;
    };
    QHash<QObject *, Target> m_targets;
};
